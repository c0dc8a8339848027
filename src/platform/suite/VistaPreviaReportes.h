#pragma once
// The report presentation on screen: a print preview inside the program, from which the operator prints the
// report or saves it as a PDF. It needs no program of the desktop, so it works wherever the program runs.

#include "PresentacionReportes.h"

#include <functional>
#include <memory>

class QPrintPreviewDialog;
class QWidget;

namespace suite {

// Object name of the preview's "Guardar como PDF" action.
inline constexpr char kAccionGuardarPdf[] = "GuardarComoPdf";

class VistaPreviaReportes final : public PresentacionReportes {
public:
    // With vistaPrevia, the preview window until the operator closes it; without, the print dialog and then
    // the printer.
    void Presentar(const DocumentoReporte& documento) override;
};

// The preview window of a document, not yet shown: its pages as they print, the preview's own print button,
// and "Guardar como PDF", which asks for a file name (in the document's folder) and writes the PDF there.
std::unique_ptr<QPrintPreviewDialog> CrearVistaPrevia(const DocumentoReporte& documento, QWidget* padre = nullptr);

// How "Guardar como PDF" asks for the file: a save dialog over the preview, starting at the proposed file;
// "" when the operator cancels. A test installs its own answer; nullptr puts the dialog back.
using PreguntaArchivoPdf = std::function<QString(QWidget* padre, const QString& propuesto)>;
void setPreguntaArchivoPdf(PreguntaArchivoPdf pregunta);

} // namespace suite
