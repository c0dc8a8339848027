// The demo company as a new user meets it: the bank account with the period the window proposes (the current
// month) lists journal lines on both sides.

#include "VentanaDePrueba.h"

class TstWindowDemo : public VentanaDePrueba {
    Q_OBJECT

    bool crearEmpresa() override { return empresa.crearDemo(); }

private slots:
    void theBankAccountListsTheProposedMonth()
    {
        ui::ScriptedDialogs d;
        confirmar(*w, "IdConciliacion", w->TextoCampo(QStringLiteral("IdConciliacion")));
        confirmar(*w, "Fecha", w->TextoCampo(QStringLiteral("Fecha")));
        confirmar(*w, "CUENTA", QString::fromLatin1(schema::kBankAccount));
        QVERIFY(d.verifyDone());
        const QString mes = QDate::currentDate().toString(QStringLiteral("/MM/yyyy"));
        QCOMPARE(w->TextoCampo(QStringLiteral("FechaD")), QStringLiteral("01") + mes);
        QVERIFY(w->TextoCampo(QStringLiteral("FechaH")).endsWith(mes));

        w->CmdEjecutar_Click();
        QVERIFY(d.verifyDone());
        QVERIFY(w->Lvw->ListItems().Count() >= 5);
        QVERIFY(w->Lvw2->ListItems().Count() >= 5);
        for (const QString& fecha : columna(*w->Lvw, conciliacion::colFecha) + columna(*w->Lvw2, conciliacion::colFecha))
            QVERIFY2(fecha.endsWith(mes), qPrintable(fecha));
    }
};

QTEST_MAIN(TstWindowDemo)
#include "tst_window_demo.moc"
