// Which commands the workbench offers in each mode, driven on the shown window: the command bar and the
// buttons by the lists at start-up, with a reconciliation open, with a finalized one open and after closing
// one; what a click on a command that is off does (nothing); F6 on a header field in every mode; and the
// function keys after a long step, sent to whatever has the focus.

#include "VentanaDePrueba.h"

#include "platform/suite/Brakmo.h"
#include "reconciliation/engine/Store.h"

#include <QAction>
#include <QApplication>
#include <QSqlQuery>

namespace {

// The commands that are on, bar keys first, then the buttons of the lists and the settings.
QStringList Encendidos(FrmConcCuentas& w)
{
    QStringList on;
    for (const QString& clave : suite::Brakmo::Claves())
        if (QAction* boton = w.Brakmo1->Boton(clave); boton && boton->isEnabled() && w.Brakmo1->isEnabled())
            on << clave;
    for (QWidget* b : std::initializer_list<QWidget*>{w.CmdEjecutar, w.cmdFind, w.cmdRefresh, w.cmdComparar,
                                                       w.CmdConciliar, w.cmdFinalizar, w.CmdQuitarI, w.CmdQuitarD,
                                                       w.ChkConciliados, w.cmdGrabaCfg})
        if (b->isEnabled())
            on << b->objectName();
    return on;
}

} // namespace

class TstWindowModes : public VentanaDePrueba {
    Q_OBJECT

private:
    // The progress window of a long step takes the activation; the desktop gives it back afterwards.
    void activar()
    {
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
    }

    // A key pressed on the control that has the window's focus, as the operator presses it.
    void pulsar(Qt::Key tecla)
    {
        QWidget* foco = w->focusWidget();
        QVERIFY2(foco, "no control of the window has the focus");
        activar();
        QCOMPARE(QApplication::focusWidget(), foco);
        QTest::keyClick(foco, tecla);
    }

    void alAbrir() override { mostrar(); }

private slots:
    void commandsFollowTheMode_data()
    {
        QTest::addColumn<QString>("modo");
        QTest::addColumn<QStringList>("encendidos");
        const QStringList abierta{QStringLiteral("BORRAR"), QStringLiteral("REPORTE"), QStringLiteral("CERRAR"),
                                  QStringLiteral("CANCELAR"), QStringLiteral("GRABAR")};
        QTest::newRow("start-up") << "start-up"
                                  << QStringList{QStringLiteral("CONSULTAR"), QStringLiteral("CERRAR"),
                                                 QStringLiteral("CmdEjecutar"), QStringLiteral("cmdFind")};
        QTest::newRow("open") << "open"
                              << abierta + QStringList{QStringLiteral("CmdEjecutar"), QStringLiteral("cmdFind"),
                                                       QStringLiteral("cmdRefresh"), QStringLiteral("cmdComparar"),
                                                       QStringLiteral("CmdConciliar"), QStringLiteral("cmdFinalizar"),
                                                       QStringLiteral("CmdQuitarI"), QStringLiteral("CmdQuitarD"),
                                                       QStringLiteral("ChkConciliados"), QStringLiteral("cmdGrabaCfg")};
        QTest::newRow("finalized") << "finalized"
                                   << abierta + QStringList{QStringLiteral("cmdFind"), QStringLiteral("cmdFinalizar"),
                                                            QStringLiteral("ChkConciliados"),
                                                            QStringLiteral("cmdGrabaCfg")};
        QTest::newRow("after closing") << "closed"
                                       << QStringList{QStringLiteral("CONSULTAR"), QStringLiteral("CERRAR"),
                                                      QStringLiteral("NUEVO"), QStringLiteral("CmdEjecutar"),
                                                      QStringLiteral("cmdFind")};
    }

    void commandsFollowTheMode()
    {
        QFETCH(QString, modo);
        QFETCH(QStringList, encendidos);
        ui::ScriptedDialogs d;
        if (modo != QLatin1String("start-up"))
            cargarMarzo(*w);
        if (modo == QLatin1String("finalized")) {
            w->Brakmo1_Click(QStringLiteral("GRABAR"));
            EmpresaDePrueba::ejecutar(QStringLiteral("UPDATE MV_CONCILIACION_CAB SET FINALIZADA = 1"));
            d.expectMsgBox(ui::vbOK).containing(QStringLiteral("se encuentra finalizada"));
            confirmar(*w, "IdConciliacion", QStringLiteral("1"));
        } else if (modo == QLatin1String("closed")) {
            w->Brakmo1_Click(QStringLiteral("CANCELAR"));
        }
        QVERIFY(d.verifyDone());
        QStringList actuales = Encendidos(*w);
        actuales.sort();
        encendidos.sort();
        QCOMPARE(actuales, encendidos);
    }

    // At start-up the proposed number has no header: a click on the commands that write lines writes nothing,
    // and the number can still be opened and used afterwards.
    void clicksOnCommandsThatAreOffWriteNothing()
    {
        ui::ScriptedDialogs d;
        const QString antes = volcado();
        for (QPushButton* b : {w->CmdConciliar, w->cmdRefresh, w->cmdComparar, w->CmdQuitarI, w->CmdQuitarD})
            QTest::mouseClick(b, Qt::LeftButton);
        QVERIFY(d.verifyDone());
        QCOMPARE(volcado(), antes);
        cargarMarzo(*w);
        QCOMPARE(w->Lvw->ListItems().Count(), 3);
        QVERIFY(d.verifyDone());
    }

