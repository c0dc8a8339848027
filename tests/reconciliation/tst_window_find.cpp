// The find dialog over the workbench's two lists of loaded lines, driven by keys as the operator drives it:
// opened with Ctrl+F, a step by Enter, F3 or its button marks the hit cell bold and selects its row; a text
// that matches nothing runs off the end and disables the step; typing or choosing another column starts over
// from the first row and takes the bold off the last hit; closing and opening again starts over too.

#include "BuscarDePrueba.h"
#include "VentanaDePrueba.h"

#include <QApplication>
#include <QHeaderView>

class TstWindowFind : public VentanaDePrueba {
    Q_OBJECT

    void alAbrir() override
    {
        mostrar();
        cargarMarzoSinPreguntas();
    }

    void alCerrar() override { gFrmBuscar().cmdCerrar_Click(); }

    ui::ListView& lista(int lado) { return lado == 0 ? *w->Lvw : *w->Lvw2; }

    // One step of the search, by the road the row names.
    static void paso(FrmBuscar& f, const QString& como)
    {
        if (como == QLatin1String("button"))
            QTest::mouseClick(f.cmdBuscar, Qt::LeftButton);
        else
            QTest::keyClick(f.txtBuscar, como == QLatin1String("enter") ? Qt::Key_Return : Qt::Key_F3);
    }

private slots:
    // Each road to a hit, on both lists; the next step takes the bold off and goes on to the end.
    void aStepMarksTheHitCell_data()
    {
        QTest::addColumn<int>("lado");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("en");
        QTest::addColumn<QString>("como");
        QTest::addColumn<QString>("concepto");   // the row of the hit; "" for the first row
        QTest::addColumn<int>("subItem");
        QTest::newRow("left: Enter with nothing typed")
            << 0 << QString() << "Todos" << "enter" << QString() << int(conciliacion::colFecha);
        QTest::newRow("left: a text, then F3") << 0 << "fc 11" << "Todos" << "f3" << kD2 << int(conciliacion::colConcepto);
        QTest::newRow("left: a text, then the button")
            << 0 << "Ajuste" << "Concepto" << "button" << kD3 << int(conciliacion::colConcepto);
        QTest::newRow("right: a text, then Enter")
            << 1 << "posito 11" << "Todos" << "enter" << kC2 << int(conciliacion::colConcepto);
        QTest::newRow("right: Enter with nothing typed, one column")
            << 1 << QString() << "Concepto" << "enter" << QString() << int(conciliacion::colConcepto);
    }

    void aStepMarksTheHitCell()
    {
        QFETCH(int, lado);
        QFETCH(QString, texto);
        QFETCH(QString, en);
        QFETCH(QString, como);
        QFETCH(QString, concepto);
        QFETCH(int, subItem);
        ui::ScriptedDialogs d;   // the dialog tells nothing: any prompt fails the test
        ui::ListView& l = lista(lado);
        FrmBuscar& f = abrirBuscar(l);
        QVERIFY(f.isVisible());
        QCOMPARE(f.cboBuscar->currentText(), QStringLiteral("Todos"));
        QCOMPARE(f.focusWidget(), f.txtBuscar);
        teclearBusqueda(f, texto);
        buscarEn(f, en);
        paso(f, como);
        const int hit = concepto.isEmpty() ? 1 : fila(l, concepto);
        QVERIFY(hit > 0);
        verHallazgo(f, l, hit, subItem, texto);
        if (!texto.isEmpty()) {
            // The only row with it: the next step takes the bold off, runs off the end and stops.
            paso(f, como);
            verSinHallazgo(f, l);
            paso(f, como);
            verSinHallazgo(f, l);
        }
        QCOMPARE(celdasEnNegrita(lista(1 - lado)), QStringList());
        QVERIFY(d.verifyDone());
    }

    // A text that matches nothing, and what the operator does next: every road ends with the search starting
    // over from the first row.
    void aTextThatMatchesNothing_data()
    {
        QTest::addColumn<QString>("luego");
        QTest::newRow("F3, F3 again") << "f3";
        QTest::newRow("F3, one more letter typed") << "letter";
        QTest::newRow("F3, another column chosen") << "column";
        QTest::newRow("F3, closed, Ctrl+F again") << "reopen";
        QTest::newRow("F3, Escape, Ctrl+F again") << "escape";
    }

