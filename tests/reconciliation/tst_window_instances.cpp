// Two instances of the program started by one user on one station: the second never edits the reconciliation
// the first holds and never releases the first one's lock; a lock left behind by an instance that ended
// without releasing it is taken again by its own user. A lock that cannot be written blames nobody.

#include "tst_window_acciones.h"

#include "reconciliation/engine/Store.h"

#include <QSqlQuery>

namespace {

QString mensajeRetenida()
{
    return QStringLiteral("El usuario: ") + conciliacion::EntornoPrograma().Propietario()
           + QStringLiteral(", esta modificando este comprobante!\r\nNo puede modificarlo!");
}

} // namespace

class TstWindowInstances : public QObject {
    Q_OBJECT

private:
    EmpresaDePrueba empresa;
    std::unique_ptr<FrmConcCuentas> w;

private slots:
    void initTestCase() { QVERIFY(empresa.crear(QStringLiteral("oper1"))); }
    void init() { QVERIFY(empresa.reiniciar(w)); }
    void cleanup()
    {
        w.reset();
        QSqlQuery(gDB().gCnn.database()).exec(QStringLiteral("DROP TRIGGER IF EXISTS rechazo"));
    }

    void secondInstanceNeitherOpensNorReleases_data()
    {
        QTest::addColumn<bool>("guardada");
        QTest::newRow("new reconciliation") << false;
        QTest::newRow("saved reconciliation") << true;
    }

    void secondInstanceNeitherOpensNorReleases()
    {
        QFETCH(bool, guardada);
        ui::ScriptedDialogs d;
        cargarMarzo(*w);
        if (guardada) {
            // Saved, then opened again in the first instance.
            w->Brakmo1_Click(QStringLiteral("GRABAR"));
            confirmar(*w, "IdConciliacion", QStringLiteral("1"));
        }
        QCOMPARE(bloqueos(), 1);
        std::unique_ptr<FrmConcCuentas> segunda = empresa.ventana();
        QVERIFY(segunda);
        d.expectMsgBox(ui::vbOK).withText(mensajeRetenida()).withStyle(ui::vbOKOnly + ui::vbCritical);
        confirmar(*segunda, "IdConciliacion", QStringLiteral("1"));
        QVERIFY(d.verifyDone());
        QVERIFY(segunda->FHayError);
        QVERIFY(!segunda->FBloqueo);
        QVERIFY(segunda->Campo(QStringLiteral("IdConciliacion"))->isEnabled());
        QCOMPARE(segunda->Lvw->ListItems().Count(), 0);

        // CANCELAR and closing in the second leave the first one's lock alone.
        segunda->Brakmo1_Click(QStringLiteral("CANCELAR"));
        segunda.reset();
        QCOMPARE(bloqueos(), 1);
        QCOMPARE(w->Lvw->ListItems().Count(), 3);

        // The first gives it back; now another instance may open it.
        w->Brakmo1_Click(QStringLiteral("CANCELAR"));
        QCOMPARE(bloqueos(), 0);
        segunda = empresa.ventana();
        QVERIFY(segunda);
        if (guardada) {
            confirmar(*segunda, "IdConciliacion", QStringLiteral("1"));
            QCOMPARE(segunda->Lvw->ListItems().Count(), 3);
        } else {
            cargarMarzo(*segunda);
        }
        QVERIFY(d.verifyDone());
        QCOMPARE(bloqueos(), 1);
    }

    // An instance that ended without giving its lock back (the row stays, nothing on the station holds it):
    // the same user on the same station opens the reconciliation again.
    void lockOfAnInstanceThatEndedIsRetaken()
    {
        ui::ScriptedDialogs d;
        cargarMarzo(*w);
        w->Brakmo1_Click(QStringLiteral("GRABAR"));
        EmpresaDePrueba::ejecutar(QStringLiteral("INSERT INTO V_MV_CTROL_CPTE (TC, SUCURSAL, NUMERO, LETRA, USUARIO) "
                                                 "VALUES ('CCCC', '0001', '00000001', 'X', '%1')")
                                      .arg(conciliacion::EntornoPrograma().Propietario()));
        confirmar(*w, "IdConciliacion", QStringLiteral("1"));
        QVERIFY(d.verifyDone());
        QCOMPARE(w->Lvw->ListItems().Count(), 3);
        QCOMPARE(bloqueos(), 1);
        w->Brakmo1_Click(QStringLiteral("CANCELAR"));
        QCOMPARE(bloqueos(), 0);
    }

    // The lock row cannot be written and the operator answers "Ignorar": the failure was shown, no message
    // blames an empty holder, the number is not taken and nothing is held.
    void failedLockWriteBlamesNobody()
    {
        ui::ScriptedDialogs d;
        QVERIFY(QSqlQuery(gDB().gCnn.database())
                    .exec(QStringLiteral("CREATE TEMP TRIGGER rechazo BEFORE INSERT ON V_MV_CTROL_CPTE BEGIN "
                                         "SELECT RAISE(ABORT, 'rechazado'); END")));
        d.expectErrorDialog(ui::vbIgnore);
        confirmar(*w, "IdConciliacion", QStringLiteral("1"));
        QVERIFY(d.verifyDone());
        QVERIFY(w->FHayError);
        QVERIFY(!w->FBloqueo);
        QCOMPARE(bloqueos(), 0);
        QVERIFY(w->Campo(QStringLiteral("IdConciliacion"))->isEnabled());
    }
};

QTEST_MAIN(TstWindowInstances)
#include "tst_window_instances.moc"
