#include "NavegarArchivo.h"

#include "platform/browser/WebBrowser.h"
#include "platform/ui/OperatorDialogs.h"
#include "platform/ui/Routine.h"
#include "report/ArchivoListado.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
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

QString ParteNoDisponible::Mensaje() const
{
    if (escribiendo)
        return QStringLiteral("La parte %1 del informe todavía se está escribiendo: espere a que termine el listado.")
            .arg(numero);
    return QStringLiteral("La parte %1 del informe no se escribió: el listado se canceló o falló antes de llegar a ella.")
        .arg(numero);
}

void PartesDelInforme::Comenzar(const QString& archivoInforme)
{
    archivo = archivoInforme;
    escribiendo = true;
    terminadas = 0;
    primeraMostrada = false;
}

bool PartesDelInforme::Terminada(int numero)
{
    terminadas = numero;
    if (numero == 1)
        primeraMostrada = true;
    return numero == 1;
}

std::optional<ParteNoDisponible> PartesDelInforme::Impedimento(const QString& URL) const
{
    if (archivo.isEmpty())
        return std::nullopt;
    const std::optional<int> numero = report::NumeroDeParte(archivo, URL);
    if (!numero)
        return std::nullopt;
    // While the writer is at it, the file of a part it has not finished holds only some of its rows.
    if (escribiendo && *numero > terminadas)
        return ParteNoDisponible{*numero, true};
    if (!QFile::exists(report::RutaDeParte(archivo, *numero)))
        return ParteNoDisponible{*numero, false};
    return std::nullopt;
}

void AvisarInformeNoMostrado()
{
    ui::dialogs().MsgBox(QStringLiteral("No se pudo mostrar el informe: el proceso que dibuja la página se cerró "
                                        "(por falta de memoria o por una falla). Vuelva a pedir el informe; si se "
                                        "repite, acote el período o los filtros."),
                         ui::vbInformation, QStringLiteral("Aviso al operador..."));
}

} // namespace tablero
