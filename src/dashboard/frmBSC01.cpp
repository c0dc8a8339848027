// The dashboard window: creation and load (the program's start-up), the writer's busy display, keys, layout,
// the splitter, the two check buttons of the button bar, cancel and closing.

#include "frmBSC01.h"

#include "AvisoDelInforme.h"
#include "CarpetaInformes.h"
#include "FrmBSC01PopUp.h"
#include "NavegarArchivo.h"
#include "core/Configuration.h"
#include "core/ListRoutines.h"
#include "core/ProgressBar.h"
#include "core/Startup.h"
#include "data/DB_Dll.h"
#include "platform/browser/WebBrowser.h"
#include "platform/suite/PictureBox.h"
#include "platform/suite/Utilidades.h"
#include "platform/ui/Keys.h"
#include "platform/ui/OperatorDialogs.h"
#include "platform/ui/Routine.h"
#include "platform/ui/Units.h"
#include "viewers/FrmBSC01CBTEDetalle.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStatusBar>
#include <QToolButton>
#include <algorithm>

namespace tablero {

namespace {

QPointer<frmBSC01>& instancia()
{
    static QPointer<frmBSC01> ventana;
    return ventana;
}

} // namespace

frmBSC01& Tablero()
{
    if (!instancia())
        instancia() = new frmBSC01;
    return *instancia();
}

bool TableroExiste()
{
    return !instancia().isNull();
}

frmBSC01::frmBSC01(QWidget* parent) : QWidget(parent), m_eventosCampos(*this)
{
    if (!instancia())
        instancia() = this;
    CrearControles();
    ConectarEventos();
    // The window sees the keys before its controls do.
    qApp->installEventFilter(this);
}

frmBSC01::~frmBSC01()
{
    qApp->removeEventFilter(this);
}

void frmBSC01::ConectarEventos()
{
    for (int i : {0, 1})
        connect(ChkRama(i), &QToolButton::clicked, this, [this, i] { ChkRama_Click(i); });
    connect(CmdActualizar, &QToolButton::clicked, this, [this] { CmdActualizar_Click(); });
    connect(cmdClose, &QToolButton::clicked, this, [this] { cmdClose_Click(); });
    connect(cmdCancelar, &QPushButton::clicked, this, [this] { cmdCancelar_Click(); });
    connect(ChkIVA, &QCheckBox::clicked, this, [this] { ChkIVA_Click(); });
    connect(TreeV, &ui::TreeView::NodeClick, this, [this](const ui::Node& nodo) { TreeV_NodeClick(nodo); });
    wbExplorer->setBeforeNavigate2([this](const QString& URL, bool& Cancel) { wbExplorer_BeforeNavigate2(URL, Cancel); });
    connect(wbExplorer, &web::WebBrowser::DownloadComplete, this, [this] { wbExplorer_DownloadComplete(); });
    connect(wbExplorer, &web::WebBrowser::PaginaPerdida, this, [this] { wbExplorer_PaginaPerdida(); });
}

void frmBSC01::Form_Initialize()
{
    if (!m_cargado)
        Form_Load();
    // Without a period (the load has said why) there is nothing to list yet: the window waits for the
    // operator's dates instead of refusing a report that nobody asked for. An empty chart leaves the tree
    // without a node: the whole chart is asked for instead.
    if (m_conPeriodo)
        TreeV_NodeClick(TreeV->SelectedItem());
    // Opens at a size that shows the tree's rows whole, as far as the screen has room (less its frame).
    const QRect espacio = screen()->availableGeometry();
    const QSizeF tamano = TamanoInicial(AnchoFilasArbol(), QSizeF(ui::PxToTwips(espacio.width() - 16),
                                                                   ui::PxToTwips(espacio.height() - 64)));
    resize(ui::TwipsToPx(tamano.width()), ui::TwipsToPx(tamano.height()));
    show();
}

void frmBSC01::Form_Load()
{
    m_cargado = true;
    ui::Routine r(QStringLiteral("Form_Load"));
    QString conexion;
    m_conPeriodo = false;
    r.steps({
        [&] { ModGlobal::Inicializar(false, Parametros, conexion, 3); },
        [&] { suite::Utilidades::ConfigurarFormulario(this); },
        [&] { ModGlobal::InicializarFormulario(this); },
        [&] { ArmarTreeVAutomatico(); },
        [&] { Generar(QStringLiteral("Ma_Cuentas")); },
        [&] { m_conPeriodo = AsignarDatos(); },
        // Without its folder the window writes nothing: each request tries to make it again, and says which
        // file it cannot write.
        [&] { CrearCarpeta(); },
        [&] {
            if (m_conPeriodo && m_carpetaPropia.Existe())
                EscribirInforme(Escritor(), PedidoPlanGeneral(Estado()), *this);
        },
    });
}

void frmBSC01::Generar(const QString& tabla)
{
    ui::Routine r(QStringLiteral("Generar"));
    r.step([&] {
        if (gDB().AbrirRecordset(QStringLiteral("SELECT top 1 * FROM ") + tabla, m_rs, &gDB().gCnn, 2, 3, -1, true)
            && !m_rs.BOF())
            m_rs.MoveFirst();
    });
}

void frmBSC01::CrearCarpeta()
{
    suite::CarpetaDeVentana carpeta = CarpetaInformes();
    // The style sheet serves every later report, also when there is no period to list yet.
    Escritor().writeStyleCSS(carpeta.Ruta());
    m_carpetaPropia = std::move(carpeta);
    m_carpeta = m_carpetaPropia.Ruta();
    m_archivo = m_carpeta + QString::fromLatin1(kArchivoInforme);
}

EscritorInformes& frmBSC01::Escritor()
{
    if (!m_escritor)
        m_escritor = NuevoEscritor();
    return *m_escritor;
}

// ---------------------------------------------------------------------------------------------------------
// The writer's side

void frmBSC01::setUltimoReporte(const QString& cuenta, const QString& titulo, bool esHoja)
{
    FCuenta = cuenta;
    FTitulo = titulo;
    FEsHoja = esHoja;
}

void frmBSC01::MostrarOcupado()
{
    const QRect navegador = wbExplorer->geometry();
    const int ancho = ui::TwipsToPx(5000);
    Pic->setGeometry(navegador.left() + navegador.width() / 2 - ancho / 2, navegador.top() + navegador.height() / 2,
                     ancho, Pic->height());
    cmdCancelar->move(Pic->x() + (Pic->width() - cmdCancelar->width()) / 2, Pic->y() + Pic->height() + 4);
    Pic->setVisible(true);
    cmdCancelar->setVisible(true);
    Pic->raise();
    cmdCancelar->raise();
    TreeV->setEnabled(false);
    m_estadoAntesDeOcupado = StatusPanel1->text();
    StatusPanel1->setText(QString::fromUtf8(kEstadoLeyendo));
    // No percentage is known until the rows are read: the bar says they are being read, not the last report's
    // figure.
    m_leyendo = true;
    DibujarLectura(*Pic);
}

void frmBSC01::DibujarProgreso(double Porcentaje)
{
    m_leyendo = false;
    ModGlobal::DibujarProgreso(*Pic, Porcentaje, 0xFF0000, QString());
    // The rows are read: the writer is at the page.
    if (StatusPanel1->text() == QLatin1String(kEstadoLeyendo))
        StatusPanel1->setText(QString::fromUtf8(kEstadoGenerando));
}

void frmBSC01::ProcesarEventos()
{
    QCoreApplication::processEvents();
    // A part the operator asked for has begun to load: it loads before the writer goes on, as between the
    // writer's short passes of events the page view's load would crawl. Only that load, and only once: a load
    // that does not end must not hold every pass of the writer.
    if (std::exchange(m_esperarParte, false))
        EsperarCarga(*wbExplorer, [this] { return m_cancelado; });
}

void frmBSC01::ParteTerminada(int numero, const QString& ruta)
{
    m_leyendo = false;
    if (!m_partes.Terminada(numero))
        return;
    // The first rows on show before the writer goes on with the rest; the busy display and the cancel button
    // stay until it is done.
    NavegarArchivo(ruta);
    EsperarCarga(*wbExplorer, [this] { return m_cancelado; });
}

void frmBSC01::OcultarOcupado()
{
    Pic->setVisible(false);
    cmdCancelar->setVisible(false);
    TreeV->setEnabled(true);
    const QString estado = StatusPanel1->text();
    if (estado == QLatin1String(kEstadoLeyendo) || estado == QLatin1String(kEstadoGenerando))
        StatusPanel1->setText(m_estadoAntesDeOcupado);
}

void frmBSC01::cmdCancelar_Click()
{
    // Written already and still loading in the page view: the load stops, the page is dropped with the
    // memory it held, and the window takes commands again.
    if (!m_escribiendo && wbExplorer->Stop()) {
        m_resultado = report::ResultadoListado::Cancelado;
        m_avisoInforme = QStringLiteral(" Informe no mostrado: se canceló la carga de la página.");
        StatusPanel1->setText(m_avisoInforme);
        return;
    }
    m_cancelado = true;
}

// ---------------------------------------------------------------------------------------------------------
// Column setting, keys, layout

void frmBSC01::Form_Activate()
{
    Escritor().setColIVA(ChkIVA->isChecked());
}

void frmBSC01::ChkIVA_Click()
{
    Escritor().setColIVA(ChkIVA->isChecked());
}

void frmBSC01::Form_KeyDown(int& KeyCode, int /*Shift*/)
{
    if (KeyCode == ui::vbKeyF5)
        BuscarCampo();
}

void frmBSC01::Form_Resize()
{
    m_diseno.Redimensionar(ui::PxToTwips(width()), ui::PxToTwips(height()), ui::PxToTwips(frameGeometry().width()));
    AplicarDiseno();
}

void frmBSC01::picNivel_MouseDown()
{
    m_arrastrando = true;
}

void frmBSC01::picNivel_MouseUp(double X)
{
    if (!m_arrastrando)
        return;
    m_diseno.SoltarSeparador(X, ui::PxToTwips(frameGeometry().width()));
    AplicarDiseno();
    m_arrastrando = false;
}

void frmBSC01::ChkRama_Click(int Index)
{
    if (Index == 0) {
        const bool expandir = ChkRama(0)->isChecked();
        for (int i = 1; i <= TreeV->Nodes().Count(); ++i)
            TreeV->Nodes()(i).setExpanded(expandir);
        return;
    }
    if (m_guardaRama)
        return;
    m_diseno.AlternarPanel(ui::PxToTwips(frameGeometry().width()));
    AplicarDiseno();
    // The button always stays pressed.
    m_guardaRama = true;
    ChkRama(1)->setChecked(true);
    m_guardaRama = false;
}

// ---------------------------------------------------------------------------------------------------------
// Closing

void frmBSC01::cmdClose_Click()
{
    DescargarPopUp();
    // The sales/purchase viewer's window, when one was opened (its default window is never made for this).
    const QWidgetList ventanas = QApplication::topLevelWidgets();
    if (std::any_of(ventanas.begin(), ventanas.end(),
                    [](QWidget* v) { return qobject_cast<visores::FrmBSC01CBTEDetalle*>(v) != nullptr; })) {
        int cancelar = 0;
        visores::frmBSC01CBTEDetalle().Form_Unload(cancelar);
    }
    Form_Unload();
}

void frmBSC01::Form_Unload()
{
    if (m_descargado)
        return;
    m_descargado = true;
    ui::Routine r(QString(), ui::silently(ui::vbIgnore));
    r.steps({
        [&] { ModGlobal::Finalizar(); },
        [&] { m_rs.Close(); },
        [&] {
            if (instancia() == this)
                instancia() = nullptr;
            deleteLater();
        },
    });
    ui::dialogs().EndProgram(0);
}

void frmBSC01::closeEvent(QCloseEvent* event)
{
    event->accept();
    Form_Unload();
}

void frmBSC01::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void frmBSC01::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    Form_Activate();
}

bool frmBSC01::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == picNivel) {
        if (event->type() == QEvent::MouseButtonPress)
            picNivel_MouseDown();
        else if (event->type() == QEvent::MouseButtonRelease)
            picNivel_MouseUp(ui::PxToTwips(qRound(static_cast<QMouseEvent*>(event)->position().x())));
        return QWidget::eventFilter(watched, event);
    }
    if (m_eventosCampos.Filtrar(watched, event))
        return true;
    return QWidget::eventFilter(watched, event);
}

} // namespace tablero
