// A report's pages, laid out a slice of the long table at a time.

#include "PaginasReporte.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QDir>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextTable>
#include <cmath>

namespace suite {

namespace {

constexpr qreal kPuntos = 96;
// The report's letter, in points.
constexpr int kPuntosLetra = 9;
// Rows of the first slice; later slices take about five pages of rows, as the earlier ones measured them.
constexpr qsizetype kFilasPrimerTramo = 64;
constexpr qsizetype kPaginasPorTramo = 5;

// What the pages are measured with: a device of 96 dots per inch, whatever the screen.
QPaintDevice& medida()
{
    static QImage imagen = [] {
        QImage i(1, 1, QImage::Format_RGB32);
        i.setDotsPerMeterX(qRound(kPuntos / 0.0254));
        i.setDotsPerMeterY(qRound(kPuntos / 0.0254));
        return i;
    }();
    return imagen;
}

// The band at the bottom of each page that holds its number: two lines of the letter.
qreal altoPie()
{
    return 2 * QFontMetricsF(LetraReporte(), &medida()).lineSpacing();
}

// The top-level tables of a document, in order.
QList<QTextTable*> tablas(const QTextDocument& documento)
{
    QList<QTextTable*> t;
    for (QTextFrame* f : documento.rootFrame()->childFrames())
        if (auto* tabla = qobject_cast<QTextTable*>(f))
            t << tabla;
    return t;
}

// Where a table row starts and ends on the document's pages (one long strip of pages).
struct Alto {
    qreal arriba;
    qreal abajo;
};

Alto altoDeFila(const QTextDocument& documento, QTextTable& tabla, int fila)
{
    QAbstractTextDocumentLayout* diseno = documento.documentLayout();
    Alto a{std::numeric_limits<qreal>::max(), 0};
    for (int c = 0; c < tabla.columns(); ++c) {
        const QTextTableCell celda = tabla.cellAt(fila, c);
        a.arriba = std::min(a.arriba, diseno->blockBoundingRect(celda.firstCursorPosition().block()).top());
        a.abajo = std::max(a.abajo, diseno->blockBoundingRect(celda.lastCursorPosition().block()).bottom());
    }
    return a;
}

void prepararEnTamano(QTextDocument& documento, const QSizeF& tamano, const QString& html)
{
    documento.documentLayout()->setPaintDevice(&medida());
    documento.setDefaultFont(LetraReporte());
    documento.setPageSize(tamano);
    documento.setHtml(html);
    // The page's margin is the report's white: the document adds none but the band for the page's number.
    QTextFrameFormat marco = documento.rootFrame()->frameFormat();
    marco.setMargin(0);
    marco.setBottomMargin(altoPie());
    documento.rootFrame()->setFrameFormat(marco);
}

} // namespace

const QString PaginasReporte::kEtapaPaginas = QStringLiteral("Armando las páginas");
const QString PaginasReporte::kEtapaDibujo = QStringLiteral("Preparando la vista previa");

PaginasReporte::PaginasReporte(const ContenidoReporte& contenido, const OpcionesDocumento& opciones,
                               const AvanceReporte& avance)
{
    m_tamano = HojaDeReporte(opciones).paintRectPixels(int(kPuntos)).size();
    const qreal alto = m_tamano.height();
    const auto agregar = [this](const QTextDocument* d, int paginas) {
        for (int p = 0; p < paginas; ++p)
            m_paginas.push_back({d, p});
    };
    if (!contenido.TieneTabla()) {
        const QTextDocument* d = nuevo(contenido.Html());
        agregar(d, d->pageCount());
        return;
    }

    const qsizetype total = contenido.filas.size();
    const auto seguir = [&](qsizetype hechas) {
        if (avance && avance(kEtapaPaginas, hechas, total))
            throw ErrorReporte(kMensajeReporteCancelado);
    };
    // Tables of the part before the long table: the long table comes after them in the first slice.
    const qsizetype tablasAntes = [&] {
        QTextDocument d;
        d.setHtml(contenido.inicio);
        return tablas(d).size();
    }();
    const auto armar = [&](bool primero, qsizetype desde, qsizetype cantidad) {
        QString html = primero ? contenido.inicio : QString();
        html += contenido.tabla + contenido.encabezado;
        for (qsizetype i = desde; i < desde + cantidad; ++i)
            html += contenido.filas.at(i);
        html += QStringLiteral("</table>");
        if (desde + cantidad == total)
            html += contenido.fin;
        return nuevo(html);
    };

    qsizetype desde = 0;
    qsizetype porTramo = kFilasPrimerTramo;
    bool primero = true;
    seguir(0);
    while (desde < total || primero) {
        const qsizetype cantidad = std::min(porTramo, total - desde);
        QTextDocument* d = armar(primero, desde, cantidad);
        const int paginas = d->pageCount();
        if (desde + cantidad == total) {
            agregar(d, paginas);
            seguir(total);
            break;
        }
        if (paginas < 2) {
            // All of it on one page: a slice needs more rows than that.
            m_documentos.pop_back();
            porTramo *= 2;
            continue;
        }
        // The pages kept are those before the slice's last one, and before the page where the first row not
        // kept starts: a row the engine splits over two pages there starts the next slice whole, instead of
        // showing its top here. The rows kept are those that end on the pages kept.
        QTextTable* tabla = tablas(*d).value(primero ? tablasAntes : 0);
        const int encabezado = tabla ? tabla->format().headerRowCount() : 0;
        int guardadas = paginas - 1;
        qsizetype enteras = 0;
        for (;;) {
            while (tabla && enteras < cantidad && altoDeFila(*d, *tabla, encabezado + int(enteras)).abajo <= guardadas * alto)
                ++enteras;
            const int empieza = tabla && enteras < cantidad
                                    ? int(altoDeFila(*d, *tabla, encabezado + int(enteras)).arriba / alto)
                                    : guardadas;
            if (empieza >= guardadas)
                break;
            guardadas = empieza;
            enteras = 0;
        }
        if (guardadas > 0 && (enteras > 0 || primero)) {
            // With no row kept, the pages hold the part before the table alone.
            agregar(d, guardadas);
            if (enteras > 0)
                porTramo = std::max<qsizetype>(1, enteras * kPaginasPorTramo / guardadas);
        } else {
            // A row taller than a page: it goes alone, over as many pages as it takes.
            m_documentos.pop_back();
            d = armar(primero, desde, 1);
            agregar(d, d->pageCount());
            enteras = 1;
        }
        desde += enteras;
        primero = false;
        seguir(desde);
    }
}

PaginasReporte::~PaginasReporte() = default;

QTextDocument* PaginasReporte::nuevo(const QString& html)
{
    auto d = std::make_unique<QTextDocument>();
    prepararEnTamano(*d, m_tamano, html);
    m_documentos.push_back(std::move(d));
    return m_documentos.back().get();
}

void PaginasReporte::Dibujar(QPainter& pintor, int indice) const
{
    const Pagina& pagina = m_paginas.at(size_t(indice));
    const QRectF vista(0, pagina.numero * m_tamano.height(), m_tamano.width(), m_tamano.height());
    pintor.save();
    pintor.translate(0, -vista.top());
    pintor.setClipRect(vista);
    QAbstractTextDocumentLayout::PaintContext contexto;
    contexto.clip = vista;
    // Black text whatever the system's colours: it goes on white paper.
    contexto.palette.setColor(QPalette::Text, Qt::black);
    pagina.documento->documentLayout()->draw(&pintor, contexto);
    // The page's number at the bottom right, in its band. The letter's size is given in dots, as the pages are
    // laid out: a size in points would be taken at the device's own resolution and then scaled once more.
    pintor.setClipping(false);
    QFont letra = LetraReporte();
    letra.setPixelSize(qRound(kPuntosLetra * kPuntos / 72));
    const QFontMetricsF medidas(letra, &medida());
    const QString numero = QString::number(indice + 1);
    pintor.setFont(letra);
    pintor.setPen(Qt::black);
    pintor.drawText(QPointF(m_tamano.width() - medidas.horizontalAdvance(numero),
                            vista.top() + m_tamano.height() - altoPie() + medidas.lineSpacing() + medidas.ascent()),
                    numero);
    pintor.restore();
}

bool PaginasReporte::Imprimir(QPagedPaintDevice& dispositivo, const AvanceReporte& avance) const
{
    QPainter pintor(&dispositivo);
    if (!pintor.isActive())
        throw ErrorReporte(QStringLiteral("No se puede imprimir el reporte."));
    // From 96 dots per inch to the device's, then to its page, as the text engine prints a paged document.
    const qreal x = dispositivo.logicalDpiX() / kPuntos;
    const qreal y = dispositivo.logicalDpiY() / kPuntos;
    pintor.scale(x, y);
    pintor.scale(dispositivo.width() / (m_tamano.width() * x), dispositivo.height() / (m_tamano.height() * y));
    const qint64 total = Cantidad();
    if (avance && avance(kEtapaDibujo, 0, total))
        return false;
    for (int i = 0; i < Cantidad(); ++i) {
        if (i > 0)
            dispositivo.newPage();
        Dibujar(pintor, i);
        if (avance && avance(kEtapaDibujo, i + 1, total))
            return false;
    }
    return true;
}

QPageLayout HojaDeReporte(const OpcionesDocumento& opciones)
{
    // Wider margins than this would leave no room on an A4 page.
    const qreal margen = qBound(0, opciones.margenMm, 50);
    return QPageLayout(QPageSize(QPageSize::A4), opciones.apaisado ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(margen, margen, margen, margen), QPageLayout::Millimeter);
}

QFont LetraReporte()
{
    QFont letra = QGuiApplication::font();
    letra.setPointSize(kPuntosLetra);
    return letra;
}

qreal AnchoEnReporte(const QString& texto, bool negrita)
{
    QFont letra = LetraReporte();
    letra.setBold(negrita);
    return QFontMetricsF(letra, &medida()).horizontalAdvance(texto);
}

qreal AnchoUtilReporte(const OpcionesDocumento& opciones)
{
    return HojaDeReporte(opciones).paintRectPixels(int(kPuntos)).width();
}

void PrepararDocumento(QTextDocument& documento, const OpcionesDocumento& opciones, const QString& html)
{
    prepararEnTamano(documento, HojaDeReporte(opciones).paintRectPixels(int(kPuntos)).size(), html);
}

void PaginasReporte::RecorrerBloques(const std::function<void(const QTextBlock&)>& visitar) const
{
    for (const Pagina& pagina : m_paginas) {
        QAbstractTextDocumentLayout* diseno = pagina.documento->documentLayout();
        for (QTextBlock b = pagina.documento->begin(); b.isValid(); b = b.next())
            if (int(std::floor(diseno->blockBoundingRect(b).top() / m_tamano.height())) == pagina.numero)
                visitar(b);
    }
}

QString PaginasReporte::Texto() const
{
    QStringList lineas;
    RecorrerBloques([&](const QTextBlock& b) { lineas << b.text(); });
    return lineas.join(QLatin1Char('\n'));
}

QStringList PaginasReporte::Renglones() const
{
    QStringList renglones;
    RecorrerBloques([&](const QTextBlock& b) {
        const QTextLayout* disposicion = b.layout();
        for (int i = 0; i < disposicion->lineCount(); ++i) {
            const QTextLine linea = disposicion->lineAt(i);
            renglones << b.text().mid(linea.textStart(), linea.textLength()).trimmed();
        }
    });
    return renglones;
}

void EscribirPdf(const PaginasReporte& paginas, const QString& archivo, const QString& titulo,
                 const OpcionesDocumento& opciones)
{
    QSaveFile salida(archivo);
    if (!salida.open(QIODevice::WriteOnly))
        throw ErrorReporte(QStringLiteral("No se puede escribir el archivo %1:\n%2")
                               .arg(QDir::toNativeSeparators(archivo), salida.errorString()));
    {
        QPdfWriter pdf(&salida);
        pdf.setTitle(titulo);
        pdf.setCreator(QCoreApplication::applicationName());
        pdf.setPageLayout(HojaDeReporte(opciones));
        paginas.Imprimir(pdf);
    }
    if (!salida.commit())
        throw ErrorReporte(QStringLiteral("No se puede escribir el archivo %1:\n%2")
                               .arg(QDir::toNativeSeparators(archivo), salida.errorString()));
}

} // namespace suite
