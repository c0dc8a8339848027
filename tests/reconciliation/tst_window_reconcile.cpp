// "Aplicar" and the save through the window: the balance check against the rounding tolerance, newly marked
// lines linked each to each (earlier links kept, unmarked lines unlinked), the question before a very large
// number of links, the end of a long write that can no longer be cancelled, a failure that writes nothing and
// leaves the screen as it was, a finalized reconciliation refused, and a save that writes only the lines whose
// mark or links changed.

#include "EntornoEscrituraDePrueba.h"
#include "HuellaTablas.h"
#include "VentanaDePrueba.h"

#include "core/Globals.h"
#include "platform/suite/EscapeEnProgreso.h"
#include "platform/suite/Progreso.h"
#include "platform/ui/ModalesPorTeclas.h"
#include "platform/ui/Units.h"
#include "reconciliation/engine/EspacioVinculos.h"

#include <QFontMetrics>
#include <QPushButton>

#include <QSqlError>
#include <QSqlQuery>

namespace {

bool sql(const QString& texto)
{
    QSqlQuery q(gDB().gCnn.database());
    if (q.exec(texto))
        return true;
    qWarning("%s", qPrintable(q.lastError().text()));
    return false;
}

// Reconciliation `numero` with `izquierdas` left lines of 1.00 and `derechas` right lines sharing 101.00.
bool muchasLineas(int numero, int izquierdas, int derechas)
{
    const QString lineas = QStringLiteral(
        "INSERT INTO %1 (IDCONCILIACION, CUENTA, SECUENCIA, MES_OPERATIVO, [NUMERO ASIENTO], PERIODO, TIPO_REG, "
        "FECHAMOV, TC, COMPROBANTE, IMPORTE, CONCEPTO, %2) WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 "
        "FROM n WHERE i < %3) SELECT %4, '1101', 1000 + i, 3, 1000 + i, 2026, 'N', '2026-03-05', 'FC', "
        "'000100000010A', %5, 'Linea ' || i, 0 FROM n");
    return sql(QStringLiteral("INSERT INTO MV_CONCILIACION_CAB (IDCONCILIACION, TIPO, CUENTA, FECHA, FECHADESDE, "
                              "FECHAHASTA, FINALIZADA) VALUES (%1, 'CTA', '1101', '2026-04-01', '2026-03-01', "
                              "'2026-03-31', 0)")
                   .arg(numero))
           && sql(lineas.arg(QStringLiteral("MV_CONCILIACION"), QStringLiteral("CONCILIADO")).arg(izquierdas).arg(numero).arg(QStringLiteral("1")))
           && sql(lineas.arg(QStringLiteral("MV_CONCILIACION_AUX"), QStringLiteral("FINALIZADA"))
                      .arg(derechas)
                      .arg(numero)
                      .arg(QString::number(101.0 / derechas, 'f', 4)));
}

void marcarTodas(FrmConcCuentas& w, ui::ListView& lista)
{
    lista.selectAll();
    w.MarcarSel(&lista);
}

QString huella()
{
    return EmpresaDePrueba::filasDe(kHuellaTablas).join(QLatin1Char('|'));
}

} // namespace

class TstWindowReconcile : public VentanaDePrueba {
    Q_OBJECT

private slots:
    // Two new left lines and three new right ones: each left line names the three, each right line the two,
    // and the link table holds the six pairs.
    void eachToEach()
    {
        ui::ScriptedDialogs d;
        cargarMarzo(*w);
        w->FTolerancia = ado::Currency::fromLong(10);
        for (const QString& c : {kD1, kD2})
            tildar(*w->Lvw, c, true);
        for (const QString& c : {kC1, kC2, kC3})
            tildar(*w->Lvw2, c, true);
        w->CmdConciliar_Click();
        QVERIFY(d.verifyDone());
        const QString L = idL(1) + ',' + idL(2), R = idR(4) + ',' + idR(5) + ',' + idR(6);
        for (const QString& c : {kD1, kD2})
            QCOMPARE(enOrden(vinculo(*w->Lvw, c)), R);
        for (const QString& c : {kC1, kC2, kC3})
            QCOMPARE(enOrden(vinculo(*w->Lvw2, c)), L);
        QCOMPARE(enlaces().size(), 6);
        QCOMPARE(EmpresaDePrueba::filasDe(QStringLiteral("SELECT DISTINCT CONCILIA FROM MV_CONCILIACION_AUX")).size(), 1);
        QCOMPARE(enOrden(EmpresaDePrueba::valor(QStringLiteral("SELECT CONCILIA FROM MV_CONCILIACION_AUX"))), L);
        // One group: the same icon on all five rows.
        QCOMPARE(item(*w->Lvw, kD1).SmallIcon(), 2);
        QCOMPARE(item(*w->Lvw2, kC3).SmallIcon(), 2);
        QVERIFY(w->CmdConciliar->isEnabled());
        // Grouping widens the date column of both lists to thirteen letters X.
        const double trece = ui::PxToTwips(QFontMetrics(w->font()).horizontalAdvance(QStringLiteral("XXXXXXXXXXXXX")));
        QCOMPARE(w->Lvw->ColumnHeaders().Item(2).Width(), trece);
        QCOMPARE(w->Lvw2->ColumnHeaders().Item(2).Width(), trece);
    }

