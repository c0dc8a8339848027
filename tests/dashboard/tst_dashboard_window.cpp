// The dashboard window on a small company, with a writer that records what it is asked: the start-up, the
// tree and lists from the database, report requests, the filter boxes driven with keys, the busy display,
// the report links, the account popup, the check buttons and closing.

#include "TableroDePrueba.h"

#include "dashboard/AbrirComprobante.h"
#include "dashboard/ComprobanteEnlace.h"
#include "dashboard/FrmBSC01PopUp.h"
#include "lookup/ConsultaPorTeclas.h"
#include "lookup/Lib_FrmCons3.h"
#include "platform/browser/WebBrowser.h"
#include "platform/suite/PictureBox.h"
#include "core/Globals.h"
#include "platform/ui/Keys.h"
#include "platform/ui/ListView.h"
#include "platform/ui/Units.h"
#include "report/EnlaceHTML.h"
#include "viewers/FrmBSC01CBTECTABLE.h"
#include "viewers/FrmBSC01CBTEDetalle.h"
#include "viewers/FrmBSC01RECIBODetalle.h"
#include "viewers/VisorPorTC.h"

#include <QApplication>
#include <QFileInfo>
#include <QCheckBox>
#include <QGroupBox>
#include <QStatusBar>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QSignalSpy>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <csignal>

using namespace tablero;

namespace {

// The nodes of the tree as "code>parent code".
QStringList arbol(ui::TreeView& tree)
{
    QStringList nodos;
    for (int i = 1; i <= tree.Nodes().Count(); ++i) {
        const ui::Node n = tree.Nodes()(i);
        nodos << n.Key().mid(1) + QLatin1Char('>') + (n.Parent() ? n.Parent().Key().mid(1) : QStringLiteral("-"));
    }
    return nodos;
}

ui::Node nodo(ui::TreeView& tree, const QString& clave)
{
    for (int i = 1; i <= tree.Nodes().Count(); ++i) {
        if (tree.Nodes()(i).Key() == clave)
            return tree.Nodes()(i);
    }
    return {};
}

void seleccionar(QListWidget& lista, const QStringList& textosQueEmpiezan)
{
    for (int i = 0; i < lista.count(); ++i) {
        bool si = false;
        for (const QString& t : textosQueEmpiezan)
            si = si || lista.item(i)->text().startsWith(t);
        lista.item(i)->setSelected(si);
    }
}

// The address a link of a page in the folder arrives as: the link text is already percent-encoded.
QString enlace(const QString& carpeta, const QString& texto)
{
    return QUrl::fromLocalFile(carpeta).toString() + texto;
}

} // namespace

class TstDashboardWindow : public TableroDePrueba {
    Q_OBJECT

    QList<ComprobanteEnlace> abiertos;

    // The window's own folder for its reports.
    QString carpeta() const { return w->CarpetaTemporal(); }
    // The folder of a report file, ending in "/".
    static QString carpetaDe(const QString& archivo) { return archivo.left(archivo.lastIndexOf(QLatin1Char('/')) + 1); }
    RegistroEscritor& registro() { return empresa.registro; }
    QLineEdit* campo(const char* nombre) const { return w->Campo(QString::fromLatin1(nombre)); }

    // Runs the link as the browser would hand it over; the request runs once the handler has returned.
    bool navegar(const QString& url)
    {
        bool cancelar = false;
        w->wbExplorer_BeforeNavigate2(url, cancelar);
        QCoreApplication::processEvents();
        return cancelar;
    }

    void enfocar(QLineEdit* c)
    {
        // A lookup shown and hidden takes the activation away from the window.
        if (!w->isActiveWindow()) {
            w->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(w));
        }
        c->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), c);
    }

    void confirmar(QLineEdit* c, const QString& texto)
    {
        enfocar(c);
        c->setText(texto);
        QTest::keyClick(c, Qt::Key_Return);
    }

    void opcion(int i)
    {
        for (int k = 0; k < 4; ++k)
            w->OptTipoListado(k)->setAutoExclusive(false);
        for (int k = 0; k < 4; ++k)
            w->OptTipoListado(k)->setChecked(k == i);
        for (int k = 0; k < 4; ++k)
            w->OptTipoListado(k)->setAutoExclusive(true);
    }

    void alAbrir() override
    {
        QApplication::setActiveWindow(w);
        QVERIFY(QTest::qWaitForWindowActive(w));
    }

