// The command bar's actions on the workbench: keys in any letter case, NUEVO, BORRAR (everything of the
// reconciliation or nothing), GRABAR (refused field, failed save, success), CONSULTAR, REPORTE, CANCELAR,
// CERRAR, and the same close without questions when the system ends the program; and the window's own keys.

#include "VentanaDePrueba.h"

#include "core/Globals.h"
#include "platform/suite/Brakmo.h"
#include "platform/suite/Reporte.h"
#include "platform/suite/ReportesRegistrados.h"

#include <QFileInfo>
#include <QSqlQuery>

namespace {

const QString kFinalizadaNoModificar = QStringLiteral("CONCILIACION FINALIZADA, NO SEPUEDE MODIFICAR");

bool disparador(const char* evento)
{
    return QSqlQuery(gDB().gCnn.database())
        .exec(QStringLiteral("CREATE TEMP TRIGGER rechazo %1 BEGIN SELECT RAISE(ABORT, 'rechazado'); END")
                  .arg(QLatin1String(evento)));
}

int bloqueosDe(int numero)
{
    return EmpresaDePrueba::cantidad(
        QStringLiteral("V_MV_CTROL_CPTE WHERE NUMERO = '%1'").arg(numero, 8, 10, QLatin1Char('0')));
}

} // namespace

class TstWindowCommands : public VentanaDePrueba {
    Q_OBJECT

private:
    // Reconciliation 1 applied and saved, then opened again (its reconciled lines not listed).
    void guardadaYAbierta(ui::ScriptedDialogs& d)
    {
        conciliarMarzo(*w);
        w->Brakmo1_Click(QStringLiteral("GRABAR"));
        confirmar(*w, "IdConciliacion", QStringLiteral("1"));
        QVERIFY(d.verifyDone());
        QCOMPARE(columna(*w->Lvw, conciliacion::colConcepto), QStringList{kD3});
    }

    // Reconciliation 1 applied, saved, finalized, then opened again.
    void finalizadaAbierta(ui::ScriptedDialogs& d)
    {
        conciliarMarzo(*w);
        w->Brakmo1_Click(QStringLiteral("GRABAR"));
        EmpresaDePrueba::ejecutar(QStringLiteral("UPDATE MV_CONCILIACION_CAB SET FINALIZADA = 1"));
        d.expectMsgBox(ui::vbOK).containing(QStringLiteral("se encuentra finalizada"));
        confirmar(*w, "IdConciliacion", QStringLiteral("1"));
    }

private slots:
    void keyTextsInAnyLetterCase_data()
    {
        QTest::addColumn<QString>("clave");
        QTest::addColumn<bool>("graba");
        QTest::newRow("GRABAR") << "GRABAR" << true;
        QTest::newRow("grabar") << "grabar" << true;
        QTest::newRow("Grabar") << "Grabar" << true;
        QTest::newRow("another text") << "GUARDAR" << false;
        QTest::newRow("empty") << "" << false;
    }

    void keyTextsInAnyLetterCase()
    {
        QFETCH(QString, clave);
        QFETCH(bool, graba);
        ui::ScriptedDialogs d;
        cargarMarzo(*w);
        tildar(*w->Lvw, kD3, true);
        w->Brakmo1_Click(clave);
        QVERIFY(d.verifyDone());
        QCOMPARE(w->TextoCampo(QStringLiteral("IdConciliacion")), graba ? QStringLiteral("2") : QStringLiteral("1"));
        QCOMPARE(EmpresaDePrueba::cantidad(QStringLiteral("MV_CONCILIACION WHERE CONCILIADO = 1")), graba ? 1 : 0);
        QCOMPARE(bloqueosDe(1), graba ? 0 : 1);
    }

    void nuevoGivesBackTheLockOnly()
    {
        ui::ScriptedDialogs d;
        cargarMarzo(*w);
        QCOMPARE(bloqueosDe(1), 1);
        w->Brakmo1_Click(QStringLiteral("NUEVO"));
        QVERIFY(d.verifyDone());
        QCOMPARE(bloqueos(), 0);
        QCOMPARE(w->TextoCampo(QStringLiteral("IdConciliacion")), QStringLiteral("1"));
        QCOMPARE(w->Lvw->ListItems().Count(), 3);
    }

    void borrarAnsweredNo()
    {
        ui::ScriptedDialogs d;
        conciliarMarzo(*w);
        const QString antes = volcado();
        d.expectMsgBox(ui::vbNo)
            .withText(QStringLiteral("¿Confirma la eliminación de la conciliación Nro: 1 ?"))
            .withStyle(ui::vbYesNo + ui::vbQuestion)
            .withTitle(QStringLiteral("ATENCIÓN"));
        w->Brakmo1_Click(QStringLiteral("BORRAR"));
        QVERIFY(d.verifyDone());
        QCOMPARE(volcado(), antes);
        QCOMPARE(w->TextoCampo(QStringLiteral("IdConciliacion")), QStringLiteral("1"));
    }

