// The workbench window as a non-administrator: start-up and the proposed number, the header's validation
// and the edit lock, opening saved reconciliations, and the comparison settings.

#include "VentanaDePrueba.h"

#include "platform/suite/Brakmo.h"
#include "platform/suite/ControlArray.h"
#include "platform/ui/Units.h"
#include "reconciliation/engine/ConfiguracionComparacion.h"

#include <QDate>
#include <QFontMetrics>

namespace {

const QString kAviso = QStringLiteral("Aviso al operador...");

// A saved reconciliation of account 1101 for March with one unmarked and one marked line per side.
void guardada(int numero, const char* tipo, int finalizada)
{
    EmpresaDePrueba::ejecutar(
        QStringLiteral("INSERT INTO MV_CONCILIACION_CAB (IDCONCILIACION, TIPO, CUENTA, FECHA, OBSERVACIONES, "
                       "FECHADESDE, FECHAHASTA, UNEGOCIO, USUARIO, FINALIZADA) VALUES (%1, '%2', '1101', '2026-04-01', "
                       "'Guardada', '2026-03-01', '2026-03-31', '', '', %3)")
            .arg(numero)
            .arg(QLatin1String(tipo))
            .arg(finalizada));
    const QString linea = QStringLiteral(
        "INSERT INTO %1 (IDCONCILIACION, CUENTA, SECUENCIA, MES_OPERATIVO, [NUMERO ASIENTO], PERIODO, TIPO_REG, "
        "FECHAMOV, TC, COMPROBANTE, IMPORTE, CONCEPTO, %2) VALUES (%3, '1101', %4, 3, %5, 2026, 'N', '2026-03-05', "
        "'FC', '000100000010A', %6, '%7', %8)");
    auto insertar = [&](const char* tabla, const char* marca, int secuencia, const char* importe, int marcada) {
        EmpresaDePrueba::ejecutar(linea.arg(QLatin1String(tabla), QLatin1String(marca))
                                      .arg(numero)
                                      .arg(secuencia)
                                      .arg(100 + secuencia)
                                      .arg(QLatin1String(importe), QStringLiteral("Linea %1").arg(secuencia))
                                      .arg(marcada));
    };
    insertar("MV_CONCILIACION", "CONCILIADO", 1, "100", 1);
    insertar("MV_CONCILIACION", "CONCILIADO", 2, "250", 0);
    insertar("MV_CONCILIACION_AUX", "FINALIZADA", 4, "100", 1);
    insertar("MV_CONCILIACION_AUX", "FINALIZADA", 6, "7.5", 0);
}

int bloqueos(int numero)
{
    return EmpresaDePrueba::cantidad(
        QStringLiteral("V_MV_CTROL_CPTE WHERE NUMERO = '%1'").arg(numero, 8, 10, QLatin1Char('0')));
}

} // namespace

class TstWindowStart : public VentanaDePrueba {
    Q_OBJECT

private slots:
    void startUp()
    {
        QCOMPARE(w->TextoCampo(QStringLiteral("IdConciliacion")), QStringLiteral("1"));
        QCOMPARE(w->TextoCampo(QStringLiteral("Fecha")), kHoy.toString(QStringLiteral("dd/MM/yyyy")));
        QCOMPARE(w->TextoCampo(QStringLiteral("CUENTA")), QString());
        QCOMPARE(w->FTolerancia, *ado::Currency::parse(QStringLiteral("0.01")));
        QVERIFY(w->Campo(QStringLiteral("IdConciliacion"))->isEnabled());
        QVERIFY(!w->SSTab1->isTabEnabled(1));
        QVERIFY(!w->cmdComparar->isEnabled());
        QVERIFY(!w->cmdFinalizar->isEnabled());
        QCOMPARE(w->Lvw->ListItems().Count(), 0);
        QCOMPARE(w->Lvw->ColumnHeaders().Count(), conciliacion::kCantidadColumnas);
        QCOMPARE(w->Lvw2->ColumnHeaders()(conciliacion::colConciliadoCon + 1).Text(), QStringLiteral("Concilia"));
        for (QLabel* total : {w->lblTotConc, w->lblTotNConc, w->lblTotConc2, w->lblTotNConc2, w->LblDif2})
            QCOMPARE(total->text(), QStringLiteral("0.00"));
        // The difference in white on navy.
        QCOMPARE(w->LblDif2->palette().color(QPalette::Window), QColor(0, 0, 0x80));
        QCOMPARE(w->LblDif2->palette().color(QPalette::WindowText), QColor(Qt::white));
        // Only choosing a reconciliation and closing are offered before one is open.
        for (const char* clave : {"NUEVO", "BORRAR", "REPORTE", "PLANILLA", "CANCELAR", "GRABAR"})
            QVERIFY2(!w->Brakmo1->Flag(suite::Brakmo::NumeroDeFlag(QString::fromLatin1(clave))), clave);
        for (const char* clave : {"CONSULTAR", "CERRAR"})
            QVERIFY2(w->Brakmo1->Flag(suite::Brakmo::NumeroDeFlag(QString::fromLatin1(clave))), clave);
        QCOMPARE(EmpresaDePrueba::cantidad(QStringLiteral("V_MV_CTROL_CPTE")), 0);
    }

