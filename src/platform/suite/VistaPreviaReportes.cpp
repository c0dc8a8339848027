#include "VistaPreviaReportes.h"

#include "platform/ui/OperatorDialogs.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextDocument>
#include <QStyle>
#include <QToolBar>

namespace suite {

namespace {

void prepararImpresora(QPrinter& impresora, const DocumentoReporte& documento)
{
    impresora.setDocName(documento.titulo);
    // Wider margins than this would leave no room on an A4 page.
    const qreal margen = qBound(0, documento.opciones.margenMm, 50);
    impresora.setPageLayout(QPageLayout(QPageSize(QPageSize::A4),
                                        documento.opciones.apaisado ? QPageLayout::Landscape : QPageLayout::Portrait,
                                        QMarginsF(margen, margen, margen, margen), QPageLayout::Millimeter));
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

void guardarComoPdf(const DocumentoReporte& documento, QWidget* padre)
{
    const QString propuesto = QDir(documento.carpeta).filePath(documento.titulo + QStringLiteral(".pdf"));
    QString archivo = preguntarArchivo(padre, propuesto);
    if (archivo.isEmpty())
        return;
    if (!archivo.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        archivo += QStringLiteral(".pdf");
    try {
        EscribirPdf(documento.html, archivo, documento.titulo, documento.opciones);
    } catch (const ErrorReporte& e) {
        ui::dialogs().MsgBox(e.mensaje(), ui::vbCritical, documento.titulo);
    }
}

} // namespace

void setPreguntaArchivoPdf(PreguntaArchivoPdf pregunta)
{
    preguntaInstalada() = std::move(pregunta);
}

std::unique_ptr<QPrintPreviewDialog> CrearVistaPrevia(const DocumentoReporte& documento, QWidget* padre)
{
    auto vista = std::make_unique<QPrintPreviewDialog>(padre);
    vista->setWindowTitle(documento.titulo);
    prepararImpresora(*vista->printer(), documento);
    // The document lives as long as the window that paints it.
    auto* texto = new QTextDocument(vista.get());
    texto->setHtml(documento.html);
    QObject::connect(vista.get(), &QPrintPreviewDialog::paintRequested, texto,
                     [texto](QPrinter* impresora) { texto->print(impresora); });

    QPrintPreviewDialog* ventana = vista.get();
    auto* guardar = new QAction(QStringLiteral("Guardar como PDF"), ventana);
    guardar->setObjectName(QLatin1String(kAccionGuardarPdf));
    guardar->setToolTip(QStringLiteral("Guardar como PDF"));
    guardar->setIcon(ventana->style()->standardIcon(QStyle::SP_DialogSaveButton));
    QObject::connect(guardar, &QAction::triggered, ventana,
                     [documento, ventana] { guardarComoPdf(documento, ventana); });
    if (auto* barra = ventana->findChild<QToolBar*>())
        barra->addAction(guardar);
    else
        ventana->addAction(guardar);
    return vista;
}

void VistaPreviaReportes::Presentar(const DocumentoReporte& documento)
{
    QWidget* padre = QApplication::activeWindow();
    if (documento.vistaPrevia) {
        const auto vista = CrearVistaPrevia(documento, padre);
        vista->resize(1000, 750);
        vista->exec();
        return;
    }
    QPrinter impresora(QPrinter::HighResolution);
    prepararImpresora(impresora, documento);
    QPrintDialog dialogo(&impresora, padre);
    if (dialogo.exec() != QDialog::Accepted)
        return;
    QTextDocument texto;
    texto.setHtml(documento.html);
    texto.print(&impresora);
}

} // namespace suite