    // Lines linked by an earlier run keep their links; the new ones form a group of their own; lines unmarked
    // since lose their link rows.
    void laterRunsKeepEarlierLinks()
    {
        ui::ScriptedDialogs d;
        conciliarMarzo(*w);
        const QStringList antes = enlaces();
        tildar(*w->Lvw, kD3, true);
        tildar(*w->Lvw2, kC3, true);
        w->FTolerancia = ado::Currency::fromLong(40);
        w->CmdConciliar_Click();
        QVERIFY(d.verifyDone());
        QCOMPARE(enlaces(), antes + QStringList{idL(3) + '|' + idR(6)});
        QCOMPARE(vinculo(*w->Lvw, kD3), idR(6));
        QCOMPARE(vinculo(*w->Lvw2, kC3), idL(3));
        QCOMPARE(enOrden(vinculo(*w->Lvw, kD1)), idR(4) + ',' + idR(5));
        QVERIFY(item(*w->Lvw, kD3).SmallIcon() != item(*w->Lvw, kD1).SmallIcon());

        // C1 unmarked (the whole group undone), then Aplicar: only D3-C3 stay linked.
        d.expectMsgBox(ui::vbYes).containing(QStringLiteral("planilla izquierda"));
        tildar(*w->Lvw2, kC1, false);
        w->CmdConciliar_Click();
        QVERIFY(d.verifyDone());
        QCOMPARE(enlaces(), QStringList{idL(3) + '|' + idR(6)});
        QCOMPARE(EmpresaDePrueba::filasDe(QStringLiteral("SELECT SECUENCIA FROM MV_CONCILIACION WHERE CONCILIADO = 1")),
                 QStringList{QStringLiteral("3")});
    }

    // New marks on one side only: the lines stay unlinked and no link row is written.
    void newMarksOnOneSideOnly()
    {
        ui::ScriptedDialogs d;
        cargarMarzo(*w);
        w->FTolerancia = ado::Currency::fromLong(100);
        tildar(*w->Lvw, kD3, true);
        w->CmdConciliar_Click();
        QVERIFY(d.verifyDone());
        QCOMPARE(vinculo(*w->Lvw, kD3), QString());
        QCOMPARE(enlaces(), QStringList());
        QCOMPARE(EmpresaDePrueba::valor(QStringLiteral("SELECT CONCILIADO FROM MV_CONCILIACION WHERE SECUENCIA = 3")),
                 QStringLiteral("1"));
        QCOMPARE(item(*w->Lvw, kD3).SmallIcon(), conciliacion::kIconoSinMarcar);
    }

    // No left line at all and a marked right line within the tolerance of zero: the run ends normally, the
    // right line saved as marked and unlinked.
    void emptyLeftListRunsToTheEnd()
    {
        ui::ScriptedDialogs d;
        cargarMarzo(*w);
        d.expectMsgBox(ui::vbYes).containing(QStringLiteral("(ventana izquierda)"));
        w->CmdQuitarI_Click();
        QCOMPARE(w->Lvw->ListItems().Count(), 0);
        tildar(*w->Lvw2, kC3, true);
        w->FTolerancia = ado::Currency::fromLong(1000000);
        w->CmdConciliar_Click();
        QVERIFY(d.verifyDone());
        QCOMPARE(enlaces(), QStringList());
        QCOMPARE(vinculo(*w->Lvw2, kC3), QString());
        QCOMPARE(EmpresaDePrueba::filasDe(QStringLiteral("SELECT CONCEPTO FROM MV_CONCILIACION_AUX WHERE FINALIZADA = 1")),
                 QStringList{kC3});
        QCOMPARE(EmpresaDePrueba::cantidad(QStringLiteral("MV_CONCILIACION")), 0);
        QVERIFY(w->CmdConciliar->isEnabled());
    }

