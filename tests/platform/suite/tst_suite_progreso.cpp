// The progress window driven offscreen: texts, the cancel button, the test hook, reopening after a cancel.
#include "platform/suite/Progreso.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>
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

    // Every line shows whole in the window, on one line while the screen has room for it, wrapped within the
    // screen when it has not.
    void cadaLineaSeVeEntera_data()
    {
        QTest::addColumn<QString>("titulo");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<bool>("sinVuelta");
        QTest::newRow("the link run's last stretch")
            << "Terminando de grabar ..." << "Ya no se puede cancelar: la conciliación se está grabando." << true;
        QTest::newRow("a long stage") << "Grabando los vínculos de la conciliación de la cuenta Banco cuenta corriente"
                                      << "Vínculo 1.234.567 de 9.876.543 (12 %)" << false;
        QTest::newRow("wider than the screen") << "Leyendo" << QString("palabra ").repeated(60).trimmed() << false;
    }
    void cadaLineaSeVeEntera()
    {
        QFETCH(QString, titulo);
        QFETCH(QString, texto);
        QFETCH(bool, sinVuelta);
        Progreso p;
        p.Iniciar("Conciliando", true);
        bool cancelar = false;
        p.Avanzar(cancelar, "Grabando", "1 %", "");
        if (sinVuelta)
            p.SinVuelta(titulo, texto);
        else
            p.Avanzar(cancelar, titulo, texto, "50 %");
        QCoreApplication::processEvents();
        const int pantalla = p.screen()->availableGeometry().width();
        QVERIFY(p.width() <= pantalla);
        for (const char* nombre : {"lblTitulo", "lblTexto1", "lblTexto2"}) {
            const auto* l = p.findChild<QLabel*>(nombre);
            QVERIFY(p.rect().contains(l->geometry()));
            const QRect caja = l->contentsRect();
            const int largo = l->fontMetrics().horizontalAdvance(l->text());
            if (largo < pantalla / 2) {
                QVERIFY2(largo <= caja.width(), qPrintable(QString("%1: %2 > %3").arg(l->text()).arg(largo).arg(caja.width())));
            } else {
                const QRect necesita = l->fontMetrics().boundingRect(caja, Qt::TextWordWrap | Qt::AlignCenter, l->text());
                QVERIFY(necesita.width() <= caja.width());
                QVERIFY(necesita.height() <= caja.height());
            }
        }
        p.Terminar();
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
