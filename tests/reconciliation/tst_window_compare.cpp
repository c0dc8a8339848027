// "Comparar" through the window: the marks, colours and totals it leaves are those of the pair-by-pair rule
// on the same rows, for several choices of fields and tolerances; empty lists are refused; with no box
// chosen all six are; the difference label follows the new marks; a cancel keeps what was paired; and
// while it runs the window takes no other command.

#include "VentanaDePrueba.h"

#include "core/Globals.h"
#include "reconciliation/engine/MatchingReference.h"
#include "reconciliation/engine/WorkbenchTotals.h"
#include "platform/suite/Brakmo.h"
#include "platform/suite/Progreso.h"

#include <QCloseEvent>

namespace {

const QString kTerminada = QStringLiteral("Comparación Terminada!!!");

QString linea(int secuencia, const char* lado, const char* fecha, const char* tc, const char* numero,
              const char* importe, const char* detalle)
{
    return QStringLiteral("INSERT INTO MV_ASIENTOS (CUENTA, SECUENCIA, MES_OPERATIVO, [NUMERO ASIENTO], PERIODO, "
                          "TIPO_REG, FECHA, VENCIMIENTO, TC, SUCURSAL, NUMERO, LETRA, [DEBE-HABER], IMPORTE, DETALLE) "
                          "VALUES ('1101', %1, 3, %2, 2026, 'N', '%3', '%3', '%4', '0001', '%5', 'A', '%6', %7, '%8')")
        .arg(secuencia)
        .arg(100 + secuencia)
        .arg(QLatin1String(fecha), QLatin1String(tc), QLatin1String(numero), QLatin1String(lado),
             QLatin1String(importe), QLatin1String(detalle));
}

// Lines that agree in part: texts that differ in letter case or by a trailing blank, amounts equal, one cent
// apart or further, vouchers alike or not.
QStringList lineasParecidas()
{
    return {
        linea(30, "D", "2026-03-21", "FC", "00000030", "10.00", "Pago"),
        linea(31, "D", "2026-03-21", "FC", "00000031", "10.00", "pago"),
        linea(32, "D", "2026-03-22", "NC", "00000032", "20.00", "Pago "),
        linea(33, "D", "2026-03-23", "FC", "00000033", "30.00", "Otro"),
        linea(34, "D", "2026-03-24", "FC", "00000034", "5.00", "X"),
        linea(40, "H", "2026-03-21", "fc", "00000031", "10.00", "PAGO"),
        linea(41, "H", "2026-03-21", "FC", "00000030", "10.01", "Pago"),
        linea(42, "H", "2026-03-22", "NC", "00000032", "19.99", "pago "),
        linea(43, "H", "2026-03-23", "FC", "00000099", "30.00", "otro"),
        linea(44, "H", "2026-03-24", "FC", "00000034", "5.00", "x "),
        linea(45, "H", "2026-03-21", "FC", "00000030", "10.00", "Pago"),
    };
}

void elegir(FrmConcCuentas& w, const QList<int>& cajas, const QString& tolerancia)
{
    for (int i = 0; i < 6; ++i)
        w.chkCamposComp(i)->setChecked(cajas.contains(i));
    w.txtTolerancia->setText(tolerancia);
}

} // namespace

class TstWindowCompare : public VentanaDePrueba {
    Q_OBJECT

    bool crearEmpresa() override
    {
        if (!VentanaDePrueba::crearEmpresa())
            return false;
        for (const QString& sql : lineasParecidas())
            EmpresaDePrueba::ejecutar(sql);
        return true;
    }

private slots:
    void sameAsThePairByPairRule_data()
    {
        QTest::addColumn<QList<int>>("cajas");
        QTest::addColumn<QString>("tolerancia");
        QTest::newRow("amount") << QList<int>{4} << "0";
        QTest::newRow("amount within a cent") << QList<int>{4} << "0.01";
        QTest::newRow("amount and concept") << QList<int>{4, 5} << "0.01";
        QTest::newRow("amount and concept, negative tolerance") << QList<int>{4, 5} << "-1";
        QTest::newRow("voucher and amount") << QList<int>{3, 4} << "0";
        QTest::newRow("type, date and amount within 0.05") << QList<int>{0, 2, 4} << "0.05";
        QTest::newRow("concept without the amount") << QList<int>{5} << "0";
        QTest::newRow("no box: all six") << QList<int>{} << "0";
    }