    // More than 10,000 link rows: the operator is told how many and decides; No (the default) writes nothing.
    void manyLinksAreAskedFor_data()
    {
        QTest::addColumn<int>("respuesta");
        QTest::addColumn<bool>("cancelar");
        QTest::newRow("No") << int(ui::vbNo) << false;
        QTest::newRow("Yes") << int(ui::vbYes) << false;
        QTest::newRow("Yes, then cancel while writing") << int(ui::vbYes) << true;
    }

    void manyLinksAreAskedFor()
    {
        QFETCH(int, respuesta);
        QFETCH(bool, cancelar);
        ui::ScriptedDialogs d;
        QVERIFY(muchasLineas(7, 101, 100));
        confirmar(*w, "IdConciliacion", QStringLiteral("7"));
        QCOMPARE(w->Lvw->ListItems().Count(), 101);
        marcarTodas(*w, *w->Lvw);
        marcarTodas(*w, *w->Lvw2);
        QCOMPARE(w->LblDif2->text(), QStringLiteral("0.00"));
        const QString antes = volcado();
        // The room the links need on the company's disk: 10,100 link rows, each left line's list of the 100
        // right IDs and each right line's list of the 101 left IDs, twice while the one transaction is open.
        const auto largoLista = [](const char* tabla) {
            return EmpresaDePrueba::valor(QStringLiteral("SELECT SUM(LENGTH(ID)) + COUNT(*) - 1 FROM %1")
                                              .arg(QLatin1String(tabla)))
                .toLongLong();
        };
        const qint64 espacio = 2 * (10100 * conciliacion::kBytesPorVinculo
                                    + 101 * largoLista("MV_CONCILIACION_AUX") * 105 / 100
                                    + 100 * largoLista("MV_CONCILIACION") * 105 / 100);
        d.expectMsgBox(respuesta)
            .withText(QStringLiteral("Se vincularán 101 registros de la planilla izquierda con 100 registros de la planilla "
                                     "derecha, cada uno con cada uno: se grabarán %1 vínculos, que necesitan unos %2 libres "
                                     "en el disco.\r\n¿Confirma?")
                          .arg(QLocale().toString(qint64(10100)), conciliacion::TextoEspacio(espacio)))
            .withStyle(ui::vbYesNo + ui::vbQuestion + ui::vbDefaultButton2)
            .withTitle(QStringLiteral("ATENCIÓN"));
        // The links go in blocks; the operator cancels at the second and is told nothing was saved.
        if (cancelar)
            d.expectMsgBox(ui::vbOK)
                .withText(QStringLiteral("Se canceló la grabación de los vínculos: la conciliación no se grabó."))
                .withTitle(QStringLiteral("Aviso al Operador"));
        else if (respuesta == ui::vbYes)
            d.expectMsgBox(ui::vbOK)
                .withText(QStringLiteral("La conciliación se grabó con sus %1 vínculos.").arg(QLocale().toString(qint64(10100))))
                .withStyle(ui::vbOKOnly + ui::vbInformation)
                .withTitle(QStringLiteral("Aviso al Operador"));
        ModGlobal::gProgreso().CancelarEnAvance(cancelar ? 2 : 0);
        w->CmdConciliar_Click();
        ModGlobal::gProgreso().CancelarEnAvance(0);
        QVERIFY(d.verifyDone());
        QVERIFY(w->CmdConciliar->isEnabled());
        QVERIFY(!ModGlobal::gProgreso().isVisible());
        if (respuesta == ui::vbNo || cancelar) {
            QCOMPARE(volcado(), antes);
            QCOMPARE(vinculo(*w->Lvw, QStringLiteral("Linea 1")), QString());
        } else {
            QCOMPARE(EmpresaDePrueba::cantidad(QStringLiteral("MV_CONCILIACION_Cpte_AUX")), 10100);
            QCOMPARE(vinculo(*w->Lvw, QStringLiteral("Linea 1")).count(QLatin1Char(',')), 99);
        }
    }

