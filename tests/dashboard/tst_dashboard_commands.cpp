// Every command of the dashboard in each of its states, as the operator gives it: the window just started
// (the whole chart on show), an account's report on show, a report written in parts, and the account popup
// open beside it. In each state the table sends the function keys, Escape, Enter and Tab, each button and
// check box, the tree's clicks and keys, each filter box's keys and lookups (answered with Escape and with a
// choice, and the lookup's own keys inside it), the report's links through the link handler and the
// popup's own keys and links. Every message box or lookup that opens is a real modal window, answered by
// keys: by its default button unless the row says otherwise. After each command the program lives, no modal
// window is left up, the window is usable (not busy, tree enabled) and what the row names holds.
//
// One window serves every row (the dashboard is one window per process): each row first brings it to its
// state, which costs a report only when the window is not there already. The demo company with the real
// report writer, whose part size the test makes small for the state with parts.

#include "TableroDePrueba.h"

#include "dashboard/FrmBSC01PopUp.h"
#include "lookup/Lib_FrmCons3.h"
#include "platform/browser/WebBrowser.h"
#include "platform/suite/PictureBox.h"
#include "platform/ui/FilaConTexto.h"
#include "platform/ui/ModalesPorTeclas.h"
#include "report/ArchivoListado.h"
#include "report/EnlaceHTML.h"
#include "viewers/VisorDocumento.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QThread>
#include <QTreeWidget>

using namespace tablero;

namespace {

// The report writer of the program with a part size the test sets, and a cue run when the first part of a
// report is whole (the writer is still at the rest).
struct AjustesEscritor {
    int filasPorParte = report::ClassHTML::kFilasPorParte;
    std::function<void()> alPrimeraParte;
    // Microseconds added to each row, so that the writer passes through the window's events between parts
    // (it does so on a time budget), as it does on a report of real size.
    unsigned long pausaPorFila = 0;
};

AjustesEscritor& ajustes()
{
    static AjustesEscritor a;
    return a;
}

// Hands every call on to the window, and runs the cue once the first part is whole.
class HostConAviso final : public report::HostReporte {
public:
    explicit HostConAviso(report::HostReporte& host) : m_host(host) {}
    void setCancelado(bool valor) override { m_host.setCancelado(valor); }
    // Asked once a row.
    bool Cancelado() const override
    {
        if (ajustes().pausaPorFila)
            QThread::usleep(ajustes().pausaPorFila);
        return m_host.Cancelado();
    }
    void setUltimoReporte(const QString& c, const QString& t, bool h) override { m_host.setUltimoReporte(c, t, h); }
    void MostrarOcupado() override { m_host.MostrarOcupado(); }
    void DibujarProgreso(double p) override { m_host.DibujarProgreso(p); }
    void ProcesarEventos() override { m_host.ProcesarEventos(); }
    void ParteTerminada(int numero, const QString& ruta) override
    {
        m_host.ParteTerminada(numero, ruta);
        if (numero == 1 && ajustes().alPrimeraParte)
            std::exchange(ajustes().alPrimeraParte, nullptr)();
    }

private:
    report::HostReporte& m_host;
};

class EscritorConPartes final : public EscritorInformes {
public:
    void setColIVA(bool valor) override { m_html.ColIVA = valor; }
    void writeStyleCSS(const QString& carpeta) override { m_html.writeStyleCSS(carpeta); }
    report::ResultadoListado writeHTML(const PedidoInforme& pedido, report::HostReporte& host) override
    {
        HostConAviso conAviso(host);
        m_html.FilasPorParte = ajustes().filasPorParte;
        m_html.setHost(&conAviso);
        const report::ResultadoListado r = m_html.writeHTML(pedido);
        m_html.setHost(nullptr);
        return r;
    }

private:
    report::ClassHTML m_html;
};

const QString kInicio = QStringLiteral("just started");
const QString kInforme = QStringLiteral("a report on show");
const QString kPartes = QStringLiteral("a report in parts");
const QString kPopUp = QStringLiteral("the popup open");

// The bench account holds this many lines a side; at this part size its report comes in several parts.
constexpr int kLineasPorLado = 40;
constexpr int kFilasPorParte = 15;

// In a row: "*" whatever the command leaves, "=" as it was before the command.
const QString kCualquiera = QStringLiteral("*");
const QString kIgual = QStringLiteral("=");

} // namespace

class TstDashboardCommands : public TableroDePrueba {
    Q_OBJECT

    QString desdeInicial, hastaInicial;
    QSize tamanoInicial;

    bool crearEmpresa() override
    {
        InstalarFabricaEscritores([] { return std::make_unique<EscritorConPartes>(); });
        return empresa.crearDemo(kLineasPorLado);
    }

    void alAbrir() override
    {
        QTRY_VERIFY_WITH_TIMEOUT(ocioso(), 60000);
        desdeInicial = w->TextoCampo(QStringLiteral("FechaDESDE"));
        hastaInicial = w->TextoCampo(QStringLiteral("FechaHASTA"));
        tamanoInicial = w->size();
    }

    // The window's own folder, where its report and parts are.
    QString carpeta() const { return QFileInfo(w->ArchivoInforme()).absolutePath() + QLatin1Char('/'); }
    QString enlace(const QString& texto) const { return QUrl::fromLocalFile(carpeta()).toString() + texto; }
    QLineEdit* campo(const QString& dataField) const { return w->Campo(dataField); }

    // Nothing being written or loaded, the busy display down.
    bool ocioso() const
    {
        return !w->Escribiendo() && !w->wbExplorer->Cargando() && !w->Pic->isVisible() && !w->cmdCancelar->isVisible()
               && w->TreeV->isEnabled();
    }

    bool mostrando(const QString& archivo) const
    {
        return w->wbExplorer->LocationURL() == QUrl::fromLocalFile(archivo).toString();
    }

