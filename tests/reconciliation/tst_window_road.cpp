// The road of one reconciliation through the window, from the start of the program to its end: a new
// reconciliation of the bank account for March, its comparison settings, the load, "Comparar", the
// operator's ticks, "Aplicar", the save key, reopening, another station meeting the lock, releasing the
// right side's free lines, showing the reconciled lines, finalizing, opening the finalized one, a second
// reconciliation deleted, and closing; the database is then checked row by row. Below it, the short
// negative checks, each from a fresh company.

#include "VentanaDePrueba.h"

#include "core/Globals.h"
#include "platform/suite/Brakmo.h"

#include <QDate>
#include <QFileInfo>

namespace {

const QString kAtencion = QStringLiteral("ATENCIÓN");
const QString kFinalizadaNoModificar = QStringLiteral("CONCILIACION FINALIZADA, NO SEPUEDE MODIFICAR");

QString hoy()
{
    return kHoy.toString(QStringLiteral("dd/MM/yyyy"));
}

// Another station's user works with a window of its own, then this station's user comes back.
struct OtroUsuario {
    QString antes = ModGlobal::gUsuarioLogeado;
    explicit OtroUsuario(const char* usuario) { ModGlobal::gUsuarioLogeado = QString::fromLatin1(usuario); }
    ~OtroUsuario() { ModGlobal::gUsuarioLogeado = antes; }
};

} // namespace

class TstWindowRoad : public VentanaDePrueba {
    Q_OBJECT

private slots:
    void road();
    void negativeChecks_data();
    void negativeChecks();
};

