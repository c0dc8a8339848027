// The command bar offscreen: buttons by key text, the click signal from a mouse press and from a function
// key, the eight enabled flags by number, identifier and name, what the window's two modes leave usable,
// and the flat or raised look.
#include "platform/suite/Brakmo.h"

#include <QAction>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

using suite::Brakmo;

namespace {

QStringList habilitados(const Brakmo& bar)
{
    QStringList claves;
    for (const QString& clave : Brakmo::Claves())
        if (bar.Boton(clave)->isEnabled())
            claves << clave;
    claves.sort();
    return claves;
}

QStringList ordenadas(QStringList claves)
{
    claves.sort();
    return claves;
}

// The window's mode switch: flags 4 and 5 untouched.
void detalle(Brakmo& bar, bool on)
{
    for (int n : {1, 3, 6, 7})
        bar.setFlag(n, on);
    for (int n : {2, 8})
        bar.setFlag(n, !on);
}

} // namespace

class TstBrakmo : public QObject {
    Q_OBJECT
private slots:
    void botonPorClave_data()
    {
        QTest::addColumn<QString>("clave");
        QTest::addColumn<QString>("esperada");
        for (const char* k : {"NUEVO", "BORRAR", "GRABAR", "CONSULTAR", "REPORTE", "CERRAR", "CANCELAR", "PLANILLA"})
            QTest::newRow(k) << QString::fromLatin1(k) << QString::fromLatin1(k);
        QTest::newRow("minusculas") << "grabar" << "GRABAR";
        QTest::newRow("con blancos") << " Cerrar " << "CERRAR";
        QTest::newRow("otra") << "IMPRIMIR" << "";
        QTest::newRow("vacia") << "" << "";
    }
    void botonPorClave()
    {
        QFETCH(QString, clave);
        QFETCH(QString, esperada);
        Brakmo bar;
        QAction* boton = bar.Boton(clave);
        if (esperada.isEmpty()) {
            QVERIFY(!boton);
            return;
        }
        QVERIFY(boton);
        QCOMPARE(boton->data().toString(), esperada);
        QVERIFY(!boton->icon().isNull());
        QVERIFY(!boton->text().isEmpty());
    }

    void unClicDelOperadorDaSuClave()
    {
        Brakmo bar;
        bar.resize(900, 60);
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        QSignalSpy spy(&bar, &Brakmo::click);
        auto* boton = qobject_cast<QToolButton*>(bar.widgetForAction(bar.Boton("REPORTE")));
        QVERIFY(boton);
        QTest::mouseClick(boton, Qt::LeftButton);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toString(), QString("REPORTE"));