    // The store itself writes no header that could be neither opened nor deleted afterwards.
    void storeRefusesAHeaderWithoutItsRequiredFields_data()
    {
        QTest::addColumn<QString>("falta");
        for (const char* campo : {"IdConciliacion", "Fecha", "CUENTA", "FechaD", "FechaH"})
            QTest::newRow(campo) << QString::fromLatin1(campo);
    }

    void storeRefusesAHeaderWithoutItsRequiredFields()
    {
        QFETCH(QString, falta);
        conciliacion::Cabecera c;
        c.numero = falta == QLatin1String("IdConciliacion") ? 0 : 7;
        c.fecha = falta == QLatin1String("Fecha") ? QString() : QStringLiteral("01/04/2026");
        c.cuenta = falta == QLatin1String("CUENTA") ? QStringLiteral("  ") : QStringLiteral("1101");
        c.fechaDesde = falta == QLatin1String("FechaD") ? QString() : QStringLiteral("01/03/2026");
        c.fechaHasta = falta == QLatin1String("FechaH") ? QString() : QStringLiteral("31/03/2026");
        conciliacion::ReconciliationStore store(gDB().gCnn, false, conciliacion::EntornoPrograma());
        const QString antes = volcado();
        try {
            store.RegistrarLibres(c, conciliacion::Lado::Izquierda);
            QFAIL("a header without its required fields was written");
        } catch (const ado::Error& e) {
            QCOMPARE(e.Description, QStringLiteral("Se debe informar el Campo: ") + falta);
        }
        QVERIFY_THROWS_EXCEPTION(ado::Error, store.Guardar(c, {}, {}));
        QCOMPARE(volcado(), antes);
    }

    // Once a reconciliation is open the bar's CONSULTAR is off, yet F6 on the date and period fields still
    // offers their date picker.
    void lookupsOfTheFieldsStayReachable_data()
    {
        QTest::addColumn<QString>("campo");
        QTest::newRow("date") << QStringLiteral("Fecha");
        QTest::newRow("from") << QStringLiteral("FechaD");
        QTest::newRow("up to") << QStringLiteral("FechaH");
    }

    void lookupsOfTheFieldsStayReachable()
    {
        QFETCH(QString, campo);
        ui::ScriptedDialogs d;
        cargarMarzo(*w);
        QVERIFY(!w->Brakmo1->Flag(2));
        activar();
        QLineEdit* c = w->Campo(campo);
        c->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), c);
        d.expectDate(QDate(2026, 3, 20));
        QTest::keyClick(c, Qt::Key_F6);
        QVERIFY(d.verifyDone());
        QCOMPARE(c->text(), QStringLiteral("20/03/2026"));
    }

    // After "Aplicar" (no question asked) the keys still reach the window: F7 cancels the reconciliation.
    void keysAfterAplicar()
    {
        ui::ScriptedDialogs d;
        cargarMarzo(*w);
        tildar(*w->Lvw, kD1, true);
        tildar(*w->Lvw2, kC1, true);
        QTest::mouseClick(w->CmdConciliar, Qt::LeftButton);
        QCOMPARE(enlaces().size(), 1);
        QCOMPARE(bloqueos(), 1);
        pulsar(Qt::Key_F7);
        QVERIFY(d.verifyDone());
        QCOMPARE(bloqueos(), 0);
        QCOMPARE(w->Lvw->ListItems().Count(), 0);
        QCOMPARE(w->focusWidget(), w->Campo(QStringLiteral("IdConciliacion")));
    }

    // After a load that finds no lines the list has the focus and F5 saves and starts the next number.
    void keysAfterALoadWithNoLines()
    {
        ui::ScriptedDialogs d;
        confirmar(*w, "IdConciliacion", QStringLiteral("1"));
        confirmar(*w, "Fecha", w->TextoCampo(QStringLiteral("Fecha")));
        confirmar(*w, "CUENTA", QStringLiteral("1101"));
        w->Campo(QStringLiteral("FechaD"))->setText(QStringLiteral("01/01/2020"));
        w->Campo(QStringLiteral("FechaH"))->setText(QStringLiteral("31/01/2020"));
        w->Campo(QStringLiteral("OBS"))->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), w->Campo(QStringLiteral("OBS")));
        pulsar(Qt::Key_F9);
        QCOMPARE(w->Lvw->ListItems().Count(), 0);
        QCOMPARE(w->focusWidget(), w->Lvw);
        pulsar(Qt::Key_F5);
        QVERIFY(d.verifyDone());
        QCOMPARE(EmpresaDePrueba::cantidad(QStringLiteral("MV_CONCILIACION_CAB WHERE IDCONCILIACION = 1")), 1);
        QCOMPARE(w->TextoCampo(QStringLiteral("IdConciliacion")), QStringLiteral("2"));
        QCOMPARE(bloqueos(), 0);
    }
};

QTEST_MAIN(TstWindowModes)
#include "tst_window_modes.moc"
