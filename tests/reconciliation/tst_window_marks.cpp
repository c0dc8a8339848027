// The operator's marks on the lists: the mark handlers of both lists with their link questions (links are
// whole elements of the lists), the Shift+arrow toggle, sorting by a column header, marking the selected
// rows, the totals and the difference label; releasing lines (without leaving links behind), reloading,
// showing the reconciled lines and finding a text in the list that last had the focus.

#include "VentanaDePrueba.h"

#include "lookup/FrmBuscar.h"
#include "platform/ui/Keys.h"

#include <QApplication>
#include <QSqlQuery>

namespace {

const QString kAtencion = QStringLiteral("ATENCIÓN");
const QString kPreguntaIzquierda =
    QStringLiteral("Este registro está vinculado con uno o mas registros de la planilla derecha.\r\nSi lo desmarca se "
                   "desmarcará el registro vinculado de la planilla de la derecha.\r\n¿Confirma?");
const QString kPreguntaDerecha =
    QStringLiteral("Este registro está vinculado con uno o mas registros de la planilla izquierda.\r\nSi lo desmarca se "
                   "desmarcarán los registros vinculados de la planilla de la Izquierda.\r\n¿Confirma?");

} // namespace

class TstWindowMarks : public VentanaDePrueba {
    Q_OBJECT

    // What the operator sees of the reconciliation: each list's lines with their marks, the totals and the
    // difference.
    QString pantalla()
    {
        QStringList t;
        for (ui::ListView* lista : {w->Lvw, w->Lvw2}) {
            QStringList lineas;
            for (int i = 1; i <= lista->ListItems().Count(); ++i)
                lineas << celda(*lista, i, conciliacion::colConcepto)
                              + (lista->ListItems()(i).Checked() ? QStringLiteral(" [x]") : QString());
            lineas.sort();
            t << lineas.join(QLatin1Char(','));
        }
        for (QLabel* l : {w->lblTotConc, w->lblTotNConc, w->lblTotConc2, w->lblTotNConc2, w->LblDif2})
            t << l->text();
        return t.join(QLatin1Char('\n'));
    }

private slots:
    void uncheckLinkedLeftRowConfirmed()
    {
        ui::ScriptedDialogs d;
        conciliarMarzo(*w);
        d.expectMsgBox(ui::vbYes).withText(kPreguntaIzquierda).withStyle(ui::vbYesNo + ui::vbQuestion).withTitle(kAtencion);
        tildar(*w->Lvw, kD1, false);
        QVERIFY(d.verifyDone());
        // Both partners lose their mark and only D1's ID; D2 keeps its mark and links.
        QCOMPARE(marcadas(*w->Lvw), kD2);
        QCOMPARE(marcadas(*w->Lvw2), QString());
        QCOMPARE(vinculo(*w->Lvw, kD1), QString());
        QCOMPARE(vinculo(*w->Lvw2, kC1), idL(2));
        QCOMPARE(vinculo(*w->Lvw2, kC2), idL(2));
        QCOMPARE(enOrden(vinculo(*w->Lvw, kD2)), idR(4) + ',' + idR(5));
        QCOMPARE(w->lblTotConc->text(), QStringLiteral("250.00"));
        QCOMPARE(w->lblTotConc2->text(), QStringLiteral("0.00"));
        QCOMPARE(w->LblDif2->text(), QStringLiteral("250.00"));
        QCOMPARE(fondoDiferencia(*w), conciliacion::kColorAzul);
        // Only the screen changed.
        QCOMPARE(EmpresaDePrueba::cantidad(QStringLiteral("MV_CONCILIACION WHERE CONCILIADO = 1")), 2);
    }