    QTreeWidgetItem* item(const QString& codigo) const
    {
        const QString texto = codigo.isEmpty() ? QStringLiteral("Plan General de Cuentas") : codigo + QStringLiteral(" - ");
        const QList<QTreeWidgetItem*> hallados = w->TreeV->findItems(texto, Qt::MatchStartsWith | Qt::MatchRecursive);
        return hallados.isEmpty() ? nullptr : hallados.first();
    }

    ui::Node nodo(const QString& codigo) const
    {
        for (int i = 1; i <= w->TreeV->Nodes().Count(); ++i)
            if (w->TreeV->Nodes()(i).Key() == QLatin1Char('A') + codigo)
                return w->TreeV->Nodes()(i);
        return {};
    }

    // Asks for an account's report as the tree does and waits for it to be on show.
    bool informe(const QString& codigo)
    {
        w->TreeV_NodeClick(nodo(codigo));
        return QTest::qWaitFor([&] { return ocioso() && mostrando(w->ArchivoInforme()); }, 60000)
               && w->FCuenta == codigo;
    }

    void ocultarVisores()
    {
        for (QWidget* v : QApplication::topLevelWidgets())
            if (qobject_cast<visores::VisorDocumento*>(v))
                v->hide();
    }

    // The filters as the window started, the tree pane shown, every unit and centre selected.
    void filtrosIniciales()
    {
        for (int i = 0; i < 9; ++i)
            w->txtFields(i)->clear();
        campo(QStringLiteral("FechaDESDE"))->setText(desdeInicial);
        campo(QStringLiteral("FechaHASTA"))->setText(hastaInicial);
        w->OptTipoListado(0)->setChecked(true);
        w->chkResumido->setChecked(false);
        if (w->ChkIVA->isChecked())
            w->ChkIVA->click();
        w->lstUnidadNegocio->selectAll();
        w->lstCentroCostos->selectAll();
        w->ChkRama(0)->setChecked(true);
        w->ChkRama(1)->setChecked(true);
        w->resize(tamanoInicial);
        QCoreApplication::processEvents();
        w->Form_Resize();
        // The period from is the last box that had the focus, so F5 away from the boxes opens its date picker.
        enfocar(w->txtFields(0));
    }

    // Brings the window to the state, doing only what it lacks.
    void llevarA(const QString& estado)
    {
        QTRY_VERIFY_WITH_TIMEOUT(ocioso(), 60000);
        ocultarVisores();
        filtrosIniciales();
        const bool conPartes = estado == kPartes;
        ajustes().filasPorParte = conPartes ? kFilasPorParte : report::ClassHTML::kFilasPorParte;
        ajustes().alPrimeraParte = nullptr;
        ajustes().pausaPorFila = 0;
        if (estado != kPopUp && PopUpExiste())
            DescargarPopUp();
        const QString cuenta = estado == kInicio ? QString()
                               : conPartes        ? QString::fromLatin1(schema::kBenchAccount)
                                                  : QString::fromLatin1(schema::kBankAccount);
        // The report of the state, whole and on show from its first part.
        const bool enPartes = ultimaParte() >= 3;
        if (w->FCuenta != cuenta || !mostrando(w->ArchivoInforme()) || enPartes != conPartes
            || (ultimaParte() > 1 && !conPartes) || !w->wbExplorer->UltimaCargaCorrecta()
            || w->StatusPanel1->text() != QLatin1String(" Listo ..."))
            QVERIFY2(informe(cuenta), qPrintable(estado));
        QCOMPARE(ultimaParte() >= 3, conPartes);
        if (estado == kPopUp) {
            if (!PopUpExiste() || !PopUp().isVisible() || PopUp().ArchivoPagina().isEmpty()) {
                bool cancelar = false;
                w->wbExplorer_BeforeNavigate2(enlace(report::EnlaceCuentaPopup(QString::fromLatin1(schema::kCashAccount))),
                                              cancelar);
                QVERIFY(cancelar);
            }
            QTRY_VERIFY_WITH_TIMEOUT(PopUpExiste() && PopUp().isVisible() && ocioso(), 60000);
        }
        QTRY_VERIFY_WITH_TIMEOUT(ocioso(), 60000);
    }

