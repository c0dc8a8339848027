#include "NavegarArchivo.h"

#include "platform/browser/WebBrowser.h"
#include "platform/ui/OperatorDialogs.h"
#include "platform/ui/Routine.h"

#include <QElapsedTimer>
#include <QLocale>
#include <QEventLoop>
#include <QTimer>

#include <sys/resource.h>

namespace tablero {

void NavegarArchivo(web::WebBrowser& navegador, const QString& ruta)
{
    ui::Routine r(QString(), ui::silently(ui::vbIgnore));
    r.steps({
        [&] { navegador.FullScreen = true; },
        [&] { navegador.Navigate(QStringLiteral("file://") + ruta); },
        [&] { navegador.TheaterMode = false; },
    });
}

void EsperarCarga(web::WebBrowser& navegador, const std::function<bool()>& interrumpir)
{
    if (!navegador.Cargando())
        return;
    QEventLoop bucle;
    QElapsedTimer reloj;
    reloj.start();
    QTimer mirar;
    QObject::connect(&navegador, &web::WebBrowser::DownloadComplete, &bucle, &QEventLoop::quit);
    QObject::connect(&mirar, &QTimer::timeout, &bucle, [&] {
        if (!navegador.Cargando() || interrumpir() || reloj.elapsed() > 10000)
            bucle.quit();
    });
    mirar.start(20);
    bucle.exec();
}

void AvisarInformeNoMostrado()
{
    ui::dialogs().MsgBox(QStringLiteral("No se pudo mostrar el informe: el proceso que dibuja la página se cerró "
                                        "(por falta de memoria o por una falla). Vuelva a pedir el informe; si se "
                                        "repite, acote el período o los filtros."),
                         ui::vbInformation, QStringLiteral("Aviso al operador..."));
}

QString AvisoPaginaNoMostrada()
{
    // Measured: under a smaller limit the page view shows nothing, above it pages show.
    constexpr rlim_t kMinimoDelNavegador = 2 * 1024 * 1024;
    rlimit limite{};
    if (getrlimit(RLIMIT_FSIZE, &limite) == 0 && limite.rlim_cur != RLIM_INFINITY
        && limite.rlim_cur < kMinimoDelNavegador)
        return QStringLiteral(" No se pudo mostrar la página: este programa no puede escribir archivos de más de %1 "
                              "(límite del sistema, \"ulimit -f\") y el navegador que muestra los informes necesita "
                              "al menos 2 MiB.")
            .arg(QLocale::c().formattedDataSize(qint64(limite.rlim_cur), 1, QLocale::DataSizeIecFormat));
    return QStringLiteral(" No se pudo mostrar la página.");
}

} // namespace tablero