    // The right list's handler empties the partners' lists and also undoes the rest of the row's link group.
    void uncheckLinkedRightRowConfirmed()
    {
        ui::ScriptedDialogs d;
        conciliarMarzo(*w);
        d.expectMsgBox(ui::vbYes).withText(kPreguntaDerecha).withTitle(kAtencion);
        tildar(*w->Lvw2, kC1, false);
        QVERIFY(d.verifyDone());
        QCOMPARE(marcadas(*w->Lvw), QString());
        QCOMPARE(marcadas(*w->Lvw2), QString());
        for (const QString& c : {kD1, kD2})
            QCOMPARE(vinculo(*w->Lvw, c), QString());
        for (const QString& c : {kC1, kC2})
            QCOMPARE(vinculo(*w->Lvw2, c), QString());
        QCOMPARE(w->lblTotNConc->text(), QStringLiteral("390.00"));
        QCOMPARE(w->lblTotNConc2->text(), QStringLiteral("357.50"));
    }

    void refusedUncheckKeepsTheMark_data()
    {
        QTest::addColumn<bool>("izquierda");
        QTest::newRow("left") << true;
        QTest::newRow("right") << false;
    }

    void refusedUncheckKeepsTheMark()
    {
        QFETCH(bool, izquierda);
        ui::ScriptedDialogs d;
        conciliarMarzo(*w);
        ui::ListView& lista = izquierda ? *w->Lvw : *w->Lvw2;
        const QString concepto = izquierda ? kD2 : kC2;
        const QString antes = vinculo(lista, concepto);
        w->lblTotConc->setText(QStringLiteral("?"));
        d.expectMsgBox(ui::vbNo).withText(izquierda ? kPreguntaIzquierda : kPreguntaDerecha);
        tildar(lista, concepto, false);
        QVERIFY(d.verifyDone());
        QVERIFY(item(lista, concepto).Checked());
        QCOMPARE(vinculo(lista, concepto), antes);
        QCOMPARE(marcadas(*w->Lvw2), kC1 + ',' + kC2);
        // The totals are recomputed all the same.
        QCOMPARE(w->lblTotConc->text(), QStringLiteral("350.00"));
    }

    // An ID is a whole element of a link list: unmarking the row whose ID is part of a longer ID in a partner's
    // list leaves that partner alone.
    void linksAreWholeElements_data()
    {
        QTest::addColumn<bool>("izquierda");
        QTest::newRow("left row unmarked") << true;
        QTest::newRow("right row unmarked") << false;
    }

    void linksAreWholeElements()
    {
        QFETCH(bool, izquierda);
        ui::ScriptedDialogs d;
        cargarMarzo(*w);
        ui::ListView& propia = izquierda ? *w->Lvw : *w->Lvw2;
        ui::ListView& otra = izquierda ? *w->Lvw2 : *w->Lvw;
        const QString id = izquierda ? idL(3) : idR(6);
        const QString otroId = izquierda ? idR(4) : idL(1);
        const QString concepto = izquierda ? kD3 : kC3;
        const QString largo = QStringLiteral("1") + id;   // e.g. 112 beside 12
        const QString socio = izquierda ? kC1 : kD1, ajeno = izquierda ? kC2 : kD2;
        item(propia, concepto).setChecked(true);
        ponerVinculo(*w, propia, concepto, otroId);
        for (const QString& c : {socio, ajeno})
            item(otra, c).setChecked(true);
        ponerVinculo(*w, otra, socio, QStringLiteral("5,") + id);
        ponerVinculo(*w, otra, ajeno, largo + QStringLiteral(",5"));
        d.expectMsgBox(ui::vbYes).withText(izquierda ? kPreguntaIzquierda : kPreguntaDerecha);
        tildar(propia, concepto, false);
        QVERIFY(d.verifyDone());
        QVERIFY(!item(otra, socio).Checked());
        QCOMPARE(vinculo(otra, socio), izquierda ? QStringLiteral("5") : QString());
        QVERIFY(item(otra, ajeno).Checked());
        QCOMPARE(vinculo(otra, ajeno), largo + QStringLiteral(",5"));
        QCOMPARE(vinculo(propia, concepto), QString());
    }