    // Also the links of the reconciled lines the list does not show.
    void borrarDeletesEverythingOfTheReconciliation()
    {
        ui::ScriptedDialogs d;
        guardadaYAbierta(d);
        QCOMPARE(enlaces().size(), 4);
        // A line of another reconciliation stays.
        EmpresaDePrueba::ejecutar(QStringLiteral("INSERT INTO MV_CONCILIACION_Cpte_AUX (IdCpte, IdCpteAux) VALUES (900, 901)"));
        d.expectMsgBox(ui::vbYes).containing(QStringLiteral("Nro: 1 ?"));
        w->Brakmo1_Click(QStringLiteral("BORRAR"));
        QVERIFY(d.verifyDone());
        QCOMPARE(enlaces(), QStringList{QStringLiteral("900|901")});
        for (const char* tabla : {"MV_CONCILIACION_CAB", "MV_CONCILIACION", "MV_CONCILIACION_AUX", "V_MV_CTROL_CPTE"})
            QCOMPARE(EmpresaDePrueba::cantidad(QLatin1String(tabla)), 0);
        QCOMPARE(w->TextoCampo(QStringLiteral("IdConciliacion")), QStringLiteral("1"));
        QCOMPARE(w->Lvw->ListItems().Count(), 0);
    }

    void borrarIsAllOrNothing()
    {
        ui::ScriptedDialogs d;
        conciliarMarzo(*w);
        QVERIFY(disparador("BEFORE DELETE ON MV_CONCILIACION_CAB"));
        const QString antes = volcado();
        d.expectMsgBox(ui::vbYes).containing(QStringLiteral("Nro: 1 ?"));
        d.expectErrorDialog(ui::vbAbort).withRoutine(QStringLiteral("Brakmo1_click"));
        w->Brakmo1_Click(QStringLiteral("BORRAR"));
        QVERIFY(d.verifyDone());
        QCOMPARE(volcado(), antes);
        QCOMPARE(w->TextoCampo(QStringLiteral("IdConciliacion")), QStringLiteral("1"));
        QCOMPARE(w->Lvw->ListItems().Count(), 3);
    }

    void borrarOfAFinalizedReconciliationIsRefused()
    {
        ui::ScriptedDialogs d;
        finalizadaAbierta(d);
        const QString antes = volcado();
        d.expectMsgBox(ui::vbOK).withText(kFinalizadaNoModificar);
        w->Brakmo1_Click(QStringLiteral("BORRAR"));
        QVERIFY(d.verifyDone());
        QCOMPARE(volcado(), antes);

        // Leaving it gives the commands back to the next reconciliation.
        w->Brakmo1_Click(QStringLiteral("CANCELAR"));
        QCOMPARE(bloqueos(), 0);
        QVERIFY(!w->FFinalizada);
        QVERIFY(w->CmdEjecutar->isEnabled());
        confirmar(*w, "IdConciliacion", QStringLiteral("2"));
        confirmar(*w, "CUENTA", QStringLiteral("1101"));
        for (QPushButton* b : {w->CmdConciliar, w->cmdRefresh, w->cmdComparar})
            QVERIFY2(b->isEnabled(), qPrintable(b->objectName()));
        QVERIFY(d.verifyDone());
    }

    // A refused field: nothing saved, the reconciliation and its lock stay.
    void grabarWithARefusedField()
    {
        ui::ScriptedDialogs d;
        cargarMarzo(*w);
        tildar(*w->Lvw, kD1, true);
        w->Campo(QStringLiteral("Fecha"))->clear();
        const QString antes = volcado();
        d.expectMsgBox(ui::vbOK).withText(QStringLiteral("Se debe informar el Campo: Fecha"));
        w->Brakmo1_Click(QStringLiteral("GRABAR"));
        QVERIFY(d.verifyDone());
        QCOMPARE(volcado(), antes);
        QVERIFY(!w->FGrabando);
        QCOMPARE(w->TextoCampo(QStringLiteral("IdConciliacion")), QStringLiteral("1"));
        QCOMPARE(bloqueosDe(1), 1);
    }