    // Sixteen columns on both lists; the journal key, the ID and the link list hidden; only the amount
    // right-aligned; widths follow the window's font (the date as wide as ten X).
    void listColumns()
    {
        const QStringList titulos{QString(), "Fecha", "Vencimiento", "TC", "Comprobante", "Importe", "Concepto", "ID",
                                  "Secuencia", "MesOperativo", "NroAsiento", "Periodo", "Tipo_Reg", "Conciliado con",
                                  "Tc_Origen", "Cpte_Origen"};
        for (ui::ListView* lista : {w->Lvw, w->Lvw2}) {
            QCOMPARE(lista->ColumnHeaders().Count(), 16);
            for (int c = 0; c < 16; ++c) {
                const ui::ColumnHeader columna = lista->ColumnHeaders()(c + 1);
                if (c != 13 || lista == w->Lvw)
                    QCOMPARE(columna.Text(), titulos[c]);
                QCOMPARE(columna.Width() == 0, c >= 7 && c <= 13);
                QCOMPARE(columna.Alignment(), c == 5 ? 1 : 0);
            }
        }
        const double x = ui::PxToTwips(QFontMetrics(w->font()).horizontalAdvance(QStringLiteral("XXXXXXXXXX")));
        QCOMPARE(w->Lvw->ColumnHeaders()(2).Width(), x);
    }