    void marksWithoutLinksAskNothing()
    {
        ui::ScriptedDialogs d;
        cargarMarzo(*w);
        tildar(*w->Lvw2, kC3, true);
        QCOMPARE(w->lblTotConc2->text(), QStringLiteral("7.50"));
        QCOMPARE(w->lblTotNConc2->text(), QStringLiteral("350.00"));
        // Left 0 - right 7.50: the plain number on red.
        QCOMPARE(w->LblDif2->text(), QStringLiteral("7.5"));
        QCOMPARE(fondoDiferencia(*w), conciliacion::kColorRojo);
        tildar(*w->Lvw2, kC3, false);
        QCOMPARE(w->lblTotConc2->text(), QStringLiteral("0.00"));
        QCOMPARE(w->LblDif2->text(), QStringLiteral("0.00"));
        QCOMPARE(fondoDiferencia(*w), conciliacion::kColorAzul);
        QVERIFY(d.verifyDone());
    }

    void shiftArrowTogglesTheSelectedRow_data()
    {
        QTest::addColumn<int>("tecla");
        QTest::addColumn<int>("modificadores");
        QTest::addColumn<bool>("conSeleccion");
        QTest::addColumn<bool>("alterna");
        QTest::newRow("Shift+Down") << int(Qt::Key_Down) << int(Qt::ShiftModifier) << true << true;
        QTest::newRow("Shift+Up") << int(Qt::Key_Up) << int(Qt::ShiftModifier) << true << true;
        QTest::newRow("Down") << int(Qt::Key_Down) << int(Qt::NoModifier) << true << false;
        QTest::newRow("Ctrl+Shift+Down") << int(Qt::Key_Down) << int(Qt::ShiftModifier | Qt::ControlModifier) << true
                                         << false;
        QTest::newRow("Shift+Down without a selected row") << int(Qt::Key_Down) << int(Qt::ShiftModifier) << false
                                                           << false;
    }

    void shiftArrowTogglesTheSelectedRow()
    {
        QFETCH(int, tecla);
        QFETCH(int, modificadores);
        QFETCH(bool, conSeleccion);
        QFETCH(bool, alterna);
        ui::ScriptedDialogs d;
        cargarMarzo(*w);
        w->Lvw2->setSelectedItem(conSeleccion ? item(*w->Lvw2, kC2) : ui::ListItem());
        QTest::keyClick(w->Lvw2, Qt::Key(tecla), Qt::KeyboardModifiers(modificadores));
        QVERIFY(d.verifyDone());
        QCOMPARE(item(*w->Lvw2, kC2).Checked(), alterna);
        QCOMPARE(w->lblTotConc2->text(), alterna ? QStringLiteral("250.00") : QStringLiteral("0.00"));
    }

    void shiftArrowOnALinkedRowAsks()
    {
        ui::ScriptedDialogs d;
        conciliarMarzo(*w);
        w->Lvw2->setSelectedItem(item(*w->Lvw2, kC1));
        d.expectMsgBox(ui::vbNo).withText(kPreguntaDerecha);
        QTest::keyClick(w->Lvw2, Qt::Key_Down, Qt::ShiftModifier);
        QVERIFY(d.verifyDone());
        QVERIFY(item(*w->Lvw2, kC1).Checked());
    }

    void columnHeaderFlipsTheOrder()
    {
        cargarMarzo(*w);
        for (ui::ListView* lista : {w->Lvw, w->Lvw2}) {
            const int concepto = conciliacion::colConcepto + 1;
            const auto clic = [&](int posicion) {
                if (lista == w->Lvw)
                    w->Lvw_ColumnClick(lista->ColumnHeaders()(posicion));
                else
                    w->Lvw2_ColumnClick(lista->ColumnHeaders()(posicion));
            };
            const int orden = lista->SortOrder();
            clic(concepto);
            QVERIFY(lista->Sorted());
            QCOMPARE(lista->SortKey(), conciliacion::colConcepto);
            QCOMPARE(lista->SortOrder(), orden == 0 ? 1 : 0);
            QStringList esperado = columna(*lista, conciliacion::colConcepto);
            clic(concepto);
            QCOMPARE(lista->SortOrder(), orden);
            std::reverse(esperado.begin(), esperado.end());
            QCOMPARE(columna(*lista, conciliacion::colConcepto), esperado);
            // Another header keeps flipping the order.
            clic(conciliacion::colImporte + 1);
            QCOMPARE(lista->SortKey(), conciliacion::colImporte);
            QCOMPARE(lista->SortOrder(), orden == 0 ? 1 : 0);
        }
    }

