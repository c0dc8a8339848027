#include "NavegarArchivo.h"

#include "platform/browser/WebBrowser.h"
#include "platform/ui/OperatorDialogs.h"
#include "platform/ui/Routine.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

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

} // namespace tablero