    // Puts the focus on a control of the window, the window active first.
    void enfocar(QWidget* c)
    {
        QWidget* ventana = c->window();
        if (!ventana->isActiveWindow()) {
            ventana->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(ventana));
        }
        c->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), c);
    }

    void tecla(QWidget* c, Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        enfocar(c);
        QTest::keyClick(c, k, m);
    }

    void navegar(const QString& texto)
    {
        bool cancelar = false;
        w->wbExplorer_BeforeNavigate2(enlace(texto), cancelar);
        QCoreApplication::processEvents();
        if (!cancelar)
            w->wbExplorer->Navigate(enlace(texto));
    }

    void navegarPopUp(const QString& texto)
    {
        bool cancelar = false;
        PopUp().wbExplorer_BeforeNavigate2(enlace(texto), cancelar);
        QCoreApplication::processEvents();
    }

    void clicEnItem(QTreeWidgetItem* i, bool doble = false)
    {
        QVERIFY(i);
        w->TreeV->expandItem(i->parent() ? i->parent() : i);
        w->TreeV->scrollToItem(i);
        QCoreApplication::processEvents();
        const QPoint centro = w->TreeV->visualItemRect(i).center();
        if (doble)
            QTest::mouseDClick(w->TreeV->viewport(), Qt::LeftButton, {}, centro);
        else
            QTest::mouseClick(w->TreeV->viewport(), Qt::LeftButton, {}, centro);
    }

    // A lookup list driven by keys: the text typed in its first search box, then the keys.
    static void enLaConsulta(ModalesPorTeclas& m, std::function<void(Lib_FrmCons3&)> pasos)
    {
        m.paso([pasos](QWidget& ventana) {
            if (auto* lista = qobject_cast<Lib_FrmCons3*>(&ventana))
                pasos(*lista);
            else
                QTest::keyClick(ModalesPorTeclas::destino(ventana), Qt::Key_Escape);
        });
    }

    // The answers a row gives the modal windows its command opens, ahead of the defaults: a lookup or the date
    // picker escaped or chosen from, a box's lookup list driven by its own keys.
    void respuestas(const QString& comando, ModalesPorTeclas& m)
    {
        const QStringList partes = comando.split(QLatin1Char(' '));
        if (partes.value(0) != QLatin1String("lookup")) {
            if (partes.contains(QLatin1String("F5")))
                m.pulsar(Qt::Key_Escape);
            else if (partes.contains(QLatin1String("F5-choose")))
                m.pulsar(Qt::Key_Return);   // the first row of a list, or the date on show in the date picker
            return;
        }
        const QString que = partes.mid(2).join(QLatin1Char(' '));
        enLaConsulta(m, [que](Lib_FrmCons3& l) {
            QComboBox* caja = l.CmbSearch.value(0);
            if (que == QLatin1String("type-ahead then Enter")) {
                QTest::keyClicks(caja, QStringLiteral("110"));
                QTest::keyClick(l.ListView1, Qt::Key_Return);
            } else if (que == QLatin1String("F5 filter then Escape")) {
                QTest::keyClicks(caja, QStringLiteral("Ba"));
                QTest::keyClick(caja, Qt::Key_F5);
                QTest::keyClick(ModalesPorTeclas::destino(l), Qt::Key_Escape);
            } else if (que == QLatin1String("F5 filter with a quote then Escape")) {
                QTest::keyClicks(caja, QStringLiteral("O'B"));
                QTest::keyClick(caja, Qt::Key_F5);
                QTest::keyClick(ModalesPorTeclas::destino(l), Qt::Key_Escape);
            } else if (que == QLatin1String("letters in the list then Escape")) {
                l.ListView1->setFocus();
                QTest::keyClick(l.ListView1, Qt::Key_C);
                QTest::keyClick(l.ListView1, Qt::Key_Space);
                QTest::keyClick(l.ListView1, Qt::Key_Backspace);
                QTest::keyClick(l.ListView1, Qt::Key_F12);
                QTest::keyClick(ModalesPorTeclas::destino(l), Qt::Key_Escape);
            } else if (que == QLatin1String("Down Up PageDown then Enter")) {
                QTest::keyClick(caja, Qt::Key_Down);
                QTest::keyClick(ModalesPorTeclas::destino(l), Qt::Key_Up);
                QTest::keyClick(ModalesPorTeclas::destino(l), Qt::Key_PageDown);
                QTest::keyClick(ModalesPorTeclas::destino(l), Qt::Key_Return);
            } else if (que == QLatin1String("sort by each column then Escape")) {
                QHeaderView* cabecera = l.ListView1->header();
                for (int i = 0; i < cabecera->count(); ++i)
                    if (!cabecera->isSectionHidden(i))
                        QTest::mouseClick(cabecera->viewport(), Qt::LeftButton, {},
                                          QPoint(cabecera->sectionViewportPosition(i) + 3, cabecera->height() / 2));
                QTest::keyClick(ModalesPorTeclas::destino(l), Qt::Key_Escape);
            } else if (que == QLatin1String("new search then Cancelar")) {
                QTest::keyClicks(caja, QStringLiteral("Ca"));
                QTest::keyClick(caja, Qt::Key_F5);
                QTest::mouseClick(l.CmdNueva, Qt::LeftButton);
                QTest::mouseClick(l.cmdCancelar, Qt::LeftButton);
            } else if (que == QLatin1String("double click a row")) {
                const int fila = filaCon(*l.ListView1, QString::fromLatin1(schema::kBankAccount));
                const QModelIndex i = l.ListView1->model()->index(fila - 1, 0);
                l.ListView1->scrollTo(i);
                QTest::mouseDClick(l.ListView1->viewport(), Qt::LeftButton, {},
                                   l.ListView1->visualRect(i).center());
            } else if (que == QLatin1String("Aceptar with no row")) {
                QTest::keyClicks(caja, QStringLiteral("zzz"));
                QTest::keyClick(caja, Qt::Key_F5);
                QTest::mouseClick(l.CmdAceptar, Qt::LeftButton);
            }
        });
    }

    // The row's command.
    void ejecutar(const QString& comando)
    {
        const QStringList partes = comando.split(QLatin1Char(' '));
        const QString primera = partes.value(0);

        if (comando.startsWith(QLatin1String("tree F"))) {   // a function key with the focus in the tree
            const int n = partes.value(1).mid(1).toInt();
            tecla(w->TreeV, Qt::Key(Qt::Key_F1 + n - 1));
        } else if (comando == QLatin1String("tree Ctrl+Break")) {
            tecla(w->TreeV, Qt::Key_Pause, Qt::ControlModifier);
        } else if (comando == QLatin1String("tree Escape")) {
            tecla(w->TreeV, Qt::Key_Escape);
        } else if (comando == QLatin1String("tree Enter")) {
            tecla(w->TreeV, Qt::Key_Return);
        } else if (comando == QLatin1String("tree Space")) {
            tecla(w->TreeV, Qt::Key_Space);
        } else if (comando == QLatin1String("tree Down Up")) {
            tecla(w->TreeV, Qt::Key_Down);
            QTest::keyClick(w->TreeV, Qt::Key_Up);
        } else if (comando == QLatin1String("tree expand and collapse by keys")) {
            w->TreeV->setCurrentItem(item(QStringLiteral("11")));
            tecla(w->TreeV, Qt::Key_Right);
            QTest::keyClick(w->TreeV, Qt::Key_Left);
            QTest::keyClick(w->TreeV, Qt::Key_Asterisk);
        } else if (comando == QLatin1String("tree click leaf")) {
            clicEnItem(item(QString::fromLatin1(schema::kCashAccount)));
        } else if (comando == QLatin1String("tree click root")) {
            clicEnItem(item(QString()));
        } else if (comando == QLatin1String("tree double click")) {
            // The press and release before the double click are a click.
            clicEnItem(item(QStringLiteral("11")));
            clicEnItem(item(QStringLiteral("11")), true);
        } else if (comando == QLatin1String("Tab through the controls")) {
            enfocar(w->txtFields(0));
            for (int i = 0; i < 40; ++i)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            for (int i = 0; i < 10; ++i)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        } else if (primera == QLatin1String("field")) {   // field <DataField> <key> [text]
            QLineEdit* c = campo(partes.value(1));
            QVERIFY2(c, qPrintable(comando));
            const QString k = partes.value(2);
            enfocar(c);
            if (partes.size() > 3) {
                c->clear();
                QTest::keyClicks(c, partes.mid(3).join(QLatin1Char(' ')));
            }
            if (k == QLatin1String("Enter"))
                QTest::keyClick(c, Qt::Key_Return);
            else if (k == QLatin1String("Escape"))
                QTest::keyClick(c, Qt::Key_Escape);
            else if (k == QLatin1String("F5"))
                QTest::keyClick(c, Qt::Key_F5);
            else if (k == QLatin1String("F5-choose"))
                QTest::keyClick(c, Qt::Key_F5);
            else if (k == QLatin1String("double-click"))
                QTest::mouseDClick(c, Qt::LeftButton);
            else if (k == QLatin1String("Delete"))
                QTest::keyClick(c, Qt::Key_Delete);
        } else if (primera == QLatin1String("lookup")) {   // lookup <DataField> ...: its own keys (see respuestas)
            tecla(campo(partes.value(1)), Qt::Key_F5);
        } else if (comando == QLatin1String("button Contraer/Expander")) {
            QTest::mouseClick(w->ChkRama(0), Qt::LeftButton);
            QTest::mouseClick(w->ChkRama(0), Qt::LeftButton);
        } else if (comando == QLatin1String("button Normal/Abierto")) {
            QTest::mouseClick(w->ChkRama(1), Qt::LeftButton);
            QTest::mouseClick(w->ChkRama(1), Qt::LeftButton);
        } else if (comando == QLatin1String("button Actualizar")) {
            QTest::mouseClick(w->CmdActualizar, Qt::LeftButton);
        } else if (comando == QLatin1String("button Actualizar with voucher filters")) {
            campo(QStringLiteral("TC"))->setText(QStringLiteral("FC"));
            campo(QStringLiteral("SUCURSAL"))->setText(QStringLiteral("0001"));
            campo(QStringLiteral("ImpDesde"))->setText(QStringLiteral("10"));
            QTest::mouseClick(w->CmdActualizar, Qt::LeftButton);
        } else if (comando == QLatin1String("button Cancelar while writing")) {
            ajustes().filasPorParte = kFilasPorParte;
            ajustes().alPrimeraParte = [this] { QTest::mouseClick(w->cmdCancelar, Qt::LeftButton); };
            w->TreeV_NodeClick(nodo(QString::fromLatin1(schema::kBenchAccount)));
        } else if (comando == QLatin1String("commands while writing")) {
            ajustes().filasPorParte = kFilasPorParte;
            ajustes().alPrimeraParte = [this] {
                QTest::mouseClick(w->CmdActualizar, Qt::LeftButton);
                clicEnItem(item(QStringLiteral("1")));
                navegar(report::EnlaceCuenta(QStringLiteral("11")));
                navegar(report::EnlaceCuentaPopup(QString::fromLatin1(schema::kCashAccount)));
                tecla(campo(QStringLiteral("CUENTA")), Qt::Key_Return);
            };
            w->TreeV_NodeClick(nodo(QString::fromLatin1(schema::kBenchAccount)));
        } else if (comando == QLatin1String("check Mostrar Columna libro de iva")) {
            QTest::mouseClick(w->ChkIVA, Qt::LeftButton);
        } else if (comando == QLatin1String("check Resumido")) {
            QTest::mouseClick(w->chkResumido, Qt::LeftButton);
        } else if (primera == QLatin1String("option")) {
            QTest::mouseClick(w->OptTipoListado(partes.value(1).toInt()), Qt::LeftButton);
        } else if (comando == QLatin1String("lists: click, Space, none selected")) {
            QListWidget* u = w->lstUnidadNegocio;
            if (u->count() > 0)
                QTest::mouseClick(u->viewport(), Qt::LeftButton, {}, u->visualItemRect(u->item(0)).center());
            tecla(w->lstCentroCostos, Qt::Key_Space);
            u->clearSelection();
            w->lstCentroCostos->clearSelection();
            QTest::mouseClick(w->CmdActualizar, Qt::LeftButton);
        } else if (comando == QLatin1String("splitter drag")) {
            const QPoint medio(w->picNivel->width() / 2, 5);
            QTest::mousePress(w->picNivel, Qt::LeftButton, {}, medio);
            QTest::mouseRelease(w->picNivel, Qt::LeftButton, {}, QPoint(-5000, 5));
            QTest::mousePress(w->picNivel, Qt::LeftButton, {}, medio);
            QTest::mouseRelease(w->picNivel, Qt::LeftButton, {}, QPoint(5000, 5));
        } else if (comando == QLatin1String("resize small and back")) {
            w->resize(40, 30);
            QCoreApplication::processEvents();
            w->resize(tamanoInicial);
        } else if (comando.endsWith(QLatin1String(" without a temporary folder"))) {
            // TEMP names a folder that cannot be made: below a file.
            const QByteArray temp = qgetenv("TEMP");
            qputenv("TEMP", (w->ArchivoInforme() + QStringLiteral("/sub")).toUtf8());
            const QString cab = QStringLiteral("1"), fila = QString::fromLatin1(schema::kCashAccount);
            if (comando.startsWith(QLatin1String("link voucher")))
                navegar(report::EnlaceComprobante(QStringLiteral("FC"), QStringLiteral("0001"), QStringLiteral("00000001"),
                                                  QStringLiteral("A"), &cab, &fila));
            else
                navegar(report::EnlaceCuentaPopup(QString::fromLatin1(schema::kCashAccount)));
            QCoreApplication::processEvents();
            qputenv("TEMP", temp);
        } else if (comando.endsWith(QLatin1String(" with the chart unreadable"))) {
            EmpresaTablero::ejecutar(QStringLiteral("ALTER TABLE MA_CUENTAS RENAME TO MA_CUENTAS_APARTE"));
            if (comando.startsWith(QLatin1String("link account")))
                navegar(report::EnlaceCuenta(QString::fromLatin1(schema::kCashAccount)));
            else if (comando.startsWith(QLatin1String("link popup")))
                navegar(report::EnlaceCuentaPopup(QString::fromLatin1(schema::kCashAccount)));
            else if (comando.startsWith(QLatin1String("popup account link")))
                navegarPopUp(report::EnlaceCuenta(QString::fromLatin1(schema::kCashAccount)));
            else if (comando.startsWith(QLatin1String("field CUENTA Enter"))) {
                enfocar(campo(QStringLiteral("CUENTA")));
                QTest::keyClicks(campo(QStringLiteral("CUENTA")), QString::fromLatin1(schema::kCashAccount));
                QTest::keyClick(campo(QStringLiteral("CUENTA")), Qt::Key_Return);
            } else if (comando.startsWith(QLatin1String("button Actualizar")))
                QTest::mouseClick(w->CmdActualizar, Qt::LeftButton);
            QCoreApplication::processEvents();
            EmpresaTablero::ejecutar(QStringLiteral("ALTER TABLE MA_CUENTAS_APARTE RENAME TO MA_CUENTAS"));
        } else if (primera == QLatin1String("link")) {   // link <kind> ...
            const QString tipo = partes.value(1);
            const QString cab = QStringLiteral("1"), fila = QString::fromLatin1(schema::kCashAccount);
            if (tipo == QLatin1String("account"))
                navegar(report::EnlaceCuenta(partes.value(2)));
            else if (tipo == QLatin1String("popup"))
                navegar(report::EnlaceCuentaPopup(partes.value(2)));
            else if (tipo == QLatin1String("voucher"))
                navegar(report::EnlaceComprobante(partes.value(2), QStringLiteral("0001"), QStringLiteral("00000001"),
                                                  QStringLiteral("A"), &cab, &fila));
            else if (tipo == QLatin1String("title"))   // the title of a leaf's report: the account one level up
                navegar(report::EnlaceCuenta(w->FCuenta.left(qMax(0, int(w->FCuenta.size()) - 2))));
            else if (tipo == QLatin1String("part"))   // part <n|last>
                navegar(QFileInfo(report::RutaDeParte(w->ArchivoInforme(), partes.value(2) == QLatin1String("last")
                                                                                  ? ultimaParte()
                                                                                  : partes.value(2).toInt()))
                            .fileName());
            else if (tipo == QLatin1String("report-file"))
                navegar(QFileInfo(w->ArchivoInforme()).fileName());
        } else if (primera == QLatin1String("popup")) {   // the popup's own commands
            FrmBSC01PopUp& p = PopUp();
            const QString que = partes.mid(1).join(QLatin1Char(' '));
            if (que == QLatin1String("Escape"))
                tecla(&p, Qt::Key_Escape);
            else if (que == QLatin1String("Enter and F5"))
                tecla(&p, Qt::Key_Return), QTest::keyClick(&p, Qt::Key_F5);
            else if (que == QLatin1String("Ctrl+Break"))
                tecla(&p, Qt::Key_Pause, Qt::ControlModifier);
            else if (que == QLatin1String("close box"))
                p.close();
            else if (que == QLatin1String("resize"))
                p.resize(20, 20), QCoreApplication::processEvents(), p.resize(700, 500);
            else if (que == QLatin1String("minimised resize"))
                p.showMinimized(), p.resize(600, 400), p.showNormal();
            else if (que.endsWith(QLatin1String(" while it writes"))) {
                // The bench account's report in parts; the command comes once its first part is whole, and the
                // writer passes through the window's events before it writes another.
                ajustes().filasPorParte = kFilasPorParte;
                ajustes().pausaPorFila = 5000;
                ajustes().alPrimeraParte = [this, que] {
                    if (que.startsWith(QLatin1String("Cancelar")))
                        QTest::mouseClick(w->cmdCancelar, Qt::LeftButton);
                    else if (que.startsWith(QLatin1String("link again")))
                        navegar(report::EnlaceCuentaPopup(QString::fromLatin1(schema::kCashAccount)));
                    else if (que.startsWith(QLatin1String("Ctrl+Break")))
                        tecla(&PopUp(), Qt::Key_Pause, Qt::ControlModifier);
                    else
                        PopUp().close();
                };
                navegarPopUp(report::EnlaceCuenta(QString::fromLatin1(schema::kBenchAccount)));
            } else if (que == QLatin1String("account link"))
                navegarPopUp(report::EnlaceCuenta(QString::fromLatin1(schema::kBankAccount)));
            else if (que == QLatin1String("unknown account link"))
                navegarPopUp(report::EnlaceCuenta(QStringLiteral("999")));
            else if (que == QLatin1String("empty account link"))
                navegarPopUp(report::EnlaceCuenta(QString()));
            else if (que == QLatin1String("voucher link PG")) {
                const QString cab = QStringLiteral("2101"), fila = QStringLiteral("2101");
                navegarPopUp(report::EnlaceComprobante(QStringLiteral("PG"), QStringLiteral("0001"),
                                                       QStringLiteral("00000001"), QStringLiteral("X"), &cab, &fila));
            } else if (que == QLatin1String("voucher link FCC without account")) {
                navegarPopUp(report::EnlaceComprobante(QStringLiteral("FCC"), QStringLiteral("0001"),
                                                       QStringLiteral("00000001"), QStringLiteral("A")));
            }
        } else {
            QFAIL(qPrintable(QStringLiteral("unknown command: ") + comando));
        }
    }

    int ultimaParte() const
    {
        int n = 1;
        while (QFile::exists(report::RutaDeParte(w->ArchivoInforme(), n + 1)))
            ++n;
        return n;
    }

    // The commands every state gets, with what each must leave: the modal windows seen (a message box by the
    // start of its text), the account of the dashboard's last report ("=" as before, "*" any), the popup
    // (-1 either way, 0 closed, 1 open) and the viewer on show ("" none, "*" either way).
    void filas(const QString& estado)
    {
        const QString cuentaEstado = estado == kInicio ? QString()
                                     : estado == kPartes ? QString::fromLatin1(schema::kBenchAccount)
                                                         : QString::fromLatin1(schema::kBankAccount);
        const int popup = estado == kPopUp ? 1 : 0;
        const QString caja = QString::fromLatin1(schema::kCashAccount);
        auto fila = [&](const QString& comando, const QStringList& ventanas, const QString& cuenta, int conPopup,
                        const QString& visor = QString()) {
            QTest::newRow(qPrintable(estado + QStringLiteral(" / ") + comando))
                << estado << comando << ventanas << cuenta << conPopup << visor;
        };
        const QStringList ninguna;
        const QStringList lista{QStringLiteral("Lib_FrmCons3")};
        const QStringList fecha{QStringLiteral("QDialog")};

        // Keys at the window: F5 opens the lookup of the last filter box that had the focus (the first box,
        // the period from, until another had it); the rest do nothing.
        for (int n = 1; n <= 12; ++n)
            fila(QStringLiteral("tree F%1").arg(n), n == 5 ? fecha : ninguna, kIgual, popup);
        fila(QStringLiteral("tree Escape"), ninguna, kIgual, popup);
        fila(QStringLiteral("tree Ctrl+Break"), ninguna, kIgual, popup);
        fila(QStringLiteral("tree Enter"), ninguna, kCualquiera, popup);
        fila(QStringLiteral("tree Space"), ninguna, kCualquiera, popup);
        fila(QStringLiteral("tree Down Up"), ninguna, kCualquiera, popup);
        fila(QStringLiteral("tree expand and collapse by keys"), ninguna, kCualquiera, popup);
        fila(QStringLiteral("tree click leaf"), ninguna, caja, popup);
        fila(QStringLiteral("tree click root"), ninguna, QString(), popup);
        fila(QStringLiteral("tree double click"), ninguna, QStringLiteral("11"), popup);
        fila(QStringLiteral("Tab through the controls"), ninguna, kCualquiera, popup);

        // The filter boxes: Enter validates, Escape is left to the box, F5 opens the box's lookup.
        fila(QStringLiteral("field FechaDESDE Enter"), ninguna, kIgual, popup);
        fila(QStringLiteral("field FechaHASTA Enter 31/02/2026"),
             {QStringLiteral("QMessageBox: La fecha ingresada no es válida")}, kIgual, popup);
        fila(QStringLiteral("field CUENTA Enter 1102"), ninguna, caja, popup);
        fila(QStringLiteral("field CUENTA Enter 999"), {QStringLiteral("QMessageBox: La cuenta ingresada es inexistente.")},
             kIgual, popup);
        fila(QStringLiteral("field CUENTA Enter 1'1"), {QStringLiteral("QMessageBox: La cuenta ingresada es inexistente.")},
             kIgual, popup);
        fila(QStringLiteral("field CUENTA Enter"), ninguna, kIgual, popup);
        fila(QStringLiteral("field TC Enter FC"), ninguna, kIgual, popup);
        fila(QStringLiteral("field SUCURSAL Enter 12"), ninguna, kIgual, popup);
        fila(QStringLiteral("field NUMERO Enter 123"), ninguna, kIgual, popup);
        fila(QStringLiteral("field LETRA Enter A"), ninguna, kIgual, popup);
        fila(QStringLiteral("field ImpDesde Enter abc"), {QStringLiteral("QMessageBox: El importe abc no es válido.")}, kIgual, popup);
        fila(QStringLiteral("field ImpHasta Enter 1e999"),
             {QStringLiteral("QMessageBox: El importe 1e999 está fuera del rango permitido.")}, kIgual, popup);
        fila(QStringLiteral("field ImpHasta Escape 5"), ninguna, kIgual, popup);
        fila(QStringLiteral("field TC Delete FC"), ninguna, kIgual, popup);
        fila(QStringLiteral("field FechaDESDE F5"), fecha, kIgual, popup);
        fila(QStringLiteral("field FechaHASTA F5-choose"), fecha, kIgual, popup);
        fila(QStringLiteral("field CUENTA F5"), lista, kIgual, popup);
        fila(QStringLiteral("field CUENTA F5-choose"), lista, kCualquiera, popup);
        fila(QStringLiteral("field TC F5"), lista, kIgual, popup);
        fila(QStringLiteral("field TC F5-choose"), lista, kIgual, popup);
        fila(QStringLiteral("field SUCURSAL F5"), ninguna, kIgual, popup);
        fila(QStringLiteral("field NUMERO F5"), ninguna, kIgual, popup);
        fila(QStringLiteral("field LETRA F5"), ninguna, kIgual, popup);
        fila(QStringLiteral("field ImpDesde F5"), ninguna, kIgual, popup);
        fila(QStringLiteral("field CUENTA double-click"), ninguna, kIgual, popup);

        // The lookup lists' own keys and buttons, in the account box and in the voucher type box.
        for (const QString& caja : {QStringLiteral("CUENTA"), QStringLiteral("TC")}) {
            const QString elegida = caja == QLatin1String("CUENTA") ? kCualquiera : kIgual;
            const QString l = QStringLiteral("lookup ") + caja + QLatin1Char(' ');
            fila(l + QStringLiteral("type-ahead then Enter"), lista, elegida, popup);
            fila(l + QStringLiteral("F5 filter then Escape"), lista, kIgual, popup);
            fila(l + QStringLiteral("F5 filter with a quote then Escape"), lista, kIgual, popup);
            fila(l + QStringLiteral("letters in the list then Escape"), lista, kIgual, popup);
            fila(l + QStringLiteral("Down Up PageDown then Enter"), lista, elegida, popup);
            fila(l + QStringLiteral("sort by each column then Escape"), lista, kIgual, popup);
            fila(l + QStringLiteral("new search then Cancelar"), lista, kIgual, popup);
            fila(l + QStringLiteral("Aceptar with no row"), lista, kIgual, popup);
        }
        fila(QStringLiteral("lookup CUENTA double click a row"), lista, QString::fromLatin1(schema::kBankAccount), popup);
        fila(QStringLiteral("field CUENTA F5 1'1"), lista, kIgual, popup);
        fila(QStringLiteral("field FechaDESDE F5 zz"), fecha, kIgual, popup);

        // The buttons and check boxes.
        fila(QStringLiteral("button Contraer/Expander"), ninguna, kIgual, popup);
        fila(QStringLiteral("button Normal/Abierto"), ninguna, kIgual, popup);
        fila(QStringLiteral("button Actualizar"), ninguna, kIgual, popup);
        fila(QStringLiteral("button Actualizar with voucher filters"), ninguna, kIgual, popup);
        fila(QStringLiteral("button Cancelar while writing"), ninguna, QString::fromLatin1(schema::kBenchAccount), popup);
        // The requests made while the report is written are not carried out, and the popup link opens no popup.
        fila(QStringLiteral("commands while writing"), ninguna, QString::fromLatin1(schema::kBenchAccount), popup);
        fila(QStringLiteral("check Mostrar Columna libro de iva"), ninguna, kIgual, popup);
        fila(QStringLiteral("check Resumido"), ninguna, kIgual, popup);
        for (int i = 0; i < 4; ++i)
            fila(QStringLiteral("option %1").arg(i), ninguna, kIgual, popup);
        fila(QStringLiteral("lists: click, Space, none selected"), ninguna, kIgual, popup);
        fila(QStringLiteral("splitter drag"), ninguna, kIgual, popup);
        fila(QStringLiteral("resize small and back"), ninguna, kIgual, popup);

        // The report's links, through the link handler.
        fila(QStringLiteral("link account 1102"), ninguna, caja, popup);
        fila(QStringLiteral("link account 999"), {QStringLiteral("QMessageBox: La cuenta 999 no existe")}, kIgual, popup);
        fila(QStringLiteral("link account"), ninguna, QString(), popup);
        fila(QStringLiteral("link title"), ninguna, kCualquiera, popup);
        fila(QStringLiteral("link popup 1102"), ninguna, kIgual, 1);
        fila(QStringLiteral("link popup 999"), {QStringLiteral("QMessageBox: La cuenta 999 no existe")}, kIgual, popup);
        fila(QStringLiteral("link voucher FC"), ninguna, kIgual, popup, QStringLiteral("visores::FrmBSC01CBTEDetalle"));
        fila(QStringLiteral("link voucher FCC"), ninguna, kIgual, popup, QStringLiteral("visores::FrmBSC01CBTEDetalle"));
        fila(QStringLiteral("link voucher CB"), ninguna, kIgual, popup, QStringLiteral("visores::FrmBSC01RECIBODetalle"));
        fila(QStringLiteral("link voucher AS"), ninguna, kIgual, popup, QStringLiteral("visores::FrmBSC01CBTECTABLE"));
        fila(QStringLiteral("link voucher VJ"), ninguna, kIgual, popup);
        fila(QStringLiteral("link report-file"), ninguna, kIgual, popup);
        // A window keeps the folder it made for its pages: the voucher viewer, open since the rows above, shows
        // the voucher there. A window that must make its folder where none can be made says so in the error box
        // and opens nothing: the popup, unless it is already open.
        const QStringList sinCarpeta{QStringLiteral("QMessageBox: Error 75: La carpeta temporal")};
        fila(QStringLiteral("link voucher without a temporary folder"), ninguna, kIgual, popup,
             QStringLiteral("visores::FrmBSC01CBTEDetalle"));
        fila(QStringLiteral("link popup without a temporary folder"), estado == kPopUp ? ninguna : sinCarpeta, kIgual,
             popup);
        // A chart that cannot be read: the failure is said, nothing is written or opened.
        const QStringList sinPlan{QStringLiteral("QMessageBox: Error -2147217865: no such table: MA_CUENTAS"), kCualquiera};
        fila(QStringLiteral("link account with the chart unreadable"), sinPlan, kIgual, popup);
        fila(QStringLiteral("link popup with the chart unreadable"), sinPlan, kIgual, popup);
        fila(QStringLiteral("field CUENTA Enter with the chart unreadable"), {QStringLiteral("QMessageBox"), kCualquiera},
             kIgual, popup);
        fila(QStringLiteral("button Actualizar with the chart unreadable"), ninguna, kIgual, popup);
        if (estado == kPartes) {
            fila(QStringLiteral("link part 2"), ninguna, kIgual, popup);
            fila(QStringLiteral("link part last"), ninguna, kIgual, popup);
        }
        fila(QStringLiteral("link part 99"), {QStringLiteral("QMessageBox: La parte 99 del informe")}, kIgual, popup);

        if (estado != kPopUp)
            return;
        fila(QStringLiteral("popup Escape"), ninguna, kIgual, 1);
        fila(QStringLiteral("popup Enter and F5"), ninguna, kIgual, 1);
        fila(QStringLiteral("popup resize"), ninguna, kIgual, 1);
        fila(QStringLiteral("popup minimised resize"), ninguna, kIgual, 1);
        fila(QStringLiteral("popup account link"), ninguna, kIgual, 1);
        fila(QStringLiteral("popup unknown account link"), {QStringLiteral("QMessageBox: La cuenta 999 no existe")}, kIgual,
             1);
        fila(QStringLiteral("popup empty account link"), ninguna, kIgual, 1);
        fila(QStringLiteral("popup account link with the chart unreadable"), sinPlan, kIgual, 1);
        fila(QStringLiteral("popup voucher link PG"), ninguna, kIgual, 1, QStringLiteral("visores::FrmBSC01RECIBODetalle"));
        fila(QStringLiteral("popup voucher link FCC without account"), ninguna, kIgual, 1,
             QStringLiteral("visores::FrmBSC01CBTEDetalle"));
        // While the popup's report is being written.
        fila(QStringLiteral("popup Cancelar while it writes"), ninguna, kIgual, 1);
        fila(QStringLiteral("popup link again while it writes"), ninguna, kIgual, 1);
        fila(QStringLiteral("popup Ctrl+Break while it writes"), ninguna, kIgual, 0);
        fila(QStringLiteral("popup close box while it writes"), ninguna, kIgual, 0);
        fila(QStringLiteral("popup Ctrl+Break"), ninguna, kIgual, 0);
        fila(QStringLiteral("popup close box"), ninguna, kIgual, 0);
    }

