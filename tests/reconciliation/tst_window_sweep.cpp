// Every key and command of the workbench in each of its states, as a table: the window walked to a state,
// then one command given as the operator gives it (a key on a list or a field, a click on a button, the bar
// or a column header, the line menu and each of its items, the header lookups, the find dialog's keys), every
// box that comes up answered by its default button. After each, the program is alive and the window usable:
// no error box came up, no modal window is left open, the lists are whole, and the window still takes keys;
// or the program ended, where the command is the one that ends it.
//
// The program runs under its own application object, so a failure left in a handler shows up here as the
// error box it would show the operator. Documents and reports go to recorders, never to a browser.

#include "BuscarDePrueba.h"
#include "VentanaDePrueba.h"

#include "platform/suite/Brakmo.h"
#include "platform/suite/ReportesRegistrados.h"
#include "platform/ui/MainConGuardia.h"
#include "reconciliation/VisorDocumentos.h"

#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QTabWidget>
#include <QToolButton>
#include <map>

namespace {

// A viewer that opens nothing.
struct VisorMudo final : conciliacion::VisorDocumentos {
    int abiertos = 0;
    VisorMudo() { conciliacion::instalarVisorDocumentos(this); }
    ~VisorMudo() override { conciliacion::instalarVisorDocumentos(nullptr); }
    void Mostrar(const conciliacion::Comprobante&, const QString&) override { ++abiertos; }
};

const QStringList kEstados = {"just started", "number chosen", "lines loaded", "after Comparar",
                              "after Aplicar", "saved and reopened", "finalized"};

const QStringList kCamposCabecera = {"IdConciliacion", "Fecha", "CUENTA", "OBS", "FechaD", "FechaH", "UNegocio",
                                     "Usuario"};

// The first row whose concept holds the text; 0 when none does.
int primeraConConcepto(ui::ListView& l, const QString& texto)
{
    for (int i = 1; i <= l.ListItems().Count(); ++i)
        if (celda(l, i, conciliacion::colConcepto).contains(texto, Qt::CaseInsensitive))
            return i;
    return 0;
}

} // namespace

class TstWindowSweep : public VentanaDePrueba {
    Q_OBJECT

    using Comando = std::function<void(TstWindowSweep&)>;

    void alCerrar() override { gFrmBuscar().cmdCerrar_Click(); }

    QWidget* enfocado() { return QApplication::focusWidget() ? QApplication::focusWidget() : w.get(); }

    void tecla(QWidget* destino, int key, Qt::KeyboardModifiers mods = {})
    {
        destino->setFocus();
        QTest::keyClick(destino, Qt::Key(key), mods);
    }

    void clic(QAbstractButton* boton)
    {
        // A button the operator cannot see or use takes no click.
        if (boton->isVisible() && boton->isEnabled())
            QTest::mouseClick(boton, Qt::LeftButton);
    }

    void barra(const char* clave)
    {
        QAction* accion = w->Brakmo1->Boton(QString::fromLatin1(clave));
        QVERIFY(accion);
        if (auto* boton = qobject_cast<QToolButton*>(w->Brakmo1->widgetForAction(accion)))
            clic(boton);
    }

