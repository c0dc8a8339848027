// Loading both panels through the window: the journal lines of the account and period registered under the
// reconciliation and listed with their totals; lines held elsewhere skipped; texts with quotes; a second
// load; cancelling the load.

#include "VentanaDePrueba.h"

#include "core/Globals.h"
#include "platform/suite/Progreso.h"

class TstWindowLoad : public VentanaDePrueba {
    Q_OBJECT

private slots:
    void bothPanelsOfTheAccountAndPeriod()
    {
        ui::ScriptedDialogs d;
        cargarMarzo(*w);
        QVERIFY(d.verifyDone());

        QCOMPARE(EmpresaDePrueba::filasDe(QStringLiteral(
                     "SELECT IDCONCILIACION, TIPO, CUENTA, OBSERVACIONES, FECHADESDE, FECHAHASTA, UNEGOCIO, USUARIO, "
                     "FINALIZADA FROM MV_CONCILIACION_CAB")),
                 QStringList{QStringLiteral("1|CTA|1101|Marzo|01/03/2026|31/03/2026|||0")});
        QCOMPARE(EmpresaDePrueba::filasDe(QStringLiteral(
                     "SELECT SECUENCIA, MES_OPERATIVO, [NUMERO ASIENTO], PERIODO, TIPO_REG, CUENTA, FECHAMOV, "
                     "VENCIMIENTO, TC, COMPROBANTE, IMPORTE, CONCEPTO, IDCONCAUX, CONCILIADO, FINALIZADA, TC_ORIGEN, "
                     "CPTE_ORIGEN FROM MV_CONCILIACION WHERE IDCONCILIACION = 1 ORDER BY ID")),
                 (QStringList{
                     QStringLiteral("1|3|101|2026|N|1101|05/03/2026|05/03/2026|FC|000100000010A|100|Cobro FC 10||0|0|FC|00000010"),
                     QStringLiteral("2|3|102|2026|N|1101|10/03/2026|10/03/2026|FC|000100000011A|250|Cobro FC 11||0|0|FC|00000011"),
                     QStringLiteral("3|3|103|2026|N|1101|12/03/2026||VJ|000100000077X|40|Ajuste||0|0|VJ|00000077"),
                 }));
        QCOMPARE(EmpresaDePrueba::filasDe(QStringLiteral(
                     "SELECT SECUENCIA, COMPROBANTE, IMPORTE, CONCEPTO, FINALIZADA, CONCILIA FROM MV_CONCILIACION_AUX "
                     "WHERE IDCONCILIACION = 1 ORDER BY ID")),
                 (QStringList{
                     QStringLiteral("4|000100000010A|100|Deposito 10|0|"),
                     QStringLiteral("5|000200000005X|250|Deposito 11|0|"),
                     QStringLiteral("6|000100000003X|7.5|Comision|0|"),
                 }));
        QCOMPARE(EmpresaDePrueba::cantidad(QStringLiteral("MV_CONCILIACION")), 3);
        QCOMPARE(EmpresaDePrueba::cantidad(QStringLiteral("MV_CONCILIACION_AUX")), 3);

        QCOMPARE(columna(*w->Lvw, conciliacion::colConcepto),
                 (QStringList{QStringLiteral("Cobro FC 10"), QStringLiteral("Cobro FC 11"), QStringLiteral("Ajuste")}));
        QCOMPARE(columna(*w->Lvw, conciliacion::colImporte),
                 (QStringList{QStringLiteral("100.00"), QStringLiteral("250.00"), QStringLiteral("40.00")}));
        QCOMPARE(columna(*w->Lvw, conciliacion::colVencimiento),
                 (QStringList{QStringLiteral("05/03/2026"), QStringLiteral("10/03/2026"), QString()}));
        QCOMPARE(columna(*w->Lvw, conciliacion::colComprobante),
                 (QStringList{QStringLiteral("000100000010A"), QStringLiteral("000100000011A"),
                              QStringLiteral("000100000077X")}));
        QCOMPARE(columna(*w->Lvw, conciliacion::colSecuencia),
                 (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}));
        QCOMPARE(columna(*w->Lvw, conciliacion::colConciliadoCon), (QStringList{QString(), QString(), QString()}));
        QCOMPARE(columna(*w->Lvw2, conciliacion::colConcepto),
                 (QStringList{QStringLiteral("Deposito 10"), QStringLiteral("Deposito 11"), QStringLiteral("Comision")}));
        // Each row names its own registration row.
        QCOMPARE(columna(*w->Lvw, conciliacion::colID),
                 EmpresaDePrueba::filasDe(QStringLiteral("SELECT ID FROM MV_CONCILIACION ORDER BY ID")));
        QCOMPARE(columna(*w->Lvw2, conciliacion::colID),
                 EmpresaDePrueba::filasDe(QStringLiteral("SELECT ID FROM MV_CONCILIACION_AUX ORDER BY ID")));
        for (int i = 1; i <= 3; ++i) {
            QVERIFY(!w->Lvw->ListItems()(i).Checked());
            QCOMPARE(w->Lvw->ListItems()(i).SmallIcon(), conciliacion::kIconoSinMarcar);
        }