    // Once the last report has passed, the commit cannot be stopped: the progress window says so, with Cancelar
    // off, and the operator's Escape then neither cancels nor is taken for a cancel; every link row is saved and
    // the operator is told so once the lists show it.
    void escapeWhileTheWriteEndsIsNotACancel()
    {
        ui::ScriptedDialogs d;
        QVERIFY(muchasLineas(7, 101, 100));
        confirmar(*w, "IdConciliacion", QStringLiteral("7"));
        marcarTodas(*w, *w->Lvw);
        marcarTodas(*w, *w->Lvw2);
        mostrar();
        d.expectMsgBox(ui::vbYes).containing(QStringLiteral("se grabarán %1 vínculos").arg(QLocale().toString(qint64(10100))));
        d.expectMsgBox(ui::vbOK)
            .withText(QStringLiteral("La conciliación se grabó con sus %1 vínculos.").arg(QLocale().toString(qint64(10100))))
            .withStyle(ui::vbOKOnly + ui::vbInformation)
            .withTitle(QStringLiteral("Aviso al Operador"));
        EscapeEnProgreso escape(ModGlobal::gProgreso(), QStringLiteral("Terminando de grabar ..."));
        w->CmdConciliar->setFocus();
        QTest::keyClick(w->CmdConciliar, Qt::Key_Space);

        QVERIFY(escape.Pulsada());
        QVERIFY(!escape.Forzada());
        QVERIFY(!escape.CancelarActivoAlPulsar());
        QCOMPARE(escape.TextoAlPulsar(), QStringLiteral("Ya no se puede cancelar: la conciliación se está grabando."));
        QVERIFY(!ModGlobal::gProgreso().CancelacionPedida());
        QVERIFY(d.verifyDone());
        QCOMPARE(EmpresaDePrueba::cantidad(QStringLiteral("MV_CONCILIACION_Cpte_AUX")), 10100);
        QCOMPARE(vinculo(*w->Lvw, QStringLiteral("Linea 1")).count(QLatin1Char(',')), 99);
        QVERIFY(!ModGlobal::gProgreso().isVisible());
        QVERIFY(w->CmdConciliar->isEnabled());
        QVERIFY(!w->EstaOcupado());

        // The next write's window takes a cancel again.
        ModGlobal::gProgreso().Iniciar(QStringLiteral("Conciliando"), true);
        QVERIFY(ModGlobal::gProgreso().findChild<QPushButton*>(QStringLiteral("cmdCancelar"))->isEnabled());
        ModGlobal::gProgreso().Terminar();
    }

    // 90,004 lines a side marked, as Comparar leaves them on a company of 100,000 lines a side: 8,100,720,016 link
    // rows. The operator presses Aplicar and confirms; the progress window comes up before anything is written,
    // and the operator's Escape on it stops the write at its next report (the writer's clock goes a second
    // forward at every reading, so it reports after every line it saves): nothing is written and the window
    // takes commands again. A second Aplicar, on a disk without the room the links need, is refused at once.
    void eachToEachAtScaleIsCancelledByEscape()
    {
        ui::ScriptedDialogs d;
        QVERIFY(marcadasAEscala(d));
        EntornoEscrituraDePrueba disco;
        disco.libre = 2048 * EntornoEscrituraDePrueba::kGiB;
        disco.pasoMs = 1000;
        const QString antes = huella();

        d.expectMsgBox(ui::vbYes).containing(QStringLiteral("se grabarán %1 vínculos, que necesitan unos")
                                                 .arg(QLocale().toString(qint64(8100720016))));
        d.expectMsgBox(ui::vbOK).withText(conciliacion::kMensajeConciliacionNoGrabada);
        // Once the progress window is up and in front, the operator presses Escape.
        const EscapeVisto escape = aplicarYPulsarEscape();
        QVERIFY(escape.pulsada);
        QVERIFY(!escape.forzada);
        QCOMPARE(escape.etapa, QStringLiteral("Grabando Vínculos"));
        QVERIFY(d.verifyDone());
        nadaEscritoYVentanaLista(antes);
        if (QTest::currentTestFailed())
            return;

        // The window takes the next command: on a disk with 100 GB free the links are refused at once.
        disco.libre = 100 * EntornoEscrituraDePrueba::kGiB;
        d.expectMsgBox(ui::vbOK).containing(QStringLiteral("No hay espacio suficiente en el disco de la empresa"))
            .containing(QStringLiteral("y hay %1 libres").arg(conciliacion::TextoEspacio(100 * EntornoEscrituraDePrueba::kGiB)));
        QTest::keyClick(w->CmdConciliar, Qt::Key_Space);
        QVERIFY(d.verifyDone());
        QCOMPARE(huella(), antes);
        QVERIFY(w->CmdConciliar->isEnabled());
    }