    void cabecera(ui::ListView& l, int subItem)
    {
        QHeaderView* h = l.header();
        if (h->isSectionHidden(subItem))
            return;
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, QPoint(h->sectionViewportPosition(subItem) + 3, 3));
    }

    // The first row selected by a click, then a right click on it: the line menu, answered by the script.
    void menuDeLinea(ui::ListView& l)
    {
        if (l.ListItems().Count() == 0)
            return;
        l.listModel().sync();
        const QRect r = l.visualRect(l.listModel().index(0, conciliacion::colFecha));
        QTest::mouseClick(l.viewport(), Qt::LeftButton, {}, r.center());
        QTest::mouseClick(l.viewport(), Qt::RightButton, {}, r.center());
    }

    // The find dialog over the left list, opened with Ctrl+F.
    FrmBuscar& buscar() { return abrirBuscar(*w->Lvw); }

    // A step that must find the first row whose concept holds the text (when one does), or nothing.
    void esperarHallazgo(FrmBuscar& f, const QString& texto)
    {
        if (const int fila = primeraConConcepto(*w->Lvw, texto))
            verHallazgo(f, *w->Lvw, fila, conciliacion::colConcepto, texto);
        else
            verSinHallazgo(f, *w->Lvw);
    }

    // A search for "Cobro" by F3, which must start over from the first row.
    void cobroDesdeElPrincipio(FrmBuscar& f)
    {
        teclearBusqueda(f, QStringLiteral("Cobro"));
        QTest::keyClick(f.txtBuscar, Qt::Key_F3);
        esperarHallazgo(f, QStringLiteral("Cobro"));
    }

    static const std::map<QString, Comando>& comandos();

    // Walks a fresh window to the state; whatever the road asks is answered by default.
    void llevarA(const QString& estado)
    {
        mostrar();
        ui::ScriptedDialogs d;
        d.answerByDefault();
        const int i = int(kEstados.indexOf(estado));
        QVERIFY(i >= 0);
        if (i == 1)
            confirmar(*w, "IdConciliacion", QStringLiteral("1"));
        if (i == 2 || i == 3)
            cargarMarzo(*w);
        if (i == 3)
            w->cmdComparar_Click();
        if (i >= 4)
            conciliarMarzo(*w);
        if (i >= 5) {
            if (i == 5) {
                w->Brakmo1_Click(QStringLiteral("GRABAR"));
            } else {
                d.answerByDefault(false);
                d.expectMsgBox(ui::vbYes);
                d.expectMsgBox(ui::vbYes);
                d.expectMsgBox(ui::vbOK);
                w->cmdFinalizar_Click();
                QVERIFY(d.verifyDone());
                d.answerByDefault();
            }
            confirmar(*w, "IdConciliacion", QStringLiteral("1"));
            QCOMPARE(w->TextoCampo(QStringLiteral("CUENTA")), QStringLiteral("1101"));
            QCOMPARE(w->FFinalizada, i == 6);
        }
        // A finalized reconciliation has no pending line left: its reconciled ones are shown.
        if (i == 6)
            clic(w->ChkConciliados);
        if (i >= 2)
            QVERIFY(w->Lvw->ListItems().Count() + w->Lvw2->ListItems().Count() > 0);
        QVERIFY2(d.failures().isEmpty(), qPrintable(d.problems()));
        for (const ui::Prompt& p : d.log())
            QVERIFY2(p.kind != ui::PromptKind::ErrorDialog, qPrintable(p.text));
    }

    // The window usable: not busy, no modal window left, the lists whole, and a key still taken.
    void usable()
    {
        QVERIFY(w->isVisible());
        QVERIFY(!w->EstaOcupado());
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        for (ui::ListView* l : {w->Lvw, w->Lvw2}) {
            QCOMPARE(l->ListItems().Count(), l->listModel().rowCount());
            QCOMPARE(l->ColumnHeaders().Count(), int(conciliacion::kCantidadColumnas));
            for (int i = 1; i <= l->ListItems().Count(); ++i)
                QVERIFY(!celda(*l, i, conciliacion::colID).isEmpty());
        }
        // The window sees a key: Down on the left list moves nothing out of place.
        tecla(w->Lvw, Qt::Key_Down);
        QVERIFY(w->isVisible());
    }

