// DibujarProgreso on the suite's picture box: the text, and the bar drawn over it with a not-XOR pen.

#include "core/ProgressBar.h"
#include "platform/suite/PictureBox.h"

#include <QTest>

class ProgressBarTest : public QObject {
    Q_OBJECT
private slots:
    void texto_data();
    void texto();
    void barCoversThePercentage_data();
    void barCoversThePercentage();
};

void ProgressBarTest::texto_data()
{
    QTest::addColumn<double>("porcentaje");
    QTest::addColumn<QString>("leyenda");
    QTest::addColumn<QString>("esperado");
    QTest::newRow("zero writes no digit") << 0.0 << "" << " %";
    QTest::newRow("below a half is zero") << 0.4 << "Cargando" << "Cargando %";
    QTest::newRow("rounded") << 45.6 << "Cargando" << "Cargando 46%";
    QTest::newRow("whole") << 100.0 << "" << " 100%";
}

void ProgressBarTest::texto()
{
    QFETCH(double, porcentaje);
    QFETCH(QString, leyenda);
    QFETCH(QString, esperado);
    QCOMPARE(ModGlobal::TextoProgreso(porcentaje, leyenda), esperado);
}

void ProgressBarTest::barCoversThePercentage_data()
{
    QTest::addColumn<double>("porcentaje");
    QTest::newRow("0") << 0.0;
    QTest::newRow("30") << 30.0;
    QTest::newRow("100") << 100.0;
}

void ProgressBarTest::barCoversThePercentage()
{
    QFETCH(double, porcentaje);
    suite::PictureBox cuadro;
    cuadro.resize(200, 24);
    cuadro.setBackColor(0xFFFFFF);
    cuadro.show();
    ModGlobal::DibujarProgreso(cuadro, porcentaje, 0xFF0000, QString());
    QCOMPARE(cuadro.ScaleWidth(), 100.0);
    QCOMPARE(cuadro.DrawMode(), int(suite::PictureBox::vbNotXorPen));
    const QImage imagen = cuadro.Imagen();
    const int anchoBarra = int(imagen.width() * porcentaje / 100);
    // The top row holds no text: blue under the bar, white beyond it.
    for (int x = 2; x < imagen.width() - 2; x += 4) {
        const QColor esperado = x < anchoBarra - 1 ? QColor(Qt::blue) : QColor(Qt::white);
        if (x >= anchoBarra - 1 && x <= anchoBarra + 1)
            continue;
        QCOMPARE(imagen.pixelColor(x, 0), esperado);
    }
    // The centred text is drawn: the middle row is not all one colour.
    const int medio = imagen.height() / 2;
    bool texto = false;
    for (int x = imagen.width() / 3; x < imagen.width() * 2 / 3 && !texto; ++x)
        texto = imagen.pixelColor(x, medio) != imagen.pixelColor(imagen.width() / 2 - 40, 0);
    QVERIFY(texto);
}

QTEST_MAIN(ProgressBarTest)
#include "tst_core_progress_bar.moc"