    // Rows are never edited in place: F2, a double click or a second click on the selected row open no editor.
    void rowsCannotBeEditedInPlace()
    {
        ui::ScriptedDialogs d;
        cargarMarzo(*w);
        for (ui::ListView* lista : {w->Lvw, w->Lvw2}) {
            const QStringList antes = columna(*lista, conciliacion::colConcepto);
            const QModelIndex celda = lista->model()->index(0, conciliacion::colConcepto);
            lista->setSelectedItem(lista->ListItems()(1));
            lista->setCurrentIndex(celda);
            const QPoint punto = lista->visualRect(celda).center();
            QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, punto);
            QTest::mouseDClick(lista->viewport(), Qt::LeftButton, {}, punto);
            QTest::keyClick(lista, Qt::Key_F2);
            lista->edit(celda);
            QWidget* foco = QApplication::focusWidget() ? QApplication::focusWidget() : lista;
            QTest::keyClicks(foco, QStringLiteral("x"));
            QTest::keyClick(foco, Qt::Key_Return);
            for (QWidget* hijo : lista->viewport()->findChildren<QWidget*>())
                QVERIFY2(!hijo->isVisible(), qPrintable(hijo->metaObject()->className()));
            QCOMPARE(columna(*lista, conciliacion::colConcepto), antes);
        }
        QVERIFY(d.verifyDone());
    }

    void marcarSelMarksTheSelectedRows()
    {
        ui::ScriptedDialogs d;
        cargarMarzo(*w);
        seleccionar(*w->Lvw, {kD1, kD3});
        w->MarcarSel(w->Lvw);
        QCOMPARE(marcadas(*w->Lvw), kD3 + ',' + kD1);
        QCOMPARE(w->lblTotConc->text(), QStringLiteral("140.00"));
        QCOMPARE(w->LblDif2->text(), QStringLiteral("140.00"));
        // No selected row: no mark changes, the totals are recomputed all the same.
        seleccionar(*w->Lvw2, {});
        w->lblTotConc->setText(QStringLiteral("?"));
        w->MarcarSel(w->Lvw2);
        QCOMPARE(marcadas(*w->Lvw2), QString());
        QCOMPARE(w->lblTotConc->text(), QStringLiteral("140.00"));
        QVERIFY(d.verifyDone());
    }

    void releaseButtons_data()
    {
        QTest::addColumn<bool>("izquierda");
        QTest::addColumn<int>("respuesta");
        QTest::newRow("left, Yes") << true << int(ui::vbYes);
        QTest::newRow("right, Yes") << false << int(ui::vbYes);
        QTest::newRow("left, No") << true << int(ui::vbNo);
    }

    // The unmarked lines of one side leave the reconciliation; marked ones and the other side stay.
    void releaseButtons()
    {
        QFETCH(bool, izquierda);
        QFETCH(int, respuesta);
        ui::ScriptedDialogs d;
        cargarMarzo(*w);
        tildar(*w->Lvw, kD1, true);
        tildar(*w->Lvw2, kC1, true);
        const QString antes = volcado();
        d.expectMsgBox(respuesta)
            .withText(QStringLiteral("Los registros sin marcar (ventana %1) se liberarán, podran ser utilizados en otras "
                                     "conciliaciones\r\n¿Confirma?")
                          .arg(izquierda ? QStringLiteral("izquierda") : QStringLiteral("derecha")))
            .withStyle(ui::vbYesNo + ui::vbQuestion + ui::vbDefaultButton2)
            .withTitle(kAtencion);
        izquierda ? w->CmdQuitarI_Click() : w->CmdQuitarD_Click();
        QVERIFY(d.verifyDone());
        if (respuesta == ui::vbNo) {
            QCOMPARE(volcado(), antes);
            return;
        }
        const char* tabla = izquierda ? "MV_CONCILIACION" : "MV_CONCILIACION_AUX";
        const char* otra = izquierda ? "MV_CONCILIACION_AUX" : "MV_CONCILIACION";
        QCOMPARE(EmpresaDePrueba::filasDe(QStringLiteral("SELECT SECUENCIA FROM %1 ORDER BY ID").arg(QLatin1String(tabla))),
                 QStringList{izquierda ? QStringLiteral("1") : QStringLiteral("4")});
        QCOMPARE(EmpresaDePrueba::cantidad(QLatin1String(otra)), 3);
        // The side is reloaded from the saved reconciliation: the marked line was not saved, so it shows
        // unmarked; the other side keeps its screen state.
        ui::ListView& lista = izquierda ? *w->Lvw : *w->Lvw2;
        QCOMPARE(columna(lista, conciliacion::colConcepto), QStringList{izquierda ? kD1 : kC1});
        QCOMPARE(marcadas(izquierda ? *w->Lvw2 : *w->Lvw), izquierda ? kC1 : kD1);
    }

    // After a release the lists, totals and difference are those a reopen of the reconciliation shows: lines
    // reconciled since the other list was loaded leave it too while reconciled lines are not shown.
    void releaseShowsWhatAReopenShows_data()
    {
        QTest::addColumn<QString>("lados");
        QTest::addColumn<bool>("conciliados");
        QTest::newRow("left") << "I" << false;
        QTest::newRow("right") << "D" << false;
        QTest::newRow("left, then right") << "ID" << false;
        QTest::newRow("left, reconciled lines shown") << "I" << true;
    }
    void releaseShowsWhatAReopenShows()
    {
        QFETCH(QString, lados);
        QFETCH(bool, conciliados);
        ui::ScriptedDialogs d;
        conciliarMarzo(*w);
        w->ChkConciliados->setChecked(conciliados);
        for (const QChar lado : lados) {
            d.expectMsgBox(ui::vbYes).containing(QStringLiteral("Los registros sin marcar"));
            lado == u'I' ? w->CmdQuitarI_Click() : w->CmdQuitarD_Click();
        }
        QVERIFY(d.verifyDone());
        const QString tras = pantalla();
        QCOMPARE(w->LblDif2->text(), QStringLiteral("0.00"));
        QCOMPARE(fondoDiferencia(*w), 0xFF0000);   // blue: not below zero
        w->Brakmo1_Click(QStringLiteral("CANCELAR"));
        w->ChkConciliados->setChecked(conciliados);
        confirmar(*w, "IdConciliacion", QStringLiteral("1"));
        QVERIFY(d.verifyDone());
        QCOMPARE(pantalla(), tras);
    }

    // A mark the operator set on the other list and did not save stays through a release, with its total.
    void releaseKeepsUnsavedMarksOfTheOtherList()
    {
        ui::ScriptedDialogs d;
        conciliarMarzo(*w);
        tildar(*w->Lvw2, kC3, true);
        d.expectMsgBox(ui::vbYes).containing(QStringLiteral("(ventana izquierda)"));
        w->CmdQuitarI_Click();
        QVERIFY(d.verifyDone());
        QCOMPARE(columna(*w->Lvw2, conciliacion::colConcepto), QStringList{kC3});
        QCOMPARE(marcadas(*w->Lvw2), kC3);
        QCOMPARE(w->lblTotConc2->text(), QStringLiteral("7.50"));
        QCOMPARE(w->LblDif2->text(), QStringLiteral("7.5"));
    }

    // Releasing with every row marked deletes nothing but still reloads the side.
    void releasingWithEveryRowMarked()
    {
        ui::ScriptedDialogs d;
        cargarMarzo(*w);
        for (const QString& c : {kC1, kC2, kC3})
            tildar(*w->Lvw2, c, true);
        d.expectMsgBox(ui::vbYes).containing(QStringLiteral("(ventana derecha)"));
        w->CmdQuitarD_Click();
        QVERIFY(d.verifyDone());
        QCOMPARE(EmpresaDePrueba::cantidad(QStringLiteral("MV_CONCILIACION_AUX")), 3);
        QCOMPARE(w->Lvw2->ListItems().Count(), 3);
        QCOMPARE(marcadas(*w->Lvw2), QString());
    }

    // A line released after it was unlinked on screen leaves no link row and is named by no partner.
    void releaseLeavesNoLinksBehind()
    {
        ui::ScriptedDialogs d;
        conciliarMarzo(*w);
        const QString L1 = idL(1), L2 = idL(2);
        d.expectMsgBox(ui::vbYes).withText(kPreguntaIzquierda);
        tildar(*w->Lvw, kD1, false);
        d.expectMsgBox(ui::vbYes).containing(QStringLiteral("(ventana izquierda)"));
        w->CmdQuitarI_Click();
        QVERIFY(d.verifyDone());
        QCOMPARE(EmpresaDePrueba::cantidad(QStringLiteral("MV_CONCILIACION WHERE ID = ") + L1), 0);
        QCOMPARE(EmpresaDePrueba::cantidad(QStringLiteral("MV_CONCILIACION_Cpte_AUX WHERE IdCpte = ") + L1), 0);
        QCOMPARE(EmpresaDePrueba::filasDe(QStringLiteral("SELECT CONCILIA FROM MV_CONCILIACION_AUX WHERE CONCILIA <> '' "
                                                         "ORDER BY ID")),
                 (QStringList{L2, L2}));
        QCOMPARE(vinculo(*w->Lvw2, kC1), L2);
        QCOMPARE(vinculo(*w->Lvw2, kC2), L2);
        // The left list now shows D2 (marked, hidden as reconciled after the reload) and nothing of D1.
        QCOMPARE(fila(*w->Lvw, kD1), 0);
    }

    void releaseOfAFinalizedReconciliationIsRefused()
    {
        ui::ScriptedDialogs d;
        cargarMarzo(*w);
        w->FFinalizada = true;
        const QString antes = volcado();
        for (int i = 0; i < 3; ++i)
            d.expectMsgBox(ui::vbOK).withText(QStringLiteral("CONCILIACION FINALIZADA, NO SEPUEDE MODIFICAR")).withTitle(QString());
        w->CmdQuitarI_Click();
        w->CmdQuitarD_Click();
        w->Quitar(true, false);
        QVERIFY(d.verifyDone());
        QCOMPARE(volcado(), antes);
    }

    void failedReleaseIsReportedAndWritesNothing()
    {
        ui::ScriptedDialogs d;
        cargarMarzo(*w);
        QVERIFY(QSqlQuery(gDB().gCnn.database())
                    .exec(QStringLiteral("CREATE TEMP TRIGGER rechazo BEFORE DELETE ON MV_CONCILIACION BEGIN "
                                         "SELECT RAISE(ABORT, 'rechazado'); END")));
        const QString antes = volcado();
        d.expectMsgBox(ui::vbYes).containing(QStringLiteral("(ventana izquierda)"));
        d.expectErrorDialog(ui::vbAbort).withRoutine(QStringLiteral("Quitar"));
        w->CmdQuitarI_Click();
        QVERIFY(d.verifyDone());
        QVERIFY(d.log().at(1).error.description.contains(QStringLiteral("rechazado")));
        QCOMPARE(volcado(), antes);
        QCOMPARE(w->Lvw->ListItems().Count(), 3);
    }

    void showReconciledLines()
    {
        ui::ScriptedDialogs d;
        conciliarMarzo(*w);
        w->ChkConciliados->setChecked(false);
        w->ChkConciliados_Click();
        QCOMPARE(columna(*w->Lvw, conciliacion::colConcepto), QStringList{kD3});
        QCOMPARE(w->lblTotConc->text(), QStringLiteral("0.00"));
        w->ChkConciliados->setChecked(true);
        w->ChkConciliados_Click();
        QCOMPARE(w->Lvw->ListItems().Count(), 3);
        QCOMPARE(marcadas(*w->Lvw), kD1 + ',' + kD2);
        QCOMPARE(item(*w->Lvw, kD1).SmallIcon(), 2);
        QCOMPARE(w->lblTotConc->text(), QStringLiteral("350.00"));
        QCOMPARE(w->LblDif2->text(), QStringLiteral("0.00"));
        QVERIFY(d.verifyDone());
    }

    void refreshAddsNewJournalLines()
    {
        ui::ScriptedDialogs d;
        cargarMarzo(*w);
        tildar(*w->Lvw, kD1, true);
        EmpresaDePrueba::ejecutar(QStringLiteral(
            "INSERT INTO MV_ASIENTOS (CUENTA, SECUENCIA, MES_OPERATIVO, [NUMERO ASIENTO], PERIODO, TIPO_REG, FECHA, TC, "
            "SUCURSAL, NUMERO, LETRA, [DEBE-HABER], IMPORTE, DETALLE) VALUES ('1101', 20, 3, 120, 2026, 'N', "
            "'2026-03-25', 'FC', '0001', '00000020', 'A', 'D', 5, 'Nuevo')"));
        w->cmdRefresh_Click();
        QVERIFY(d.verifyDone());
        QCOMPARE(columna(*w->Lvw, conciliacion::colConcepto), (QStringList{kD1, kD2, kD3, QStringLiteral("Nuevo")}));
        QVERIFY(item(*w->Lvw, kD1).Checked());
        QCOMPARE(EmpresaDePrueba::cantidad(QStringLiteral("MV_CONCILIACION")), 4);
        EmpresaDePrueba::ejecutar(QStringLiteral("DELETE FROM MV_ASIENTOS WHERE SECUENCIA = 20"));
    }

    void findOpensOnTheListThatHadTheFocus()
    {
        cargarMarzo(*w);
        FrmBuscar& buscar = gFrmBuscar();
        buscar.Lvw = nullptr;
        // No list has had the focus yet: nothing opens.
        w->cmdFind_Click();
        QVERIFY(buscar.Lvw.isNull());
        w->Lvw2_GotFocus();
        QCOMPARE(w->FListaActiva.data(), w->Lvw2);
        int ctrlF = 70;
        w->Form_KeyDown(ctrlF, ui::vbCtrlMask);
        QCOMPARE(buscar.Lvw.data(), w->Lvw2);
        QVERIFY(buscar.isVisible());
        buscar.hide();
        w->Lvw_GotFocus();
        QCOMPARE(w->FListaActiva.data(), w->Lvw);
        w->cmdFind_Click();
        QCOMPARE(buscar.Lvw.data(), w->Lvw);
        buscar.hide();
        // Ctrl+Shift+F is not the shortcut.
        buscar.Lvw = nullptr;
        w->Form_KeyDown(ctrlF = 70, ui::vbCtrlMask | ui::vbShiftMask);
        QVERIFY(buscar.Lvw.isNull());
    }

    void indexListByHeader_data()
    {
        QTest::addColumn<QString>("titulo");
        QTest::addColumn<int>("indice");
        QTest::newRow("Importe") << "Importe" << int(conciliacion::colImporte);
        QTest::newRow("any case") << "conciliado con" << int(conciliacion::colConciliadoCon);
        QTest::newRow("no such header") << "Saldo" << 0;
    }

    void indexListByHeader()
    {
        QFETCH(QString, titulo);
        QFETCH(int, indice);
        QCOMPARE(w->IndexList(titulo), indice);
    }
};

QTEST_MAIN(TstWindowMarks)
#include "tst_window_marks.moc"
