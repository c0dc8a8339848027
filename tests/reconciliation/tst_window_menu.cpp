// The line menu of both lists: only a right click on a list with a selected line pops it; a menu closed
// without a choice does nothing (not even the last choice again); marking and releasing the selected lines
// (never of a finalized reconciliation); the voucher behind the line handed to the document viewer, cut into
// branch, number and letter, and nothing for a line without voucher type or of type "VJ".

#include "VentanaDePrueba.h"

#include "core/FrmMenus.h"
#include "reconciliation/VisorDocumentos.h"

namespace {

const QString kMarcar = QStringLiteral("mnu_EmergenteZ1_MarcarSel");
const QString kQuitar = QStringLiteral("mnu_EmergenteZ1_QuitarSel");
const QString kVer = QStringLiteral("mnu_EmergenteZ1_VerAsiento");

// A viewer that records what it was asked to open.
struct VisorDePrueba final : conciliacion::VisorDocumentos {
    QStringList abiertos;
    VisorDePrueba() { conciliacion::instalarVisorDocumentos(this); }
    ~VisorDePrueba() override { conciliacion::instalarVisorDocumentos(nullptr); }
    void Mostrar(const conciliacion::Comprobante& c, const QString& cuentaFiltro) override
    {
        abiertos << QStringList{c.tc, c.sucursal, c.numero, c.letra, cuentaFiltro}.join(QLatin1Char('|'));
    }
};

// A real right click on the line with that concept, on the shown list.
void clicDerecho(ui::ListView& lista, const QString& concepto)
{
    lista.listModel().sync();
    const QRect linea = lista.visualRect(lista.listModel().index(fila(lista, concepto) - 1, conciliacion::colConcepto));
    QVERIFY(linea.isValid());
    QTest::mouseClick(lista.viewport(), Qt::RightButton, {}, linea.center());
}

// The concepts of the lines the list shows selected, sorted.
QString seleccionadas(ui::ListView& lista)
{
    QStringList s;
    for (int i = 1; i <= lista.ListItems().Count(); ++i)
        if (lista.ListItems()(i).Selected())
            s << celda(lista, i, conciliacion::colConcepto);
    s.sort();
    return s.join(QLatin1Char(','));
}

} // namespace

class TstWindowMenu : public VentanaDePrueba {
    Q_OBJECT

    void alAbrir() override { cargarMarzoSinPreguntas(); }

private slots:
    void noMenuWithoutRightClickOnASelectedLine_data()
    {
        QTest::addColumn<int>("boton");
        QTest::addColumn<bool>("conSeleccion");
        QTest::newRow("left button") << 1 << true;
        QTest::newRow("middle button") << 4 << true;
        QTest::newRow("right button, nothing selected") << 2 << false;
    }

    void noMenuWithoutRightClickOnASelectedLine()
    {
        QFETCH(int, boton);
        QFETCH(bool, conSeleccion);
        ui::ScriptedDialogs d;   // any menu would be an unexpected prompt
        seleccionar(*w->Lvw, conSeleccion ? QStringList{kD1} : QStringList{});
        w->Lvw_MouseDown(boton, 0, 0, 0);
        w->Lvw2_MouseDown(boton, 0, 0, 0);
        QVERIFY(d.verifyDone());
        QCOMPARE(marcadas(*w->Lvw), QString());
    }

    // A real right click on the shown list.
    void rightClickMarksTheSelectedLines()
    {
        w->Show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        seleccionar(*w->Lvw2, {kC1, kC3});
        ui::ScriptedDialogs d;
        d.expectPopup(kMarcar);
        w->Lvw2->listModel().sync();
        const QRect fila1 = w->Lvw2->visualRect(w->Lvw2->listModel().index(0, 2));
        QTest::mouseClick(w->Lvw2->viewport(), Qt::RightButton, {}, fila1.center());
        QVERIFY(d.verifyDone());
        QCOMPARE(marcadas(*w->Lvw2), kC3 + ',' + kC1);
        QCOMPARE(w->lblTotConc2->text(), QStringLiteral("107.50"));
        QCOMPARE(w->LblDif2->text(), QStringLiteral("107.5"));
    }