    void sameAsThePairByPairRule()
    {
        QFETCH(QList<int>, cajas);
        QFETCH(QString, tolerancia);
        using namespace conciliacion;
        ui::ScriptedDialogs d;
        cargarMarzo(*w);
        // Some marks already set by the operator take no part.
        tildar(*w->Lvw, kD3, true);
        elegir(*w, cajas, tolerancia);

        WorkbenchRows izquierda = w->FilasDeLista(Lado::Izquierda);
        WorkbenchRows derecha = w->FilasDeLista(Lado::Derecha);
        OpcionesComparacion opciones;
        for (int c : cajas)
            opciones.cajas[size_t(c)] = true;
        opciones.tolerancia = suite::Utilidades::TextoAMoneda(tolerancia);
        Totales totales = conciliacion::CalcularTotales(izquierda, derecha, DecimalesPrograma());
        const ResultadoComparacion esperado =
            CompararReferencia(izquierda, derecha, opciones, totales, DecimalesPrograma());

        d.expectMsgBox(ui::vbOK).withText(kTerminada).withStyle(ui::vbOKOnly + ui::vbInformation);
        w->cmdComparar_Click();
        QVERIFY(d.verifyDone());
        QVERIFY(esperado.pares > 0);
        for (Lado lado : {Lado::Izquierda, Lado::Derecha}) {
            const WorkbenchRows& ref = lado == Lado::Izquierda ? izquierda : derecha;
            const WorkbenchRows hechas = w->FilasDeLista(lado);
            QCOMPARE(hechas.size(), ref.size());
            for (size_t i = 0; i < ref.size(); ++i) {
                QCOMPARE(hechas[i].Checked, ref[i].Checked);
                QCOMPARE(hechas[i].ForeColor, ref[i].ForeColor);
            }
        }
        QCOMPARE(w->lblTotConc->text(), TextoTotal(totales.Conc, DecimalesPrograma()));
        QCOMPARE(w->lblTotNConc->text(), TextoTotal(totales.NConc, DecimalesPrograma()));
        QCOMPARE(w->lblTotConc2->text(), TextoTotal(totales.Conc2, DecimalesPrograma()));
        QCOMPARE(w->lblTotNConc2->text(), TextoTotal(totales.NConc2, DecimalesPrograma()));
        for (int i = 0; i < 6; ++i)
            QCOMPARE(w->chkCamposComp(i)->isChecked(), cajas.isEmpty() || cajas.contains(i));
        // Nothing is written.
        QCOMPARE(EmpresaDePrueba::cantidad(QStringLiteral("MV_CONCILIACION WHERE CONCILIADO = 1")), 0);
    }

    void emptyListsAreRefused_data()
    {
        QTest::addColumn<bool>("izquierdaVacia");
        QTest::newRow("left empty") << true;
        QTest::newRow("right empty") << false;
    }

    void emptyListsAreRefused()
    {
        QFETCH(bool, izquierdaVacia);
        ui::ScriptedDialogs d;
        cargarMarzo(*w);
        (izquierdaVacia ? w->Lvw : w->Lvw2)->ListItems().Clear();
        d.expectMsgBox(ui::vbOK)
            .withText(izquierdaVacia
                          ? QStringLiteral("Imposible realizar la comparación porque la Lista Izquierda está vacía!!!")
                          : QStringLiteral("Imposible realizar la comparación porque la Lista Derecha está vacía!!!"))
            .withStyle(ui::vbOKOnly + ui::vbInformation)
            .withTitle(QStringLiteral("Aviso al Operador"));
        w->cmdComparar_Click();
        QVERIFY(d.verifyDone());
    }

