// Sizing a report table's columns to their texts.

#include "ColumnasReporte.h"

#include "PaginasReporte.h"

#include <algorithm>
#include <cmath>

namespace suite {

namespace {

// Room a column's widest text is given beyond its measure, so that the engine's rounding never wraps it.
constexpr int kHolgura = 3;
// What a column takes beyond its text: the padding on both sides and the cell's border on both. The width a
// table's header gives a column holds its padding but not its border.
constexpr int kBordeCelda = 2;
constexpr int kBordesCelda = 2 * ColumnasReporte::kRelleno + kBordeCelda;

} // namespace

ColumnasReporte::ColumnasReporte(QList<Columna> columnas)
    : m_columnas(std::move(columnas))
{
    for (const Columna& c : m_columnas)
        m_anchos << AnchoEnReporte(c.titulo, true);
}

QList<int> ColumnasReporte::Anchos(const OpcionesDocumento& opciones) const
{
    // The table's own border on both sides and a dot to spare for rounding.
    const int disponible = int(AnchoUtilReporte(opciones)) - 2 * 2 - 1;
    QList<int> anchos;
    int fijos = 0;
    qreal pedidoAjustables = 0;
    for (qsizetype i = 0; i < m_columnas.size(); ++i) {
        const int natural = int(std::ceil(m_anchos.at(i))) + kHolgura + kBordesCelda;
        anchos << natural;
        if (m_columnas.at(i).ajustable)
            pedidoAjustables += natural;
        else
            fijos += natural;
    }
    if (pedidoAjustables == 0)
        return anchos;
    // What is left goes to the columns that may wrap, in proportion to what their texts ask: all they ask when
    // there is room, and the rest of the page too, so that the table fills the page's width.
    const int resto = std::max(0, disponible - fijos);
    int repartido = 0;
    qsizetype ultima = -1;
    for (qsizetype i = 0; i < m_columnas.size(); ++i) {
        if (!m_columnas.at(i).ajustable)
            continue;
        anchos[i] = std::max(kBordesCelda + 1, int(resto * (anchos.at(i) / pedidoAjustables)));
        repartido += anchos.at(i);
        ultima = i;
    }
    anchos[ultima] += std::max(0, resto - repartido);
    return anchos;
}

QString ColumnasReporte::Tabla()
{
    return QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"%1\">").arg(kRelleno);
}

QString ColumnasReporte::Encabezado(const OpcionesDocumento& opciones) const
{
    const QList<int> anchos = Anchos(opciones);
    QString html = QStringLiteral("<thead><tr>");
    for (qsizetype i = 0; i < m_columnas.size(); ++i)
        html += QStringLiteral("<th width=\"%1\">%2</th>")
                    .arg(anchos.at(i) - kBordeCelda)
                    .arg(m_columnas.at(i).titulo.toHtmlEscaped());
    return html + QStringLiteral("</tr></thead>");
}

QString ColumnasReporte::Fila(const QStringList& textos, bool negrita, const QList<int>& tramos)
{
    QString html = QStringLiteral("<tr>");
    qsizetype columna = 0;
    for (qsizetype i = 0; i < textos.size() && columna < m_columnas.size(); ++i) {
        const int tramo = std::max(1, tramos.value(i, 1));
        const Columna& c = m_columnas.at(columna);
        const QString limpio = textos.at(i).trimmed();
        if (tramo == 1)
            m_anchos[columna] = std::max(m_anchos.at(columna), AnchoEnReporte(limpio, negrita));
        QString texto = limpio.toHtmlEscaped();
        if (negrita && !texto.isEmpty())
            texto = QStringLiteral("<b>") + texto + QStringLiteral("</b>");
        // No cell needs more than its column's width to stay on one line, so the rows carry nothing but their text.
        html += QStringLiteral("<td%1%2>%3</td>")
                    .arg(tramo > 1 ? QStringLiteral(" colspan=\"%1\"").arg(tramo) : QString(),
                         c.derecha ? QStringLiteral(" align=\"right\"") : QString(), texto);
        columna += tramo;
    }
    return html + QStringLiteral("</tr>");
}

} // namespace suite
