// The report's links: an account link writes that account's report in the dashboard, a popup link opens the
// account popup, a voucher link opens the document viewer. The browser's navigation is cancelled at once and
// the request runs afterwards, outside the browser's event, in the order the handler would have run it. Any
// other address loads in the page view (the report itself, and the links between the parts of a long report,
// unless the part is not there to show); the status bar says so while it loads and " Listo ..." once it is on
// show.

#include "AbrirComprobante.h"
#include "AvisoDelInforme.h"
#include "AvisoCuentaInexistente.h"
#include "ComprobanteEnlace.h"
#include "CuentaDelPlan.h"
#include "FrmBSC01PopUp.h"
#include "NavegarArchivo.h"
#include "frmBSC01.h"

#include "platform/browser/WebBrowser.h"
#include "platform/ui/OperatorDialogs.h"
#include "platform/ui/Routine.h"
#include "report/ArchivoListado.h"
#include "report/EnlaceHTML.h"

#include <QFile>
#include <QLabel>
#include <QListWidget>

namespace tablero {

namespace {

const char kCargando[] = " Cargando la página ...";

QString texto(const char* t)
{
    return QString::fromUtf8(t);
}

} // namespace

void frmBSC01::wbExplorer_BeforeNavigate2(const QString& URL, bool& Cancel)
{
    StatusPanel1->setText(texto(kEstadoGenerando));
    // Every address reads the lists as a request does (a list with nothing selected gets all selected).
    const EstadoFiltros estado = Estado();
    const report::TipoEnlace tipo = report::LeerEnlace(URL).tipo;
    Cancel = tipo == report::TipoEnlace::Cuenta || tipo == report::TipoEnlace::CuentaPopup
             || tipo == report::TipoEnlace::Comprobante;
    if (!Cancel) {
        if (const std::optional<ParteNoDisponible> parte = m_partes.Impedimento(URL)) {
            Cancel = true;
            AvisarParte(*parte);
            return;
        }
        StatusPanel1->setText(texto(kCargando));
        m_esperarParte = m_escribiendo && report::NumeroDeParte(m_partes.archivo, URL).has_value();
        return;
    }
    QMetaObject::invokeMethod(
        this, [this, URL, estado] { EjecutarEnlace(URL, estado); }, Qt::QueuedConnection);
}

void frmBSC01::AvisarParte(const ParteNoDisponible& parte)
{
    if (parte.escribiendo) {
        StatusPanel1->setText(QLatin1Char(' ') + parte.Mensaje());
        return;
    }
    StatusPanel1->setText(texto(kEstadoListo));
    ui::dialogs().MsgBox(parte.Mensaje(), ui::vbInformation, QStringLiteral("Aviso al operador..."));
}

void frmBSC01::EjecutarEnlace(const QString& URL, const EstadoFiltros& estado)
{
    const report::EnlaceLeido enlace = report::LeerEnlace(URL);
    // While a report is being written, a link that would write another is let go, as a click in the tree is:
    // the writer would refuse it, and a popup would show with nothing in it.
    if (m_escribiendo && enlace.tipo != report::TipoEnlace::Comprobante)
        return;
    // A report written and shown says its own state once its page is on show.
    bool informe = false;
    switch (enlace.tipo) {
    case report::TipoEnlace::Cuenta: {
        const QString codigo = enlace.valor(report::kMarcaCuenta);
        if (codigo.isEmpty()) {
            informe = EscribirInforme(Escritor(), PedidoPlanGeneral(estado), *this);
        } else if (const auto cuenta = LeerCuentaDelPlan(kSeleccionEnlace, codigo, m_rs)) {
            informe = EscribirInforme(Escritor(), PedidoDeCuenta(estado, codigo, cuenta->titulo, cuenta->esHoja), *this);
        } else {
            AvisarCuentaInexistente(codigo);
        }
        if (informe)
            MostrarInforme();
        break;
    }
    case report::TipoEnlace::CuentaPopup: {
        const QString codigo = enlace.valor(report::kMarcaCuentaPopup);
        if (const auto cuenta = LeerCuentaDelPlan(kSeleccionEnlace, codigo, m_rs)) {
            const PedidoInforme p = PedidoDeCuenta(estado, codigo, cuenta->titulo, cuenta->esHoja);
            // A popup that cannot be filled (no temporary folder to write its page in) is reported like a viewer
            // that cannot, and not shown; the request runs outside any handler that could take the failure.
            ui::Routine r(QStringLiteral("wbExplorer_BeforeNavigate2"));
            r.step([&] {
                FrmBSC01PopUp& popup = PopUp();
                popup.Mostrar(p.strNombreArchivo, p.Titulo, p.Cuenta, p.EsHoja, p.FechaDesde, p.FechaHasta,
                              p.eTipoListado, p.eUnidadesNegocio, p.eCentrosCostos, p.eNormal, p.eNiveles);
                popup.show();
            });
        } else {
            AvisarCuentaInexistente(codigo);
        }
        break;
    }
    case report::TipoEnlace::Comprobante:
        AbrirComprobante(ComprobanteDeEnlace(enlace, OrigenEnlace::Tablero));
        break;
    default:
        break;
    }
    if (!informe)
        StatusPanel1->setText(texto(kEstadoListo));
}

void frmBSC01::MostrarInforme()
{
    m_avisoInforme = AvisoDelInforme(m_resultado, m_terminoAlLeer);
    if (!m_partes.primeraMostrada) {
        // A first part cut short is removed by the writer, which has said why: there is nothing to show.
        if (!QFile::exists(m_archivo)) {
            OcultarOcupado();
            StatusPanel1->setText(QStringLiteral(" Informe no mostrado: no se pudo escribir su primera parte."));
            return;
        }
        NavegarArchivo(m_archivo);
        // A load that did not begin raises no download-complete: the request ends here.
        if (!wbExplorer->Cargando()) {
            OcultarOcupado();
            StatusPanel1->setText(AvisoPaginaNoMostrada());
        }
        return;
    }
    // Its first part went on show while the rest was written: once it has loaded, the report is done.
    if (!wbExplorer->Cargando()) {
        OcultarOcupado();
        StatusPanel1->setText(wbExplorer->UltimaCargaCorrecta() ? m_avisoInforme : AvisoPaginaNoMostrada());
    }
}

void frmBSC01::wbExplorer_DownloadComplete()
{
    // The first part of a long report is on show, and the writer is still at the rest.
    if (m_escribiendo) {
        StatusPanel1->setText(wbExplorer->UltimaCargaCorrecta() ? texto(kEstadoGenerando) : AvisoPaginaNoMostrada());
        return;
    }
    OcultarOcupado();
    StatusPanel1->setText(wbExplorer->UltimaCargaCorrecta() ? m_avisoInforme : AvisoPaginaNoMostrada());
}

void frmBSC01::wbExplorer_PaginaPerdida()
{
    StatusPanel1->setText(QStringLiteral(" No se pudo mostrar el informe."));
    AvisarInformeNoMostrado();
}

} // namespace tablero
