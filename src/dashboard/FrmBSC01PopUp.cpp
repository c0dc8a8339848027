#include "FrmBSC01PopUp.h"

#include "CarpetaInformes.h"
#include "AbrirComprobante.h"
#include "AvisoCuentaInexistente.h"
#include "ComprobanteEnlace.h"
#include "CuentaDelPlan.h"
#include "frmBSC01.h"
#include "NavegarArchivo.h"

#include "core/Startup.h"
#include "platform/browser/WebBrowser.h"
#include "platform/suite/Utilidades.h"
#include "platform/ui/Keys.h"
#include "platform/ui/Routine.h"
#include "platform/ui/Units.h"
#include "report/EnlaceHTML.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPointer>

namespace tablero {

namespace {

QPointer<FrmBSC01PopUp>& instancia()
{
    static QPointer<FrmBSC01PopUp> ventana;
    return ventana;
}

// The dashboard as the popup's report sees it: the same cancel button and busy display, but the popup's
// report is not the dashboard's last report, and its parts go on show in the popup.
class HostPopUp final : public report::HostReporte {
public:
    explicit HostPopUp(FrmBSC01PopUp& popup) : m_popup(popup) {}
    void setCancelado(bool valor) override { Tablero().setCancelado(valor); }
    bool Cancelado() const override { return Tablero().Cancelado(); }
    void setUltimoReporte(const QString&, const QString&, bool) override {}
    void MostrarOcupado() override { Tablero().MostrarOcupado(); }
    void DibujarProgreso(double porcentaje) override { Tablero().DibujarProgreso(porcentaje); }
    // A part asked for in the popup loads before the writer goes on, as in the dashboard.
    void ProcesarEventos() override
    {
        Tablero().ProcesarEventos();
        EsperarCarga(*m_popup.wbExplorer, [] { return Tablero().Cancelado(); });
    }
    bool EsperaLecturas() const override { return true; }
    void ParteTerminada(int numero, const QString& ruta) override { m_popup.ParteTerminada(numero, ruta); }

private:
    FrmBSC01PopUp& m_popup;
};

} // namespace

FrmBSC01PopUp& PopUp()
{
    if (!instancia()) {
        instancia() = new FrmBSC01PopUp;
        instancia()->Form_Load();
    }
    return *instancia();
}

bool PopUpExiste()
{
    return !instancia().isNull();
}

void DescargarPopUp()
{
    if (instancia())
        instancia()->Form_Unload();
}

FrmBSC01PopUp::FrmBSC01PopUp(QWidget* parent) : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Detalle de cuenta"));
    resize(ui::TwipsToPx(9000), ui::TwipsToPx(6500));
    wbExplorer = new web::WebBrowser(this);
    wbExplorer->setObjectName(QStringLiteral("wbExplorer"));
    wbExplorer->setBeforeNavigate2([this](const QString& URL, bool& Cancel) { wbExplorer_BeforeNavigate2(URL, Cancel); });
    connect(wbExplorer, &web::WebBrowser::PaginaPerdida, this, [] { AvisarInformeNoMostrado(); });
    Form_Resize();
}

FrmBSC01PopUp::~FrmBSC01PopUp() = default;

void FrmBSC01PopUp::Form_Load()
{
    QString conexion;
    ModGlobal::Inicializar(false, QString(), conexion, 3);
    suite::Utilidades::ConfigurarFormulario(this);
}

void FrmBSC01PopUp::Mostrar(const QString& /*NombreArchivo*/, const QString& Titulo, const QString& Cuenta,
                            bool EsHoja, const QString& FhInicio, const QString& FhTope, int eTipoListado,
                            const QStringList& eUnidadesNegocio, const QStringList& eCentrosCostos,
                            bool /*eNormal*/, int eCantidadNiveles)
{
    m_fhInicio = FhInicio;
    m_fhTope = FhTope;
    m_tipoListado = eTipoListado;
    m_unidades = eUnidadesNegocio;
    m_centros = eCentrosCostos;
    m_niveles = eCantidadNiveles;
    if (!m_carpetaPropia.Existe())
        m_carpetaPropia = CarpetaInformes();
    m_carpeta = m_carpetaPropia.Ruta();
    m_archivo = m_carpeta + QStringLiteral("BSC01PopUp.htm");
    if (!m_escritor)
        m_escritor = NuevoEscritor();
    m_escritor->writeStyleCSS(m_carpeta);
    Escribir(Titulo, Cuenta, EsHoja);
}