    // A save that fails is reported; the reconciliation stays on screen with its lock and nothing is written.
    void grabarWhoseSaveFails()
    {
        ui::ScriptedDialogs d;
        cargarMarzo(*w);
        tildar(*w->Lvw, kD1, true);
        QVERIFY(disparador("BEFORE UPDATE ON MV_CONCILIACION"));
        const QString antes = volcado();
        d.expectErrorDialog(ui::vbIgnore).withRoutine(QStringLiteral("ACTUALIZAR DATOS"));
        w->Brakmo1_Click(QStringLiteral("GRABAR"));
        QVERIFY(d.verifyDone());
        QVERIFY(w->FHayError);
        QCOMPARE(volcado(), antes);
        QCOMPARE(w->TextoCampo(QStringLiteral("IdConciliacion")), QStringLiteral("1"));
        QVERIFY(item(*w->Lvw, kD1).Checked());
        QCOMPARE(bloqueosDe(1), 1);

        // The marks are still due: once accepted, the same key saves them.
        QSqlQuery(gDB().gCnn.database()).exec(QStringLiteral("DROP TRIGGER rechazo"));
        w->Brakmo1_Click(QStringLiteral("GRABAR"));
        QVERIFY(d.verifyDone());
        QCOMPARE(EmpresaDePrueba::cantidad(QStringLiteral("MV_CONCILIACION WHERE CONCILIADO = 1")), 1);
        QCOMPARE(bloqueos(), 0);
    }

    // A finalized reconciliation: the save refuses with its own message and writes nothing, which is no
    // failure, so the lock is given back and the window starts a new reconciliation.
    void grabarOfAFinalizedReconciliation()
    {
        ui::ScriptedDialogs d;
        finalizadaAbierta(d);
        QVERIFY(d.verifyDone());
        QCOMPARE(bloqueosDe(1), 1);
        tildar(*w->Lvw, kD3, true);
        // Everything but the lock row, which the reset gives back.
        const auto lineas = [] {
            QStringList t = volcado().split(QLatin1Char('\n'));
            t.removeIf([](const QString& fila) { return fila.contains(QLatin1String("CCCC")); });
            return t;
        };
        const QStringList antes = lineas();
        d.expectMsgBox(ui::vbOK).withText(kFinalizadaNoModificar).withStyle(ui::vbOKOnly);
        w->Brakmo1_Click(QStringLiteral("GRABAR"));
        QVERIFY(d.verifyDone());
        QCOMPARE(lineas(), antes);
        QVERIFY(!w->FHayError);
        QCOMPARE(bloqueos(), 0);
        QCOMPARE(w->TextoCampo(QStringLiteral("IdConciliacion")), QStringLiteral("2"));
        QVERIFY(!w->FFinalizada);
    }

    void cancelarGivesBackTheLockOfTheOpenReconciliation()
    {
        ui::ScriptedDialogs d;
        guardadaYAbierta(d);
        QCOMPARE(bloqueosDe(1), 1);
        w->Brakmo1_Click(QStringLiteral("CANCELAR"));
        QVERIFY(d.verifyDone());
        QCOMPARE(bloqueos(), 0);
        QCOMPARE(w->TextoCampo(QStringLiteral("IdConciliacion")), QStringLiteral("2"));
        QCOMPARE(w->Lvw->ListItems().Count(), 0);
    }

    void consultarLooksUpTheCurrentField()
    {
        ui::ScriptedDialogs d;
        confirmar(*w, "IdConciliacion", QStringLiteral("1"));
        w->txtFields_GotFocus(w->IndiceCampo(QStringLiteral("Fecha")));
        d.expectDate(QDate(2026, 3, 31));
        w->Brakmo1_Click(QStringLiteral("consultar"));
        QVERIFY(d.verifyDone());
        QCOMPARE(w->TextoCampo(QStringLiteral("Fecha")), QStringLiteral("31/03/2026"));
    }

    void reportePrintsTheReconciliation()
    {
        ui::ScriptedDialogs d;
        conciliarMarzo(*w);
        suite::ReportesRegistrados mostrados;
        w->Brakmo1_Click(QStringLiteral("REPORTE"));
        QVERIFY(d.verifyDone());
        QCOMPARE(w->FTablaReporte, QStringLiteral("MV_CONCILIACION"));
        QCOMPARE(mostrados.documentos().size(), 1);
        QCOMPARE(mostrados.documentos().first().titulo, QStringLiteral("Brenquil"));
        QVERIFY(mostrados.texto(0).contains(kD1));
        QCOMPARE(ModGlobal::gReporte().Margen, 25);
        // Printing saves nothing.
        QCOMPARE(w->TextoCampo(QStringLiteral("IdConciliacion")), QStringLiteral("1"));
    }