private slots:
    void everyCommandInEveryState_data()
    {
        QTest::addColumn<QString>("estado");
        QTest::addColumn<QString>("comando");
        QTest::addColumn<QString>("queda");   // "usable" or "ended"
        for (const QString& estado : kEstados)
            for (const auto& [nombre, accion] : comandos()) {
                const bool termina = nombre == QLatin1String("bar: Cerrar");
                QTest::addRow("%s: %s", qPrintable(estado), qPrintable(nombre))
                    << estado << nombre << QString::fromLatin1(termina ? "ended" : "usable");
            }
    }

    void everyCommandInEveryState()
    {
        QFETCH(QString, estado);
        QFETCH(QString, comando);
        QFETCH(QString, queda);
        VisorMudo visor;
        suite::ReportesRegistrados reportes;
        llevarA(estado);
        if (QTest::currentTestFailed())
            return;
        ui::ScriptedDialogs d;
        d.answerByDefault();
        bool termino = false;
        try {
            comandos().at(comando)(*this);
        } catch (const ui::ProgramEnded&) {
            termino = true;
        }
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(termino ? QStringLiteral("ended") : QStringLiteral("usable"), queda);
        if (!termino)
            usable();
        else {
            // The program closed its connection as it ended; the next row starts the program anew.
            QCOMPARE(gDB().gCnn.State(), int(ado::adStateClosed));
            QVERIFY(empresa.volverAConectar());
        }
        // Nothing on the way, the probe included, failed into the error box.
        for (const ui::Prompt& p : d.log())
            QVERIFY2(p.kind != ui::PromptKind::ErrorDialog,
                     qPrintable(QStringLiteral("error box: %1 (%2)").arg(p.text, p.title)));
        QVERIFY2(d.failures().isEmpty(), qPrintable(d.problems()));
        d.verifyDone();
    }
};

