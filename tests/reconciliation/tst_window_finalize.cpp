// Finalizing through the window: two confirmations that default to No; the header validated first; one
// transaction that saves the screen, releases every unmarked line (shown or not), flags the marked ones and
// the header and gives back the lock; a failure rolled back and told without a success message; an already
// finalized reconciliation refused.

#include "VentanaDePrueba.h"

#include <QSqlQuery>

namespace {

const QString kPrimera = QStringLiteral("¿Está seguro de Finalizar la Conciliación Número: 1?\r\nSi finaliza la "
                                        "conciliación no prodrá volver a modificarla.\r\n¿Confirma?");
const QString kSegunda =
    QStringLiteral("Los registros pendientes de conciliar se liberarán para futuras conciliaciones\r\n¿Confirma?");
const int kEstilo = ui::vbYesNo + ui::vbQuestion + ui::vbDefaultButton2;

void confirmarAmbas(ui::ScriptedDialogs& d)
{
    d.expectMsgBox(ui::vbYes).withText(kPrimera).withStyle(kEstilo).withTitle(QStringLiteral("ATENCIÓN"));
    d.expectMsgBox(ui::vbYes).withText(kSegunda).withStyle(kEstilo).withTitle(QStringLiteral("ATENCIÓN"));
}

void exito(ui::ScriptedDialogs& d)
{
    d.expectMsgBox(ui::vbOK)
        .withText(QStringLiteral("La Conciliación número: 1 se finalizó correctamente."))
        .withStyle(ui::vbOKOnly + ui::vbInformation)
        .withTitle(QStringLiteral("Aviso al Usuario"));
}

} // namespace

class TstWindowFinalize : public VentanaDePrueba {
    Q_OBJECT

private slots:
    void anyAnswerButYesFinalizesNothing_data()
    {
        QTest::addColumn<int>("primera");
        QTest::addColumn<int>("segunda");
        QTest::newRow("first No") << int(ui::vbNo) << 0;
        QTest::newRow("second No") << int(ui::vbYes) << int(ui::vbNo);
    }

    void anyAnswerButYesFinalizesNothing()
    {
        QFETCH(int, primera);
        QFETCH(int, segunda);
        ui::ScriptedDialogs d;
        conciliarMarzo(*w);
        const QString antes = volcado();
        d.expectMsgBox(primera).withText(kPrimera).withStyle(kEstilo);
        if (segunda)
            d.expectMsgBox(segunda).withText(kSegunda).withStyle(kEstilo);
        w->cmdFinalizar_Click();
        QVERIFY(d.verifyDone());
        QCOMPARE(volcado(), antes);
        QCOMPARE(w->TextoCampo(QStringLiteral("IdConciliacion")), QStringLiteral("1"));
    }

    // The lines the list does not show are finalized and released too, and unsaved marks count.
    void actsOnEveryLineOfTheReconciliation()
    {
        ui::ScriptedDialogs d;
        conciliarMarzo(*w);
        w->Brakmo1_Click(QStringLiteral("GRABAR"));
        confirmar(*w, "IdConciliacion", QStringLiteral("1"));
        QCOMPARE(columna(*w->Lvw, conciliacion::colConcepto), QStringList{kD3});
        // C3 marked on screen and not saved: it is kept, marked.
        tildar(*w->Lvw2, kC3, true);
        confirmarAmbas(d);
        exito(d);
        w->cmdFinalizar_Click();
        QVERIFY(d.verifyDone());
        QCOMPARE(EmpresaDePrueba::filasDe(QStringLiteral(
                     "SELECT SECUENCIA, CONCILIADO, FINALIZADA FROM MV_CONCILIACION ORDER BY SECUENCIA")),
                 (QStringList{QStringLiteral("1|1|1"), QStringLiteral("2|1|1")}));
        QCOMPARE(EmpresaDePrueba::filasDe(QStringLiteral(
                     "SELECT SECUENCIA, FINALIZADA FROM MV_CONCILIACION_AUX ORDER BY SECUENCIA")),
                 (QStringList{QStringLiteral("4|1"), QStringLiteral("5|1"), QStringLiteral("6|1")}));
        QCOMPARE(EmpresaDePrueba::valor(QStringLiteral("SELECT FINALIZADA FROM MV_CONCILIACION_CAB")), QStringLiteral("1"));
        QCOMPARE(bloqueos(), 0);
        QCOMPARE(w->TextoCampo(QStringLiteral("IdConciliacion")), QStringLiteral("2"));
    }

    // A header the save key refuses: nothing is finalized and the reconciliation stays open.
    void refusedHeaderFinalizesNothing()
    {
        ui::ScriptedDialogs d;
        conciliarMarzo(*w);
        w->Campo(QStringLiteral("Fecha"))->clear();
        const QString antes = volcado();
        confirmarAmbas(d);
        d.expectMsgBox(ui::vbOK).withText(QStringLiteral("Se debe informar el Campo: Fecha"));
        w->cmdFinalizar_Click();
        QVERIFY(d.verifyDone());
        QCOMPARE(volcado(), antes);
        QCOMPARE(w->TextoCampo(QStringLiteral("IdConciliacion")), QStringLiteral("1"));
    }