    void aTextThatMatchesNothing()
    {
        QFETCH(QString, luego);
        ui::ScriptedDialogs d;
        ui::ListView& l = *w->Lvw;
        FrmBuscar* f = &abrirBuscar(l);
        teclearBusqueda(*f, QStringLiteral("zzz"));
        QTest::keyClick(f->txtBuscar, Qt::Key_F3);
        verSinHallazgo(*f, l);
        if (luego == QLatin1String("f3")) {
            QTest::keyClick(f->txtBuscar, Qt::Key_F3);
            verSinHallazgo(*f, l);
        } else if (luego == QLatin1String("letter")) {
            QTest::keyClick(f->txtBuscar, Qt::Key_A);
            QVERIFY(f->cmdBuscar->isEnabled());
        } else if (luego == QLatin1String("column")) {
            buscarEn(*f, QStringLiteral("Concepto"));
            QVERIFY(f->cmdBuscar->isEnabled());
        } else {
            if (luego == QLatin1String("reopen"))
                QTest::mouseClick(f->cmdCerrar, Qt::LeftButton);
            else
                QTest::keyClick(f->txtBuscar, Qt::Key_Escape);
            QVERIFY(!f->isVisible());
            f = &abrirBuscar(l);
            QVERIFY(f->isVisible());
            // Loaded anew: nothing of the last search is left.
            QVERIFY(f->cmdBuscar->isEnabled());
            QCOMPARE(f->cboBuscar->currentText(), QStringLiteral("Todos"));
            QCOMPARE(f->txtBuscar->text(), QString());
            QCOMPARE(f->txtResult->text(), QString());
        }
        // From the first row: the first line of the list with "Cobro" in it.
        teclearBusqueda(*f, QStringLiteral("Cobro"));
        QTest::keyClick(f->txtBuscar, Qt::Key_F3);
        const int primera = qMin(fila(l, kD1), fila(l, kD2));
        verHallazgo(*f, l, primera, conciliacion::colConcepto, QStringLiteral("Cobro"));
        QVERIFY(d.verifyDone());
    }

    // Starting over takes the bold off the last hit, whichever way it starts over.
    void startingOverTakesTheBoldOff_data()
    {
        QTest::addColumn<QString>("como");
        QTest::newRow("a letter typed") << "letter";
        QTest::newRow("another column chosen") << "column";
        QTest::newRow("closed and opened again") << "reopen";
    }

    void startingOverTakesTheBoldOff()
    {
        QFETCH(QString, como);
        ui::ListView& l = *w->Lvw2;
        FrmBuscar* f = &abrirBuscar(l);
        teclearBusqueda(*f, QStringLiteral("Deposito"));
        QTest::keyClick(f->txtBuscar, Qt::Key_Return);
        QCOMPARE(celdasEnNegrita(l).size(), 1);
        if (como == QLatin1String("letter"))
            QTest::keyClick(f->txtBuscar, Qt::Key_Space);
        else if (como == QLatin1String("column"))
            buscarEn(*f, QStringLiteral("Concepto"));
        else {
            QTest::keyClick(f->txtBuscar, Qt::Key_Escape);
            f = &abrirBuscar(l);
        }
        QCOMPARE(celdasEnNegrita(l), QStringList());
        QVERIFY(f->cmdBuscar->isEnabled());
    }

    // The bold stays with its row when the operator sorts the list meanwhile, and the next step takes it off
    // that row.
    void theBoldFollowsItsRowThroughASort()
    {
        ui::ListView& l = *w->Lvw;
        FrmBuscar& f = abrirBuscar(l);
        teclearBusqueda(f, kD3);
        buscarEn(f, QStringLiteral("Concepto"));
        QTest::keyClick(f.txtBuscar, Qt::Key_F3);
        const QString antes = celdasEnNegrita(l).value(0);
        QCOMPARE(antes, QStringLiteral("%1:%2").arg(fila(l, kD3)).arg(int(conciliacion::colConcepto)));
        // The concept column's header clicked twice: descending by concept.
        for (int i = 0; i < 2; ++i)
            QTest::mouseClick(l.header()->viewport(), Qt::LeftButton, {},
                              QPoint(l.header()->sectionViewportPosition(conciliacion::colConcepto) + 5, 5));
        QCOMPARE(celdasEnNegrita(l), QStringList{QStringLiteral("%1:%2").arg(fila(l, kD3)).arg(int(conciliacion::colConcepto))});
        QTest::keyClick(f.txtBuscar, Qt::Key_F3);
        QCOMPARE(celdasEnNegrita(l), QStringList());
    }

    // Opened over the other list while it is open, the dialog goes on there after the last row it examined:
    // a row that list does not have is skipped, and the bold of the first list goes.
    void theOtherListGoesOnAfterTheLastRow()
    {
        ui::ScriptedDialogs d;
        FrmBuscar& f = abrirBuscar(*w->Lvw);
        const int filas = w->Lvw->ListItems().Count();
        QVERIFY(filas >= w->Lvw2->ListItems().Count());
        for (int i = 0; i < filas; ++i)
            QTest::keyClick(f.txtBuscar, Qt::Key_Return);
        QCOMPARE(f.UltimaFila(), filas);
        QCOMPARE(celdasEnNegrita(*w->Lvw).size(), 1);
        QCOMPARE(&abrirBuscar(*w->Lvw2), &f);
        QCOMPARE(f.Lvw.data(), w->Lvw2);
        QTest::keyClick(f.txtBuscar, Qt::Key_Return);
        QCOMPARE(celdasEnNegrita(*w->Lvw), QStringList());
        verSinHallazgo(f, *w->Lvw2);
        // Starting over finds in the right list from its first row.
        teclearBusqueda(f, kC1);
        QTest::keyClick(f.txtBuscar, Qt::Key_F3);
        verHallazgo(f, *w->Lvw2, fila(*w->Lvw2, kC1), conciliacion::colConcepto, kC1);
        QVERIFY(d.verifyDone());
    }
};

QTEST_MAIN(TstWindowFind)
#include "tst_window_find.moc"
