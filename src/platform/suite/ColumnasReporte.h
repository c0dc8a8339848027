#pragma once
// A report's long table with its columns sized to their content. The pages are laid out a slice of rows at a
// time (PaginasReporte.h) and every page must show the same columns, so the widths are measured on every row
// first and written into the table's header. A column whose texts must not wrap (dates, codes, amounts) is as
// wide as its widest text; the columns that may wrap share what is left of the page's width, each as much as its
// widest text asks while there is room.
//
//     ColumnasReporte columnas({{"Fecha", false}, {"Concepto", true}, {"Importe", false, true}});
//     for (...) contenido.filas << columnas.Fila({fecha, concepto, importe});   // measured as they are written
//     contenido.tabla = columnas.Tabla();
//     contenido.encabezado = columnas.Encabezado(opciones);                    // once every row is in

#include "Reporte.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace suite {

class ColumnasReporte {
public:
    struct Columna {
        QString titulo;
        bool ajustable = false;   // its texts may wrap over several lines
        bool derecha = false;     // aligned right (amounts)
    };

    explicit ColumnasReporte(QList<Columna> columnas);

    // The widths in dots at 96 per inch that the columns take on a page of these options, cell padding included.
    QList<int> Anchos(const OpcionesDocumento& opciones) const;
    // The table's opening tag.
    static QString Tabla();
    // The header row with the columns' widths.
    QString Encabezado(const OpcionesDocumento& opciones) const;
    // A row of texts (escaped here), taken into the measure; `negrita` for a total's row. A text may span several
    // columns: `tramos` gives how many columns each text takes (empty: one each); such a text may wrap.
    QString Fila(const QStringList& textos, bool negrita = false, const QList<int>& tramos = {});

    // Space around a cell's text, in dots.
    static constexpr int kRelleno = 3;

private:
    QList<Columna> m_columnas;
    QList<qreal> m_anchos;   // the widest text of each column
};

} // namespace suite