void TstWindowRoad::road()
{
    ui::ScriptedDialogs d;
    const QString propio = conciliacion::EntornoPrograma().Propietario();

    // 1. Start: the first number, today's date, header entry, empty lists.
    QCOMPARE(w->TextoCampo(QStringLiteral("IdConciliacion")), QStringLiteral("1"));
    QCOMPARE(w->TextoCampo(QStringLiteral("Fecha")), hoy());
    QCOMPARE(w->Lvw->ListItems().Count(), 0);
    QCOMPARE(w->LblDif2->text(), QStringLiteral("0.00"));
    QCOMPARE(w->FTolerancia, *ado::Currency::parse(QStringLiteral("0.01")));

    // 2. The number is new: nothing is read back, but this station now holds it.
    confirmar(*w, "IdConciliacion", QStringLiteral("1"));
    QVERIFY(!w->FHayError);
    QCOMPARE(EmpresaDePrueba::filasDe(QStringLiteral("SELECT NUMERO, USUARIO FROM V_MV_CTROL_CPTE")),
             QStringList{QStringLiteral("00000001|") + propio});

    // 3. The account: detail entry, no stored settings (only "Importe", forced), the period typed.
    confirmar(*w, "Fecha", hoy());
    confirmar(*w, "CUENTA", QStringLiteral("1101"));
    QCOMPARE(w->LblDescCuenta->text(), QStringLiteral("Banco cuenta corriente"));
    QVERIFY(w->SSTab1->isTabEnabled(1));
    QVERIFY(!w->Campo(QStringLiteral("IdConciliacion"))->isEnabled());
    for (int i = 0; i < 6; ++i)
        QCOMPARE(w->chkCamposComp(i)->isChecked(), i == 4);
    QVERIFY(!w->chkCamposComp(4)->isEnabled());
    w->Campo(QStringLiteral("FechaD"))->setText(QStringLiteral("01/03/2026"));
    w->Campo(QStringLiteral("FechaH"))->setText(QStringLiteral("31/03/2026"));
    w->Campo(QStringLiteral("OBS"))->setText(QStringLiteral("Marzo"));

    // 4. Compare the voucher too, and store that for the account.
    w->chkCamposComp(3)->setChecked(true);
    w->txtTolerancia->setText(QStringLiteral("0"));
    d.expectMsgBox(ui::vbOK).withText(QStringLiteral("La configuración Importación se guardó correctamente."));
    w->cmdGrabaCfg_Click();
    QVERIFY(d.verifyDone());
    QCOMPARE(EmpresaDePrueba::filasDe(QStringLiteral(
                 "SELECT VALOR, Grupo FROM TA_CONFIGURACION WHERE CLAVE = 'CONCCTAS_CFG1101'")),
             QStringList{QStringLiteral("0001100|DATOS")});
    QCOMPARE(w->SSTab1->currentIndex(), 0);

    // 5. F9 loads both panels.
    int f9 = 120;
    w->Form_KeyDown(f9, 0);
    QCOMPARE(columna(*w->Lvw, conciliacion::colConcepto), (QStringList{kD1, kD2, kD3}));
    QCOMPARE(columna(*w->Lvw2, conciliacion::colConcepto), (QStringList{kC1, kC2, kC3}));
    QCOMPARE(w->lblTotNConc->text(), QStringLiteral("390.00"));
    QCOMPARE(w->lblTotNConc2->text(), QStringLiteral("357.50"));
    QCOMPARE(EmpresaDePrueba::filasDe(QStringLiteral(
                 "SELECT IDCONCILIACION, TIPO, CUENTA, FECHA, OBSERVACIONES, FECHADESDE, FECHAHASTA, FINALIZADA "
                 "FROM MV_CONCILIACION_CAB")),
             QStringList{QStringLiteral("1|CTA|1101|%1|Marzo|01/03/2026|31/03/2026|0").arg(hoy())});

    // 6. Comparar on voucher and amount: D1 and C1 pair up; D2 and C2 agree only on the amount.
    d.expectMsgBox(ui::vbOK).withText(QStringLiteral("Comparación Terminada!!!")).withTitle(QStringLiteral("Aviso al Usuario"));
    w->cmdComparar_Click();
    QVERIFY(d.verifyDone());
    QCOMPARE(marcadas(*w->Lvw), kD1);
    QCOMPARE(marcadas(*w->Lvw2), kC1);
    QCOMPARE(item(*w->Lvw, kD2).ForeColor(), conciliacion::kColorRojo);
    QCOMPARE(item(*w->Lvw2, kC2).ForeColor(), conciliacion::kColorRojo);
    QVERIFY(item(*w->Lvw, kD3).ForeColor() != conciliacion::kColorRojo);
    QVERIFY(item(*w->Lvw2, kC3).ForeColor() != conciliacion::kColorRojo);
    QCOMPARE(w->lblTotConc->text(), QStringLiteral("100.00"));
    QCOMPARE(w->lblTotNConc->text(), QStringLiteral("290.00"));
    QCOMPARE(w->lblTotConc2->text(), QStringLiteral("100.00"));
    QCOMPARE(w->lblTotNConc2->text(), QStringLiteral("257.50"));
    QCOMPARE(w->LblDif2->text(), QStringLiteral("0.00"));
    QCOMPARE(fondoDiferencia(*w), conciliacion::kColorAzul);
    QCOMPARE(EmpresaDePrueba::cantidad(QStringLiteral("MV_CONCILIACION WHERE CONCILIADO = 1")), 0);

    // 7. The operator ticks D2, then C2.
    tildar(*w->Lvw, kD2, true);
    QCOMPARE(w->LblDif2->text(), QStringLiteral("250.00"));
    tildar(*w->Lvw2, kC2, true);
    QCOMPARE(w->lblTotConc->text(), QStringLiteral("350.00"));
    QCOMPARE(w->lblTotNConc->text(), QStringLiteral("40.00"));
    QCOMPARE(w->lblTotConc2->text(), QStringLiteral("350.00"));
    QCOMPARE(w->lblTotNConc2->text(), QStringLiteral("7.50"));
    QCOMPARE(w->LblDif2->text(), QStringLiteral("0.00"));
    QVERIFY(d.verifyDone());

    // 8. Aplicar: the marked totals agree; D1 and D2 are linked with C1 and C2, each to each.
    w->CmdConciliar_Click();
    QVERIFY(d.verifyDone());
    QVERIFY(w->CmdConciliar->isEnabled());
    const QString L1 = idL(1), L2 = idL(2), L3 = idL(3), R1 = idR(4), R2 = idR(5), R3 = idR(6);
    const QString lefts = L1 + QLatin1Char(',') + L2, rights = R1 + QLatin1Char(',') + R2;
    QCOMPARE(enOrden(vinculo(*w->Lvw, kD1)), rights);
    QCOMPARE(enOrden(vinculo(*w->Lvw, kD2)), rights);
    QCOMPARE(enOrden(vinculo(*w->Lvw2, kC1)), lefts);
    QCOMPARE(enOrden(vinculo(*w->Lvw2, kC2)), lefts);
    QCOMPARE(vinculo(*w->Lvw, kD3), QString());
    QCOMPARE(enlaces(), (QStringList{L1 + '|' + R1, L1 + '|' + R2, L2 + '|' + R1, L2 + '|' + R2}));
    QCOMPARE(EmpresaDePrueba::filasDe(QStringLiteral(
                 "SELECT SECUENCIA, CONCILIADO, IDCONCAUX = ID, FINALIZADA FROM MV_CONCILIACION ORDER BY ID")),
             (QStringList{QStringLiteral("1|1|1|0"), QStringLiteral("2|1|1|0"), QStringLiteral("3|0||0")}));
    QCOMPARE(EmpresaDePrueba::filasDe(QStringLiteral(
                 "SELECT SECUENCIA, FINALIZADA, CONCILIA FROM MV_CONCILIACION_AUX WHERE FINALIZADA = 0 ORDER BY ID")),
             QStringList{QStringLiteral("6|0|")});
    for (const QString& c : {kD1, kD2})
        QCOMPARE(item(*w->Lvw, c).SmallIcon(), 2);
    for (const QString& c : {kC1, kC2})
        QCOMPARE(item(*w->Lvw2, c).SmallIcon(), 2);
    QCOMPARE(item(*w->Lvw, kD3).SmallIcon(), conciliacion::kIconoSinMarcar);
    QCOMPARE(item(*w->Lvw2, kC3).SmallIcon(), conciliacion::kIconoSinMarcar);

    // 9. The save key: saved, the lock given back, a new reconciliation proposed.
    w->Brakmo1_Click(QStringLiteral("GRABAR"));
    QVERIFY(d.verifyDone());
    QCOMPARE(w->TextoCampo(QStringLiteral("IdConciliacion")), QStringLiteral("2"));
    QCOMPARE(bloqueos(), 0);
    for (const QString& id : {L1, L2})
        QCOMPARE(enOrden(EmpresaDePrueba::valor(QStringLiteral("SELECT CONCILIADOCON FROM MV_CONCILIACION WHERE ID = ") + id)),
                 rights);
    QCOMPARE(EmpresaDePrueba::valor(QStringLiteral("SELECT FINALIZADA FROM MV_CONCILIACION_CAB")), QStringLiteral("0"));

    // 10. Reopening: only the lines still to reconcile are listed.
    confirmar(*w, "IdConciliacion", QStringLiteral("1"));
    QVERIFY(d.verifyDone());
    QVERIFY(!w->FFinalizada);
    QCOMPARE(w->TextoCampo(QStringLiteral("CUENTA")), QStringLiteral("1101"));
    QCOMPARE(w->TextoCampo(QStringLiteral("OBS")), QStringLiteral("Marzo"));
    QCOMPARE(w->TextoCampo(QStringLiteral("FechaD")), QStringLiteral("01/03/2026"));
    QCOMPARE(columna(*w->Lvw, conciliacion::colConcepto), QStringList{kD3});
    QCOMPARE(columna(*w->Lvw2, conciliacion::colConcepto), QStringList{kC3});
    QCOMPARE(w->lblTotNConc->text(), QStringLiteral("40.00"));
    QCOMPARE(w->lblTotNConc2->text(), QStringLiteral("7.50"));
    QCOMPARE(w->lblTotConc->text(), QStringLiteral("0.00"));
    QVERIFY(w->CmdConciliar->isEnabled() && w->cmdComparar->isEnabled() && w->cmdRefresh->isEnabled());
    QCOMPARE(EmpresaDePrueba::filasDe(QStringLiteral("SELECT TC, SUCURSAL, NUMERO, LETRA, USUARIO FROM V_MV_CTROL_CPTE")),
             QStringList{QStringLiteral("CCCC|0001|00000001|X|") + propio});

    // 11. Another station meets the lock: a user is refused; an administrator may take it over, and gives back
    // only the lock of its own.
    {
        OtroUsuario otro("oper2");
        std::unique_ptr<FrmConcCuentas> otra = empresa.ventana();
        QVERIFY(otra);
        ModGlobal::gUsuarioLogeado = QStringLiteral("oper2");
        d.expectMsgBox(ui::vbOK).withText(QStringLiteral("El usuario: ") + propio
                                          + QStringLiteral(", esta modificando este comprobante!\r\nNo puede modificarlo!"));
        confirmar(*otra, "IdConciliacion", QStringLiteral("1"));
        QVERIFY(d.verifyDone());
        QVERIFY(otra->FHayError);
        QCOMPARE(otra->TextoCampo(QStringLiteral("IdConciliacion")), QStringLiteral("2"));
        QCOMPARE(bloqueos(), 1);

        ModGlobal::gUsuarioLogeado = QStringLiteral("admin1");
        confirmar(*otra, "IdConciliacion", QStringLiteral("3"));
        otra->Brakmo1_Click(QStringLiteral("CANCELAR"));
        d.expectMsgBox(ui::vbYes).containing(QStringLiteral("Desea modificarlo?"));
        confirmar(*otra, "IdConciliacion", QStringLiteral("1"));
        QVERIFY(d.verifyDone());
        QCOMPARE(bloqueos(), 2);
        otra->Brakmo1_Click(QStringLiteral("CANCELAR"));
        QCOMPARE(EmpresaDePrueba::filasDe(QStringLiteral("SELECT USUARIO FROM V_MV_CTROL_CPTE")), QStringList{propio});
    }

    // 12. The right side's free lines are released: C3 is free again.
    d.expectMsgBox(ui::vbYes)
        .withText(QStringLiteral("Los registros sin marcar (ventana derecha) se liberarán, podran ser utilizados en "
                                 "otras conciliaciones\r\n¿Confirma?"))
        .withStyle(ui::vbYesNo + ui::vbQuestion + ui::vbDefaultButton2)
        .withTitle(kAtencion);
    w->CmdQuitarD_Click();
    QVERIFY(d.verifyDone());
    QCOMPARE(w->Lvw2->ListItems().Count(), 0);
    QCOMPARE(EmpresaDePrueba::cantidad(QStringLiteral("MV_CONCILIACION_AUX WHERE ID = ") + R3), 0);

    // 13. The reconciled lines shown again.
    w->ChkConciliados->setChecked(true);
    w->ChkConciliados_Click();
    QCOMPARE(columna(*w->Lvw, conciliacion::colConcepto).size(), 3);
    QCOMPARE(marcadas(*w->Lvw), QStringList({kD1, kD2}).join(QLatin1Char(',')));
    QCOMPARE(marcadas(*w->Lvw2), QStringList({kC1, kC2}).join(QLatin1Char(',')));
    QCOMPARE(w->lblTotConc->text(), QStringLiteral("350.00"));
    QCOMPARE(w->lblTotNConc->text(), QStringLiteral("40.00"));
    QCOMPARE(w->lblTotConc2->text(), QStringLiteral("350.00"));
    QCOMPARE(w->lblTotNConc2->text(), QStringLiteral("0.00"));

    // 14. Finalizing: two questions, then saved and finalized in one go; D3 is free again.
    d.expectMsgBox(ui::vbYes)
        .withText(QStringLiteral("¿Está seguro de Finalizar la Conciliación Número: 1?\r\nSi finaliza la conciliación no "
                                 "prodrá volver a modificarla.\r\n¿Confirma?"))
        .withStyle(ui::vbYesNo + ui::vbQuestion + ui::vbDefaultButton2)
        .withTitle(kAtencion);
    d.expectMsgBox(ui::vbYes)
        .withText(QStringLiteral("Los registros pendientes de conciliar se liberarán para futuras conciliaciones\r\n¿Confirma?"))
        .withStyle(ui::vbYesNo + ui::vbQuestion + ui::vbDefaultButton2);
    d.expectMsgBox(ui::vbOK)
        .withText(QStringLiteral("La Conciliación número: 1 se finalizó correctamente."))
        .withStyle(ui::vbOKOnly + ui::vbInformation)
        .withTitle(QStringLiteral("Aviso al Usuario"));
    w->cmdFinalizar_Click();
    QVERIFY(d.verifyDone());
    QCOMPARE(w->TextoCampo(QStringLiteral("IdConciliacion")), QStringLiteral("2"));
    QCOMPARE(bloqueos(), 0);
    QCOMPARE(EmpresaDePrueba::cantidad(QStringLiteral("MV_CONCILIACION WHERE ID = ") + L3), 0);

    // 15. The finalized reconciliation opens read-only; releasing and saving change nothing.
    d.expectMsgBox(ui::vbOK).withText(
        QStringLiteral("La conciliación ingresada se encuentra finalizada!!!\r\nEs imposible de modificar."));
    confirmar(*w, "IdConciliacion", QStringLiteral("1"));
    QVERIFY(d.verifyDone());
    QVERIFY(w->FFinalizada);
    for (QPushButton* b : {w->CmdConciliar, w->cmdComparar, w->cmdRefresh, w->CmdEjecutar})
        QVERIFY(!b->isEnabled());
    QCOMPARE(marcadas(*w->Lvw), QStringList({kD1, kD2}).join(QLatin1Char(',')));
    QCOMPARE(marcadas(*w->Lvw2), QStringList({kC1, kC2}).join(QLatin1Char(',')));
    QCOMPARE(w->Lvw->ListItems().Count(), 2);
    QCOMPARE(bloqueos(), 1);
    const QString finalizada = volcado();
    d.expectMsgBox(ui::vbOK).withText(kFinalizadaNoModificar).withTitle(QString());
    d.expectMsgBox(ui::vbOK).withText(kFinalizadaNoModificar).withTitle(QString());
    w->CmdQuitarI_Click();
    w->CmdQuitarD_Click();
    d.expectMsgBox(ui::vbOK).withText(kFinalizadaNoModificar);
    w->Brakmo1_Click(QStringLiteral("GRABAR"));
    QVERIFY(d.verifyDone());
    QCOMPARE(w->TextoCampo(QStringLiteral("IdConciliacion")), QStringLiteral("2"));
    QCOMPARE(bloqueos(), 0);
    QStringList sinBloqueo = finalizada.split(QLatin1Char('\n'));
    sinBloqueo.removeLast();
    QCOMPARE(volcado(), sinBloqueo.join(QLatin1Char('\n')));
    // Header mode for the next reconciliation: the load is offered, the commands that change lines wait for
    // its account.
    QVERIFY(!w->CmdConciliar->isEnabled() && !w->cmdRefresh->isEnabled() && w->CmdEjecutar->isEnabled());

    // 16. Reconciliation 2 takes the two lines left free.
    confirmar(*w, "IdConciliacion", QStringLiteral("2"));
    confirmar(*w, "Fecha", hoy());
    confirmar(*w, "CUENTA", QStringLiteral("1101"));
    QVERIFY(w->CmdConciliar->isEnabled() && w->cmdRefresh->isEnabled());
    w->Campo(QStringLiteral("FechaD"))->setText(QStringLiteral("01/03/2026"));
    w->Campo(QStringLiteral("FechaH"))->setText(QStringLiteral("31/03/2026"));
    w->Form_KeyDown(f9 = 120, 0);
    QCOMPARE(columna(*w->Lvw, conciliacion::colConcepto), QStringList{kD3});
    QCOMPARE(columna(*w->Lvw2, conciliacion::colConcepto), QStringList{kC3});
    QCOMPARE(EmpresaDePrueba::cantidad(QStringLiteral("MV_CONCILIACION WHERE IDCONCILIACION = 2")), 1);
    QVERIFY(d.verifyDone());

    // 17. The delete key removes reconciliation 2 entirely.
    d.expectMsgBox(ui::vbYes)
        .withText(QStringLiteral("¿Confirma la eliminación de la conciliación Nro: 2 ?"))
        .withTitle(kAtencion);
    w->Brakmo1_Click(QStringLiteral("BORRAR"));
    QVERIFY(d.verifyDone());
    QCOMPARE(w->TextoCampo(QStringLiteral("IdConciliacion")), QStringLiteral("2"));

    // 18. Closing ends the program; nothing is asked. Its connection is closed, which leaves nothing beside the
    // company file; what follows reads the company as the next start of the program finds it.
    QVERIFY_THROWS_EXCEPTION(ui::ProgramEnded, w->Brakmo1_Click(QStringLiteral("CERRAR")));
    QVERIFY(w->isHidden());
    QCOMPARE(gDB().gCnn.State(), int(ado::adStateClosed));
    QVERIFY(!QFileInfo::exists(empresa.archivo + QStringLiteral("-wal")));
    QVERIFY(empresa.volverAConectar());

    // The database after the road.
    QCOMPARE(EmpresaDePrueba::filasDe(QStringLiteral(
                 "SELECT IDCONCILIACION, TIPO, CUENTA, FECHA, OBSERVACIONES, FECHADESDE, FECHAHASTA, UNEGOCIO, USUARIO, "
                 "FINALIZADA FROM MV_CONCILIACION_CAB")),
             QStringList{QStringLiteral("1|CTA|1101|%1|Marzo|01/03/2026|31/03/2026|||1").arg(hoy())});
    const QStringList izquierdas = EmpresaDePrueba::filasDe(QStringLiteral(
        "SELECT ID, IDCONCILIACION, SECUENCIA, CONCILIADO, FINALIZADA, IDCONCAUX, CONCILIADOCON FROM MV_CONCILIACION ORDER BY ID"));
    QCOMPARE(izquierdas.size(), 2);
    for (int i = 0; i < 2; ++i) {
        const QStringList c = izquierdas[i].split(QLatin1Char('|'));
        QCOMPARE(c.mid(0, 6), (QStringList{i == 0 ? L1 : L2, QStringLiteral("1"), QString::number(i + 1),
                                           QStringLiteral("1"), QStringLiteral("1"), i == 0 ? L1 : L2}));
        QCOMPARE(enOrden(c[6]), rights);
    }
    const QStringList derechas = EmpresaDePrueba::filasDe(QStringLiteral(
        "SELECT ID, IDCONCILIACION, SECUENCIA, FINALIZADA, CONCILIA FROM MV_CONCILIACION_AUX ORDER BY ID"));
    QCOMPARE(derechas.size(), 2);
    for (int i = 0; i < 2; ++i) {
        const QStringList c = derechas[i].split(QLatin1Char('|'));
        QCOMPARE(c.mid(0, 4), (QStringList{i == 0 ? R1 : R2, QStringLiteral("1"), QString::number(i + 4),
                                           QStringLiteral("1")}));
        QCOMPARE(enOrden(c[4]), lefts);
    }
    QCOMPARE(enlaces(), (QStringList{L1 + '|' + R1, L1 + '|' + R2, L2 + '|' + R1, L2 + '|' + R2}));
    QCOMPARE(bloqueos(), 0);
    QCOMPARE(EmpresaDePrueba::filasDe(QStringLiteral("SELECT VALOR FROM TA_CONFIGURACION WHERE CLAVE = 'CONCCTAS_CFG1101'")),
             QStringList{QStringLiteral("0001100")});
    // D3 and C3 are held by no reconciliation.
    QCOMPARE(EmpresaDePrueba::cantidad(QStringLiteral("MV_CONCILIACION WHERE SECUENCIA = 3")), 0);
    QCOMPARE(EmpresaDePrueba::cantidad(QStringLiteral("MV_CONCILIACION_AUX WHERE SECUENCIA = 6")), 0);
    QVERIFY(d.verifyDone());
}

