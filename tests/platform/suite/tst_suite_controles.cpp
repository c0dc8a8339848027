// Control arrays and the field helpers on a small offscreen header form.
#include "platform/ado/Error.h"
#include "platform/suite/Controles.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

using suite::ControlArray;
using suite::Controles;

namespace {

// A header form: txtFields(0..4) bound to data fields, plus a field outside the array.
class Cabecera : public QWidget {
public:
    Cabecera()
        : txtFields("txtFields")
    {
        auto* layout = new QVBoxLayout(this);
        const char* campos[] = {"IdConciliacion", "FechaD", "FechaH", "CUENTA", "OBS"};
        for (int i = 0; i < 5; ++i) {
            auto* e = new QLineEdit(QStringLiteral("valor %1").arg(i), this);
            layout->addWidget(e);
            txtFields.Load(i, e);
            suite::SetDataField(e, campos[i]);
        }
        suite::SetTag(txtFields(1), "fecha");
        otro = new QLineEdit("se queda", this);
        otro->setObjectName("txtOtro");
        layout->addWidget(otro);
        combo = new QComboBox(this);
        combo->addItems({"uno", "dos"});
        combo->setObjectName("TXTFIELDS");  // a member of the array by name, of another kind
        layout->addWidget(combo);
    }

    ControlArray<QLineEdit> txtFields;
    QLineEdit* otro;
    QComboBox* combo;
};

} // namespace

class TstControles : public QObject {
    Q_OBJECT
private slots:
    void indiceControlSinImportarMayusculas_data()
    {
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<int>("indice");
        QTest::newRow("as bound") << "FechaD" << 1;
        QTest::newRow("upper case") << "FECHAD" << 1;
        QTest::newRow("mixed case") << "Fechah" << 2;
        QTest::newRow("lower case") << "obs" << 4;
        QTest::newRow("missing") << "NADA" << -1;
        QTest::newRow("empty") << "" << -1;
    }
    void indiceControlSinImportarMayusculas()
    {
        QFETCH(QString, nombre);
        QFETCH(int, indice);
        Cabecera f;
        QCOMPARE(Controles::IndiceControl(nombre, f.txtFields), indice);
    }

    void miembroQueNoExisteEsUnErrorClaro()
    {
        Cabecera f;
        try {
            f.txtFields(Controles::IndiceControl("NADA", f.txtFields));
            QFAIL("no error for a missing member");
        } catch (const ado::Error& e) {
            QCOMPARE(e.Number, qint64(340));
        }
    }

    void arregloConHuecos()
    {
        Cabecera f;
        auto* extra = new QLineEdit(&f);
        f.txtFields.Load(9, extra);
        QCOMPARE(f.txtFields.LBound(), 0);
        QCOMPARE(f.txtFields.UBound(), 9);
        QCOMPARE(f.txtFields.Count(), 6);
        QVERIFY(!f.txtFields.Existe(7));
        QCOMPARE(suite::IndexOf(extra), 9);
        QCOMPARE(extra->objectName(), "txtFields");
        delete extra;
        QCOMPARE(f.txtFields.UBound(), 4);
        QCOMPARE(suite::IndexOf(f.otro), -1);
    }

    void limpiarControlesVaciaSoloElArreglo()
    {
        Cabecera f;
        Controles::LimpiarControles(&f, "txtfields");
        for (int i : f.txtFields.Indices())
            QCOMPARE(f.txtFields(i)->text(), QString());
        QCOMPARE(f.combo->currentIndex(), -1);
        QCOMPARE(f.otro->text(), "se queda");
    }

    void soloEnterValida_data()
    {
        QTest::addColumn<int>("tecla");
        QTest::addColumn<bool>("valida");
        QTest::newRow("Enter") << 13 << true;
        QTest::newRow("Tab") << 9 << false;
        QTest::newRow("Esc") << 27 << false;
        QTest::newRow("letter A") << 65 << false;
        QTest::newRow("F5") << 116 << false;
    }
    void soloEnterValida()
    {
        QFETCH(int, tecla);
        QFETCH(bool, valida);
        QCOMPARE(Controles::EsTeclaValidar(tecla), valida);
    }

    void moverFocoPasaAlSiguienteQueTomaFoco()
    {
        Cabecera f;
        f.txtFields(2)->setEnabled(false);
        f.txtFields(3)->hide();
        f.show();
        QApplication::setActiveWindow(&f);
        QVERIFY(QTest::qWaitForWindowActive(&f));
        f.txtFields(1)->setFocus();
        QCOMPARE(QApplication::focusWidget(), f.txtFields(1));
        Controles::MoverFoco(13, f.txtFields(1));
        QCOMPARE(QApplication::focusWidget(), f.txtFields(4));
        Controles::MoverFoco(13, f.txtFields(4));
        QCOMPARE(QApplication::focusWidget(), f.otro);
        // From the named field, whichever widget has the focus (none, after a modal window closed).
        f.otro->clearFocus();
        Controles::MoverFoco(13, f.txtFields(0));
        QCOMPARE(QApplication::focusWidget(), f.txtFields(1));
    }

    void filtrarTecla_data()
    {
        QTest::addColumn<bool>("esFecha");
        QTest::addColumn<int>("tecla");
        QTest::addColumn<int>("resultado");
        QTest::newRow("date: digit") << true << int('5') << int('5');
        QTest::newRow("date: slash") << true << int('/') << int('/');
        QTest::newRow("date: dash becomes slash") << true << int('-') << int('/');
        QTest::newRow("date: point becomes slash") << true << int('.') << int('/');
        QTest::newRow("date: letter dropped") << true << int('a') << 0;
        QTest::newRow("date: backspace passes") << true << 8 << 8;
        QTest::newRow("date: Enter dropped") << true << 13 << 0;
        QTest::newRow("text: letter passes") << false << int('a') << int('a');
        QTest::newRow("text: quote passes") << false << int('\'') << int('\'');
        QTest::newRow("text: Enter dropped") << false << 13 << 0;
    }
    void filtrarTecla()
    {
        QFETCH(bool, esFecha);
        QFETCH(int, tecla);
        QFETCH(int, resultado);
        Cabecera f;
        int KeyAscii = tecla;
        Controles::FiltrarTecla(f.txtFields(esFecha ? 1 : 3), KeyAscii);
        QCOMPARE(KeyAscii, resultado);
    }
};

QTEST_MAIN(TstControles)
#include "tst_suite_controles.moc"