private slots:
    void init()
    {
        registro().llamadas.clear();
        registro().pedidos.clear();
        registro().resultado = report::ResultadoListado::Completo;
        registro().durante = nullptr;
        abiertos.clear();
        InstalarAbridorComprobantes([this](const ComprobanteEnlace& c) { abiertos << c; });
    }

    // The load: style sheet into TEMP, the whole chart written, then written again for the root node and shown.
    void arranque()
    {
        // Recorded before init() cleared them: look at what the start-up left behind instead.
        // A folder of the window's own inside the user's private folder, closed to others.
        QVERIFY2(carpeta().startsWith(empresa.temporal + QLatin1Char('/')) && carpeta() != empresa.temporal + QLatin1Char('/'),
                 qPrintable(carpeta()));
        QCOMPARE(QFileInfo(carpeta()).permissions() & 0x0077, QFileDevice::Permissions());
        QCOMPARE(w->ArchivoInforme(), carpeta() + QStringLiteral("BSC01.htm"));
        QCOMPARE(w->FCuenta, QString());
        QCOMPARE(w->FTitulo, QStringLiteral("Plan General de Cuentas"));
        QVERIFY(!w->FEsHoja);
        QVERIFY(w->TreeV->SelectedItem());
        QCOMPARE(w->TreeV->SelectedItem().Text(), QStringLiteral("Plan General de Cuentas"));
        QCOMPARE(arbol(*w->TreeV), (QStringList{">-", "1>", "11>1", "1101>11", "1102>11", "12>1", "2>", "21>2",
                                                "2101>21"}));
        QVERIFY(w->TreeV->SelectedItem().Expanded());
        QVERIFY(!nodo(*w->TreeV, "A11").Expanded());
        QCOMPARE(w->TextoCampo("FechaDESDE"), QStringLiteral("01/01/2026"));
        QCOMPARE(w->TextoCampo("FechaHASTA"), QStringLiteral("31/12/2026"));
        QCOMPARE(w->lstUnidadNegocio->count(), 2);
        QCOMPARE(w->lstUnidadNegocio->item(0)->text(), QStringLiteral("1 - Casa central") + QString(100, ' ') + "1");
        QCOMPARE(w->lstUnidadNegocio->selectedItems().size(), 2);
        QCOMPARE(w->lstCentroCostos->selectedItems().size(), 2);
        QCOMPARE(w->lstUnidadNegocio->currentRow(), 0);
        QVERIFY(QFile::exists(carpeta() + QStringLiteral("BSC01.htm")));
        QTRY_VERIFY_WITH_TIMEOUT(w->wbExplorer->LocationURL().endsWith(QLatin1String("BSC01.htm")), 30000);
        QTRY_VERIFY_WITH_TIMEOUT(!w->Pic->isVisible(), 30000);
        QVERIFY(w->TreeV->isEnabled());
        QCOMPARE(w->StatusPanel1->text(), QStringLiteral(" Listo ..."));
    }

    // A second window loaded the same way records the writer's calls from the start.
    void arranqueOrdenYArgumentos()
    {
        ui::ScriptedDialogs sinPreguntas;
        QString otraCarpeta;
        {
            frmBSC01 otro;
            otro.Parametros = empresa.lanzamiento;
            otro.Form_Initialize();
            // Its reports go to a folder of its own, never into the first window's.
            const QString suya = otro.CarpetaTemporal();
            QVERIFY(suya != carpeta());
            QVERIFY(suya.startsWith(empresa.temporal + QLatin1Char('/')));
            otraCarpeta = suya;
            QCOMPARE(registro().llamadas,
                     (QStringList{"css " + suya, "html ", "html ", "iva 0"}));
            for (const PedidoInforme& p : registro().pedidos) {
                QCOMPARE(p.TituloListado, QStringLiteral("Consolidado"));
                QCOMPARE(p.strNombreArchivo, suya + QStringLiteral("BSC01.htm"));
                QCOMPARE(p.Titulo, QStringLiteral("Plan General de Cuentas"));
                QCOMPARE(p.Cuenta, QString());
                QVERIFY(!p.EsHoja);
                QCOMPARE(p.FechaDesde, QStringLiteral("01/01/2026"));
                QCOMPARE(p.FechaHasta, QStringLiteral("31/12/2026"));
                QCOMPARE(p.eTipoListado, 0);
                // Every unit selected: the codes read back as the last four characters.
                QCOMPARE(p.eUnidadesNegocio, (QStringList{"1", "N02X"}));
                QCOMPARE(p.eCentrosCostos, (QStringList{"C1", "C2"}));
                QVERIFY(p.eNormal);
                QCOMPARE(p.eNiveles, 6);
                QVERIFY(p.pTc.isEmpty() && p.pSuc.isEmpty() && p.pNro.isEmpty() && p.pLetra.isEmpty());
                QVERIFY(p.pImpDesde.isEmpty() && p.pImpHasta.isEmpty());
            }
            otro.hide();
        }
        // Gone with its window; the first window's is untouched.
        QVERIFY(!QFileInfo::exists(otraCarpeta));
        QVERIFY(QFile::exists(w->ArchivoInforme()));
        QVERIFY(sinPreguntas.verifyDone());
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
    }

    void consultaDelPlan_data()
    {
        QTest::addColumn<QString>("valor");   // "-" no row
        QTest::addColumn<bool>("clientesYProveedores");
        QTest::newRow("key missing") << "-" << false;
        QTest::newRow("blank") << " " << false;
        QTest::newRow("NO") << "NO" << false;
        QTest::newRow("no") << "no" << false;
        QTest::newRow("SI") << "SI" << true;
        QTest::newRow("any other value") << "x" << true;
    }
    void consultaDelPlan()
    {
        QFETCH(QString, valor);
        QFETCH(bool, clientesYProveedores);
        EmpresaTablero::ejecutar("DELETE FROM TA_CONFIGURACION WHERE CLAVE = 'PlanCuentas_ClyPr'");
        if (valor != "-")
            EmpresaTablero::ejecutar(QStringLiteral("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES "
                                                    "('PlanCuentas_ClyPr', '%1')").arg(valor));
        ui::ScriptedDialogs sinPreguntas;
        w->ArmarTreeVAutomatico();
        QVERIFY(sinPreguntas.verifyDone());
        const QStringList nodos = arbol(*w->TreeV);
        QCOMPARE(nodos.contains("1201>12"), clientesYProveedores);
        QCOMPARE(nodos.contains("1202>12"), clientesYProveedores);
        QVERIFY(!nodos.contains("13>1"));   // retired accounts never
        QVERIFY(nodos.contains("1101>11"));
        QCOMPARE(w->TreeV->SelectedItem().Key(), QStringLiteral("A"));
        EmpresaTablero::ejecutar("DELETE FROM TA_CONFIGURACION WHERE CLAVE = 'PlanCuentas_ClyPr'");
    }

    void lecturaDeListas_data()
    {
        QTest::addColumn<QStringList>("seleccion");
        QTest::addColumn<QStringList>("codigos");
        QTest::newRow("none selected: no restriction") << QStringList{} << QStringList{};
        QTest::newRow("short code") << QStringList{"1 - "} << QStringList{"1"};
        QTest::newRow("long code: its last four characters") << QStringList{"UN02X"} << QStringList{"N02X"};
        QTest::newRow("both, in list order") << QStringList{"UN02X", "1 - "} << QStringList{"1", "N02X"};
    }
    void lecturaDeListas()
    {
        QFETCH(QStringList, seleccion);
        QFETCH(QStringList, codigos);
        seleccionar(*w->lstUnidadNegocio, seleccion);
        QCOMPARE(w->Estado().unidades, codigos);
        // A list read with nothing selected shows every item selected afterwards.
        QCOMPARE(w->lstUnidadNegocio->selectedItems().size(), seleccion.isEmpty() ? 2 : seleccion.size());
        seleccionar(*w->lstUnidadNegocio, {"1 - ", "UN02X"});
    }

    void clicEnArbol_data()
    {
        QTest::addColumn<QString>("clave");
        QTest::addColumn<int>("opcion");
        QTest::addColumn<bool>("resumido");
        QTest::addColumn<QString>("cuenta");
        QTest::addColumn<QString>("titulo");
        QTest::addColumn<bool>("hoja");
        QTest::addColumn<int>("tipo");
        QTest::addColumn<int>("niveles");
        QTest::newRow("leaf") << "A1101" << 0 << false << "1101" << "1101 - Banco" << true << 0 << 6;
        QTest::newRow("with children") << "A11" << 2 << true << "11" << "11 - Caja y bancos" << false << 2 << 4;
        QTest::newRow("root: whole chart") << "A" << 1 << false << "" << "Plan General de Cuentas" << false << 1 << 6;
        QTest::newRow("no option selected: kind 3") << "A2101" << -1 << false << "2101" << "2101 - Proveedor Uno"
                                                    << true << 3 << 6;
    }
    void clicEnArbol()
    {
        QFETCH(QString, clave);
        QFETCH(int, opcion);
        QFETCH(bool, resumido);
        QFETCH(QString, cuenta);
        QFETCH(QString, titulo);
        QFETCH(bool, hoja);
        QFETCH(int, tipo);
        QFETCH(int, niveles);
        opcion_(opcion);
        w->chkResumido->setChecked(resumido);
        campo("TC")->setText("FC");
        w->TreeV_NodeClick(nodo(*w->TreeV, clave));
        QCOMPARE(registro().pedidos.size(), 1);
        const PedidoInforme& p = registro().pedidos.first();
        QCOMPARE(p.Cuenta, cuenta);
        QCOMPARE(p.Titulo, titulo);
        QCOMPARE(p.EsHoja, hoja);
        QCOMPARE(p.eTipoListado, tipo);
        QCOMPARE(p.eNiveles, niveles);
        QCOMPARE(p.TituloListado, TituloTipoListado(opcion));
        QVERIFY(p.pTc.isEmpty());   // a tree click carries no voucher filter
        QCOMPARE(w->FCuenta, cuenta);
        campo("TC")->clear();
        w->chkResumido->setChecked(false);
        opcion_(0);
    }

    void actualizarRepiteElUltimo()
    {
        w->TreeV_NodeClick(nodo(*w->TreeV, "A1102"));
        campo("TC")->setText(" FC ");
        campo("IMPDESDE")->setText("10");
        QTest::mouseClick(w->CmdActualizar, Qt::LeftButton);
        QCOMPARE(registro().pedidos.size(), 2);
        const PedidoInforme& p = registro().pedidos.last();
        QCOMPARE(p.Cuenta, QStringLiteral("1102"));
        QCOMPARE(p.Titulo, QStringLiteral("1102 - Caja"));
        QVERIFY(p.EsHoja);
        QCOMPARE(p.pTc, QStringLiteral(" FC "));
        QCOMPARE(p.pImpDesde, QStringLiteral("10"));
        campo("TC")->clear();
        campo("IMPDESDE")->clear();
    }

    void campoValida_data()
    {
        QTest::addColumn<QString>("dataField");
        QTest::addColumn<QString>("escrito");
        QTest::addColumn<QString>("queda");
        QTest::addColumn<QString>("mensaje");   // "" none
        QTest::addColumn<QString>("informe");   // account of the report written; "-" none
        QTest::newRow("branch padded") << "SUCURSAL" << "12" << "0012" << "" << "-";
        QTest::newRow("branch blanks dropped first") << "SUCURSAL" << " 12 " << "0012" << "" << "-";
        QTest::newRow("number padded") << "NUMERO" << "123" << "00000123" << "" << "-";
        QTest::newRow("empty number stays empty") << "NUMERO" << "" << "" << "" << "-";
        QTest::newRow("known account") << "CUENTA" << "1101" << "1101" << "" << "1101";
        QTest::newRow("by optional code") << "CUENTA" << "bco" << "1101" << "" << "1101";
        QTest::newRow("unknown account") << "CUENTA" << "999" << "999" << "La cuenta ingresada es inexistente." << "-";
        QTest::newRow("quote in the account") << "CUENTA" << "1'1" << "1'1" << "La cuenta ingresada es inexistente."
                                              << "-";
        QTest::newRow("empty account: no report, no message") << "CUENTA" << "" << "" << "" << "-";
        QTest::newRow("period not a date") << "FechaDESDE" << "31/02/2026" << "31/02/2026" << "no es válida" << "-";
        QTest::newRow("amount with a decimal comma") << "ImpDesde" << "0,15" << "0,15" << "" << "-";
        QTest::newRow("amount not a number") << "ImpDesde" << "abc" << "abc" << "El importe abc no es válido." << "-";
        QTest::newRow("amount beyond any amount") << "ImpHasta" << "1e999" << "1e999"
                                                  << "El importe 1e999 está fuera del rango permitido." << "-";
    }
    void campoValida()
    {
        QFETCH(QString, dataField);
        QFETCH(QString, escrito);
        QFETCH(QString, queda);
        QFETCH(QString, mensaje);
        QFETCH(QString, informe);
        QLineEdit* c = w->Campo(dataField);
        const QString antes = c->text();
        ui::ScriptedDialogs d;
        if (!mensaje.isEmpty())
            d.expectMsgBox(ui::vbOK).containing(mensaje).withTitle("Aviso al operador...").withStyle(ui::vbInformation);
        confirmar(c, escrito);
        QVERIFY(d.verifyDone());
        QCOMPARE(c->text(), queda);
        // A refused value keeps the focus; an accepted one moves it on.
        QCOMPARE(QApplication::focusWidget() == c, !mensaje.isEmpty());
        if (informe == "-") {
            QVERIFY(registro().pedidos.isEmpty());
        } else {
            QCOMPARE(registro().pedidos.size(), 1);
            const PedidoInforme& p = registro().pedidos.first();
            QCOMPARE(p.Cuenta, informe);
            QCOMPARE(p.Titulo, informe + " - Banco");
            QVERIFY(p.EsHoja);
            QVERIFY(p.pTc.isEmpty());
        }
        c->setText(dataField.startsWith("Fecha") ? antes : QString());
    }

    // No report is asked for with a period that is not a date.
    void periodoInvalido()
    {
        QLineEdit* hasta = campo("FechaHASTA");
        const QString antes = hasta->text();
        hasta->setText("1/1/2026'");
        ui::ScriptedDialogs d;
        d.expectMsgBox(ui::vbOK).containing("período").withTitle("Aviso al operador...");
        d.expectMsgBox(ui::vbOK).containing("período");
        w->TreeV_NodeClick(nodo(*w->TreeV, "A1101"));
        QTest::mouseClick(w->CmdActualizar, Qt::LeftButton);
        QVERIFY(d.verifyDone());
        QVERIFY(registro().pedidos.isEmpty());
        hasta->setText(antes);
    }

    // A failure while a box is validated is shown as such, and the box keeps the focus.
    void falloAlValidar()
    {
        EmpresaTablero::ejecutar("ALTER TABLE MA_CUENTAS RENAME TO MA_CUENTAS_APARTE");
        QLineEdit* c = campo("CUENTA");
        ui::ScriptedDialogs d;
        d.expectErrorDialog(ui::vbAbort).withRoutine("AbrirRecordset");
        d.expectErrorDialog(ui::vbAbort).withRoutine("CAMPO_VALIDA");
        confirmar(c, "1101");
        const bool hecho = d.verifyDone();
        EmpresaTablero::ejecutar("ALTER TABLE MA_CUENTAS_APARTE RENAME TO MA_CUENTAS");
        QVERIFY(hecho);
        QVERIFY(w->ErrorValidacion());
        QCOMPARE(QApplication::focusWidget(), c);
        QVERIFY(registro().pedidos.isEmpty());
        c->clear();
    }

    void f5SinConsulta_data()
    {
        QTest::addColumn<QString>("dataField");
        QTest::newRow("branch: no lookup") << "SUCURSAL";
        QTest::newRow("amount: no lookup") << "ImpDesde";
        QTest::newRow("number: no lookup definition") << "NUMERO";
        QTest::newRow("letter: no lookup definition") << "LETRA";
    }
    void f5SinConsulta()
    {
        QFETCH(QString, dataField);
        ui::ScriptedDialogs nada;
        QLineEdit* c = w->Campo(dataField);
        enfocar(c);
        c->setText("7");
        QTest::keyClick(c, Qt::Key_F5);
        QVERIFY(nada.verifyDone());
        QCOMPARE(c->text(), QStringLiteral("7"));
        c->clear();
    }

    void f5Fecha()
    {
        QLineEdit* c = campo("FechaDESDE");
        const QString antes = c->text();
        enfocar(c);
        ui::ScriptedDialogs d;
        d.expectDate(QDate(2026, 3, 15));
        QTest::keyClick(c, Qt::Key_F5);
        QVERIFY(d.verifyDone());
        QCOMPARE(c->text(), QStringLiteral("15/03/2026"));
        QVERIFY(QApplication::focusWidget() != c);   // validated as after Enter
        c->setText(antes);
    }

    // Every lookup of the boxes through the real modal windows (the lists and the date picker, run by the
    // program's own dialogs and driven by keys): Escape leaves the box as it was, with the cursor in it, and
    // validates nothing; a choice fills the box and the cursor moves on, though no widget has the focus when
    // the modal window closes.
    void f5ConVentanasReales_data()
    {
        QTest::addColumn<QString>("dataField");
        QTest::addColumn<QString>("escrito");
        QTest::addColumn<int>("tecla");
        QTest::addColumn<QString>("elegida");    // the list row chosen before the key; "" none
        QTest::addColumn<QString>("queda");
        QTest::addColumn<bool>("focoQueda");
        QTest::addColumn<int>("informes");
        const int esc = Qt::Key_Escape;
        const int enter = Qt::Key_Return;
        QTest::newRow("voucher type escaped") << "TC" << "FC" << esc << "" << "FC" << true << 0;
        QTest::newRow("empty voucher type escaped") << "TC" << "" << esc << "" << "" << true << 0;
        QTest::newRow("account escaped") << "CUENTA" << "1101" << esc << "" << "1101" << true << 0;
        QTest::newRow("period from escaped") << "FechaDESDE" << "15/02/2026" << esc << "" << "15/02/2026" << true << 0;
        QTest::newRow("period to escaped") << "FechaHASTA" << "20/02/2026" << esc << "" << "20/02/2026" << true << 0;
        QTest::newRow("voucher type chosen") << "TC" << "" << enter << "FC" << "FC" << false << 0;
        QTest::newRow("account chosen") << "CUENTA" << "1101" << enter << "1102" << "1102" << false << 1;
        QTest::newRow("date chosen") << "FechaDESDE" << "15/02/2026" << enter << "" << "15/02/2026" << false << 0;
    }
    void f5ConVentanasReales()
    {
        QFETCH(QString, dataField);
        QFETCH(QString, escrito);
        QFETCH(int, tecla);
        QFETCH(QString, elegida);
        QFETCH(QString, queda);
        QFETCH(bool, focoQueda);
        QFETCH(int, informes);
        QLineEdit* c = w->Campo(dataField);
        const QString antes = c->text();
        enfocar(c);
        const ResultadoConsulta r = consultarPorTeclas(*c, escrito, Qt::Key_F5, Qt::Key(tecla), elegida);
        c->setText(antes);
        // The lookup, and no message after it.
        QVERIFY2(r.vistas.size() == 1, qPrintable(r.vistas.join(QStringLiteral(" | "))));
        QCOMPARE(r.texto, queda);
        QCOMPARE(int(registro().pedidos.size()), informes);
        // The window's focus (where the cursor is once the window is active again).
        if (focoQueda)
            QCOMPARE(r.foco, static_cast<QWidget*>(c));
        else
            QVERIFY(r.foco != c && qobject_cast<QLineEdit*>(r.foco));
    }

    // "Cancelar" while the written report still loads in the page view: the load stops, the page is dropped
    // with what it held, the status bar says the report is not shown, and the window takes commands again.
    void cancelarDuranteLaCarga()
    {
        w->MostrarOcupado();
        QVERIFY(!w->TreeV->isEnabled());
        w->wbExplorer->Navigate(w->ArchivoInforme());
        QVERIFY(w->wbExplorer->Cargando());
        QCOMPARE(w->StatusPanel1->text(), QStringLiteral(" Cargando la página ..."));
        QTest::mouseClick(w->cmdCancelar, Qt::LeftButton);
        QVERIFY(!w->wbExplorer->Cargando());
        QVERIFY(w->TreeV->isEnabled());
        QVERIFY(!w->cmdCancelar->isVisible());
        QVERIFY(!w->Cancelado());
        QCOMPARE(w->wbExplorer->LocationURL(), QString());
        QCOMPARE(w->StatusPanel1->text(), QStringLiteral(" Informe no mostrado: se canceló la carga de la página."));
    }

    // The page process of the view dies (as the system kills one out of memory): the operator is told, the
    // busy display comes down, and the page is not loaded again by itself.
    void paginaPerdida()
    {
        QSignalSpy cargas(w->wbExplorer, &web::WebBrowser::DownloadComplete);
        w->TreeV_NodeClick(nodo(*w->TreeV, "A2"));
        QVERIFY(cargas.wait(30000));
        const qint64 proceso = w->wbExplorer->vista()->page()->renderProcessPid();
        QVERIFY(proceso > 0);
        w->MostrarOcupado();
        ui::ScriptedDialogs d;
        d.expectMsgBox(ui::vbOK)
            .withText(QStringLiteral("No se pudo mostrar el informe: el proceso que dibuja la página se cerró (por "
                                     "falta de memoria o por una falla). Vuelva a pedir el informe; si se repite, "
                                     "acote el período o los filtros."))
            .withTitle(QStringLiteral("Aviso al operador..."));
        w->wbExplorer->Navigate(w->ArchivoInforme());
        QCOMPARE(::kill(pid_t(proceso), SIGKILL), 0);
        QTRY_VERIFY_WITH_TIMEOUT(d.verifyDone(), 10000);
        QVERIFY(!w->wbExplorer->Cargando());
        QVERIFY(!w->Pic->isVisible());
        QVERIFY(w->TreeV->isEnabled());
        QCOMPARE(w->StatusPanel1->text(), QStringLiteral(" No se pudo mostrar el informe."));
        QTest::qWait(500);
        QCOMPARE(w->wbExplorer->vista()->page()->renderProcessPid(), 0);
    }

    // A configured period that no fiscal year covers is said once, in the operator's terms, and leaves the period
    // boxes empty for the operator (no database error, no invalid-period messages).
    void periodoSinEjercicio()
    {
        const int periodo = ModGlobal::gPeriodo;
        const QString desde = campo("FechaDESDE")->text();
        const QString hasta = campo("FechaHASTA")->text();
        campo("FechaDESDE")->clear();
        campo("FechaHASTA")->clear();
        ModGlobal::gPeriodo = 2031;
        ui::ScriptedDialogs d;
        d.expectMsgBox(ui::vbOK).withText(
            QStringLiteral("Ningún ejercicio abarca el período 2031: ingrese las fechas del listado."));
        const bool asignado = w->AsignarDatos();
        ModGlobal::gPeriodo = periodo;
        QVERIFY(d.verifyDone());
        QVERIFY(!asignado);
        QCOMPARE(campo("FechaDESDE")->text(), QString());
        QCOMPARE(campo("FechaHASTA")->text(), QString());
        // The configured year's fiscal year fills them again.
        QVERIFY(w->AsignarDatos());
        QCOMPARE(campo("FechaDESDE")->text(), desde);
        QCOMPARE(campo("FechaHASTA")->text(), hasta);
    }

    // Every text and control shows whole and usable at the design size and maximised: no option text wider
    // than its button, the tree neither under the filter bar (the "Resumido" box) nor under the foot frame.
    void disenoSinSolapes_data()
    {
        QTest::addColumn<QSize>("tamano");
        QTest::newRow("design size") << QSize();
        QTest::newRow("maximised on a full HD screen") << QSize(1920, 1050);
    }
    void disenoSinSolapes()
    {
        QFETCH(QSize, tamano);
        const QSize antes = w->size();
        if (tamano.isValid())
            w->resize(tamano);
        QCoreApplication::processEvents();
        const auto enVentana = [&](QWidget* c) { return QRect(c->mapTo(w, QPoint(0, 0)), c->size()); };
        for (int i = 0; i < 4; ++i) {
            QRadioButton* opcion = w->OptTipoListado(i);
            QVERIFY2(opcion->sizeHint().width() <= opcion->width(), qPrintable(opcion->text()));
            QVERIFY(w->frmOption->rect().contains(opcion->geometry()));
        }
        QVERIFY(!w->frmUnidadDeNegocio->geometry().intersects(w->frmCentroCostos->geometry()));
        QVERIFY(!w->frmCentroCostos->geometry().intersects(w->frmOption->geometry()));
        QVERIFY(w->FrmPie->rect().contains(w->frmOption->geometry()));
        const QRect arbol = enVentana(w->TreeV);
        QVERIFY(!arbol.intersects(enVentana(w->FrmPie)));
        QVERIFY(!arbol.intersects(enVentana(w->chkResumido)));
        QVERIFY(!arbol.intersects(enVentana(w->ChkIVA)));
        QVERIFY(!enVentana(w->wbExplorer).intersects(enVentana(w->FrmPie)));
        QVERIFY(enVentana(w->FrmPie).bottom() < enVentana(w->StatusBar1).top());
        w->resize(antes);
        QCoreApplication::processEvents();
    }

    // F5 works on the last box that had the focus, wherever the focus is now.
    void f5DesdeElArbol()
    {
        QLineEdit* c = campo("FechaHASTA");
        const QString antes = c->text();
        enfocar(c);
        // The tree takes the focus once the last report is on show.
        QTRY_VERIFY_WITH_TIMEOUT(w->TreeV->isEnabled(), 30000);
        w->TreeV->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w->TreeV));
        ui::ScriptedDialogs d;
        d.expectDate(QDate(2026, 6, 30));
        QTest::keyClick(w->TreeV, Qt::Key_F5);
        QVERIFY(d.verifyDone());
        QCOMPARE(c->text(), QStringLiteral("30/06/2026"));
        c->setText(antes);
    }

    void f5CuentaElegida()
    {
        QLineEdit* c = campo("CUENTA");
        enfocar(c);
        ui::ScriptedDialogs d;
        d.onModal<Lib_FrmCons3>([&](Lib_FrmCons3& lista) {
            lista.ListView1->setSelectedItem(lista.ListView1->ListItems().Item(filaCon(*lista.ListView1, "1102")));
            QTest::keyClick(lista.ListView1, Qt::Key_Return);
            return 1;
        });
        QTest::keyClick(c, Qt::Key_F5);
        QVERIFY(d.verifyDone());
        QCOMPARE(c->text(), QStringLiteral("1102"));
        QCOMPARE(registro().pedidos.size(), 1);
        QCOMPARE(registro().pedidos.first().Titulo, QStringLiteral("1102 - Caja"));
        c->clear();
    }

    void focoColoreaYSelecciona()
    {
        ModGlobal::gColorFondo = 0x00FFFF;
        QLineEdit* c = campo("TC");
        c->setText(" FC ");
        enfocar(campo("SUCURSAL"));
        enfocar(c);
        QCOMPARE(c->palette().color(QPalette::Base), ui::FromBgr(0x00FFFF));
        QCOMPARE(w->CampoActual(), 3);
        // As long as the text without its blanks, from the start.
        QTRY_COMPARE(c->selectionStart(), 0);
        QCOMPARE(c->selectedText(), QStringLiteral(" F"));
        enfocar(campo("SUCURSAL"));
        QCOMPARE(c->palette().color(QPalette::Base), QColor(Qt::white));
        c->clear();
    }

    // One report at a time: requests made while it is written are refused.
    void unInformeALaVez()
    {
        bool ocupadoDurante = false;
        registro().durante = [&] {
            ocupadoDurante = w->Pic->isVisible() && w->cmdCancelar->isVisible() && !w->TreeV->isEnabled();
            w->CmdActualizar_Click();
            w->TreeV_NodeClick(nodo(*w->TreeV, "A2"));
            navegar(enlace(carpeta(), report::EnlaceCuenta("21")));
        };
        w->TreeV_NodeClick(nodo(*w->TreeV, "A1101"));
        QVERIFY(ocupadoDurante);
        QCOMPARE(registro().llamadas, QStringList{"html 1101"});
        w->wbExplorer_DownloadComplete();
        QVERIFY(!w->Pic->isVisible());
        QVERIFY(!w->cmdCancelar->isVisible());
        QVERIFY(w->TreeV->isEnabled());
    }

    void cancelar()
    {
        registro().durante = [&] { QTest::mouseClick(w->cmdCancelar, Qt::LeftButton); };
        registro().resultado = report::ResultadoListado::Cancelado;
        QSignalSpy cargas(w->wbExplorer, &web::WebBrowser::DownloadComplete);
        w->TreeV_NodeClick(nodo(*w->TreeV, "A2"));
        QVERIFY(w->Cancelado());
        // The file is shown as far as it was written, and once on show said to be cancelled.
        QVERIFY(cargas.wait(30000));
        QVERIFY2(w->StatusPanel1->text().contains("cancelado"), qPrintable(w->StatusPanel1->text()));
    }

    void enlaces_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<bool>("cancelada");
        QTest::addColumn<QString>("informe");   // account of the report written, "-" none
        QTest::addColumn<QString>("titulo");
        QTest::addColumn<bool>("hoja");
        QTest::addColumn<QString>("mensaje");
        QTest::newRow("account link") << report::EnlaceCuenta("1101") << true << "1101" << "1101 - Banco" << true << "";
        QTest::newRow("any letter case") << "cuenta_11" << true << "11" << "11 - Caja y bancos" << false << "";
        QTest::newRow("empty code: the whole chart") << "CUENTA_" << true << "" << "Plan General de Cuentas" << false
                                                     << "";
        QTest::newRow("dead account link") << report::EnlaceCuenta("999") << true << "-" << "" << false
                                           << "La cuenta 999 no existe";
        QTest::newRow("the report file itself") << "BSC01.htm" << false << "-" << "" << false << "";
    }
    void enlaces()
    {
        QFETCH(QString, texto);
        QFETCH(bool, cancelada);
        QFETCH(QString, informe);
        QFETCH(QString, titulo);
        QFETCH(bool, hoja);
        QFETCH(QString, mensaje);
        ui::ScriptedDialogs d;
        if (!mensaje.isEmpty())
            d.expectMsgBox(ui::vbOK).containing(mensaje).withTitle("Aviso al operador...");
        QSignalSpy cargas(w->wbExplorer, &web::WebBrowser::DownloadComplete);
        QCOMPARE(navegar(enlace(carpeta(), texto)), cancelada);
        QVERIFY(d.verifyDone());
        // " Listo ..." once the page is on show, never while it loads; a link that loads nothing is done at once.
        if (informe == "-") {
            QCOMPARE(w->StatusPanel1->text(), cancelada ? QStringLiteral(" Listo ...") : QStringLiteral(" Cargando la página ..."));
            QVERIFY(registro().pedidos.isEmpty());
            return;
        }
        QCOMPARE(w->StatusPanel1->text(), QStringLiteral(" Cargando la página ..."));
        QVERIFY(cargas.wait(30000));
        QCOMPARE(w->StatusPanel1->text(), QStringLiteral(" Listo ..."));
        QCOMPARE(registro().pedidos.size(), 1);
        const PedidoInforme& p = registro().pedidos.first();
        QCOMPARE(p.Cuenta, informe);
        QCOMPARE(p.Titulo, titulo);
        QCOMPARE(p.EsHoja, hoja);
        QCOMPARE(p.strNombreArchivo, w->ArchivoInforme());
        QCOMPARE(w->FCuenta, informe);
    }

    // The links between the parts of a long report load in the view when the part is there; a part still being
    // written is said on the status bar (a message would hold the writer up), one never written in a message.
    void partesDelInforme()
    {
        const QString segunda = carpeta() + QStringLiteral("BSC01-2.htm");
        {
            QFile f(segunda);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        QVERIFY(!navegar(enlace(carpeta(), "BSC01-2.htm")));
        QCOMPARE(w->StatusPanel1->text(), QStringLiteral(" Cargando la página ..."));
        QVERIFY(QFile::remove(segunda));
        {
            ui::ScriptedDialogs d;
            d.expectMsgBox(ui::vbOK)
                .withText(QStringLiteral("La parte 2 del informe no se escribió: el listado se canceló o falló antes de "
                                         "llegar a ella."))
                .withTitle(QStringLiteral("Aviso al operador..."));
            QVERIFY(navegar(enlace(carpeta(), "BSC01-2.htm")));
            QVERIFY(d.verifyDone());
        }
        bool cancelada = false;
        QString estado;
        registro().durante = [&] {
            cancelada = navegar(enlace(carpeta(), "BSC01-2.htm"));
            estado = w->StatusPanel1->text();
        };
        ui::ScriptedDialogs sinPreguntas;
        w->TreeV_NodeClick(nodo(*w->TreeV, "A2"));
        QVERIFY(cancelada);
        QCOMPARE(estado, QStringLiteral(" La parte 2 del informe todavía se está escribiendo: espere a que termine el listado."));
        QVERIFY(sinPreguntas.verifyDone());
    }

    // A marker in the folder's name is not a link: the report file is let through.
    void carpetaConMarcador()
    {
        QVERIFY(!navegar(QUrl::fromLocalFile("/tmp/cuenta_1101/_tc_x/BSC01.htm").toString()));
        QVERIFY(registro().pedidos.isEmpty());
    }

    void enlaceComprobante()
    {
        const QString cab = "21", fila = "2101";
        QVERIFY(navegar(enlace(carpeta(), report::EnlaceComprobante("FCC", "0001", "00000012", "A", &cab, &fila))));
        QCOMPARE(abiertos.size(), 1);
        QCOMPARE(abiertos.first(), (ComprobanteEnlace{"FCC", "0001", "00000012", "A", "2101"}));
        QVERIFY(registro().pedidos.isEmpty());
    }

    // Voucher links from the dashboard and from the popup, side by side, opened in the real viewers.
    void despachoDeComprobantes_data()
    {
        QTest::addColumn<QString>("tc");
        QTest::addColumn<int>("visor");             // visores::Visor
        QTest::addColumn<bool>("esVenta");
        QTest::addColumn<QString>("cuentaTablero");
        QTest::addColumn<QString>("cuentaPopUp");
        const int detalle = int(visores::Visor::Detalle), recibo = int(visores::Visor::Recibo),
                  contable = int(visores::Visor::Contable), ninguno = int(visores::Visor::Ninguno);
        QTest::newRow("sale") << "FC" << detalle << true << "" << "";
        QTest::newRow("sale in lower case") << "fc" << detalle << true << "" << "";
        QTest::newRow("purchase: row account, report account") << "FCC" << detalle << false << "2101" << "21";
        QTest::newRow("receipt") << "CB" << recibo << true << "" << "";
        QTest::newRow("payment: the same side from both") << "PG" << recibo << true << "" << "";
        QTest::newRow("VJ opens nothing") << "VJ" << ninguno << true << "" << "";
        QTest::newRow("other type") << "ZZ" << contable << true << "" << "";
        QTest::newRow("trailing blank matches no group") << "FC " << contable << true << "" << "";
    }
    void despachoDeComprobantes()
    {
        QFETCH(QString, tc);
        QFETCH(int, visor);
        QFETCH(bool, esVenta);
        QFETCH(QString, cuentaTablero);
        QFETCH(QString, cuentaPopUp);
        InstalarAbridorComprobantes({});
        const QString cab = "21", fila = "2101";
        const QString url = enlace(carpeta(), report::EnlaceComprobante(tc, "0001", "00000012", "A", &cab, &fila));
        auto abierto = [&]() -> visores::VisorDocumento* {
            switch (visores::Visor(visor)) {
            case visores::Visor::Detalle: return &visores::frmBSC01CBTEDetalle();
            case visores::Visor::Recibo: return &visores::frmBSC01RECIBODetalle();
            case visores::Visor::Contable: return &visores::frmBSC01CBTECTABLE();
            default: return nullptr;
            }
        };
        for (const bool desdePopUp : {false, true}) {
            const QString cuenta = desdePopUp ? cuentaPopUp : cuentaTablero;
            for (QWidget* v : QApplication::topLevelWidgets()) {
                if (qobject_cast<visores::VisorDocumento*>(v))
                    v->hide();
            }
            ui::ScriptedDialogs sinPreguntas;
            bool cancelar = false;
            if (desdePopUp)
                PopUp().wbExplorer_BeforeNavigate2(url, cancelar);
            else
                w->wbExplorer_BeforeNavigate2(url, cancelar);
            QCoreApplication::processEvents();
            QVERIFY(cancelar);
            QVERIFY(sinPreguntas.verifyDone());
            visores::VisorDocumento* v = abierto();
            if (!v) {
                for (QWidget* top : QApplication::topLevelWidgets())
                    QVERIFY(!(qobject_cast<visores::VisorDocumento*>(top) && top->isVisible()));
                continue;
            }
            QVERIFY(v->isVisible());
            QCOMPARE(v->documento().iTC, tc);
            QCOMPARE(v->documento().iNumero, QStringLiteral("00000012"));
            QCOMPARE(v->documento().iLetra, QStringLiteral("A"));
            QCOMPARE(v->documento().EsVenta, esVenta);
            QCOMPARE(v->documento().iCuenta, cuenta);
        }
        DescargarPopUp();
    }

    // A popup report keeps the dashboard's last report and does not leave it busy.
    void enlacePopUp()
    {
        w->TreeV_NodeClick(nodo(*w->TreeV, "A1102"));
        registro().pedidos.clear();
        QVERIFY(navegar(enlace(carpeta(), report::EnlaceCuentaPopup("2101"))));
        QVERIFY(PopUpExiste());
        QVERIFY(PopUp().isVisible());
        QCOMPARE(PopUp().windowTitle(), QStringLiteral("Detalle de cuenta"));
        QCOMPARE(registro().pedidos.size(), 1);
        const PedidoInforme& p = registro().pedidos.first();
        // The popup's report goes to a folder of its own.
        QCOMPARE(p.strNombreArchivo, PopUp().ArchivoPagina());
        QCOMPARE(QFileInfo(p.strNombreArchivo).fileName(), QStringLiteral("BSC01PopUp.htm"));
        QVERIFY(carpetaDe(p.strNombreArchivo) != carpeta());
        QVERIFY(carpetaDe(p.strNombreArchivo).startsWith(empresa.temporal + QLatin1Char('/')));
        QCOMPARE(p.Cuenta, QStringLiteral("2101"));
        QCOMPARE(p.Titulo, QStringLiteral("2101 - Proveedor Uno"));
        QCOMPARE(w->FCuenta, QStringLiteral("1102"));
        QVERIFY(!w->Pic->isVisible());
        QVERIFY(w->TreeV->isEnabled());
    }

    void popUpMostrar()
    {
        QFile dashboard(w->ArchivoInforme());
        QVERIFY(dashboard.open(QIODevice::ReadOnly));
        const QByteArray antes = dashboard.readAll();
        dashboard.close();
        opcion_(3);
        FrmBSC01PopUp& popup = PopUp();
        popup.Mostrar(w->ArchivoInforme(), "21 - Deudas comerciales", "21", false, "01/02/2026", "28/02/2026", 2,
                      {"1"}, {"C1"}, false, 4);
        QCOMPARE(registro().pedidos.size(), 1);
        PedidoInforme p = registro().pedidos.takeFirst();
        QCOMPARE(p.strNombreArchivo, popup.ArchivoPagina());
        QCOMPARE(QFileInfo(p.strNombreArchivo).fileName(), QStringLiteral("BSC01PopUp.htm"));
        QVERIFY(carpetaDe(p.strNombreArchivo) != carpeta());
        QVERIFY(p.eNormal);
        QCOMPARE(p.eTipoListado, 2);
        QCOMPARE(p.TituloListado, QStringLiteral("Abierto por Unidad de Negocio y Centro de Costo"));
        QCOMPARE(p.eUnidadesNegocio, QStringList{"1"});
        QCOMPARE(p.eNiveles, 4);
        QVERIFY(p.pTc.isEmpty());
        QCOMPARE(registro().llamadas.first(), "css " + carpetaDe(popup.ArchivoPagina()));
        QVERIFY(dashboard.open(QIODevice::ReadOnly));
        QCOMPARE(dashboard.readAll(), antes);
        dashboard.close();

        // Its own links reuse the filters it was given, whatever the dashboard shows now; the title is live.
        opcion_(0);
        seleccionar(*w->lstUnidadNegocio, {"UN02X"});
        bool cancelar = false;
        popup.wbExplorer_BeforeNavigate2(enlace(carpeta(), report::EnlaceCuenta("2101")), cancelar);
        QVERIFY(cancelar);
        QCoreApplication::processEvents();
        QCOMPARE(registro().pedidos.size(), 1);
        p = registro().pedidos.takeFirst();
        QCOMPARE(p.Cuenta, QStringLiteral("2101"));
        QVERIFY(p.EsHoja);
        QCOMPARE(p.eUnidadesNegocio, QStringList{"1"});
        QCOMPARE(p.FechaDesde, QStringLiteral("01/02/2026"));
        QCOMPARE(p.eTipoListado, 2);
        QCOMPARE(p.TituloListado, QStringLiteral("Consolidado"));
        seleccionar(*w->lstUnidadNegocio, {"1 - ", "UN02X"});

        // "CUENTA_" alone names no account in the popup.
        cancelar = false;
        popup.wbExplorer_BeforeNavigate2(enlace(carpeta(), "CUENTA_"), cancelar);
        QCoreApplication::processEvents();
        QVERIFY(cancelar);
        QVERIFY(registro().pedidos.isEmpty());

        // A voucher link hands the report's account.
        const QString cab = "21", fila = "2101";
        cancelar = false;
        popup.wbExplorer_BeforeNavigate2(
            enlace(carpeta(), report::EnlaceComprobante("FCC", "0001", "00000012", "A", &cab, &fila)), cancelar);
        QCoreApplication::processEvents();
        QVERIFY(cancelar);
        QCOMPARE(abiertos.size(), 1);
        QCOMPARE(abiertos.first().cuenta, QStringLiteral("21"));

        // Esc leaves it open; the Cancel key closes it.
        QTest::keyClick(&popup, Qt::Key_Escape);
        QVERIFY(PopUpExiste() && popup.isVisible());
        QKeyEvent cancelar3(QEvent::KeyPress, Qt::Key_Cancel, Qt::NoModifier);
        QApplication::sendEvent(&popup, &cancelar3);
        QTRY_VERIFY(!PopUpExiste());
    }

    void botonesDeLaBarra()
    {
        w->resize(900, 640);
        QCoreApplication::processEvents();
        const int anchoArbol = w->TreeV->width();
        QVERIFY(anchoArbol > 0);
        QTest::mouseClick(w->ChkRama(1), Qt::LeftButton);
        QVERIFY(w->ChkRama(1)->isChecked());
        QVERIFY(!w->TreeV->isVisible());
        QCOMPARE(w->wbExplorer->x(), 0);
        QTest::mouseClick(w->ChkRama(1), Qt::LeftButton);
        QVERIFY(w->ChkRama(1)->isChecked());
        QVERIFY(w->TreeV->isVisible());
        QCOMPARE(w->TreeV->width(), ui::TwipsToPx(3585));
        // A resize shows the pane again at a third of the width.
        QTest::mouseClick(w->ChkRama(1), Qt::LeftButton);
        w->resize(960, 640);
        QCoreApplication::processEvents();
        QVERIFY(w->TreeV->isVisible());
        QCOMPARE(w->TreeV->width(), ui::TwipsToPx(ui::PxToTwips(960) / 3 - 250));

        QTest::mouseClick(w->ChkRama(0), Qt::LeftButton);
        QVERIFY(!w->ChkRama(0)->isChecked());
        QVERIFY(!nodo(*w->TreeV, "A").Expanded());
        QTest::mouseClick(w->ChkRama(0), Qt::LeftButton);
        QVERIFY(nodo(*w->TreeV, "A11").Expanded());
    }

    void separador()
    {
        const QPoint medio(w->picNivel->width() / 2, 5);
        QTest::mousePress(w->picNivel, Qt::LeftButton, {}, medio);
        QTest::mouseRelease(w->picNivel, Qt::LeftButton, {}, QPoint(-2000, 5));
        QCOMPARE(w->TreeV->width(), ui::TwipsToPx(1000));
        // A release without a press moves nothing.
        QTest::mouseRelease(w->picNivel, Qt::LeftButton, {}, QPoint(200, 5));
        QCOMPARE(w->TreeV->width(), ui::TwipsToPx(1000));
    }

    void ivaParaElProximoInforme()
    {
        QTest::mouseClick(w->ChkIVA, Qt::LeftButton);
        QCOMPARE(registro().llamadas, QStringList{"iva 1"});
        QVERIFY(registro().pedidos.isEmpty());
        QTest::mouseClick(w->ChkIVA, Qt::LeftButton);
    }

    // An empty chart starts with an empty tree and shows the whole chart; an empty unit table leaves the
    // unit list empty after the error dialog, and the report restricts no unit.
    void planVacio()
    {
        EmpresaTablero::ejecutar("DELETE FROM MA_CUENTAS");
        EmpresaTablero::ejecutar("DELETE FROM V_TA_UNIDADNEGOCIO");
        ui::ScriptedDialogs sinPreguntas;
        sinPreguntas.expectErrorDialog(ui::vbIgnore).withRoutine("AsignarDatos");
        {
            frmBSC01 otro;
            otro.Parametros = empresa.lanzamiento;
            otro.Form_Initialize();
            QCOMPARE(otro.TreeV->Nodes().Count(), 0);
            QVERIFY(!otro.TreeV->SelectedItem());
            QCOMPARE(registro().pedidos.size(), 2);
            QCOMPARE(registro().pedidos.last().Cuenta, QString());
            QCOMPARE(registro().pedidos.last().Titulo, QStringLiteral("Plan General de Cuentas"));
            QCOMPARE(otro.lstUnidadNegocio->count(), 0);
            QVERIFY(registro().pedidos.last().eUnidadesNegocio.isEmpty());
            QCOMPARE(registro().pedidos.last().eCentrosCostos, (QStringList{"C1", "C2"}));
            otro.hide();
        }
        QVERIFY(sinPreguntas.verifyDone());
    }

    void cerrar()
    {
        ui::ScriptedDialogs d;
        PopUp().show();
        QVERIFY_THROWS_EXCEPTION(ui::ProgramEnded, w->cmdClose_Click());
        QCOMPARE(d.log().last().kind, ui::PromptKind::EndProgram);
        QTRY_VERIFY(!PopUpExiste());
        QTRY_VERIFY(!TableroExiste());
    }

private:
    void opcion_(int i) { opcion(i); }
};

QTEST_MAIN(TstDashboardWindow)
#include "tst_dashboard_window.moc"