    void proposesTheNextFreeNumber_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("propuesto");
        QTest::newRow("nothing saved") << QString() << QStringLiteral("1");
        QTest::newRow("a left line of 41")
            << QStringLiteral("INSERT INTO MV_CONCILIACION (IDCONCILIACION, CUENTA, SECUENCIA, MES_OPERATIVO, "
                              "[NUMERO ASIENTO], PERIODO, TIPO_REG) VALUES (41, '1101', 1, 3, 101, 2026, 'N')")
            << QStringLiteral("42");
        // A header without lines holds its number too.
        QTest::newRow("a header of 7 without lines")
            << QStringLiteral("INSERT INTO MV_CONCILIACION_CAB (IDCONCILIACION, TIPO) VALUES (7, 'CTA')")
            << QStringLiteral("8");
        QTest::newRow("numbers 9 and 10")
            << QStringLiteral("INSERT INTO MV_CONCILIACION_CAB (IDCONCILIACION, TIPO) VALUES (9, 'CTA'), (10, 'CTA')")
            << QStringLiteral("11");
    }

    void proposesTheNextFreeNumber()
    {
        QFETCH(QString, sql);
        QFETCH(QString, propuesto);
        if (!sql.isEmpty())
            EmpresaDePrueba::ejecutar(sql);
        ui::ScriptedDialogs d;
        w->Inicializa();
        QVERIFY(d.verifyDone());
        QCOMPARE(w->TextoCampo(QStringLiteral("IdConciliacion")), propuesto);
    }

    void refusedNumbers_data()
    {
        QTest::addColumn<QString>("numero");
        QTest::addColumn<QString>("mensaje");
        QTest::newRow("blank") << QString() << QStringLiteral("Se debe informar el Campo: IdConciliacion");
        QTest::newRow("letters") << QStringLiteral("uno") << QStringLiteral("Debe Ingresar un número!!!");
        QTest::newRow("a fraction") << QStringLiteral("1.5") << QStringLiteral("Debe Ingresar un número!!!");
        QTest::newRow("negative") << QStringLiteral("-3") << QStringLiteral("Debe Ingresar un número positivo!!!");
    }

    void refusedNumbers()
    {
        QFETCH(QString, numero);
        QFETCH(QString, mensaje);
        ui::ScriptedDialogs d;
        d.expectMsgBox(ui::vbOK).withText(mensaje).withTitle(kAviso).withStyle(ui::vbCritical);
        confirmar(*w, "IdConciliacion", numero);
        QVERIFY(d.verifyDone());
        QVERIFY(w->FHayError);
        QCOMPARE(EmpresaDePrueba::cantidad(QStringLiteral("V_MV_CTROL_CPTE")), 0);
    }

    // Zero is no negative number: it passes the sign test and starts a new reconciliation.
    void zeroPassesTheSignTest()
    {
        ui::ScriptedDialogs d;
        confirmar(*w, "IdConciliacion", QStringLiteral("0"));
        QVERIFY(d.verifyDone());
        QVERIFY(!w->FHayError);
        QCOMPARE(bloqueos(0), 1);
    }

    // An account found by its optional code is shown by its code.
    void accountByItsOptionalCode()
    {
        EmpresaDePrueba::ejecutar(QStringLiteral("UPDATE MA_CUENTAS SET CodigoOpcional = 'BANCO' WHERE Codigo = '1101'"));
        ui::ScriptedDialogs d;
        confirmar(*w, "IdConciliacion", QStringLiteral("1"));
        confirmar(*w, "CUENTA", QStringLiteral("BANCO"));
        EmpresaDePrueba::ejecutar(QStringLiteral("UPDATE MA_CUENTAS SET CodigoOpcional = NULL WHERE Codigo = '1101'"));
        QVERIFY(d.verifyDone());
        QVERIFY(!w->FHayError);
        QCOMPARE(w->TextoCampo(QStringLiteral("CUENTA")), QStringLiteral("1101"));
        QCOMPARE(w->LblDescCuenta->text(), QStringLiteral("Banco cuenta corriente"));
    }

    // The save key's validation accepts the account and does nothing more; the load command's shows the
    // description and fills an empty period, but neither switches the mode nor reloads the settings.
    void accountValidatedBySaveOrLoad_data()
    {
        QTest::addColumn<bool>("grabando");
        QTest::addColumn<QString>("descripcion");
        QTest::addColumn<bool>("periodoPropuesto");
        QTest::newRow("save key") << true << QStringLiteral("...") << false;
        QTest::newRow("load command") << false << QStringLiteral("Banco cuenta corriente") << true;
    }

    void accountValidatedBySaveOrLoad()
    {
        QFETCH(bool, grabando);
        QFETCH(QString, descripcion);
        QFETCH(bool, periodoPropuesto);
        EmpresaDePrueba::ejecutar(QStringLiteral("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR, Grupo) VALUES "
                                                 "('CONCCTAS_CFG1101', '1111115', 'DATOS')"));
        ui::ScriptedDialogs d;
        confirmar(*w, "IdConciliacion", QStringLiteral("1"));
        w->Campo(QStringLiteral("FechaD"))->clear();
        w->Campo(QStringLiteral("FechaH"))->clear();
        w->Campo(QStringLiteral("CUENTA"))->setText(QStringLiteral("1101"));
        (grabando ? w->FGrabando : w->FEjecutando) = true;
        w->CampoValida(w->Campo(QStringLiteral("CUENTA")));
        w->FGrabando = w->FEjecutando = false;
        QVERIFY(d.verifyDone());
        QVERIFY(!w->FHayError);
        QCOMPARE(w->LblDescCuenta->text(), descripcion);
        QCOMPARE(w->TextoCampo(QStringLiteral("FechaD")).isEmpty(), !periodoPropuesto);
        QCOMPARE(w->TextoCampo(QStringLiteral("FechaH")).isEmpty(), !periodoPropuesto);
        // Still header entry, with the settings of no account loaded.
        QVERIFY(w->Campo(QStringLiteral("IdConciliacion"))->isEnabled());
        QVERIFY(!w->SSTab1->isTabEnabled(1));
        QVERIFY(!w->chkCamposComp(conciliacion::cmpFecha)->isChecked());
        QCOMPARE(w->txtTolerancia->text(), QStringLiteral("0"));
    }

    // Without the rounding tolerance in the configuration the program still starts, after the error dialog,
    // and reconciles with no tolerance.
    void startsWithoutTheRoundingTolerance()
    {
        w.reset();
        EmpresaDePrueba::ejecutar(QStringLiteral("UPDATE TA_CONFIGURACION SET CLAVE = 'ToleranciaRedondeoX' "
                                                 "WHERE CLAVE = 'ToleranciaRedondeo'"));
        ui::ScriptedDialogs d;
        d.expectErrorDialog(ui::vbIgnore);
        auto ventana = std::make_unique<FrmConcCuentas>();
        ventana->Parametros = empresa.lanzamiento;
        ventana->Form_Load();
        EmpresaDePrueba::ejecutar(QStringLiteral("UPDATE TA_CONFIGURACION SET CLAVE = 'ToleranciaRedondeo' "
                                                 "WHERE CLAVE = 'ToleranciaRedondeoX'"));
        QVERIFY(d.verifyDone());
        QCOMPARE(ventana->FTolerancia, ado::Currency());
        QCOMPARE(ventana->TextoCampo(QStringLiteral("IdConciliacion")), QStringLiteral("1"));
    }

    // Rebuilding or reloading one side leaves the other list, its columns and its totals as they were.
    void oneSideLeavesTheOther()
    {
        guardada(3, "CTA", 0);
        ui::ScriptedDialogs d;
        confirmar(*w, "IdConciliacion", QStringLiteral("3"));
        w->ArmarColumnas(false, true);
        QCOMPARE(w->Lvw2->ListItems().Count(), 0);
        QCOMPARE(w->lblTotNConc2->text(), QStringLiteral("0.00"));
        QCOMPARE(w->Lvw->ListItems().Count(), 1);
        QCOMPARE(w->Lvw->ColumnHeaders().Count(), conciliacion::kCantidadColumnas);
        QCOMPARE(w->lblTotNConc->text(), QStringLiteral("250.00"));

        w->ChkConciliados->setChecked(true);
        w->CargarConciliacion(false, true);
        QVERIFY(d.verifyDone());
        QCOMPARE(w->Lvw2->ListItems().Count(), 2);
        QCOMPARE(w->lblTotConc2->text(), QStringLiteral("100.00"));
        QCOMPARE(w->lblTotNConc2->text(), QStringLiteral("7.50"));
        QCOMPARE(w->Lvw->ListItems().Count(), 1);
        QCOMPARE(w->lblTotConc->text(), QStringLiteral("0.00"));
    }

    // An account's description; "..." for a code outside the chart and for a heading account.
    void accountDescription_data()
    {
        QTest::addColumn<QString>("codigo");
        QTest::addColumn<QString>("descripcion");
        QTest::newRow("an account") << QStringLiteral("1101") << QStringLiteral("Banco cuenta corriente");
        QTest::newRow("a heading account") << QStringLiteral("11") << QStringLiteral("...");
        QTest::newRow("not in the chart") << QStringLiteral("9999") << QStringLiteral("...");
        QTest::newRow("a quote") << QStringLiteral("11'01") << QStringLiteral("...");
    }

    void accountDescription()
    {
        QFETCH(QString, codigo);
        QFETCH(QString, descripcion);
        ui::ScriptedDialogs d;
        QCOMPARE(w->DescripcionCuenta(codigo), descripcion);
        QVERIFY(d.verifyDone());
    }

    // Switching the mode empties both lists and zeroes their totals, either way.
    void modeSwitchEmptiesTheLists_data()
    {
        QTest::addColumn<bool>("detalle");
        QTest::newRow("detail") << true;
        QTest::newRow("header entry") << false;
    }

    void modeSwitchEmptiesTheLists()
    {
        QFETCH(bool, detalle);
        ui::ScriptedDialogs d;
        cargarMarzo(*w);
        QVERIFY(d.verifyDone());
        QVERIFY(w->Lvw->ListItems().Count() > 0);
        w->DetalleOn(detalle);
        QCOMPARE(w->Lvw->ListItems().Count(), 0);
        QCOMPARE(w->Lvw2->ListItems().Count(), 0);
        QCOMPARE(w->Lvw2->ColumnHeaders().Count(), conciliacion::kCantidadColumnas);
        QCOMPARE(w->lblTotNConc->text(), QStringLiteral("0.00"));
        QCOMPARE(w->lblTotNConc2->text(), QStringLiteral("0.00"));
        QCOMPARE(w->Campo(QStringLiteral("IdConciliacion"))->isEnabled(), !detalle);
    }

    // The search over the left list: the first row whose column begins with the text, case and blanks aside.
    void searchTheLeftList_data()
    {
        QTest::addColumn<QString>("buscado");
        QTest::addColumn<QString>("hallado");   // the concept of the row found; "" for none
        QTest::newRow("a prefix in another case") << QStringLiteral(" aJUS ") << QStringLiteral("Ajuste");
        QTest::newRow("the whole text") << QStringLiteral("Cobro FC 11") << QStringLiteral("Cobro FC 11");
        QTest::newRow("longer than any text") << QStringLiteral("Ajuste de marzo") << QString();
        QTest::newRow("nothing like it") << QStringLiteral("Deposito") << QString();
    }

    void searchTheLeftList()
    {
        QFETCH(QString, buscado);
        QFETCH(QString, hallado);
        ui::ScriptedDialogs d;
        cargarMarzo(*w);
        QVERIFY(d.verifyDone());
        QCOMPARE(w->Lvw->ListItems().Count(), 3);
        const int fila = w->Busqueda(conciliacion::colConcepto, buscado);
        QCOMPARE(fila == 0 ? QString() : celda(*w->Lvw, fila, conciliacion::colConcepto), hallado);
        // The empty text begins every text: the first row, by any column or by the row's own text.
        QCOMPARE(w->Busqueda(conciliacion::colConcepto, QString()), 1);
        QCOMPARE(w->Busqueda(0, QString()), 1);
    }

    void textPropertiesOnlyForTheSecondEditor_data()
    {
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<bool>("limpia");
        QTest::newRow("TxtEdit2") << QStringLiteral("TxtEdit2") << true;
        QTest::newRow("other case, blanks") << QStringLiteral(" txtedit2 ") << true;
        QTest::newRow("TxtEdit") << QStringLiteral("TxtEdit") << false;
    }

    void textPropertiesOnlyForTheSecondEditor()
    {
        QFETCH(QString, nombre);
        QFETCH(bool, limpia);
        QLineEdit editor;
        editor.setObjectName(nombre);
        suite::SetDataField(&editor, QStringLiteral("CUENTA"));
        suite::SetTag(&editor, QStringLiteral("MA_CUENTASCTE"));
        editor.setMaxLength(15);
        FrmConcCuentas::TextPropiedades(&editor, 3);
        QCOMPARE(suite::DataField(&editor), limpia ? QString() : QStringLiteral("CUENTA"));
        QCOMPARE(suite::Tag(&editor), limpia ? QString() : QStringLiteral("MA_CUENTASCTE"));
        QCOMPARE(editor.maxLength() > 15, limpia);
    }

    void newNumberThenAccount()
    {
        ui::ScriptedDialogs d;
        confirmar(*w, "IdConciliacion", QStringLiteral("1"));
        QVERIFY(!w->FHayError);
        // A new reconciliation is locked for this station as soon as its number is taken.
        QCOMPARE(EmpresaDePrueba::filasDe(QStringLiteral("SELECT TC, SUCURSAL, NUMERO, LETRA, USUARIO FROM V_MV_CTROL_CPTE")),
                 QStringList{QStringLiteral("CCCC|0001|00000001|X|") + conciliacion::EntornoPrograma().Propietario()});
        QVERIFY(w->Campo(QStringLiteral("IdConciliacion"))->isEnabled());

        confirmar(*w, "CUENTA", QStringLiteral("1101"));
        QVERIFY(d.verifyDone());
        QVERIFY(!w->FHayError);
        QCOMPARE(w->LblDescCuenta->text(), QStringLiteral("Banco cuenta corriente"));
        QCOMPARE(w->LblDescCuenta->textFormat(), Qt::PlainText);   // a description is never read as markup
        QVERIFY(!w->Campo(QStringLiteral("IdConciliacion"))->isEnabled());
        QVERIFY(w->SSTab1->isTabEnabled(1));
        QVERIFY(w->cmdComparar->isEnabled());
        QVERIFY(w->Brakmo1->grabarenabled());
        QVERIFY(!w->Brakmo1->nuevoenabled());
        const QDate hoy = kHoy;
        QCOMPARE(w->TextoCampo(QStringLiteral("FechaD")), QStringLiteral("01/") + hoy.toString(QStringLiteral("MM/yyyy")));
        QCOMPARE(w->TextoCampo(QStringLiteral("FechaH")),
                 QDate(hoy.year(), hoy.month(), hoy.daysInMonth()).toString(QStringLiteral("dd/MM/yyyy")));
        // No stored settings: only the amount, which is always compared.
        for (int i = 0; i < 6; ++i)
            QCOMPARE(w->chkCamposComp(i)->checkState(), i == conciliacion::cmpImporte ? Qt::Checked : Qt::Unchecked);
        QVERIFY(!w->chkCamposComp(conciliacion::cmpImporte)->isEnabled());
        QCOMPARE(w->txtTolerancia->text(), QStringLiteral("0"));

        // A reset gives the lock back.
        w->Inicializa();
        QCOMPARE(EmpresaDePrueba::cantidad(QStringLiteral("V_MV_CTROL_CPTE")), 0);
        QCOMPARE(w->TextoCampo(QStringLiteral("IdConciliacion")), QStringLiteral("1"));
    }

    // Taking another number gives back the lock of the one taken before.
    void anotherNumberReleasesTheFirstLock()
    {
        ui::ScriptedDialogs d;
        confirmar(*w, "IdConciliacion", QStringLiteral("1"));
        confirmar(*w, "IdConciliacion", QStringLiteral("5"));
        QVERIFY(d.verifyDone());
        QCOMPARE(bloqueos(1), 0);
        QCOMPARE(bloqueos(5), 1);
    }

    void accountsRefused_data()
    {
        QTest::addColumn<QString>("cuenta");
        QTest::addColumn<QString>("mensaje");
        QTest::newRow("heading account") << QStringLiteral("11")
                                         << QStringLiteral("La Cuenta no es correcta!!\r\nEs Cuenta Titulo");
        QTest::newRow("unknown account") << QStringLiteral("9999") << QStringLiteral("Cuenta Inexistente...");
        QTest::newRow("a quote") << QStringLiteral("11'01") << QStringLiteral("Cuenta Inexistente...");
    }

    void accountsRefused()
    {
        QFETCH(QString, cuenta);
        QFETCH(QString, mensaje);
        ui::ScriptedDialogs d;
        confirmar(*w, "IdConciliacion", QStringLiteral("1"));
        d.expectMsgBox(ui::vbOK).withText(mensaje).withTitle(kAviso);
        confirmar(*w, "CUENTA", cuenta);
        QVERIFY(d.verifyDone());
        QVERIFY(w->FHayError);
        // Still choosing: header entry.
        QVERIFY(w->Campo(QStringLiteral("IdConciliacion"))->isEnabled());
        QVERIFY(!w->SSTab1->isTabEnabled(1));
        QCOMPARE(w->LblDescCuenta->text(), QStringLiteral("..."));
    }

    void openSaved()
    {
        guardada(3, "CTA", 0);
        ui::ScriptedDialogs d;
        confirmar(*w, "IdConciliacion", QStringLiteral("3"));
        QVERIFY(d.verifyDone());
        QVERIFY(!w->FHayError);
        QVERIFY(!w->FFinalizada);
        QCOMPARE(w->TextoCampo(QStringLiteral("CUENTA")), QStringLiteral("1101"));
        QVERIFY(!w->Campo(QStringLiteral("CUENTA"))->isEnabled());
        QVERIFY(!w->CmdEjecutar->isEnabled());
        QCOMPARE(w->TextoCampo(QStringLiteral("OBS")), QStringLiteral("Guardada"));
        // The saved period, not the current month the account's validation proposes.
        QCOMPARE(w->TextoCampo(QStringLiteral("FechaD")), QStringLiteral("01/03/2026"));
        QCOMPARE(w->TextoCampo(QStringLiteral("FechaH")), QStringLiteral("31/03/2026"));
        QCOMPARE(w->TextoCampo(QStringLiteral("Fecha")), kHoy.toString(QStringLiteral("dd/MM/yyyy")));
        // Marked lines are listed only with "Ver Movimientos Conciliados".
        QCOMPARE(columna(*w->Lvw, conciliacion::colConcepto), QStringList{QStringLiteral("Linea 2")});
        QCOMPARE(columna(*w->Lvw2, conciliacion::colConcepto), QStringList{QStringLiteral("Linea 6")});
        QCOMPARE(w->lblTotNConc->text(), QStringLiteral("250.00"));
        QCOMPARE(w->lblTotConc->text(), QStringLiteral("0.00"));
        QCOMPARE(w->lblTotNConc2->text(), QStringLiteral("7.50"));
        for (QPushButton* b : {w->CmdConciliar, w->cmdComparar, w->cmdRefresh, w->cmdFinalizar})
            QVERIFY2(b->isEnabled(), qPrintable(b->objectName()));
        QCOMPARE(bloqueos(3), 1);
    }

    void openSavedWithReconciledLines()
    {
        guardada(3, "CTA", 0);
        w->ChkConciliados->setChecked(true);
        ui::ScriptedDialogs d;
        confirmar(*w, "IdConciliacion", QStringLiteral("3"));
        QVERIFY(d.verifyDone());
        QCOMPARE(w->Lvw->ListItems().Count(), 2);
        QCOMPARE(w->lblTotConc->text(), QStringLiteral("100.00"));
        QCOMPARE(w->lblTotNConc->text(), QStringLiteral("250.00"));
        QCOMPARE(w->lblTotConc2->text(), QStringLiteral("100.00"));
        // Marked rows carry their mark; a marked right row its icon, and the groups sort it first.
        QCOMPARE(w->Lvw->ListItems()(1).Checked(), true);
        QCOMPARE(columna(*w->Lvw2, conciliacion::colConcepto),
                 (QStringList{QStringLiteral("Linea 4"), QStringLiteral("Linea 6")}));
        QCOMPARE(w->Lvw2->ListItems()(1).SmallIcon(), conciliacion::kIconoMarcado);
        QCOMPARE(w->Lvw2->ListItems()(2).SmallIcon(), conciliacion::kIconoSinMarcar);
    }

    void bankReconciliationRefused()
    {
        guardada(5, "BCO", 0);
        ui::ScriptedDialogs d;
        d.expectMsgBox(ui::vbOK)
            .withText(QStringLiteral("La conciliación ingresada fue realizada desde Dostavar, para su modificación "
                                     "dirígase a dicho menú."))
            .withTitle(kAviso);
        confirmar(*w, "IdConciliacion", QStringLiteral("5"));
        QVERIFY(d.verifyDone());
        QVERIFY(w->FHayError);
        QCOMPARE(w->Lvw->ListItems().Count(), 0);
        QCOMPARE(bloqueos(5), 0);
    }

    void finalizedOpensWithItsCommandsOff()
    {
        guardada(6, "CTA", 1);
        ui::ScriptedDialogs d;
        d.expectMsgBox(ui::vbOK)
            .withText(QStringLiteral("La conciliación ingresada se encuentra finalizada!!!\r\nEs imposible de modificar."))
            .withTitle(QStringLiteral("Aviso al Usuario"))
            .withStyle(ui::vbInformation);
        confirmar(*w, "IdConciliacion", QStringLiteral("6"));
        QVERIFY(d.verifyDone());
        QVERIFY(w->FFinalizada);
        for (QPushButton* b : {w->CmdConciliar, w->cmdComparar, w->cmdRefresh, w->CmdEjecutar})
            QVERIFY2(!b->isEnabled(), qPrintable(b->objectName()));
        QCOMPARE(w->Lvw->ListItems().Count(), 1);
        QCOMPARE(bloqueos(6), 1);

        // Leaving it gives the lock back and the commands to the next reconciliation once it is open: in
        // header mode nothing but the load is offered.
        w->Inicializa();
        QVERIFY(!w->FFinalizada);
        QCOMPARE(bloqueos(6), 0);
        QVERIFY(!w->CmdConciliar->isEnabled());
        QVERIFY(!w->cmdRefresh->isEnabled());
        QVERIFY(w->CmdEjecutar->isEnabled());
        QVERIFY(w->Campo(QStringLiteral("CUENTA"))->isEnabled());
        confirmar(*w, "CUENTA", QStringLiteral("1101"));
        QVERIFY(w->CmdConciliar->isEnabled());
        QVERIFY(w->cmdRefresh->isEnabled());
    }

    void anotherStationsLockRefused()
    {
        guardada(3, "CTA", 0);
        EmpresaDePrueba::ejecutar(QStringLiteral(
            "INSERT INTO V_MV_CTROL_CPTE (TC, SUCURSAL, NUMERO, LETRA, USUARIO) VALUES ('CCCC', '0001', '00000003', 'X', "
            "'OTRA|admin1')"));
        ui::ScriptedDialogs d;
        d.expectMsgBox(ui::vbOK)
            .withText(QStringLiteral("El usuario: OTRA|admin1, esta modificando este comprobante!\r\nNo puede modificarlo!"))
            .withStyle(ui::vbCritical)
            .withTitle(QString());
        confirmar(*w, "IdConciliacion", QStringLiteral("3"));
        QVERIFY(d.verifyDone());
        QVERIFY(w->FHayError);
        QCOMPARE(w->TextoCampo(QStringLiteral("IdConciliacion")), QStringLiteral("4"));
        QCOMPARE(w->Lvw->ListItems().Count(), 0);
        QCOMPARE(EmpresaDePrueba::filasDe(QStringLiteral("SELECT USUARIO FROM V_MV_CTROL_CPTE")),
                 QStringList{QStringLiteral("OTRA|admin1")});

        // Confirming the number proposed then validates it.
        confirmar(*w, "IdConciliacion", w->TextoCampo(QStringLiteral("IdConciliacion")));
        QVERIFY(!w->FHayError);
        QCOMPARE(bloqueos(4), 1);
    }

    // A lock row of this station and user (in any letter case), or one without an owner, blocks nobody.
    void ownOrEmptyLockDoesNotBlock_data()
    {
        QTest::addColumn<QString>("titular");
        QTest::newRow("own, other case") << conciliacion::EntornoPrograma().Propietario().toLower();
        QTest::newRow("empty") << QString();
    }

    void ownOrEmptyLockDoesNotBlock()
    {
        QFETCH(QString, titular);
        guardada(3, "CTA", 0);
        EmpresaDePrueba::ejecutar(QStringLiteral("INSERT INTO V_MV_CTROL_CPTE (TC, SUCURSAL, NUMERO, LETRA, USUARIO) "
                                                 "VALUES ('CCCC', '0001', '00000003', 'X', '%1')")
                                      .arg(titular));
        ui::ScriptedDialogs d;
        confirmar(*w, "IdConciliacion", QStringLiteral("3"));
        QVERIFY(d.verifyDone());
        QVERIFY(!w->FHayError);
        QCOMPARE(w->Lvw->ListItems().Count(), 1);
    }

    void settingsRoundTrip()
    {
        ui::ScriptedDialogs d;
        confirmar(*w, "IdConciliacion", QStringLiteral("1"));
        confirmar(*w, "CUENTA", QStringLiteral("1101"));
        w->SSTab1->setCurrentIndex(1);
        w->chkCamposComp(conciliacion::cmpComprobante)->setChecked(true);
        w->txtTolerancia->setText(QStringLiteral("0"));
        d.expectMsgBox(ui::vbOK)
            .withText(QStringLiteral("La configuración Importación se guardó correctamente."))
            .withTitle(QStringLiteral("Aviso al Usuario"))
            .withStyle(ui::vbInformation);
        w->cmdGrabaCfg_Click();
        QCOMPARE(EmpresaDePrueba::filasDe(QStringLiteral(
                     "SELECT CLAVE, VALOR, PoliticaNegocio, Grupo FROM TA_CONFIGURACION WHERE CLAVE LIKE 'CONCCTAS%'")),
                 QStringList{QStringLiteral("CONCCTAS_CFG1101|0001100|0|DATOS")});
        QCOMPARE(w->SSTab1->currentIndex(), 0);

        // Saving again keeps one row, with the new value; reading it back restores boxes and tolerance.
        w->chkCamposComp(conciliacion::cmpFecha)->setChecked(true);
        w->txtTolerancia->setText(QStringLiteral("1.5"));
        d.expectMsgBox(ui::vbOK).containing(QStringLiteral("se guardó correctamente"));
        w->cmdGrabaCfg_Click();
        QCOMPARE(EmpresaDePrueba::filasDe(QStringLiteral("SELECT VALOR FROM TA_CONFIGURACION WHERE CLAVE LIKE 'CONCCTAS%'")),
                 QStringList{QStringLiteral("1001101.5")});
        for (int i = 0; i < 6; ++i)
            w->chkCamposComp(i)->setChecked(false);
        w->txtTolerancia->clear();
        confirmar(*w, "CUENTA", QStringLiteral("1101"));
        QVERIFY(d.verifyDone());
        for (int i = 0; i < 6; ++i)
            QCOMPARE(w->chkCamposComp(i)->isChecked(),
                     i == conciliacion::cmpFecha || i == conciliacion::cmpComprobante || i == conciliacion::cmpImporte);
        QVERIFY(!w->chkCamposComp(conciliacion::cmpImporte)->isEnabled());
        QCOMPARE(w->txtTolerancia->text(), QStringLiteral("1.5"));
    }

    // A save the database refused is reported by the configuration writer, and nothing claims success.
    void failedSettingsSaveIsNotConfirmed()
    {
        ui::ScriptedDialogs d;
        confirmar(*w, "IdConciliacion", QStringLiteral("1"));
        confirmar(*w, "CUENTA", QStringLiteral("1101"));
        w->SSTab1->setCurrentIndex(1);
        EmpresaDePrueba::ejecutar(QStringLiteral("ALTER TABLE TA_CONFIGURACION RENAME TO TA_CONFIGURACION_X"));
        d.expectErrorDialog(ui::vbAbort);
        w->cmdGrabaCfg_Click();
        EmpresaDePrueba::ejecutar(QStringLiteral("ALTER TABLE TA_CONFIGURACION_X RENAME TO TA_CONFIGURACION"));
        QVERIFY(d.verifyDone());
        QCOMPARE(w->SSTab1->currentIndex(), 1);
        QCOMPARE(EmpresaDePrueba::cantidad(QStringLiteral("TA_CONFIGURACION WHERE CLAVE LIKE 'CONCCTAS%'")), 0);
    }

    // Observations and the two filters may stay blank; the date may not.
    void requiredFields()
    {
        ui::ScriptedDialogs d;
        confirmar(*w, "IdConciliacion", QStringLiteral("1"));
        confirmar(*w, "CUENTA", QStringLiteral("1101"));
        QVERIFY(w->DatosValidos());
        w->Campo(QStringLiteral("FechaH"))->setText(QStringLiteral("31/02/2026"));
        d.expectMsgBox(ui::vbOK).withText(QStringLiteral("Fecha incorrecta...")).withTitle(kAviso);
        QVERIFY(!w->DatosValidos());
        w->Campo(QStringLiteral("Fecha"))->setText(QStringLiteral("hoy"));
        // One message only: the first field refused, in index order.
        d.expectMsgBox(ui::vbOK).withText(QStringLiteral("La Fecha Ingresada no es válida!!!")).withTitle(kAviso);
        QVERIFY(!w->DatosValidos());
        w->Campo(QStringLiteral("Fecha"))->clear();
        d.expectMsgBox(ui::vbOK).withText(QStringLiteral("Se debe informar el Campo: Fecha")).withTitle(kAviso);
        QVERIFY(!w->DatosValidos());
        QVERIFY(d.verifyDone());
    }
};

QTEST_MAIN(TstWindowStart)
#include "tst_window_start.moc"