        bar.setReporteenabled(false);
        QTest::mouseClick(boton, Qt::LeftButton);
        QCOMPARE(spy.count(), 1);
    }

    void flagsPorNumeroIdYNombre_data()
    {
        QTest::addColumn<int>("numero");
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QString>("clave");
        QTest::newRow("1") << 1 << "borrarenabled" << "BORRAR";
        QTest::newRow("2") << 2 << "consultaenabled" << "CONSULTAR";
        QTest::newRow("3") << 3 << "reporteenabled" << "REPORTE";
        QTest::newRow("4") << 4 << "planillaenabled" << "PLANILLA";
        QTest::newRow("5") << 5 << "cerrarenabled" << "CERRAR";
        QTest::newRow("6") << 6 << "cancelarenabled" << "CANCELAR";
        QTest::newRow("7") << 7 << "grabarenabled" << "GRABAR";
        QTest::newRow("8") << 8 << "nuevoenabled" << "NUEVO";
    }
    void flagsPorNumeroIdYNombre()
    {
        QFETCH(int, numero);
        QFETCH(QString, nombre);
        QFETCH(QString, clave);
        Brakmo bar;
        QCOMPARE(Brakmo::NombreDeFlag(numero), nombre);
        QCOMPARE(Brakmo::ClaveDeFlag(numero), clave);
        QCOMPARE(Brakmo::NumeroDeFlag(nombre.toUpper()), numero);
        QCOMPARE(Brakmo::NumeroDeFlag(clave.toLower()), numero);

        QVERIFY(bar.Flag(numero));
        bar.setFlag(numero, false);
        QVERIFY(!bar.Boton(clave)->isEnabled());
        QCOMPARE(bar.property(qPrintable(nombre)).toBool(), false);
        QCOMPARE(habilitados(bar).size(), Brakmo::kCantidadFlags - 1);

        bar.setFlagPorId(0x68030000 + numero, true);
        QVERIFY(bar.Boton(clave)->isEnabled());
        QVERIFY(bar.setProperty(qPrintable(nombre), false));
        QVERIFY(!bar.FlagPorId(0x68030000 + numero));
    }

    void numerosFueraDeRangoNoTocanNada()
    {
        Brakmo bar;
        for (int n : {0, 9, -1})
            bar.setFlag(n, false);
        bar.setFlagPorId(0x68030009, false);
        bar.setFlagPorId(0x68030000, false);
        QCOMPARE(habilitados(bar).size(), Brakmo::kCantidadFlags);
        QVERIFY(!bar.Flag(9));
        QCOMPARE(Brakmo::NumeroDeFlag("planilla enabled"), 0);
    }

    // What each mode of the window leaves usable, with its flags set by number.
    void losModosDeLaVentana()
    {
        Brakmo bar;
        detalle(bar, false);                                   // the reset at load
        for (qint64 id : {0x68030008, 0x68030007, 0x68030004, 0x68030001, 0x68030003})
            bar.setFlagPorId(id, false);                       // then the load itself
        QCOMPARE(habilitados(bar), ordenadas({"CONSULTAR", "CERRAR"}));

        detalle(bar, true);
        QCOMPARE(habilitados(bar), ordenadas({"BORRAR", "GRABAR", "REPORTE", "CANCELAR", "CERRAR"}));

        detalle(bar, false);
        QCOMPARE(habilitados(bar), ordenadas({"NUEVO", "CONSULTAR", "CERRAR"}));
    }

    void teclas_data()
    {
        QTest::addColumn<int>("tecla");
        QTest::addColumn<QString>("clave");
        QTest::newRow("F2") << 113 << "NUEVO";
        QTest::newRow("F3") << 114 << "BORRAR";
        QTest::newRow("F5") << 116 << "GRABAR";
        QTest::newRow("F6") << 117 << "CONSULTAR";
        QTest::newRow("F7") << 118 << "CANCELAR";
        QTest::newRow("F8") << 119 << "REPORTE";
        QTest::newRow("F4") << 115 << "";
        QTest::newRow("F9 de la ventana") << 120 << "";
        QTest::newRow("F de Ctrl+F") << 70 << "";
        QTest::newRow("Esc") << 27 << "";
        QTest::newRow("Enter") << 13 << "";
        QTest::newRow("ninguna") << 0 << "";
    }
    void teclas()
    {
        QFETCH(int, tecla);
        QFETCH(QString, clave);
        QCOMPARE(Brakmo::ClaveDeTecla(tecla), clave);

        Brakmo bar;
        QSignalSpy spy(&bar, &Brakmo::click);
        int KeyCode = tecla;
        bar.TeclaPulsada(KeyCode);
        if (clave.isEmpty()) {
            QCOMPARE(KeyCode, tecla);
            QCOMPARE(spy.count(), 0);
            return;
        }
        QCOMPARE(KeyCode, 0);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toString(), clave);

        // The key of a disabled button does nothing and is left for the window.
        bar.setFlag(Brakmo::NumeroDeFlag(clave), false);
        KeyCode = tecla;
        bar.TeclaPulsada(KeyCode);
        QCOMPARE(KeyCode, tecla);
        QCOMPARE(spy.count(), 1);
    }

    void estiloPlanoOResaltado()
    {
        Brakmo bar;
        auto* boton = qobject_cast<QToolButton*>(bar.widgetForAction(bar.Boton("GRABAR")));
        QVERIFY(boton);
        QVERIFY(boton->autoRaise());                           // the station default, 1
        QVERIFY(bar.setProperty("StyleBar", 0.0));             // as the window's dressing sets it
        QCOMPARE(bar.StyleBar(), 0.0);
        QVERIFY(!boton->autoRaise());
        bar.setStyleBar(2);
        QVERIFY(boton->autoRaise());
    }
};

QTEST_MAIN(TstBrakmo)
#include "tst_suite_brakmo.moc"