const std::map<QString, TstWindowSweep::Comando>& TstWindowSweep::comandos()
{
    static const std::map<QString, Comando> tabla = [] {
        std::map<QString, Comando> t;
        // Keys on the left list, which the window sees first.
        const std::pair<const char*, int> teclas[] = {
            {"F2", Qt::Key_F2},         {"F3", Qt::Key_F3},       {"F4", Qt::Key_F4},
            {"F5", Qt::Key_F5},         {"F6", Qt::Key_F6},       {"F7", Qt::Key_F7},
            {"F8", Qt::Key_F8},         {"F9", Qt::Key_F9},       {"F10", Qt::Key_F10},
            {"F11", Qt::Key_F11},       {"F12", Qt::Key_F12},     {"Escape", Qt::Key_Escape},
            {"Enter", Qt::Key_Return},  {"Delete", Qt::Key_Delete}, {"Insert", Qt::Key_Insert},
            {"Space", Qt::Key_Space},   {"Home", Qt::Key_Home},   {"End", Qt::Key_End},
        };
        for (const auto& [nombre, key] : teclas) {
            const int k = key;
            t[QStringLiteral("left list: %1").arg(QLatin1String(nombre))] = [k](TstWindowSweep& s) {
                s.tecla(s.w->Lvw, k);
            };
        }
        for (const auto& [nombre, key] : {std::pair<const char*, int>{"Space", Qt::Key_Space},
                                          {"Delete", Qt::Key_Delete}, {"Enter", Qt::Key_Return}}) {
            const int k = key;
            t[QStringLiteral("right list: %1").arg(QLatin1String(nombre))] = [k](TstWindowSweep& s) {
                s.tecla(s.w->Lvw2, k);
            };
        }
        t["left list: Ctrl+F"] = [](TstWindowSweep& s) { s.tecla(s.w->Lvw, Qt::Key_F, Qt::ControlModifier); };
        t["right list: Ctrl+F"] = [](TstWindowSweep& s) { s.tecla(s.w->Lvw2, Qt::Key_F, Qt::ControlModifier); };
        t["left list: Shift+Down"] = [](TstWindowSweep& s) { s.tecla(s.w->Lvw, Qt::Key_Down, Qt::ShiftModifier); };
        t["right list: Shift+Up"] = [](TstWindowSweep& s) { s.tecla(s.w->Lvw2, Qt::Key_Up, Qt::ShiftModifier); };
        // Keys on the header fields: Enter, Escape and Delete on the number, F6 (the lookup) on each field.
        for (const auto& [nombre, key] : {std::pair<const char*, int>{"Enter", Qt::Key_Return},
                                          {"Escape", Qt::Key_Escape}, {"Delete", Qt::Key_Delete}}) {
            const int k = key;
            t[QStringLiteral("number: %1").arg(QLatin1String(nombre))] = [k](TstWindowSweep& s) {
                s.tecla(s.w->Campo(QStringLiteral("IdConciliacion")), k);
            };
        }
        for (const QString& campo : kCamposCabecera)
            t[QStringLiteral("lookup F6: %1").arg(campo)] = [campo](TstWindowSweep& s) {
                s.tecla(s.w->Campo(campo), Qt::Key_F6);
            };
        t["Tab through the controls"] = [](TstWindowSweep& s) {
            s.w->Campo(QStringLiteral("IdConciliacion"))->setFocus();
            for (int i = 0; i < 40; ++i)
                QTest::keyClick(s.enfocado(), Qt::Key_Tab);
        };
        // The command bar and the command buttons.
        for (const char* clave : {"Nuevo", "Grabar", "Borrar", "Cancelar", "Consultar", "Reporte", "Planilla",
                                  "Cerrar"})
            t[QStringLiteral("bar: %1").arg(QLatin1String(clave))] = [clave](TstWindowSweep& s) { s.barra(clave); };
        t["button: Ejecutar Consulta"] = [](TstWindowSweep& s) { s.clic(s.w->CmdEjecutar); };
        t["button: find"] = [](TstWindowSweep& s) { s.clic(s.w->cmdFind); };
        t["button: refresh"] = [](TstWindowSweep& s) { s.clic(s.w->cmdRefresh); };
        t["button: Comparar"] = [](TstWindowSweep& s) { s.clic(s.w->cmdComparar); };
        t["button: Aplicar"] = [](TstWindowSweep& s) { s.clic(s.w->CmdConciliar); };
        t["button: Finalizar"] = [](TstWindowSweep& s) { s.clic(s.w->cmdFinalizar); };
        t["button: release left"] = [](TstWindowSweep& s) { s.clic(s.w->CmdQuitarI); };
        t["button: release right"] = [](TstWindowSweep& s) { s.clic(s.w->CmdQuitarD); };
        t["button: Ver Movimientos Conciliados"] = [](TstWindowSweep& s) { s.clic(s.w->ChkConciliados); };
        t["button: help"] = [](TstWindowSweep& s) { s.clic(s.w->PicHelp); };
        t["settings tab: save the settings"] = [](TstWindowSweep& s) {
            s.w->SSTab1->setCurrentIndex(1);
            s.clic(s.w->cmdGrabaCfg);
            s.w->SSTab1->setCurrentIndex(0);
        };
        // Column headers.
        t["left header: Fecha"] = [](TstWindowSweep& s) { s.cabecera(*s.w->Lvw, conciliacion::colFecha); };
        t["left header: first column"] = [](TstWindowSweep& s) { s.cabecera(*s.w->Lvw, conciliacion::colOrden); };
        t["right header: Importe"] = [](TstWindowSweep& s) { s.cabecera(*s.w->Lvw2, conciliacion::colImporte); };
        // The line menu, dismissed and each item.
        t["line menu: dismissed"] = [](TstWindowSweep& s) { s.menuDeLinea(*s.w->Lvw); };
        for (const char* item : {"mnu_EmergenteZ1_MarcarSel", "mnu_EmergenteZ1_QuitarSel",
                                 "mnu_EmergenteZ1_VerAsiento", "mnu_EmergenteZ1_Cancelar"})
            t[QStringLiteral("line menu: %1").arg(QLatin1String(item).mid(16))] = [item](TstWindowSweep& s) {
                ui::ScriptedDialogs menu;
                menu.answerByDefault();
                if (s.w->Lvw->ListItems().Count() > 0)
                    menu.expectPopup(QString::fromLatin1(item));
                s.menuDeLinea(*s.w->Lvw);
                QVERIFY2(menu.failures().isEmpty(), qPrintable(menu.problems()));
                for (const ui::Prompt& p : menu.log())
                    QVERIFY2(p.kind != ui::PromptKind::ErrorDialog, qPrintable(p.text));
            };
        // The find dialog's keys, on the left list: the roads that find a cell, and a text that matches nothing
        // followed by each thing the operator may do next.
        t["find: Enter with nothing typed"] = [](TstWindowSweep& s) {
            FrmBuscar& f = s.buscar();
            QTest::keyClick(f.txtBuscar, Qt::Key_Return);
            if (s.w->Lvw->ListItems().Count() > 0)
                QCOMPARE(celdasEnNegrita(*s.w->Lvw), QStringList{QStringLiteral("1:%1").arg(int(conciliacion::colFecha))});
            else
                verSinHallazgo(f, *s.w->Lvw);
        };
        const auto enConcepto = [](TstWindowSweep& s, const QString& texto) -> FrmBuscar& {
            FrmBuscar& f = s.buscar();
            teclearBusqueda(f, texto);
            buscarEn(f, QStringLiteral("Concepto"));
            return f;
        };
        t["find: a text, then F3"] = [enConcepto](TstWindowSweep& s) {
            FrmBuscar& f = enConcepto(s, QStringLiteral("Cobro"));
            QTest::keyClick(f.txtBuscar, Qt::Key_F3);
            s.esperarHallazgo(f, QStringLiteral("Cobro"));
        };
        t["find: a text, then the button"] = [enConcepto](TstWindowSweep& s) {
            FrmBuscar& f = enConcepto(s, QStringLiteral("Cobro"));
            QTest::mouseClick(f.cmdBuscar, Qt::LeftButton);
            s.esperarHallazgo(f, QStringLiteral("Cobro"));
        };
        t["find: zzz, F3, F3 again"] = [enConcepto](TstWindowSweep& s) {
            FrmBuscar& f = enConcepto(s, QStringLiteral("zzz"));
            QTest::keyClick(f.txtBuscar, Qt::Key_F3);
            QTest::keyClick(f.txtBuscar, Qt::Key_F3);
            verSinHallazgo(f, *s.w->Lvw);
        };
        t["find: zzz, F3, a letter typed"] = [enConcepto](TstWindowSweep& s) {
            FrmBuscar& f = enConcepto(s, QStringLiteral("zzz"));
            QTest::keyClick(f.txtBuscar, Qt::Key_F3);
            QTest::keyClick(f.txtBuscar, Qt::Key_A);
            QVERIFY(f.cmdBuscar->isEnabled());
            s.cobroDesdeElPrincipio(f);
        };
        t["find: zzz, F3, another column"] = [enConcepto](TstWindowSweep& s) {
            FrmBuscar& f = enConcepto(s, QStringLiteral("Cobro"));
            QTest::keyClick(f.txtBuscar, Qt::Key_F3);
            teclearBusqueda(f, QStringLiteral("zzz"));
            QTest::keyClick(f.txtBuscar, Qt::Key_F3);
            buscarEn(f, QStringLiteral("Todos"));
            QCOMPARE(celdasEnNegrita(*s.w->Lvw), QStringList());
            buscarEn(f, QStringLiteral("Concepto"));
            s.cobroDesdeElPrincipio(f);
        };
        t["find: zzz, F3, Cerrar, Ctrl+F again"] = [enConcepto](TstWindowSweep& s) {
            FrmBuscar& f = enConcepto(s, QStringLiteral("zzz"));
            QTest::keyClick(f.txtBuscar, Qt::Key_F3);
            QTest::mouseClick(f.cmdCerrar, Qt::LeftButton);
            QVERIFY(!f.isVisible());
            FrmBuscar& otra = s.buscar();
            QCOMPARE(otra.txtBuscar->text(), QString());
            buscarEn(otra, QStringLiteral("Concepto"));
            s.cobroDesdeElPrincipio(otra);
            QTest::keyClick(otra.txtBuscar, Qt::Key_Escape);
        };
        return t;
    }();
    return tabla;
}

CONC_TEST_MAIN_CON_GUARDIA(TstWindowSweep)
#include "tst_window_sweep.moc"
