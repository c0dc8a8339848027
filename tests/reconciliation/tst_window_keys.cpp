// The header fields driven by keys on the shown window: Enter validates and moves on, a refused field keeps
// the focus, date fields take only dates, and the focused field is the one the lookup acts on.

#include "VentanaDePrueba.h"

#include "lookup/ConsultaPorTeclas.h"

#include <QApplication>
#include <QDate>

class TstWindowKeys : public VentanaDePrueba {
    Q_OBJECT

private:
    QLineEdit* campo(const char* nombre) { return w->Campo(QString::fromLatin1(nombre)); }

    void enfocar(QLineEdit* c)
    {
        c->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), c);
    }

    void alAbrir() override { mostrar(); }

private slots:
    void enterValidatesAndMovesOn()
    {
        ui::ScriptedDialogs d;
        enfocar(campo("IdConciliacion"));
        QCOMPARE(w->FCampoActual.data(), campo("IdConciliacion"));
        // Focus selects the whole text, so typing replaces it.
        QTest::keyClicks(campo("IdConciliacion"), QStringLiteral("3"));
        QCOMPARE(campo("IdConciliacion")->text(), QStringLiteral("3"));
        QTest::keyClick(campo("IdConciliacion"), Qt::Key_Return);
        QCOMPARE(EmpresaDePrueba::cantidad(QStringLiteral("V_MV_CTROL_CPTE WHERE NUMERO = '00000003'")), 1);
        QCOMPARE(QApplication::focusWidget(), campo("Fecha"));
        QTest::keyClick(campo("Fecha"), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), campo("CUENTA"));
        QTest::keyClicks(campo("CUENTA"), QStringLiteral("1101"));
        QTest::keyClick(campo("CUENTA"), Qt::Key_Return);
        QVERIFY(d.verifyDone());
        QCOMPARE(w->LblDescCuenta->text(), QStringLiteral("Banco cuenta corriente"));
        QCOMPARE(QApplication::focusWidget(), campo("OBS"));
        // Enter in the observations neither validates nor moves.
        QTest::keyClick(campo("OBS"), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), campo("OBS"));
    }

    // A focused field is cyan and selects its text, but the observations only put the caret at the start;
    // a field left is white again.
    void focusColourAndSelection_data()
    {
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QString>("seleccion");
        QTest::newRow("account") << QStringLiteral("CUENTA") << QStringLiteral("1101");
        QTest::newRow("observations") << QStringLiteral("OBS") << QString();
    }

    void focusColourAndSelection()
    {
        QFETCH(QString, nombre);
        QFETCH(QString, seleccion);
        QLineEdit* c = w->Campo(nombre);
        c->setEnabled(true);
        c->setText(QStringLiteral("1101"));
        c->setCursorPosition(4);
        enfocar(c);
        QCOMPARE(c->selectedText(), seleccion);
        if (seleccion.isEmpty())
            QCOMPARE(c->cursorPosition(), 0);
        QCOMPARE(c->palette().color(QPalette::Base), QColor(0, 0xFF, 0xFF));
        enfocar(campo("Fecha"));
        QCOMPARE(c->palette().color(QPalette::Base), QColor(Qt::white));
        QCOMPARE(w->FCampoActual.data(), campo("Fecha"));
    }

    void refusedFieldKeepsTheFocus()
    {
        ui::ScriptedDialogs d;
        enfocar(campo("IdConciliacion"));
        QTest::keyClick(campo("IdConciliacion"), Qt::Key_Return);
        enfocar(campo("CUENTA"));
        QTest::keyClicks(campo("CUENTA"), QStringLiteral("11"));
        d.expectMsgBox(ui::vbOK).containing(QStringLiteral("Es Cuenta Titulo"));
        QTest::keyClick(campo("CUENTA"), Qt::Key_Return);
        QVERIFY(d.verifyDone());
        QTRY_COMPARE(QApplication::focusWidget(), campo("CUENTA"));
    }

    void dateFieldsTakeOnlyDates()
    {
        enfocar(campo("FechaD"));
        campo("FechaD")->clear();
        QTest::keyClicks(campo("FechaD"), QStringLiteral("1a5-0x3.2026"));
        QCOMPARE(campo("FechaD")->text(), QStringLiteral("15/03/2026"));
        // The observations take every key.
        enfocar(campo("OBS"));
        QTest::keyClicks(campo("OBS"), QStringLiteral("a-b.c"));
        QCOMPARE(campo("OBS")->text(), QStringLiteral("a-b.c"));
    }

    void lookupOfTheFocusedDateField()
    {
        ui::ScriptedDialogs d;
        enfocar(campo("IdConciliacion"));
        QTest::keyClick(campo("IdConciliacion"), Qt::Key_Return);
        enfocar(campo("Fecha"));
        d.expectDate(QDate(2026, 3, 31));
        w->CmdConsultar();
        QVERIFY(d.verifyDone());
        QCOMPARE(campo("Fecha")->text(), QStringLiteral("31/03/2026"));
        QCOMPARE(QApplication::focusWidget(), campo("CUENTA"));
    }

    // Every lookup of the header fields through the real modal windows (the lists and the date picker, run by
    // the program's own dialogs), driven by keys: F6 opens it; Escape leaves the field as it was, with the
    // cursor in it, and validates nothing; a choice fills the field and the cursor moves on.
    void lookupsOnTheRealWindows_data()
    {
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QString>("escrito");
        QTest::addColumn<int>("tecla");
        QTest::addColumn<QString>("elegida");   // the list row chosen before the key; "" none
        QTest::addColumn<QString>("queda");
        QTest::addColumn<bool>("focoQueda");
        const int esc = Qt::Key_Escape;
        const int enter = Qt::Key_Return;
        QTest::newRow("number escaped") << "IdConciliacion" << "77" << esc << "" << "77" << true;
        QTest::newRow("date escaped") << "Fecha" << "14/03/2026" << esc << "" << "14/03/2026" << true;
        QTest::newRow("account escaped") << "CUENTA" << "1101" << esc << "" << "1101" << true;
        QTest::newRow("period from escaped") << "FechaD" << "01/03/2026" << esc << "" << "01/03/2026" << true;
        QTest::newRow("period to escaped") << "FechaH" << "31/03/2026" << esc << "" << "31/03/2026" << true;
        QTest::newRow("business unit escaped") << "UNegocio" << "01" << esc << "" << "01" << true;
        QTest::newRow("user escaped") << "Usuario" << "adm" << esc << "" << "adm" << true;
        QTest::newRow("empty account escaped") << "CUENTA" << "" << esc << "" << "" << true;
        QTest::newRow("account chosen") << "CUENTA" << "" << enter << "1102" << "1102" << false;
        QTest::newRow("user chosen") << "Usuario" << "adm" << enter << "admin1" << "admin1" << false;
        QTest::newRow("date chosen") << "Fecha" << "14/03/2026" << enter << "" << "14/03/2026" << false;
    }

    void lookupsOnTheRealWindows()
    {
        QFETCH(QString, nombre);
        QFETCH(QString, escrito);
        QFETCH(int, tecla);
        QFETCH(QString, elegida);
        QFETCH(QString, queda);
        QFETCH(bool, focoQueda);
        if (nombre != QLatin1String("IdConciliacion")) {
            ui::ScriptedDialogs d;
            confirmar(*w, "IdConciliacion", QStringLiteral("1"));
            QVERIFY(d.verifyDone());
        }
        QLineEdit* c = w->Campo(nombre);
        enfocar(c);
        const ResultadoConsulta r = consultarPorTeclas(*c, escrito, Qt::Key_F6, Qt::Key(tecla), elegida);
        // The lookup, and no message after it.
        QVERIFY2(r.vistas.size() == 1, qPrintable(r.vistas.join(QStringLiteral(" | "))));
        QCOMPARE(r.texto, queda);
        QVERIFY(!w->FHayError);
        // The window's focus (where the cursor is once the window is active again).
        QCOMPARE(r.foco == c, focoQueda);
    }

    // A cancelled date lookup leaves the field as it was, opened on its date, and nothing is reported.
    void cancelledDateLookupKeepsTheField()
    {
        ui::ScriptedDialogs d;
        enfocar(campo("Fecha"));
        campo("Fecha")->setText(QStringLiteral("14/03/2026"));
        d.cancelDate();
        w->CmdConsultar();
        QVERIFY(d.verifyDone());
        QCOMPARE(d.log().at(0).detail, QStringLiteral("2026-03-14"));
        QCOMPARE(campo("Fecha")->text(), QStringLiteral("14/03/2026"));
        QVERIFY(!w->FHayError);
    }
};

QTEST_MAIN(TstWindowKeys)
#include "tst_window_keys.moc"
