#pragma once
// A picture box that is drawn on with the members the program uses: Cls, Print at CurrentX/CurrentY,
// Line (plain, box or filled box) in a DrawMode, a user scale (ScaleWidth/ScaleHeight), TextWidth and
// TextHeight, and Refresh. The program draws its percentage bars on it (ModGlobal.DibujarProgreso).
//
// The drawing is kept (as with AutoRedraw) in a backing image. Drawing calls only note what to draw; the
// image is brought up to date when the box paints or when Imagen() is asked, and Refresh repaints at once
// only when the time budget allows (otherwise the box paints at the next turn of the event loop). So a
// bar redrawn for every row of a long loop costs little.
//
// Colours are BGR numbers (&HFF0000 is blue; &H8000000F the button face). Scale units are twips until
// ScaleWidth or ScaleHeight is set.

#include "platform/suite/base/PresupuestoTiempo.h"

#include <QImage>
#include <QList>
#include <QWidget>
#include <optional>

namespace suite {

class PictureBox : public QWidget {
    Q_OBJECT
public:
    enum DrawModes : int { vbInvert = 6, vbXorPen = 7, vbNotXorPen = 10, vbCopyPen = 13 };
    enum class Forma { Linea, Caja, CajaLlena };  // Line, Line ... B, Line ... BF

    explicit PictureBox(QWidget* parent = nullptr);

    bool AutoRedraw() const { return m_autoRedraw; }
    void setAutoRedraw(bool valor) { m_autoRedraw = valor; }
    qint32 BackColor() const { return m_backColor; }
    void setBackColor(qint32 bgr);
    qint32 ForeColor() const { return m_foreColor; }
    void setForeColor(qint32 bgr) { m_foreColor = bgr; }
    int DrawMode() const { return m_drawMode; }
    void setDrawMode(int modo) { m_drawMode = modo; }

    double ScaleWidth() const;
    void setScaleWidth(double valor);
    double ScaleHeight() const;
    void setScaleHeight(double valor);
    double CurrentX() const { return m_currentX; }
    void setCurrentX(double x) { m_currentX = x; }
    double CurrentY() const { return m_currentY; }
    void setCurrentY(double y) { m_currentY = y; }

    // Size of a text in the box's font, in scale units.
    double TextWidth(const QString& texto) const;
    double TextHeight(const QString& texto) const;

    // Clears the drawing to BackColor; CurrentX and CurrentY go back to 0.
    void Cls();
    // Writes the text in ForeColor with its top left corner at CurrentX, CurrentY; then moves to the
    // start of the next line.
    void Print(const QString& texto);
    // From (x1, y1) to (x2, y2) in scale units, in the colour given (ForeColor when left out), with the
    // DrawMode. A filled box covers the width between the two x values, so equal x values draw nothing.
    void Line(double x1, double y1, double x2, double y2, std::optional<qint32> color = std::nullopt,
              Forma forma = Forma::Linea);
    // Shows the drawing: at once when the time budget allows, else at the next paint.
    void Refresh();

    // What the box shows, with everything drawn so far.
    QImage Imagen();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Trazo {
        bool esTexto = false;
        QRectF rect;       // pixels: the text's top left corner, or the two ends of the line or box
        QString texto;
        QColor color;
        int drawMode = vbCopyPen;
        Forma forma = Forma::Linea;
        QFont font;
    };

    QPointF aPixeles(double x, double y) const;
    void Dibujar();

    bool m_autoRedraw = false;
    qint32 m_backColor;
    qint32 m_foreColor;
    int m_drawMode = vbCopyPen;
    std::optional<double> m_scaleWidth;
    std::optional<double> m_scaleHeight;
    double m_currentX = 0;
    double m_currentY = 0;
    QImage m_imagen;
    bool m_limpiar = true;
    QList<Trazo> m_pendientes;
    PresupuestoTiempo m_presupuesto;
};

} // namespace suite
