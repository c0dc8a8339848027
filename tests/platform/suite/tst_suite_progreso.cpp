// The progress window driven offscreen: texts, the cancel button, the test hook, reopening after a cancel.
#include "platform/suite/Progreso.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

using suite::Progreso;

namespace {

QString texto(const Progreso& p, const char* nombre)
{
    return p.findChild<QLabel*>(nombre)->text();
}

} // namespace

class TstProgreso : public QObject {
    Q_OBJECT
private slots:
    void muestraElTituloYLosTextos()
    {
        Progreso p;
        p.Iniciar("Cargando Panel Izquierdo", true);
        QVERIFY(p.isVisible());
        QCOMPARE(p.windowTitle(), "Cargando Panel Izquierdo");
        bool cancelar = false;
        p.Avanzar(cancelar, "Cargando Datos", "Espere por Favor", "10 %");
        QCOMPARE(texto(p, "lblTitulo"), "Cargando Datos");
        QCOMPARE(texto(p, "lblTexto1"), "Espere por Favor");
        QCOMPARE(texto(p, "lblTexto2"), "10 %");
        QVERIFY(!cancelar);
        p.Terminar();
        QVERIFY(!p.isVisible());
    }

    void cancelarEnLaEnesimaLlamada_data()
    {
        QTest::addColumn<int>("n");
        QTest::newRow("first call") << 1;
        QTest::newRow("seventh call") << 7;
        QTest::newRow("after many calls") << 5000;
    }
    void cancelarEnLaEnesimaLlamada()
    {
        QFETCH(int, n);
        Progreso p;
        p.Iniciar("Comparando", true);
        p.CancelarEnAvance(n);
        bool cancelar = false;
        int llamadas = 0;
        while (!cancelar && llamadas < n + 10) {
            ++llamadas;
            p.Avanzar(cancelar, "Realizando Comparación", "1 % del Total", "2% Individual");
        }
        QVERIFY(cancelar);
        QCOMPARE(llamadas, n);
        p.Terminar();
    }

    void elBotonCancelarLlegaEnElSiguienteAvance()
    {
        Progreso p;
        p.Iniciar("Comparando", true);
        bool cancelar = false;
        p.Avanzar(cancelar, "a", "b", "c");
        QVERIFY(!cancelar);
        QTest::mouseClick(p.findChild<QPushButton*>("cmdCancelar"), Qt::LeftButton);
        p.Avanzar(cancelar, "a", "b", "c");
        QVERIFY(cancelar);
    }

    void cerrarLaVentanaEsPedirCancelar()
    {
        Progreso p;
        p.Iniciar("Comparando", true);
        QVERIFY(!p.close());
        QVERIFY(p.isVisible());
        bool cancelar = false;
        p.Avanzar(cancelar, "a", "b", "c");
        QVERIFY(cancelar);
    }

    // The panel load: after a cancel the operator says No, the loop clears its flag and reopens the window.
    void reabrirOlvidaLaCancelacion()
    {
        Progreso p;
        p.Iniciar("Cargando Panel Derecho", true);
        p.CancelarEnAvance(1);
        bool cancelar = false;
        p.Avanzar(cancelar, "Cargando Datos", "Espere por Favor", "0 %");
        QVERIFY(cancelar);
        p.Terminar();
        cancelar = false;
        p.Iniciar("Cargando Panel Derecho", true);
        QVERIFY(p.isVisible());
        p.Avanzar(cancelar, "Cargando Datos", "Espere por Favor", "50 %");
        QVERIFY(!cancelar);
    }

    void sinBotonNoSePuedeCancelar()
    {
        Progreso p;
        p.Iniciar("Sin cancelar", false);
        QVERIFY(!p.findChild<QPushButton*>("cmdCancelar")->isVisible());
        p.CancelarEnAvance(1);
        bool cancelar = false;
        p.Avanzar(cancelar, "a", "b", "c");
        QVERIFY(!cancelar);
    }

    void terminarSinIniciarNoFalla()
    {
        Progreso p;
        p.Terminar();
        bool cancelar = false;
        p.Avanzar(cancelar, "a", "b", "c");
        QVERIFY(!p.isVisible());
        QVERIFY(!cancelar);
    }
};

QTEST_MAIN(TstProgreso)
#include "tst_suite_progreso.moc"
