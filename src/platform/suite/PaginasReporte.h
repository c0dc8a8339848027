#pragma once
// A report's document laid out on its pages before it is shown, printed or saved, a few pages at a time so that
// a long report tells how far it got and can be stopped while it is laid out.
//
// A table of thousands of rows is laid out by the text engine in one go, however long it is. So the long table
// of a ContenidoReporte is laid out a slice of rows at a time: each slice is a document of its own, the table's
// header on top (and the part before the table on the first page), laid out on pages of the report's size; its
// full pages are kept, and the rows that fell on its last page start the next slice. The engine itself decides
// where a page ends, keeps rows whole and repeats the header, so the pages are those it would give the whole
// document. The page's margin is the only white around the text (the documents have none of their own) but for
// a band at the bottom, where each page carries its number at the right.
//
// Pages are laid out at the screen's 96 dots per inch in the report's letter and drawn scaled to whatever device
// they go to, the page numbers too, so that the preview, the printer and a saved PDF show the same pages.

#include "Reporte.h"

#include <QFont>
#include <QSizeF>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

class QPageLayout;
class QPagedPaintDevice;
class QPainter;
class QTextBlock;
class QTextDocument;

namespace suite {

class PaginasReporte {
public:
    // Lays the content out on A4 pages of the options (orientation and margins). `avance` is told the table's
    // rows placed on pages ("Armando las páginas") before the first slice and after each; when it asks to stop,
    // throws ErrorReporte(kMensajeReporteCancelado).
    PaginasReporte(const ContenidoReporte& contenido, const OpcionesDocumento& opciones, const AvanceReporte& avance = {});
    ~PaginasReporte();
    PaginasReporte(const PaginasReporte&) = delete;
    PaginasReporte& operator=(const PaginasReporte&) = delete;

    int Cantidad() const { return int(m_paginas.size()); }
    // The page size the pages were laid out on, in dots at 96 per inch.
    QSizeF Tamano() const { return m_tamano; }
    // Draws page `indice` (from 0) with its number, its top left corner at the painter's origin, in dots at 96 per
    // inch.
    void Dibujar(QPainter& pintor, int indice) const;
    // Draws every page on the device, one after another, scaled to its resolution and page; `avance` is told each
    // page drawn ("Preparando la vista previa"). False when it asked to stop (the device then holds the pages
    // drawn so far).
    bool Imprimir(QPagedPaintDevice& dispositivo, const AvanceReporte& avance = {}) const;
    // Every page's text, as a reader of the pages sees it, one page after another.
    QString Texto() const;
    // Every line of every page as the text engine laid it out: a text it wrapped is two lines or more.
    QStringList Renglones() const;

    // Stage names the progress is told.
    static const QString kEtapaPaginas;
    static const QString kEtapaDibujo;

private:
    struct Pagina {
        const QTextDocument* documento;
        int numero;   // the page of that document, from 0
    };

    // Each block of each page's text, page after page.
    void RecorrerBloques(const std::function<void(const QTextBlock&)>& visitar) const;
    // A new slice document holding `html`, laid out on the report's pages.
    QTextDocument* nuevo(const QString& html);

    QSizeF m_tamano;
    std::vector<std::unique_ptr<QTextDocument>> m_documentos;
    std::vector<Pagina> m_paginas;
};

// A report's page: A4 in the options' orientation, within their margins (read within 0..50 mm).
QPageLayout HojaDeReporte(const OpcionesDocumento& opciones);
// The letter reports are written in, and how wide a text is in it, in dots at 96 per inch.
QFont LetraReporte();
qreal AnchoEnReporte(const QString& texto, bool negrita = false);
// The width a report's page gives its text, in dots at 96 per inch.
qreal AnchoUtilReporte(const OpcionesDocumento& opciones);
// Lays a document out as a report's page does (its letter, no margin but the page-number band at the bottom, the
// page's size at 96 dots per inch).
void PrepararDocumento(QTextDocument& documento, const OpcionesDocumento& opciones, const QString& html);

// Writes the pages as a PDF file, replacing it only once the whole document is written. Throws ErrorReporte
// when the file cannot be written.
void EscribirPdf(const PaginasReporte& paginas, const QString& archivo, const QString& titulo,
                 const OpcionesDocumento& opciones);

} // namespace suite