    void cerrarEndsTheProgramAndGivesBackTheLock()
    {
        ui::ScriptedDialogs d;
        cargarMarzo(*w);
        tildar(*w->Lvw, kD1, true);
        const QString diario = empresa.archivo + QStringLiteral("-wal");
        QVERIFY(QFileInfo::exists(diario));
        QVERIFY_THROWS_EXCEPTION(ui::ProgramEnded, w->Brakmo1_Click(QStringLiteral("CERRAR")));
        QCOMPARE(d.log().last().kind, ui::PromptKind::EndProgram);
        // The program closed its connection before it ended: the engine's journal is gone from beside the
        // company, copied into it.
        QCOMPARE(gDB().gCnn.State(), int(ado::adStateClosed));
        QVERIFY(!QFileInfo::exists(diario));
        QVERIFY(empresa.volverAConectar());
        QCOMPARE(bloqueos(), 0);
        // Nothing on screen was saved; what the load registered was.
        QCOMPARE(EmpresaDePrueba::cantidad(QStringLiteral("MV_CONCILIACION WHERE CONCILIADO = 1")), 0);
        QCOMPARE(EmpresaDePrueba::cantidad(QStringLiteral("MV_CONCILIACION")), 3);
    }

    // The close the system's end runs (a signal to the program): no question whatever happens, a transaction the
    // signal came in the middle of is rolled back before the lock is given back, the connection is closed with
    // the journal given back, and the program ends even when the lock cannot be given back.
    void closingWithoutQuestions_data()
    {
        QTest::addColumn<bool>("transaccionAbierta");
        QTest::addColumn<bool>("liberacionFalla");
        QTest::newRow("a transaction left open") << true << false;
        QTest::newRow("the lock cannot be given back") << false << true;
    }
    void closingWithoutQuestions()
    {
        QFETCH(bool, transaccionAbierta);
        QFETCH(bool, liberacionFalla);
        ui::ScriptedDialogs d;
        cargarMarzo(*w);
        QCOMPARE(bloqueos(), 1);
        const QString diario = empresa.archivo + QStringLiteral("-wal");
        QVERIFY(QFileInfo::exists(diario));
        if (liberacionFalla)
            QVERIFY(disparador("BEFORE DELETE ON V_MV_CTROL_CPTE"));
        if (transaccionAbierta) {
            gDB().gCnn.BeginTrans();
            gDB().gCnn.Execute(QStringLiteral("UPDATE MV_CONCILIACION SET CONCILIADO = 1"));
        }
        const qsizetype antes = d.log().size();
        QVERIFY_THROWS_EXCEPTION(ui::ProgramEnded, w->CerrarSinPreguntar());
        QCOMPARE(d.log().size(), antes + 1);   // nothing but the program's end
        QCOMPARE(d.log().last().kind, ui::PromptKind::EndProgram);
        QCOMPARE(gDB().gCnn.State(), int(ado::adStateClosed));
        QVERIFY(!QFileInfo::exists(diario));
        QVERIFY(empresa.volverAConectar());
        QCOMPARE(bloqueos(), liberacionFalla ? 1 : 0);
        QCOMPARE(EmpresaDePrueba::cantidad(QStringLiteral("MV_CONCILIACION WHERE CONCILIADO = 1")), 0);
        QCOMPARE(EmpresaDePrueba::cantidad(QStringLiteral("MV_CONCILIACION")), 3);
        if (liberacionFalla)
            EmpresaDePrueba::ejecutar(QStringLiteral("DELETE FROM V_MV_CTROL_CPTE"));
    }

    // Keys go to the command bar first (F5 saves), then to the window (F9 loads).
    void windowKeys()
    {
        ui::ScriptedDialogs d;
        confirmar(*w, "IdConciliacion", QStringLiteral("1"));
        confirmar(*w, "Fecha", w->TextoCampo(QStringLiteral("Fecha")));
        confirmar(*w, "CUENTA", QStringLiteral("1101"));
        w->Campo(QStringLiteral("FechaD"))->setText(QStringLiteral("01/03/2026"));
        w->Campo(QStringLiteral("FechaH"))->setText(QStringLiteral("31/03/2026"));
        int tecla = 120;
        w->Form_KeyDown(tecla, 0);
        QCOMPARE(w->Lvw->ListItems().Count(), 3);
        tildar(*w->Lvw, kD2, true);
        w->Form_KeyDown(tecla = 116, 0);
        QCOMPARE(tecla, 0);
        QVERIFY(d.verifyDone());
        QCOMPARE(w->TextoCampo(QStringLiteral("IdConciliacion")), QStringLiteral("2"));
        QCOMPARE(EmpresaDePrueba::cantidad(QStringLiteral("MV_CONCILIACION WHERE CONCILIADO = 1")), 1);
    }
};

QTEST_MAIN(TstWindowCommands)
#include "tst_window_commands.moc"