    // The same on the real windows, by keys, as the operator meets them: the real question box answered "Sí"
    // (the default is "No"), then the progress window, which must be up and in front with the question box gone,
    // gets the Escape; the real notice that nothing was saved is closed with Enter.
    void eachToEachAtScaleByKeysOnTheRealWindows()
    {
        ui::ScriptedDialogs d;
        QVERIFY(marcadasAEscala(d));
        EntornoEscrituraDePrueba disco;
        disco.libre = 2048 * EntornoEscrituraDePrueba::kGiB;
        disco.pasoMs = 1000;
        const QString antes = huella();

        ui::installDialogs(nullptr);   // the program's own windows
        ModalesPorTeclas modales;
        modales.paso([](QWidget& pregunta) {
            QTest::keyClick(ModalesPorTeclas::destino(pregunta), Qt::Key_Backtab);
            QTest::keyClick(ModalesPorTeclas::destino(pregunta), Qt::Key_Space);
        });
        modales.pulsar(Qt::Key_Return);
        const EscapeVisto escape = aplicarYPulsarEscape();
        installDialogs(&d);
        QVERIFY(escape.pulsada);
        QVERIFY(!escape.forzada);
        QVERIFY(!escape.modal);
        QCOMPARE(escape.etapa, QStringLiteral("Grabando Vínculos"));
        QVERIFY(modales.terminado());
        QCOMPARE(modales.vistas().size(), 2);
        QVERIFY2(modales.vistas().at(0).contains(QStringLiteral("se grabarán %1 vínculos, que necesitan unos")
                                                      .arg(QLocale().toString(qint64(8100720016)))),
                 qPrintable(modales.vistas().at(0)));
        QVERIFY2(modales.vistas().at(1).endsWith(conciliacion::kMensajeConciliacionNoGrabada),
                 qPrintable(modales.vistas().at(1)));
        nadaEscritoYVentanaLista(antes);
    }

    // A refused statement: reported, nothing written, the screen as before, the button back.
    void failureWritesNothing()
    {
        ui::ScriptedDialogs d;
        cargarMarzo(*w);
        for (const QString& c : {kD1, kD2})
            tildar(*w->Lvw, c, true);
        for (const QString& c : {kC1, kC2})
            tildar(*w->Lvw2, c, true);
        QVERIFY(sql(QStringLiteral("CREATE TEMP TRIGGER rechazo BEFORE INSERT ON MV_CONCILIACION_Cpte_AUX BEGIN "
                                   "SELECT RAISE(ABORT, 'rechazado'); END")));
        const QString antes = volcado();
        d.expectErrorDialog(ui::vbAbort).withRoutine(QStringLiteral("CmdConciliar_Click"));
        w->CmdConciliar_Click();
        QVERIFY(d.verifyDone());
        QVERIFY(d.log().last().error.description.contains(QStringLiteral("rechazado")));
        QCOMPARE(volcado(), antes);
        QCOMPARE(vinculo(*w->Lvw, kD1), QString());
        QCOMPARE(marcadas(*w->Lvw), kD1 + ',' + kD2);
        QVERIFY(w->CmdConciliar->isEnabled());

        // Once the statement is accepted, the same marks are applied in full.
        QVERIFY(sql(QStringLiteral("DROP TRIGGER rechazo")));
        w->CmdConciliar_Click();
        QVERIFY(d.verifyDone());
        QCOMPARE(enlaces().size(), 4);
        QCOMPARE(EmpresaDePrueba::cantidad(QStringLiteral("MV_CONCILIACION WHERE CONCILIADO = 1")), 2);
    }

    void finalizedIsRefused()
    {
        ui::ScriptedDialogs d;
        cargarMarzo(*w);
        tildar(*w->Lvw, kD1, true);
        tildar(*w->Lvw2, kC1, true);
        w->FFinalizada = true;
        const QString antes = volcado();
        d.expectMsgBox(ui::vbOK).withText(QStringLiteral("CONCILIACION FINALIZADA, NO SEPUEDE MODIFICAR")).withStyle(ui::vbOKOnly);
        w->CmdConciliar_Click();
        QVERIFY(d.verifyDone());
        QCOMPARE(volcado(), antes);
        QVERIFY(!w->CmdConciliar->isEnabled());
    }