private slots:
    void comandos_data()
    {
        QTest::addColumn<QString>("estado");
        QTest::addColumn<QString>("comando");
        QTest::addColumn<QStringList>("ventanas");
        QTest::addColumn<QString>("cuenta");
        QTest::addColumn<int>("popup");
        QTest::addColumn<QString>("visor");
        for (const QString& estado : {kInicio, kInforme, kPartes, kPopUp})
            filas(estado);
    }
    void comandos()
    {
        QFETCH(QString, estado);
        QFETCH(QString, comando);
        QFETCH(QStringList, ventanas);
        QFETCH(QString, cuenta);
        QFETCH(int, popup);
        QFETCH(QString, visor);
        llevarA(estado);
        if (QTest::currentTestFailed())
            return;
        const QString antes = w->FCuenta;

        // The row's own answers first, then the default of whatever else opens.
        ModalesPorTeclas modales;
        respuestas(comando, modales);
        for (int i = 0; i < 8; ++i)
            modales.pulsar(Qt::Key_Return);
        ejecutar(comando);
        if (QTest::currentTestFailed())
            return;

        // Alive, nothing modal left up, the window usable again.
        QTRY_VERIFY_WITH_TIMEOUT(ocioso(), 60000);
        QCoreApplication::processEvents();
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(TableroExiste());
        QVERIFY(w->isVisible());
        QVERIFY(w->isEnabled());

        // What the row names.
        const QStringList vistas = modales.vistas();
        const bool yMas = !ventanas.isEmpty() && ventanas.last() == kCualquiera;   // further boxes may follow
        if (yMas)
            ventanas.removeLast();
        QVERIFY2(yMas ? vistas.size() >= ventanas.size() : vistas.size() == ventanas.size(),
                 qPrintable(vistas.join(QStringLiteral(" | "))));
        for (int i = 0; i < ventanas.size(); ++i)
            QVERIFY2(vistas.at(i).startsWith(ventanas.at(i)), qPrintable(vistas.join(QStringLiteral(" | "))));
        if (cuenta == kIgual)
            QCOMPARE(w->FCuenta, antes);
        else if (cuenta != kCualquiera)
            QCOMPARE(w->FCuenta, cuenta);
        if (popup >= 0)
            QCOMPARE(PopUpExiste() && PopUp().isVisible(), popup == 1);
        // A link between the parts puts that part on show.
        if (comando == QLatin1String("link part 2") || comando == QLatin1String("link part last")) {
            const int parte = comando.endsWith(QLatin1String("2")) ? 2 : ultimaParte();
            QVERIFY(mostrando(report::RutaDeParte(w->ArchivoInforme(), parte)));
        }
        QStringList visores;
        for (QWidget* v : QApplication::topLevelWidgets())
            if (qobject_cast<visores::VisorDocumento*>(v) && v->isVisible())
                visores << QString::fromLatin1(v->metaObject()->className());
        if (visor != kCualquiera)
            QCOMPARE(visores, visor.isEmpty() ? QStringList{} : QStringList{visor});

        // And it takes the next command: its controls are enabled and a filter box takes the cursor.
        QVERIFY(w->CmdActualizar->isEnabled());
        enfocar(campo(QStringLiteral("CUENTA")));
    }

    // "Cerrar" takes the popup and the viewers down and ends the program.
    void cerrar()
    {
        llevarA(kPopUp);
        ui::ScriptedDialogs d;
        QVERIFY_THROWS_EXCEPTION(ui::ProgramEnded, w->cmdClose_Click());
        QCOMPARE(d.log().last().kind, ui::PromptKind::EndProgram);
        QTRY_VERIFY(!PopUpExiste());
        QTRY_VERIFY(!TableroExiste());
    }
};

QTEST_MAIN(TstDashboardCommands)
#include "tst_dashboard_commands.moc"