    // The difference label agrees with the marks that matching set.
    void differenceFollowsTheNewMarks()
    {
        ui::ScriptedDialogs d;
        cargarMarzo(*w);
        ponerImporte(*w, *w->Lvw2, kC1, "100.30");
        elegir(*w, {4}, QStringLiteral("0.5"));
        QCOMPARE(w->LblDif2->text(), QStringLiteral("0.00"));
        d.expectMsgBox(ui::vbOK).withText(kTerminada);
        w->cmdComparar_Click();
        QVERIFY(d.verifyDone());
        QVERIFY(item(*w->Lvw2, kC1).Checked());
        const ado::Currency dif = suite::Utilidades::TextoAMoneda(w->lblTotConc->text())
                                  - suite::Utilidades::TextoAMoneda(w->lblTotConc2->text());
        QVERIFY(dif < ado::Currency());
        QCOMPARE(w->LblDif2->text(), conciliacion::TextoDiferencia(dif, conciliacion::DecimalesPrograma()).texto);
        QCOMPARE(fondoDiferencia(*w), conciliacion::kColorRojo);
    }

    void cancelKeepsWhatWasPaired()
    {
        ui::ScriptedDialogs d;
        cargarMarzo(*w);
        elegir(*w, {4}, QStringLiteral("0"));
        ModGlobal::gProgreso().CancelarEnAvance(1);
        d.expectMsgBox(ui::vbOK).withText(kTerminada);
        w->cmdComparar_Click();
        QVERIFY(d.verifyDone());
        QVERIFY(!ModGlobal::gProgreso().isVisible());
        // Cancelled at its first report, before any pair.
        QCOMPARE(marcadas(*w->Lvw), QString());
        QVERIFY(!w->EstaOcupado());
        QVERIFY(w->Brakmo1->isEnabled());
    }

    // Commands that arrive while matching lets window events run are not carried out, and the window does
    // not close under it.
    void noOtherCommandWhileMatching()
    {
        ui::ScriptedDialogs d;
        cargarMarzo(*w);
        elegir(*w, {4}, QStringLiteral("0"));
        bool llegaron = false;
        bool cerrada = true;
        QMetaObject::invokeMethod(
            w.get(),
            [&] {
                llegaron = true;
                QVERIFY(w->EstaOcupado());
                w->Brakmo1_Click(QStringLiteral("GRABAR"));
                w->CmdEjecutar_Click();
                w->cmdRefresh_Click();
                w->CmdConciliar_Click();
                QCloseEvent cierre;
                QCoreApplication::sendEvent(w.get(), &cierre);
                cerrada = cierre.isAccepted();
            },
            Qt::QueuedConnection);
        d.expectMsgBox(ui::vbOK).withText(kTerminada);
        w->cmdComparar_Click();
        QVERIFY(d.verifyDone());
        QVERIFY(llegaron);
        QVERIFY(!cerrada);
        // The save key would have reset the window; the load would have cleared the marks.
        QCOMPARE(w->TextoCampo(QStringLiteral("IdConciliacion")), QStringLiteral("1"));
        QVERIFY(item(*w->Lvw, kD1).Checked() && item(*w->Lvw, kD2).Checked());
        QCOMPARE(EmpresaDePrueba::cantidad(QStringLiteral("MV_CONCILIACION_Cpte_AUX")), 0);
        QCOMPARE(EmpresaDePrueba::cantidad(QStringLiteral("MV_CONCILIACION WHERE CONCILIADO = 1")), 0);
    }

    // The progress window shows the overall percentage and the row's own one.
    void progressShowsBothTexts()
    {
        ui::ScriptedDialogs d;
        cargarMarzo(*w);
        elegir(*w, {4}, QStringLiteral("0"));
        d.expectMsgBox(ui::vbOK).withText(kTerminada);
        w->cmdComparar_Click();
        QVERIFY(d.verifyDone());
        QStringList textos;
        for (const QLabel* l : ModGlobal::gProgreso().findChildren<QLabel*>())
            textos << l->text();
        QVERIFY2(textos.contains(QStringLiteral("0 % del Total")), qPrintable(textos.join(QLatin1Char('|'))));
        QVERIFY2(textos.contains(QStringLiteral("0% Individual")), qPrintable(textos.join(QLatin1Char('|'))));
    }
};

QTEST_MAIN(TstWindowCompare)
#include "tst_window_compare.moc"
