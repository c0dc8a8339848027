#include "PictureBox.h"

#include "platform/ui/Units.h"

#include <QFontMetricsF>
#include <QPainter>

namespace suite {

namespace {

constexpr qint32 kButtonFace = qint32(0x8000000F);
constexpr qint32 kButtonText = qint32(0x80000012);
// Beyond this many pending strokes they are drawn into the image at once, so nothing piles up.
constexpr int kMaxPendientes = 256;

void aplicarModo(QPainter& p, int drawMode)
{
    switch (drawMode) {
    case PictureBox::vbInvert: p.setCompositionMode(QPainter::RasterOp_NotDestination); break;
    case PictureBox::vbXorPen: p.setCompositionMode(QPainter::RasterOp_SourceXorDestination); break;
    case PictureBox::vbNotXorPen: p.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination); break;
    default: p.setCompositionMode(QPainter::CompositionMode_SourceOver); break;
    }
}

} // namespace

PictureBox::PictureBox(QWidget* parent)
    : QWidget(parent)
    , m_backColor(kButtonFace)
    , m_foreColor(kButtonText)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::setBackColor(qint32 bgr)
{
    m_backColor = bgr;
    Cls();
    update();
}

double PictureBox::ScaleWidth() const
{
    return m_scaleWidth.value_or(ui::PxToTwips(width()));
}

void PictureBox::setScaleWidth(double valor)
{
    m_scaleWidth = valor;
}

double PictureBox::ScaleHeight() const
{
    return m_scaleHeight.value_or(ui::PxToTwips(height()));
}

void PictureBox::setScaleHeight(double valor)
{
    m_scaleHeight = valor;
}

double PictureBox::TextWidth(const QString& texto) const
{
    if (width() <= 0)
        return 0;
    return QFontMetricsF(font()).horizontalAdvance(texto) * ScaleWidth() / width();
}

double PictureBox::TextHeight(const QString& /*texto*/) const
{
    if (height() <= 0)
        return 0;
    return QFontMetricsF(font()).height() * ScaleHeight() / height();
}

QPointF PictureBox::aPixeles(double x, double y) const
{
    const double sw = ScaleWidth(), sh = ScaleHeight();
    return QPointF(sw != 0 ? x * width() / sw : 0, sh != 0 ? y * height() / sh : 0);
}

void PictureBox::Cls()
{
    m_pendientes.clear();
    m_limpiar = true;
    m_currentX = 0;
    m_currentY = 0;
}

void PictureBox::Print(const QString& texto)
{
    Trazo t;
    t.esTexto = true;
    t.rect = QRectF(aPixeles(m_currentX, m_currentY), QSizeF());
    t.texto = texto;
    t.color = ui::FromBgr(m_foreColor);
    t.font = font();
    m_pendientes.append(t);
    m_currentX = 0;
    m_currentY += TextHeight(texto);
    if (m_pendientes.size() > kMaxPendientes)
        Dibujar();
}

void PictureBox::Line(double x1, double y1, double x2, double y2, std::optional<qint32> color, Forma forma)
{
    Trazo t;
    t.rect = QRectF(aPixeles(x1, y1), aPixeles(x2, y2));
    t.color = ui::FromBgr(color.value_or(m_foreColor));
    t.drawMode = m_drawMode;
    t.forma = forma;
    m_pendientes.append(t);
    m_currentX = x2;
    m_currentY = y2;
    if (m_pendientes.size() > kMaxPendientes)
        Dibujar();
}

void PictureBox::Refresh()
{
    if (m_presupuesto.Vencido())
        repaint();
    else
        update();
}

QImage PictureBox::Imagen()
{
    Dibujar();
    return m_imagen;
}

void PictureBox::paintEvent(QPaintEvent*)
{
    Dibujar();
    QPainter p(this);
    p.drawImage(0, 0, m_imagen);
}

void PictureBox::Dibujar()
{
    const QSize tamano = size().expandedTo(QSize(1, 1));
    if (m_imagen.size() != tamano) {
        // A new size keeps what was drawn at its place.
        QImage nueva(tamano, QImage::Format_RGB32);
        nueva.fill(ui::FromBgr(m_backColor));
        if (!m_limpiar && !m_imagen.isNull()) {
            QPainter p(&nueva);
            p.drawImage(0, 0, m_imagen);
        }
        m_imagen = nueva;
    }
    if (m_limpiar) {
        m_imagen.fill(ui::FromBgr(m_backColor));
        m_limpiar = false;
    }
    if (m_pendientes.isEmpty())
        return;

    QPainter p(&m_imagen);
    for (const Trazo& t : std::as_const(m_pendientes)) {
        if (t.esTexto) {
            p.setCompositionMode(QPainter::CompositionMode_SourceOver);
            p.setFont(t.font);
            p.setPen(t.color);
            p.drawText(QPointF(t.rect.left(), t.rect.top() + QFontMetricsF(t.font).ascent()), t.texto);
            continue;
        }
        aplicarModo(p, t.drawMode);
        const QRectF caja = t.rect.normalized();
        switch (t.forma) {
        case Forma::CajaLlena:
            p.fillRect(caja, t.color);
            break;
        case Forma::Caja:
            p.setPen(t.color);
            p.setBrush(Qt::NoBrush);
            p.drawRect(caja);
            break;
        case Forma::Linea:
            p.setPen(t.color);
            p.drawLine(t.rect.topLeft(), t.rect.bottomRight());
            break;
        }
    }
    m_pendientes.clear();
}

} // namespace suite
