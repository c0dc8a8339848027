#pragma once
// Where a printed report goes. The program installs nothing and gets the print preview inside the program
// (VistaPreviaReportes.h); tests install ReportesRegistrados (ReportesRegistrados.h), which keeps every
// document it is handed instead of showing it, so no test ever waits on a window.

#include "Reporte.h"

#include <QString>
#include <memory>

namespace suite {

class EsperaReporte;
class PaginasReporte;

// One report as it is to be shown or printed.
struct DocumentoReporte {
    QString titulo;            // the report's name: window title, document name, PDF file name
    QString html;              // the document as rich text
    OpcionesDocumento opciones;
    bool vistaPrevia = true;   // false: straight to the printer, after the print dialog
    QString carpeta;           // folder offered when the operator saves it as a PDF
    // Its pages, laid out (PaginasReporte.h); none: they are laid out from the text when needed.
    std::shared_ptr<const PaginasReporte> paginas;
};

class PresentacionReportes {
public:
    virtual ~PresentacionReportes() = default;
    // Shows (or prints) the document; returns when the operator is done with it. The report's progress window
    // is still up: the presentation tells it what it still does before the document shows, and ends it
    // (EsperaReporte.h). Throws ErrorReporte(kMensajeReporteCancelado) when the operator stopped it there.
    virtual void Presentar(const DocumentoReporte& documento, EsperaReporte& espera) = 0;
};

// The installed presentation; the print preview until another is installed.
PresentacionReportes& presentacionReportes();
// Installs a presentation (not owned); nullptr restores the print preview.
void instalarPresentacionReportes(PresentacionReportes* presentacion);

} // namespace suite
