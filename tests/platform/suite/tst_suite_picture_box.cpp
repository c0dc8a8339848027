// The picture box as the percentage bar draws on it: centred text, a filled box in not-XOR mode, clearing.
#include "platform/suite/PictureBox.h"

#include <QTest>

using suite::PictureBox;

namespace {

constexpr qint32 kAzul = 0xFF0000;   // BGR
constexpr qint32 kBlanco = 0xFFFFFF;

// The bar as the program draws it: clear, scale 0..100, not-XOR pen, centred text, filled box.
void dibujarBarra(PictureBox& caja, double porcentaje, const QString& texto)
{
    caja.setAutoRedraw(true);
    caja.Cls();
    caja.setScaleWidth(100);
    caja.setDrawMode(PictureBox::vbNotXorPen);
    caja.setCurrentX(50 - caja.TextWidth(texto) / 2);
    caja.setCurrentY((caja.ScaleHeight() - caja.TextHeight(texto)) / 2);
    caja.Print(texto);
    caja.Line(0, 0, porcentaje, caja.ScaleHeight(), kAzul, PictureBox::Forma::CajaLlena);
    caja.Refresh();
}

bool esAmarillento(QRgb c)
{
    return qRed(c) > 150 && qGreen(c) > 150 && qBlue(c) < 100;
}

bool esOscuro(QRgb c)
{
    return qRed(c) < 100 && qGreen(c) < 100 && qBlue(c) < 100;
}

int contar(const QImage& img, int x0, int x1, bool (*cumple)(QRgb))
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = x0; x < x1; ++x)
            n += cumple(img.pixel(x, y)) ? 1 : 0;
    return n;
}

} // namespace

class TstPictureBox : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_caja = std::make_unique<PictureBox>();
        m_caja->resize(200, 24);
        m_caja->setBackColor(kBlanco);
        m_caja->setForeColor(0);
        m_caja->show();
    }

    void laBarraCubreElPorcentaje()
    {
        dibujarBarra(*m_caja, 50, "50%");
        const QImage img = m_caja->Imagen();
        QCOMPARE(img.size(), QSize(200, 24));
        QCOMPARE(img.pixel(5, 0), qRgb(0, 0, 255));      // white under the bar turns blue
        QCOMPARE(img.pixel(98, 23), qRgb(0, 0, 255));
        QCOMPARE(img.pixel(102, 0), qRgb(255, 255, 255));
        QCOMPARE(img.pixel(195, 23), qRgb(255, 255, 255));
    }

    void elTextoCentradoQuedaLegibleBajoLaBarra()
    {
        const QString texto = "50%";
        dibujarBarra(*m_caja, 50, texto);
        const QImage img = m_caja->Imagen();
        // The text straddles the middle: black text under the blue bar reads yellow, the rest stays dark.
        QVERIFY(contar(img, 0, 100, esAmarillento) > 0);
        QVERIFY(contar(img, 100, 200, esOscuro) > 0);
        const int mitadTexto = int(m_caja->TextWidth(texto) * 200 / 100 / 2) + 2;
        QCOMPARE(contar(img, 0, 100 - mitadTexto, esAmarillento), 0);
        QCOMPARE(contar(img, 100 + mitadTexto, 200, esOscuro), 0);
    }

    void ceroNoPintaBarra()
    {
        dibujarBarra(*m_caja, 0, " %");
        const QImage img = m_caja->Imagen();
        QCOMPARE(contar(img, 0, 200, [](QRgb c) { return c == qRgb(0, 0, 255); }), 0);
        QVERIFY(contar(img, 0, 200, esOscuro) > 0);
    }

    void cadaDibujoEmpiezaLimpio()
    {
        dibujarBarra(*m_caja, 80, "80%");
        dibujarBarra(*m_caja, 20, "20%");
        const QImage img = m_caja->Imagen();
        QCOMPARE(img.pixel(60, 0), qRgb(255, 255, 255));   // the 80% bar is gone
        QCOMPARE(img.pixel(10, 0), qRgb(0, 0, 255));
    }

    // Drawing over the bar again without clearing inverts it back, however many strokes wait to be painted.
    void dibujarSinLimpiarInvierteCadaVez_data()
    {
        QTest::addColumn<int>("veces");
        QTest::addColumn<QRgb>("color");
        QTest::newRow("once") << 1 << qRgb(0, 0, 255);
        QTest::newRow("twice") << 2 << qRgb(255, 255, 255);
        QTest::newRow("many, odd") << 601 << qRgb(0, 0, 255);
        QTest::newRow("many, even") << 600 << qRgb(255, 255, 255);
    }
    void dibujarSinLimpiarInvierteCadaVez()
    {
        QFETCH(int, veces);
        QFETCH(QRgb, color);
        m_caja->setScaleWidth(100);
        m_caja->setDrawMode(PictureBox::vbNotXorPen);
        for (int i = 0; i < veces; ++i)
            m_caja->Line(0, 0, 50, m_caja->ScaleHeight(), kAzul, PictureBox::Forma::CajaLlena);
        QCOMPARE(m_caja->Imagen().pixel(10, 5), color);
        QCOMPARE(m_caja->Imagen().pixel(150, 5), qRgb(255, 255, 255));
    }

    void elUltimoDeMuchosDibujosEsElQueSeVe()
    {
        for (int i = 0; i <= 2000; ++i)
            dibujarBarra(*m_caja, i / 20.0, QString::number(i / 20) + "%");
        const QImage img = m_caja->Imagen();
        QCOMPARE(img.pixel(5, 0), qRgb(0, 0, 255));
        QCOMPARE(img.pixel(199, 0), qRgb(0, 0, 255));
    }

    void escalaEnTwipsHastaQueSeFija()
    {
        QCOMPARE(m_caja->ScaleWidth(), 200 * 15.0);
        QCOMPARE(m_caja->ScaleHeight(), 24 * 15.0);
        m_caja->setScaleWidth(100);
        QCOMPARE(m_caja->ScaleWidth(), 100.0);
        QCOMPARE(m_caja->ScaleHeight(), 24 * 15.0);
    }

    void borrarYOcultar()
    {
        dibujarBarra(*m_caja, 60, "60%");
        m_caja->Cls();
        m_caja->hide();
        QCOMPARE(contar(m_caja->Imagen(), 0, 200, [](QRgb c) { return c != qRgb(255, 255, 255); }), 0);
    }

private:
    std::unique_ptr<PictureBox> m_caja;
};

QTEST_MAIN(TstPictureBox)
#include "tst_suite_picture_box.moc"