    // A reconciliation another station finalized meanwhile: refused by the store, told, nothing written.
    void finalizedMeanwhileIsRefused()
    {
        ui::ScriptedDialogs d;
        cargarMarzo(*w);
        tildar(*w->Lvw, kD1, true);
        tildar(*w->Lvw2, kC1, true);
        EmpresaDePrueba::ejecutar(QStringLiteral("UPDATE MV_CONCILIACION_CAB SET FINALIZADA = 1"));
        const QString antes = volcado();
        d.expectMsgBox(ui::vbOK).withText(QStringLiteral("CONCILIACION FINALIZADA, NO SEPUEDE MODIFICAR"));
        w->CmdConciliar_Click();
        QVERIFY(d.verifyDone());
        QCOMPARE(volcado(), antes);
        QVERIFY(w->FFinalizada);
        QCOMPARE(vinculo(*w->Lvw, kD1), QString());
    }

    // The save writes the lines whose mark or links changed on screen, and the header.
    void saveWritesOnlyChangedLines()
    {
        ui::ScriptedDialogs d;
        conciliarMarzo(*w);
        QVERIFY(sql(QStringLiteral("CREATE TEMP TABLE escritas (tabla, id)")));
        for (const char* tabla : {"MV_CONCILIACION", "MV_CONCILIACION_AUX"})
            QVERIFY(sql(QStringLiteral("CREATE TEMP TRIGGER contar_%1 AFTER UPDATE ON %1 BEGIN INSERT INTO escritas "
                                       "VALUES ('%1', NEW.ID); END")
                            .arg(QLatin1String(tabla))));
        w->ActualizarDatos();
        QVERIFY(!w->FHayError);
        QCOMPARE(EmpresaDePrueba::cantidad(QStringLiteral("escritas")), 0);
        tildar(*w->Lvw, kD3, true);
        w->ActualizarDatos();
        QVERIFY(d.verifyDone());
        QCOMPARE(EmpresaDePrueba::filasDe(QStringLiteral("SELECT tabla, id FROM escritas")),
                 QStringList{QStringLiteral("MV_CONCILIACION|") + idL(3)});
        QCOMPARE(EmpresaDePrueba::valor(QStringLiteral("SELECT CONCILIADO FROM MV_CONCILIACION WHERE SECUENCIA = 3")),
                 QStringLiteral("1"));
    }

    void saveOfAFinalizedReconciliationWritesNothing()
    {
        ui::ScriptedDialogs d;
        cargarMarzo(*w);
        tildar(*w->Lvw, kD1, true);
        w->FFinalizada = true;
        const QString antes = volcado();
        d.expectMsgBox(ui::vbOK).withText(QStringLiteral("CONCILIACION FINALIZADA, NO SEPUEDE MODIFICAR"));
        w->ActualizarDatos();
        QVERIFY(d.verifyDone());
        QCOMPARE(volcado(), antes);
        QVERIFY(!w->FHayError);
    }

private:
    // Reconciliation 7 open with 90,004 lines a side, all marked, as Comparar leaves them on a company of 100,000
    // lines a side: 8,100,720,016 link rows.
    bool marcadasAEscala(ui::ScriptedDialogs& d)
    {
        constexpr int kLineas = 90004;
        if (!muchasLineas(7, kLineas, kLineas))
            return false;
        confirmar(*w, "IdConciliacion", QStringLiteral("7"));
        if (w->Lvw2->ListItems().Count() != kLineas)
            return false;
        marcarTodas(*w, *w->Lvw);
        marcarTodas(*w, *w->Lvw2);
        w->FTolerancia = ado::Currency::fromLong(1000000);
        mostrar();
        return d.verifyDone();
    }

    // Aplicar by keys, and the operator's Escape on the progress window once it is up and in front.
    struct EscapeVisto {
        bool pulsada = false;
        bool forzada = false;
        QString etapa;
        QWidget* modal = nullptr;   // the modal window still up as it was pressed
    };
    EscapeVisto aplicarYPulsarEscape()
    {
        EscapeEnProgreso escape(ModGlobal::gProgreso());
        w->CmdConciliar->setFocus();
        QTest::keyClick(w->CmdConciliar, Qt::Key_Space);
        return {escape.Pulsada(), escape.Forzada(), escape.EtapaAlPulsar(), escape.ModalAlPulsar()};
    }

    // Nothing written since `antes`, and the window ready for the next command.
    void nadaEscritoYVentanaLista(const QString& antes)
    {
        QCOMPARE(huella(), antes);
        QVERIFY(!ModGlobal::gProgreso().isVisible());
        QVERIFY(w->CmdConciliar->isEnabled());
        QVERIFY(!w->EstaOcupado());
    }
};

QTEST_MAIN(TstWindowReconcile)
#include "tst_window_reconcile.moc"