void FrmBSC01PopUp::Escribir(const QString& titulo, const QString& cuenta, bool esHoja)
{
    PedidoInforme p;
    p.TituloListado = ObtenerTituloListado();
    p.strNombreArchivo = m_archivo;
    p.Titulo = titulo;
    p.Cuenta = cuenta;
    p.EsHoja = esHoja;
    p.FechaDesde = m_fhInicio;
    p.FechaHasta = m_fhTope;
    p.eTipoListado = m_tipoListado;
    p.eUnidadesNegocio = m_unidades;
    p.eCentrosCostos = m_centros;
    p.eNormal = true;
    p.eNiveles = m_niveles;
    HostPopUp host(*this);
    frmBSC01& tablero = Tablero();
    bool escrito = false;
    m_partes.Comenzar(m_archivo);
    try {
        escrito = tablero.EscribirInforme(*m_escritor, p, host);
    } catch (...) {
        m_partes.escribiendo = false;
        tablero.OcultarOcupado();
        if (m_descargarAlTerminar)
            Form_Unload();
        throw;
    }
    m_partes.escribiendo = false;
    if (m_descargarAlTerminar) {
        tablero.OcultarOcupado();
        Form_Unload();
        return;
    }
    // The dashboard's browser loads nothing for a popup report: its busy display comes down here.
    if (escrito) {
        tablero.OcultarOcupado();
        if (!m_partes.primeraMostrada)
            NavegarArchivo(m_archivo);
    }
}

void FrmBSC01PopUp::ParteTerminada(int numero, const QString& ruta)
{
    if (!m_partes.Terminada(numero))
        return;
    // The window and its first rows on show before the writer goes on with the rest; the busy display and the
    // cancel button stay until it is done.
    show();
    NavegarArchivo(ruta);
    EsperarCarga(*wbExplorer, [] { return Tablero().Cancelado(); });
}

QString FrmBSC01PopUp::ObtenerTituloListado() const
{
    return Tablero().ObtenerTituloListado();
}

void FrmBSC01PopUp::NavegarArchivo(const QString& ruta)
{
    tablero::NavegarArchivo(*wbExplorer, ruta);
}

void FrmBSC01PopUp::wbExplorer_BeforeNavigate2(const QString& URL, bool& Cancel)
{
    const report::TipoEnlace tipo = report::LeerEnlace(URL).tipo;
    Cancel = tipo == report::TipoEnlace::Cuenta || tipo == report::TipoEnlace::Comprobante;
    if (!Cancel) {
        // The links between the parts of a long report load here, when the part is there to show.
        if (const std::optional<ParteNoDisponible> parte = m_partes.Impedimento(URL)) {
            Cancel = true;
            Tablero().AvisarParte(*parte);
        }
        return;
    }
    // The request runs after the browser has finished with this navigation.
    QMetaObject::invokeMethod(this, [this, URL] { EjecutarEnlace(URL); }, Qt::QueuedConnection);
}

void FrmBSC01PopUp::EjecutarEnlace(const QString& URL)
{
    const report::EnlaceLeido enlace = report::LeerEnlace(URL);
    if (enlace.tipo == report::TipoEnlace::Comprobante) {
        AbrirComprobante(ComprobanteDeEnlace(enlace, OrigenEnlace::PopUp));
        return;
    }
    const QString codigo = enlace.valor(report::kMarcaCuenta);
    // An empty code names no account here: the popup has no whole-chart report.
    if (codigo.isEmpty())
        return;
    const auto cuenta = LeerCuentaDelPlan(kSeleccionEnlace, codigo, m_rs);
    if (!cuenta) {
        AvisarCuentaInexistente(codigo);
        return;
    }
    Escribir(cuenta->titulo, codigo, cuenta->esHoja);
}

void FrmBSC01PopUp::Form_KeyDown(int& KeyCode, int /*Shift*/)
{
    if (KeyCode == ui::vbKeyCancel)
        Form_Unload();
}

void FrmBSC01PopUp::Form_Resize()
{
    if (isMinimized())
        return;
    wbExplorer->setGeometry(0, 0, ui::TwipsToPx(ui::PxToTwips(width()) - 130),
                            ui::TwipsToPx(ui::PxToTwips(height()) - 410));
}

void FrmBSC01PopUp::Form_Unload()
{
    // Closed while its report is being written: the writer is told to stop, and the window, whose folder and
    // objects the writer is using, goes once it has.
    if (m_partes.escribiendo) {
        m_descargarAlTerminar = true;
        Tablero().setCancelado(true);
        hide();
        return;
    }
    m_descargarAlTerminar = false;
    ui::Routine r(QString(), ui::silently(ui::vbIgnore));
    r.steps({
        [&] { m_rs.Close(); },
        [&] { hide(); },
        [&] {
            if (instancia() == this)
                instancia() = nullptr;
            deleteLater();
        },
    });
}

void FrmBSC01PopUp::keyPressEvent(QKeyEvent* event)
{
    if (!ui::offerKeyDown(*event, [this](int& keyCode, int shift) { Form_KeyDown(keyCode, shift); }))
        return;
    QWidget::keyPressEvent(event);
}

void FrmBSC01PopUp::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void FrmBSC01PopUp::closeEvent(QCloseEvent* event)
{
    event->accept();
    Form_Unload();
}

} // namespace tablero