        QCOMPARE(w->lblTotNConc->text(), QStringLiteral("390.00"));
        QCOMPARE(w->lblTotConc->text(), QStringLiteral("0.00"));
        QCOMPARE(w->lblTotNConc2->text(), QStringLiteral("357.50"));
        QCOMPARE(w->lblTotConc2->text(), QStringLiteral("0.00"));
        QCOMPARE(w->LblDif2->text(), QStringLiteral("0.00"));
        QVERIFY(w->SSTab1->isTabEnabled(1));
        QVERIFY(w->CmdEjecutar->isEnabled());
        QVERIFY(!w->FEjecutando);
    }

    // A period without journal lines: the header is written all the same, the lists stay empty and the
    // window is given back ready for another load.
    void periodWithoutLines()
    {
        ui::ScriptedDialogs d;
        confirmar(*w, "IdConciliacion", QStringLiteral("1"));
        confirmar(*w, "CUENTA", QStringLiteral("1101"));
        w->Campo(QStringLiteral("FechaD"))->setText(QStringLiteral("01/01/2025"));
        w->Campo(QStringLiteral("FechaH"))->setText(QStringLiteral("31/01/2025"));
        w->CmdEjecutar_Click();
        QVERIFY(d.verifyDone());
        QCOMPARE(EmpresaDePrueba::filasDe(QStringLiteral("SELECT CUENTA, FECHADESDE FROM MV_CONCILIACION_CAB")),
                 QStringList{QStringLiteral("1101|01/01/2025")});
        QCOMPARE(EmpresaDePrueba::cantidad(QStringLiteral("MV_CONCILIACION")), 0);
        QCOMPARE(EmpresaDePrueba::cantidad(QStringLiteral("MV_CONCILIACION_AUX")), 0);
        QCOMPARE(w->Lvw->ListItems().Count(), 0);
        QCOMPARE(w->Lvw2->ListItems().Count(), 0);
        QCOMPARE(w->Lvw->ColumnHeaders().Count(), conciliacion::kCantidadColumnas);
        for (QLabel* total : {w->lblTotNConc, w->lblTotConc, w->lblTotNConc2, w->lblTotConc2})
            QCOMPARE(total->text(), QStringLiteral("0.00"));
        QVERIFY(w->CmdEjecutar->isEnabled());
        QVERIFY(w->SSTab1->isTabEnabled(1));
    }

    // The list row of a line is bound to the row inserted for it, whatever other rows the table holds.
    void rowsNameTheirOwnRegistration()
    {
        EmpresaDePrueba::ejecutar(QStringLiteral(
            "INSERT INTO MV_CONCILIACION (ID, IDCONCILIACION, CUENTA, SECUENCIA, MES_OPERATIVO, [NUMERO ASIENTO], "
            "PERIODO, TIPO_REG) VALUES (900, 9, '1199', 1, 1, 1, 2026, 'N')"));
        ui::ScriptedDialogs d;
        cargarMarzo(*w);
        QVERIFY(d.verifyDone());
        QStringList esperados;
        for (const QString& secuencia : columna(*w->Lvw, conciliacion::colSecuencia))
            esperados << EmpresaDePrueba::valor(
                QStringLiteral("SELECT ID FROM MV_CONCILIACION WHERE IDCONCILIACION = 1 AND SECUENCIA = %1").arg(secuencia));
        QCOMPARE(columna(*w->Lvw, conciliacion::colID), esperados);
        QVERIFY(!esperados.contains(QStringLiteral("900")));
    }

    void lineHeldByAnotherReconciliationIsSkipped()
    {
        EmpresaDePrueba::ejecutar(QStringLiteral(
            "INSERT INTO MV_CONCILIACION_CAB (IDCONCILIACION, TIPO, CUENTA, FINALIZADA) VALUES (9, 'CTA', '1101', 0)"));
        EmpresaDePrueba::ejecutar(QStringLiteral(
            "INSERT INTO MV_CONCILIACION (IDCONCILIACION, CUENTA, SECUENCIA, MES_OPERATIVO, [NUMERO ASIENTO], PERIODO, "
            "TIPO_REG, IMPORTE) VALUES (9, '1101', 1, 3, 101, 2026, 'N', 100)"));
        ui::ScriptedDialogs d;
        cargarMarzo(*w, QStringLiteral("10"));
        QVERIFY(d.verifyDone());
        QCOMPARE(columna(*w->Lvw, conciliacion::colConcepto),
                 (QStringList{QStringLiteral("Cobro FC 11"), QStringLiteral("Ajuste")}));
        QCOMPARE(w->lblTotNConc->text(), QStringLiteral("290.00"));
        QCOMPARE(EmpresaDePrueba::secuencias(QStringLiteral("MV_CONCILIACION"), 10),
                 (QStringList{QStringLiteral("2"), QStringLiteral("3")}));
        QCOMPARE(EmpresaDePrueba::secuencias(QStringLiteral("MV_CONCILIACION"), 9), QStringList{QStringLiteral("1")});
        // The credit lines are tested against the credit table only.
        QCOMPARE(w->Lvw2->ListItems().Count(), 3);
    }

    // Quotes in the journal, the observation and the user filter are taken as text and stored as typed.
    void textsWithQuotes()
    {
        ui::ScriptedDialogs d;
        confirmar(*w, "IdConciliacion", QStringLiteral("1"));
        confirmar(*w, "CUENTA", QStringLiteral("1102"));
        w->Campo(QStringLiteral("FechaD"))->setText(QStringLiteral("01/03/2026"));
        w->Campo(QStringLiteral("FechaH"))->setText(QStringLiteral("31/03/2026"));
        w->Campo(QStringLiteral("OBS"))->setText(QStringLiteral("Obs d'Ana"));
        w->Campo(QStringLiteral("Usuario"))->setText(QStringLiteral("o'b"));
        w->CmdEjecutar_Click();
        QVERIFY(d.verifyDone());
        QCOMPARE(EmpresaDePrueba::valor(QStringLiteral("SELECT OBSERVACIONES || '|' || USUARIO FROM MV_CONCILIACION_CAB")),
                 QStringLiteral("Obs d'Ana|o'b"));
        QCOMPARE(EmpresaDePrueba::filasDe(QStringLiteral("SELECT CONCEPTO FROM MV_CONCILIACION")),
                 QStringList{QStringLiteral("Cobro d'Alba")});
        QCOMPARE(columna(*w->Lvw, conciliacion::colConcepto), QStringList{QStringLiteral("Cobro d'Alba")});
        // The other account's credit line was keyed by nobody, so the user filter leaves it out.
        QCOMPARE(w->Lvw2->ListItems().Count(), 0);
    }

    // Loading again validates the number, which now opens the reconciliation the first load created; its own
    // lines stay listed.
    void secondLoadKeepsItsOwnLines()
    {
        ui::ScriptedDialogs d;
        cargarMarzo(*w);
        w->CmdEjecutar_Click();
        QVERIFY(d.verifyDone());
        QCOMPARE(w->Lvw->ListItems().Count(), 3);
        QCOMPARE(w->Lvw2->ListItems().Count(), 3);
        QCOMPARE(w->lblTotNConc->text(), QStringLiteral("390.00"));
        QCOMPARE(w->lblTotNConc2->text(), QStringLiteral("357.50"));
        QCOMPARE(EmpresaDePrueba::cantidad(QStringLiteral("MV_CONCILIACION")), 3);
        QCOMPARE(EmpresaDePrueba::cantidad(QStringLiteral("MV_CONCILIACION_AUX")), 3);
        QCOMPARE(EmpresaDePrueba::cantidad(QStringLiteral("V_MV_CTROL_CPTE")), 1);
    }

    // Another station finalized the reconciliation while it was open here: a reload says so and changes
    // neither the lists nor the tables, and the commands that change lines go off.
    void reloadOfAReconciliationFinalizedElsewhere()
    {
        ui::ScriptedDialogs d;
        cargarMarzo(*w);
        EmpresaDePrueba::ejecutar(QStringLiteral("INSERT INTO MV_ASIENTOS (CUENTA, SECUENCIA, MES_OPERATIVO, "
                                                 "[NUMERO ASIENTO], PERIODO, TIPO_REG, FECHA, [DEBE-HABER], IMPORTE, "
                                                 "DETALLE) VALUES ('1101', 50, 3, 150, 2026, 'N', '2026-03-25', 'D', "
                                                 "5, 'nueva')"));
        EmpresaDePrueba::ejecutar(QStringLiteral("UPDATE MV_CONCILIACION_CAB SET FINALIZADA = 1"));
        const QStringList tablas = EmpresaDePrueba::filasDe(QStringLiteral("SELECT ID, SECUENCIA FROM MV_CONCILIACION "
                                                                           "UNION ALL SELECT ID, SECUENCIA FROM "
                                                                           "MV_CONCILIACION_AUX"));
        d.expectMsgBox(ui::vbOK).withText(QStringLiteral("CONCILIACION FINALIZADA, NO SEPUEDE MODIFICAR"));
        QTest::mouseClick(w->cmdRefresh, Qt::LeftButton);
        QVERIFY(d.verifyDone());
        QCOMPARE(w->Lvw->ListItems().Count(), 3);
        QCOMPARE(w->Lvw2->ListItems().Count(), 3);
        QCOMPARE(EmpresaDePrueba::filasDe(QStringLiteral("SELECT ID, SECUENCIA FROM MV_CONCILIACION UNION ALL SELECT "
                                                         "ID, SECUENCIA FROM MV_CONCILIACION_AUX")),
                 tablas);
        QVERIFY(w->FFinalizada);
        for (QPushButton* b : {w->CmdConciliar, w->cmdComparar, w->cmdRefresh, w->CmdQuitarI, w->CmdQuitarD})
            QVERIFY2(!b->isEnabled(), qPrintable(b->objectName()));
        EmpresaDePrueba::ejecutar(QStringLiteral("DELETE FROM MV_ASIENTOS WHERE SECUENCIA = 50"));
    }

    // A failure while a panel loads is shown under what the operator knows: the window, the command and the
    // panel; the other panel still loads.
    void aFailureNamesTheCommandAndThePanel_data()
    {
        QTest::addColumn<QString>("orden");
        QTest::addColumn<QString>("titulo");
        QTest::newRow("F9") << "F9" << "Brenquil - [F9] Ejecutar Consulta: Cargando Panel Izquierdo";
        QTest::newRow("reload") << "Actualizar" << "Brenquil - Actualizar: Cargando Panel Izquierdo";
    }
    void aFailureNamesTheCommandAndThePanel()
    {
        QFETCH(QString, orden);
        QFETCH(QString, titulo);
        ui::ScriptedDialogs d;
        if (orden == "Actualizar") {
            cargarMarzo(*w);
            // A new line to register, so that the reload writes.
            EmpresaDePrueba::ejecutar(QStringLiteral(
                "INSERT INTO MV_ASIENTOS (CUENTA, SECUENCIA, MES_OPERATIVO, [NUMERO ASIENTO], PERIODO, TIPO_REG, FECHA, "
                "[DEBE-HABER], IMPORTE, DETALLE) VALUES ('1101', 50, 3, 150, 2026, 'N', '2026-03-25', 'D', 5, 'nueva')"));
        }
        QVERIFY(QSqlQuery(gDB().gCnn.database())
                    .exec(QStringLiteral("CREATE TEMP TRIGGER rechazo BEFORE INSERT ON MV_CONCILIACION BEGIN "
                                         "SELECT RAISE(ABORT, 'rechazado'); END")));
        d.expectErrorDialog(ui::vbAbort).withRoutine(titulo).containing(QStringLiteral("rechazado"));
        if (orden == "F9")
            cargarMarzo(*w);
        else
            QTest::mouseClick(w->cmdRefresh, Qt::LeftButton);
        QVERIFY(d.verifyDone());
        QCOMPARE(w->Lvw2->ListItems().Count(), 3);
        QVERIFY(QSqlQuery(gDB().gCnn.database()).exec(QStringLiteral("DROP TRIGGER rechazo")));
        EmpresaDePrueba::ejecutar(QStringLiteral("DELETE FROM MV_ASIENTOS WHERE SECUENCIA = 50"));
    }

    void cancelWhileLoading_data()
    {
        QTest::addColumn<int>("respuesta");
        QTest::addColumn<QStringList>("listadas");
        QTest::newRow("No goes on with the same line")
            << int(ui::vbNo) << QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")};
        QTest::newRow("Yes keeps what was listed") << int(ui::vbYes) << QStringList{QStringLiteral("1")};
    }

    void cancelWhileLoading()
    {
        QFETCH(int, respuesta);
        QFETCH(QStringList, listadas);
        ui::ScriptedDialogs d;
        d.expectMsgBox(respuesta)
            .withText(QStringLiteral("Realmente desea Abortar el Proceso"))
            .withTitle(QStringLiteral("Aviso al operador"))
            .withStyle(ui::vbYesNo + ui::vbQuestion);
        if (respuesta == ui::vbYes)
            d.expectMsgBox(ui::vbOK)
                .withText(QStringLiteral("Los datos que se mostrarán serán los generados hasta el momento"))
                .withTitle(QStringLiteral("Aviso al Operador!!!"));
        // The operator presses cancel while the second left line is being loaded.
        ModGlobal::gProgreso().CancelarEnAvance(2);
        cargarMarzo(*w);
        ModGlobal::gProgreso().CancelarEnAvance(0);
        QVERIFY(d.verifyDone());
        QCOMPARE(columna(*w->Lvw, conciliacion::colSecuencia), listadas);
        // What is listed is what is held; lines not listed stay free for other reconciliations.
        QCOMPARE(EmpresaDePrueba::secuencias(QStringLiteral("MV_CONCILIACION"), 1), listadas);
        QCOMPARE(w->Lvw2->ListItems().Count(), 3);
        QVERIFY(!ModGlobal::gProgreso().isVisible());
    }
};

QTEST_MAIN(TstWindowLoad)
#include "tst_window_load.moc"