    // A right click acts on the line under the pointer: a line outside the selection becomes the selection
    // alone before the menu, whatever was selected, and the list shows what was acted on.
    void rightClickActsOnTheLineUnderThePointer_data()
    {
        QTest::addColumn<QStringList>("antes");
        QTest::newRow("another line selected") << QStringList{kD3};
        QTest::newRow("nothing selected") << QStringList{};
        QTest::newRow("other lines selected") << QStringList{kD1, kD3};
    }
    void rightClickActsOnTheLineUnderThePointer()
    {
        QFETCH(QStringList, antes);
        mostrar();
        VisorDePrueba visor;
        ui::ScriptedDialogs d;
        cambiarFila(*w, *w->Lvw, kD2, [](conciliacion::WorkbenchRow& f) {
            f.TC = QStringLiteral("FC");
            f.Comprobante = QStringLiteral("000100001217A");
        });
        cambiarFila(*w, *w->Lvw, kD3, [](conciliacion::WorkbenchRow& f) {
            f.TC = QStringLiteral("CB");
            f.Comprobante = QStringLiteral("000100000345X");
        });
        seleccionar(*w->Lvw, antes);
        d.expectPopup(kVer);
        clicDerecho(*w->Lvw, kD2);
        QVERIFY(d.verifyDone());
        QCOMPARE(visor.abiertos, QStringList{QStringLiteral("FC|0001|00001217|A|1101")});
        QCOMPARE(seleccionadas(*w->Lvw), kD2);

        seleccionar(*w->Lvw, antes);
        d.expectPopup(kMarcar);
        clicDerecho(*w->Lvw, kD2);
        QVERIFY(d.verifyDone());
        QCOMPARE(marcadas(*w->Lvw), kD2);
        QCOMPARE(seleccionadas(*w->Lvw), kD2);
    }

    // Releasing from the menu releases the clicked line, the one the list shows selected.
    void rightClickReleasesTheLineUnderThePointer()
    {
        mostrar();
        ui::ScriptedDialogs d;
        seleccionar(*w->Lvw2, {kC1});
        d.expectPopup(kQuitar);
        clicDerecho(*w->Lvw2, kC2);
        QVERIFY(d.verifyDone());
        QCOMPARE(fila(*w->Lvw2, kC2), 0);
        QVERIFY(fila(*w->Lvw2, kC1) > 0);
        QCOMPARE(EmpresaDePrueba::filasDe(QStringLiteral("SELECT CONCEPTO FROM MV_CONCILIACION_AUX ORDER BY CONCEPTO")),
                 (QStringList{kC3, kC1}));
    }

    // Below the last line there is no line to act on: no menu, and the selection goes, as list views do.
    void rightClickBelowTheLastLineShowsNoMenu()
    {
        mostrar();
        ui::ScriptedDialogs d;   // any menu would be an unexpected prompt
        seleccionar(*w->Lvw, {kD1});
        w->Lvw->listModel().sync();
        const QRect ultima = w->Lvw->visualRect(w->Lvw->listModel().index(w->Lvw->ListItems().Count() - 1, 2));
        QVERIFY(ultima.bottom() + 10 < w->Lvw->viewport()->height());
        QTest::mouseClick(w->Lvw->viewport(), Qt::RightButton, {}, QPoint(ultima.center().x(), ultima.bottom() + 10));
        QVERIFY(d.verifyDone());
        QCOMPARE(seleccionadas(*w->Lvw), QString());
        QCOMPARE(marcadas(*w->Lvw), QString());
    }

    void dismissedMenuDoesNothing()
    {
        ui::ScriptedDialogs d;
        seleccionar(*w->Lvw, {kD1});
        d.expectPopup(kMarcar);
        w->Lvw_MouseDown(2, 0, 0, 0);
        QCOMPARE(marcadas(*w->Lvw), kD1);
        QCOMPARE(ModGlobal::frmMenus().PRespuesta, QStringLiteral("MarCarSel"));
        // The same code is still in the answer slot: a dismissed menu must not repeat it.
        seleccionar(*w->Lvw, {kD3});
        d.dismissPopup();
        w->Lvw_MouseDown(2, 0, 0, 0);
        QVERIFY(d.verifyDone());
        QCOMPARE(marcadas(*w->Lvw), kD1);
        // Nor a release: D2 stays registered.
        seleccionar(*w->Lvw, {kD2});
        d.expectPopup(kQuitar);
        w->Lvw_MouseDown(2, 0, 0, 0);
        QCOMPARE(fila(*w->Lvw, kD2), 0);
        seleccionar(*w->Lvw, {kD3});
        d.dismissPopup();
        w->Lvw_MouseDown(2, 0, 0, 0);
        QVERIFY(d.verifyDone());
        QVERIFY(fila(*w->Lvw, kD3) > 0);
        QCOMPARE(EmpresaDePrueba::cantidad(QStringLiteral("MV_CONCILIACION")), 2);
    }

