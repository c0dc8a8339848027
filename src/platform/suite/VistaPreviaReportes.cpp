#include "VistaPreviaReportes.h"

#include "EsperaReporte.h"
#include "PaginasReporte.h"

#include "platform/ui/OperatorDialogs.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStyle>
#include <QToolBar>
#include <utility>

namespace suite {

namespace {

constexpr char kCancelada[] = "conc_cancelada";

void prepararImpresora(QPrinter& impresora, const DocumentoReporte& documento)
{
    impresora.setDocName(documento.titulo);
    impresora.setPageLayout(HojaDeReporte(documento.opciones));
}

// The document's pages: laid out already, or now from its text.
std::shared_ptr<const PaginasReporte> paginasDe(const DocumentoReporte& documento)
{
    return documento.paginas ? documento.paginas
                             : std::make_shared<const PaginasReporte>(documento.html, documento.opciones);
}

PreguntaArchivoPdf& preguntaInstalada()
{
    static PreguntaArchivoPdf pregunta;
    return pregunta;
}

QString preguntarArchivo(QWidget* padre, const QString& propuesto)
{
    if (preguntaInstalada())
        return preguntaInstalada()(padre, propuesto);
    return QFileDialog::getSaveFileName(padre, QStringLiteral("Guardar como PDF"), propuesto,
                                        QStringLiteral("Documentos PDF (*.pdf)"));
}

void guardarComoPdf(const DocumentoReporte& documento, const PaginasReporte& paginas, QWidget* padre)
{
    const QString propuesto = QDir(documento.carpeta).filePath(documento.titulo + QStringLiteral(".pdf"));
    QString archivo = preguntarArchivo(padre, propuesto);
    if (archivo.isEmpty())
        return;
    if (!archivo.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        archivo += QStringLiteral(".pdf");
    try {
        EscribirPdf(paginas, archivo, documento.titulo, documento.opciones);
    } catch (const ErrorReporte& e) {
        ui::dialogs().MsgBox(e.mensaje(), ui::vbCritical, documento.titulo);
    }
}

} // namespace

void setPreguntaArchivoPdf(PreguntaArchivoPdf pregunta)
{
    preguntaInstalada() = std::move(pregunta);
}

std::unique_ptr<QPrintPreviewDialog> CrearVistaPrevia(const DocumentoReporte& documento, QWidget* padre,
                                                      EsperaReporte* espera)
{
    auto vista = std::make_unique<QPrintPreviewDialog>(padre);
    vista->setWindowTitle(documento.titulo);
    prepararImpresora(*vista->printer(), documento);
    // The pages live as long as the window that draws them.
    const std::shared_ptr<const PaginasReporte> paginas = paginasDe(documento);
    QPrintPreviewDialog* dialogo = vista.get();
    // Only the first drawing, before the window shows, is part of the report's wait; later ones (the operator
    // changing the page's setup there) are not.
    auto enEspera = std::make_shared<EsperaReporte*>(espera);
    const auto dibujar = [paginas, dialogo, enEspera](QPrinter* impresora) {
        EsperaReporte* espera = std::exchange(*enEspera, nullptr);
        const bool dibujadas = paginas->Imprimir(*impresora, espera ? espera->Avance() : AvanceReporte());
        if (!espera)
            return;
        espera->Terminar();
        if (dibujadas)
            return;
        // Stopped: the window is about to show; it is closed unseen.
        dialogo->setProperty(kCancelada, true);
        dialogo->setAttribute(Qt::WA_DontShowOnScreen);
        QMetaObject::invokeMethod(dialogo, &QDialog::reject, Qt::QueuedConnection);
    };
    QObject::connect(dialogo, &QPrintPreviewDialog::paintRequested, dialogo, dibujar);

    auto* guardar = new QAction(QStringLiteral("Guardar como PDF"), dialogo);
    guardar->setObjectName(QLatin1String(kAccionGuardarPdf));
    guardar->setToolTip(QStringLiteral("Guardar como PDF"));
    guardar->setIcon(dialogo->style()->standardIcon(QStyle::SP_DialogSaveButton));
    QObject::connect(guardar, &QAction::triggered, dialogo,
                     [documento, paginas, dialogo] { guardarComoPdf(documento, *paginas, dialogo); });
    if (auto* barra = dialogo->findChild<QToolBar*>())
        barra->addAction(guardar);
    else
        dialogo->addAction(guardar);
    return vista;
}

bool Cancelada(const QPrintPreviewDialog& vista)
{
    return vista.property(kCancelada).toBool();
}

void VistaPreviaReportes::Presentar(const DocumentoReporte& documento, EsperaReporte& espera)
{
    // Over the window the operator worked in, not over the progress window.
    QWidget* padre = espera.VentanaDelOperador();
    if (documento.vistaPrevia) {
        const auto vista = CrearVistaPrevia(documento, padre, &espera);
        vista->resize(1000, 750);
        vista->exec();
        if (Cancelada(*vista))
            throw ErrorReporte(kMensajeReporteCancelado);
        return;
    }
    espera.Terminar();
    QPrinter impresora(QPrinter::HighResolution);
    prepararImpresora(impresora, documento);
    QPrintDialog dialogo(&impresora, padre);
    if (dialogo.exec() != QDialog::Accepted)
        return;
    paginasDe(documento)->Imprimir(impresora);
}

} // namespace suite
