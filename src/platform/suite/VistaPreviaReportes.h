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
    // With vistaPrevia, the preview window until the operator closes it: its pages are drawn for it under the
    // report's progress window, which closes once they are, and a cancel there leaves the preview unshown.
    // Without vistaPrevia, the print dialog and then the printer.
    void Presentar(const DocumentoReporte& documento, EsperaReporte& espera) override;
};

// The preview window of a document, not yet shown: its pages as they print, the preview's own print button,
// and "Guardar como PDF", which asks for a file name (in the document's folder) and writes the PDF there.
// With `espera` (which must outlive that drawing), the first drawing of the pages, which comes as the window is
// about to show, is told to it and ends it; its cancel leaves the window unshown and closes it (Cancelada).
std::unique_ptr<QPrintPreviewDialog> CrearVistaPrevia(const DocumentoReporte& documento, QWidget* padre = nullptr,
                                                      EsperaReporte* espera = nullptr);
// True when the drawing of the preview's pages was cancelled.
bool Cancelada(const QPrintPreviewDialog& vista);

// How "Guardar como PDF" asks for the file: a save dialog over the preview, starting at the proposed file;
// "" when the operator cancels. A test installs its own answer; nullptr puts the dialog back.
using PreguntaArchivoPdf = std::function<QString(QWidget* padre, const QString& propuesto)>;
void setPreguntaArchivoPdf(PreguntaArchivoPdf pregunta);

} // namespace suite