    void cancelarItemDoesNothing()
    {
        ui::ScriptedDialogs d;
        seleccionar(*w->Lvw, {kD1});
        const QString antes = volcado();
        d.expectPopup(QStringLiteral("mnu_EmergenteZ1_Cancelar"));
        w->Lvw_MouseDown(2, 0, 0, 0);
        QVERIFY(d.verifyDone());
        QCOMPARE(marcadas(*w->Lvw), QString());
        QCOMPARE(volcado(), antes);
    }

    // Only the selected unmarked lines of the clicked list leave the reconciliation.
    void quitarSelReleasesTheSelectedUnmarkedLines()
    {
        ui::ScriptedDialogs d;
        tildar(*w->Lvw2, kC2, true);
        seleccionar(*w->Lvw2, {kC1, kC2});
        d.expectPopup(kQuitar);
        w->Lvw2_MouseDown(2, 0, 0, 0);
        QVERIFY(d.verifyDone());
        QCOMPARE(EmpresaDePrueba::filasDe(QStringLiteral("SELECT SECUENCIA FROM MV_CONCILIACION_AUX ORDER BY SECUENCIA")),
                 (QStringList{QStringLiteral("5"), QStringLiteral("6")}));
        QCOMPARE(EmpresaDePrueba::cantidad(QStringLiteral("MV_CONCILIACION")), 3);
        QCOMPARE(fila(*w->Lvw2, kC1), 0);
    }

    void quitarSelOfAFinalizedReconciliationIsRefused()
    {
        ui::ScriptedDialogs d;
        w->FFinalizada = true;
        seleccionar(*w->Lvw, {kD1, kD2});
        const QString antes = volcado();
        d.expectPopup(kQuitar);
        d.expectMsgBox(ui::vbOK).withText(QStringLiteral("CONCILIACION FINALIZADA, NO SEPUEDE MODIFICAR"));
        w->Lvw_MouseDown(2, 0, 0, 0);
        QVERIFY(d.verifyDone());
        QCOMPARE(volcado(), antes);
        QCOMPARE(w->Lvw->ListItems().Count(), 3);
    }

    // Without a viewer installed the operator is told which voucher would open.
    void voucherHandedToTheViewer_data()
    {
        QTest::addColumn<QString>("tc");
        QTest::addColumn<QString>("comprobante");
        QTest::addColumn<QString>("abierto");
        QTest::newRow("13 characters") << "FC" << "000100000010A" << "FC|0001|00000010|A|1101";
        QTest::newRow("type in lower case") << "fcc" << "000200000099B" << "fcc|0002|00000099|B|1101";
        QTest::newRow("12 characters: no letter") << "PG" << "000100000003" << "PG|0001|00000003||1101";
        QTest::newRow("4 characters: branch only") << "XX" << "0001" << "XX|0001|||1101";
        QTest::newRow("type VJ") << "VJ" << "000100000077X" << "";
        QTest::newRow("type vj") << "vj" << "000100000077X" << "";
        QTest::newRow("no type") << "" << "000100000077X" << "";
        QTest::newRow("blank type") << "  " << "000100000077X" << "";
    }

    void voucherHandedToTheViewer()
    {
        QFETCH(QString, tc);
        QFETCH(QString, comprobante);
        QFETCH(QString, abierto);
        VisorDePrueba visor;
        ui::ScriptedDialogs d;
        cambiarFila(*w, *w->Lvw, kD1, [&](conciliacion::WorkbenchRow& f) {
            f.TC = tc;
            f.Comprobante = comprobante;
        });
        w->Lvw->setSelectedItem(item(*w->Lvw, kD1));
        d.expectPopup(kVer);
        w->Lvw_MouseDown(2, 0, 0, 0);
        QVERIFY(d.verifyDone());
        QCOMPARE(visor.abiertos, abierto.isEmpty() ? QStringList() : QStringList{abierto});
        QCOMPARE(marcadas(*w->Lvw), QString());
    }
};

QTEST_MAIN(TstWindowMenu)
#include "tst_window_menu.moc"
