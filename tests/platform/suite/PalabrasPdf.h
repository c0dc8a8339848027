#pragma once
// The words of a PDF file's pages and where they stand, as pdftotext (poppler-utils) reads them: what a person
// sees on the pages, for the tests of printed reports.

#include <QList>
#include <QProcess>
#include <QRectF>
#include <QSizeF>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>

// A word of a PDF page and its box, in points from the page's top left corner.
struct PalabraPdf {
    QString texto;
    QRectF caja;
};

// The words of every page of a PDF file, as pdftotext places them; none without pdftotext.
inline QList<QList<PalabraPdf>> palabrasDelPdf(const QString& archivo)
{
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        return {};
    QProcess p;
    p.start(pdftotext, {QStringLiteral("-bbox"), archivo, QStringLiteral("-")});
    p.waitForFinished();
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    QList<QList<PalabraPdf>> paginas;
    static const QRegularExpression marca(QStringLiteral(
        "<page |<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    for (const QRegularExpressionMatch& m : marca.globalMatch(html)) {
        if (m.captured(0).startsWith(QLatin1String("<page"))) {
            paginas.append(QList<PalabraPdf>());
            continue;
        }
        const QPointF a(m.captured(1).toDouble(), m.captured(2).toDouble());
        const QPointF b(m.captured(3).toDouble(), m.captured(4).toDouble());
        if (!paginas.isEmpty())
            paginas.last().append({m.captured(5), QRectF(a, b)});
    }
    return paginas;
}

inline bool HayLectorDePdf()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

inline qreal PuntosDeMm(qreal mm)
{
    return mm / 25.4 * 72;
}

// An A4 landscape page in points.
inline const QSizeF kA4Apaisado(PuntosDeMm(297), PuntosDeMm(210));

// The first word of the page that stands out of the page's side margins (`margenMm` at the left and the
// right), with its box; empty when every word is within them. Only the sides: the lines of a table row that the
// page before began are in the file above the page's top margin, where the page clips them, unseen.
inline QString FueraDelMargen(const QList<PalabraPdf>& palabras, const QSizeF& hoja, qreal margenMm)
{
    const qreal izquierda = PuntosDeMm(margenMm) - 1;
    const qreal derecha = hoja.width() - PuntosDeMm(margenMm) + 1;
    for (const PalabraPdf& w : palabras)
        if (w.caja.left() < izquierda || w.caja.right() > derecha)
            return QStringLiteral("%1 from %2 to %3, out of %4 to %5")
                .arg(w.texto)
                .arg(w.caja.left())
                .arg(w.caja.right())
                .arg(izquierda)
                .arg(derecha);
    return {};
}