void TstWindowRoad::negativeChecks_data()
{
    QTest::addColumn<QString>("caso");
    QTest::newRow("only D3 marked, Aplicar") << "soloD3";
    QTest::newRow("marked totals 350.00 and 350.01, tolerance 0.01") << "alLimite";
    QTest::newRow("marked totals 350.00 and 350.02") << "pasaLimite";
    QTest::newRow("a bank reconciliation opened by an administrator") << "banco";
    QTest::newRow("a heading account") << "titulo";
    QTest::newRow("finalize answered No") << "finalizarNo";
    QTest::newRow("unmarking linked D1 answered No") << "desmarcarNo";
}

void TstWindowRoad::negativeChecks()
{
    QFETCH(QString, caso);
    ui::ScriptedDialogs d;
    if (caso == QLatin1String("soloD3") || caso == QLatin1String("pasaLimite") || caso == QLatin1String("alLimite")) {
        cargarMarzo(*w);
        if (caso == QLatin1String("soloD3")) {
            tildar(*w->Lvw, kD3, true);
        } else {
            ponerImporte(*w, *w->Lvw2, kC2, caso == QLatin1String("alLimite") ? "250.01" : "250.02");
            for (const QString& c : {kD1, kD2})
                tildar(*w->Lvw, c, true);
            for (const QString& c : {kC1, kC2})
                tildar(*w->Lvw2, c, true);
        }
        const QString antes = volcado();
        if (caso != QLatin1String("alLimite"))
            d.expectMsgBox(ui::vbOK)
                .withText(QStringLiteral("El total a conciliar del lado izquierdo, no coincide, con el total del lado derecho!"))
                .withStyle(ui::vbOKOnly + ui::vbExclamation);
        w->CmdConciliar_Click();
        QVERIFY(d.verifyDone());
        QVERIFY(w->CmdConciliar->isEnabled());
        if (caso == QLatin1String("alLimite"))
            QCOMPARE(enlaces().size(), 4);
        else
            QCOMPARE(volcado(), antes);
    } else if (caso == QLatin1String("banco")) {
        EmpresaDePrueba::ejecutar(QStringLiteral(
            "INSERT INTO MV_CONCILIACION_CAB (IDCONCILIACION, TIPO, CUENTA, FINALIZADA) VALUES (5, 'BCO', '1101', 0)"));
        OtroUsuario admin("admin1");
        d.expectMsgBox(ui::vbOK).withText(QStringLiteral(
            "La conciliación ingresada fue realizada desde Dostavar, para su modificación dirígase a dicho menú."));
        confirmar(*w, "IdConciliacion", QStringLiteral("5"));
        QVERIFY(d.verifyDone());
        QVERIFY(w->FHayError);
        QCOMPARE(bloqueos(), 0);
    } else if (caso == QLatin1String("titulo")) {
        confirmar(*w, "IdConciliacion", QStringLiteral("1"));
        d.expectMsgBox(ui::vbOK).withText(QStringLiteral("La Cuenta no es correcta!!\r\nEs Cuenta Titulo"));
        confirmar(*w, "CUENTA", QStringLiteral("11"));
        QVERIFY(d.verifyDone());
        QVERIFY(w->FHayError);
        QVERIFY(w->Campo(QStringLiteral("IdConciliacion"))->isEnabled());
        QVERIFY(!w->SSTab1->isTabEnabled(1));
    } else if (caso == QLatin1String("finalizarNo")) {
        conciliarMarzo(*w);
        const QString antes = volcado();
        d.expectMsgBox(ui::vbNo).containing(QStringLiteral("¿Está seguro de Finalizar")).withStyle(
            ui::vbYesNo + ui::vbQuestion + ui::vbDefaultButton2);
        w->cmdFinalizar_Click();
        QVERIFY(d.verifyDone());
        QCOMPARE(volcado(), antes);
        QCOMPARE(w->TextoCampo(QStringLiteral("IdConciliacion")), QStringLiteral("1"));
    } else if (caso == QLatin1String("desmarcarNo")) {
        conciliarMarzo(*w);
        const QString enlaceD1 = vinculo(*w->Lvw, kD1);
        const QString enlaceC1 = vinculo(*w->Lvw2, kC1);
        d.expectMsgBox(ui::vbNo)
            .withText(QStringLiteral("Este registro está vinculado con uno o mas registros de la planilla derecha.\r\nSi lo "
                                     "desmarca se desmarcará el registro vinculado de la planilla de la derecha.\r\n¿Confirma?"))
            .withStyle(ui::vbYesNo + ui::vbQuestion)
            .withTitle(kAtencion);
        tildar(*w->Lvw, kD1, false);
        QVERIFY(d.verifyDone());
        QVERIFY(item(*w->Lvw, kD1).Checked());
        QCOMPARE(vinculo(*w->Lvw, kD1), enlaceD1);
        QCOMPARE(vinculo(*w->Lvw2, kC1), enlaceC1);
        QCOMPARE(w->lblTotConc->text(), QStringLiteral("350.00"));
        QCOMPARE(w->LblDif2->text(), QStringLiteral("0.00"));
    }
}

QTEST_MAIN(TstWindowRoad)
#include "tst_window_road.moc"