    void failureIsRolledBackAndTold_data()
    {
        QTest::addColumn<QString>("evento");
        QTest::newRow("saving a mark") << "BEFORE UPDATE OF CONCILIADO ON MV_CONCILIACION";
        QTest::newRow("releasing a line") << "BEFORE DELETE ON MV_CONCILIACION_AUX";
        QTest::newRow("flagging the header") << "BEFORE UPDATE OF FINALIZADA ON MV_CONCILIACION_CAB WHEN NEW.FINALIZADA = 1";
    }

    void failureIsRolledBackAndTold()
    {
        QFETCH(QString, evento);
        ui::ScriptedDialogs d;
        conciliarMarzo(*w);
        tildar(*w->Lvw, kD3, true);
        QVERIFY(QSqlQuery(gDB().gCnn.database())
                    .exec(QStringLiteral("CREATE TEMP TRIGGER rechazo %1 BEGIN SELECT RAISE(ABORT, 'rechazado'); END")
                              .arg(evento)));
        const QString antes = volcado();
        confirmarAmbas(d);
        // It says that the reconciliation was not finalized, and then why.
        d.expectMsgBox(ui::vbOK)
            .containing(QStringLiteral("La Conciliación número: 1 no se finalizó; no se grabó ningún cambio.\r\n"))
            .withStyle(ui::vbOKOnly + ui::vbCritical)
            .withTitle(QStringLiteral("ATENCIÓN"));
        w->cmdFinalizar_Click();
        QVERIFY(d.verifyDone());
        QVERIFY2(d.log().last().text.contains(QStringLiteral("rechazado")), qPrintable(d.log().last().text));
        QCOMPARE(volcado(), antes);
        QCOMPARE(w->TextoCampo(QStringLiteral("IdConciliacion")), QStringLiteral("1"));
        QVERIFY(!w->FFinalizada);
    }

    void finalizedIsRefused()
    {
        ui::ScriptedDialogs d;
        conciliarMarzo(*w);
        w->Brakmo1_Click(QStringLiteral("GRABAR"));
        EmpresaDePrueba::ejecutar(QStringLiteral("UPDATE MV_CONCILIACION_CAB SET FINALIZADA = 1"));
        d.expectMsgBox(ui::vbOK).containing(QStringLiteral("se encuentra finalizada"));
        confirmar(*w, "IdConciliacion", QStringLiteral("1"));
        // Unmarked on screen: a second finalization would have deleted it.
        d.expectMsgBox(ui::vbYes).containing(QStringLiteral("planilla derecha"));
        w->ChkConciliados->setChecked(true);
        w->ChkConciliados_Click();
        tildar(*w->Lvw, kD1, false);
        const QString antes = volcado();
        d.expectMsgBox(ui::vbOK).withText(QStringLiteral("CONCILIACION FINALIZADA, NO SEPUEDE MODIFICAR"));
        w->cmdFinalizar_Click();
        QVERIFY(d.verifyDone());
        QCOMPARE(volcado(), antes);
    }

    // Finalized from another station meanwhile: the store refuses, nothing is written.
    void finalizedMeanwhileIsRefused()
    {
        ui::ScriptedDialogs d;
        conciliarMarzo(*w);
        EmpresaDePrueba::ejecutar(QStringLiteral("UPDATE MV_CONCILIACION_CAB SET FINALIZADA = 1"));
        const QString antes = volcado();
        confirmarAmbas(d);
        d.expectMsgBox(ui::vbOK).withText(QStringLiteral("CONCILIACION FINALIZADA, NO SEPUEDE MODIFICAR"));
        w->cmdFinalizar_Click();
        QVERIFY(d.verifyDone());
        QCOMPARE(volcado(), antes);
        QVERIFY(w->FFinalizada);
    }

    // A new reconciliation never loaded: only its header, finalized.
    void withoutLinesOnlyTheHeader()
    {
        ui::ScriptedDialogs d;
        confirmar(*w, "IdConciliacion", QStringLiteral("1"));
        confirmar(*w, "CUENTA", QStringLiteral("1101"));
        confirmarAmbas(d);
        exito(d);
        w->cmdFinalizar_Click();
        QVERIFY(d.verifyDone());
        QCOMPARE(EmpresaDePrueba::filasDe(QStringLiteral("SELECT CUENTA, FINALIZADA FROM MV_CONCILIACION_CAB")),
                 QStringList{QStringLiteral("1101|1")});
        QCOMPARE(EmpresaDePrueba::cantidad(QStringLiteral("MV_CONCILIACION")), 0);
        QCOMPARE(bloqueos(), 0);
    }
};

QTEST_MAIN(TstWindowFinalize)
#include "tst_window_finalize.moc"
