// The report's links: an account link writes that account's report in the dashboard, a popup link opens the
// account popup, a voucher link opens the document viewer. The browser's navigation is cancelled at once and
// the request runs afterwards, outside the browser's event, in the order the handler would have run it.

#include "AbrirComprobante.h"
#include "AvisoCuentaInexistente.h"
#include "ComprobanteEnlace.h"
#include "CuentaDelPlan.h"
#include "FrmBSC01PopUp.h"
#include "frmBSC01.h"

#include "platform/ui/OperatorDialogs.h"
#include "report/EnlaceHTML.h"

#include <QLabel>
#include <QListWidget>

namespace tablero {

namespace {

const char kGenerando[] = " Generando ...";
const char kListo[] = " Listo ...";

} // namespace

void frmBSC01::wbExplorer_BeforeNavigate2(const QString& URL, bool& Cancel)
{
    StatusPanel1->setText(QString::fromLatin1(kGenerando));
    // Every address reads the lists as a request does (a list with nothing selected gets all selected).
    const EstadoFiltros estado = Estado();
    const report::TipoEnlace tipo = report::LeerEnlace(URL).tipo;
    Cancel = tipo == report::TipoEnlace::Cuenta || tipo == report::TipoEnlace::CuentaPopup
             || tipo == report::TipoEnlace::Comprobante;
    if (!Cancel) {
        StatusPanel1->setText(QString::fromLatin1(kListo));
        return;
    }
    QMetaObject::invokeMethod(
        this, [this, URL, estado] { EjecutarEnlace(URL, estado); }, Qt::QueuedConnection);
}

void frmBSC01::EjecutarEnlace(const QString& URL, const EstadoFiltros& estado)
{
    const report::EnlaceLeido enlace = report::LeerEnlace(URL);
    m_avisoEnlace = QString::fromLatin1(kListo);
    switch (enlace.tipo) {
    case report::TipoEnlace::Cuenta: {
        const QString codigo = enlace.valor(report::kMarcaCuenta);
        if (codigo.isEmpty()) {
            if (EscribirInforme(Escritor(), PedidoPlanGeneral(estado), *this))
                MostrarInforme();
        } else if (const auto cuenta = LeerCuentaDelPlan(kSeleccionEnlace, codigo, m_rs)) {
            if (EscribirInforme(Escritor(), PedidoDeCuenta(estado, codigo, cuenta->titulo, cuenta->esHoja), *this))
                MostrarInforme();
        } else {
            AvisarCuentaInexistente(codigo);
        }
        break;
    }
    case report::TipoEnlace::CuentaPopup: {
        const QString codigo = enlace.valor(report::kMarcaCuentaPopup);
        if (const auto cuenta = LeerCuentaDelPlan(kSeleccionEnlace, codigo, m_rs)) {
            const PedidoInforme p = PedidoDeCuenta(estado, codigo, cuenta->titulo, cuenta->esHoja);
            FrmBSC01PopUp& popup = PopUp();
            popup.Mostrar(p.strNombreArchivo, p.Titulo, p.Cuenta, p.EsHoja, p.FechaDesde, p.FechaHasta, p.eTipoListado,
                          p.eUnidadesNegocio, p.eCentrosCostos, p.eNormal, p.eNiveles);
            popup.show();
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
    StatusPanel1->setText(m_avisoEnlace);
}

void frmBSC01::MostrarInforme()
{
    NavegarArchivo(m_archivo);
    m_avisoEnlace = QString::fromLatin1(kListo);
    if (!m_escritoCompleto) {
        m_avisoEnlace = QStringLiteral(" Informe incompleto: la escritura se canceló o falló.");
        StatusPanel1->setText(m_avisoEnlace);
    }
}

void frmBSC01::wbExplorer_DownloadComplete()
{
    OcultarOcupado();
}

} // namespace tablero
