// Report requests: a click in the account tree, "Actualizar", and showing the written file. One report is
// written at a time, and only for a valid period and amount bounds that read as amounts.

#include "ArbolCuentas.h"
#include "CamposFiltro.h"
#include "frmBSC01.h"
#include "NavegarArchivo.h"

#include "core/ListRoutines.h"
#include "platform/ado/Error.h"
#include "platform/browser/WebBrowser.h"
#include "platform/suite/Controles.h"
#include "platform/suite/Utilidades.h"
#include "platform/ui/OperatorDialogs.h"
#include "platform/ui/Routine.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QToolButton>

namespace tablero {

QStringList frmBSC01::CodigosDeLista(QListWidget& lista)
{
    QStringList codigos;
    if (ModGlobal::ListaSeleccionados(lista, codigos, kCaracteresCodigoLista, true) == 0) {
        ModGlobal::MarcarLista(lista, true, -1);
        codigos.clear();
    }
    return codigos;
}

EstadoFiltros frmBSC01::Estado()
{
    EstadoFiltros e;
    e.unidades = CodigosDeLista(*lstUnidadNegocio);
    e.centros = CodigosDeLista(*lstCentroCostos);
    e.opcionTipoListado = OpcionTipoListado();
    e.resumido = chkResumido->isChecked();
    e.valorRama = ChkRama(1)->isChecked() ? 1 : 0;
    e.fechaDesde = TextoCampo(QStringLiteral("fechaDesde"));
    e.fechaHasta = TextoCampo(QStringLiteral("fechaHasta"));
    e.tc = TextoCampo(QStringLiteral("TC"));
    e.sucursal = TextoCampo(QStringLiteral("SUCURSAL"));
    e.numero = TextoCampo(QStringLiteral("NUMERO"));
    e.letra = TextoCampo(QStringLiteral("LETRA"));
    e.impDesde = TextoCampo(QStringLiteral("IMPDESDE"));
    e.impHasta = TextoCampo(QStringLiteral("IMPHASTA"));
    e.archivo = m_archivo;
    return e;
}

bool frmBSC01::EscribirInforme(EscritorInformes& escritor, const PedidoInforme& pedido, report::HostReporte& host)
{
    // The writer lets events run while it writes: a second request then would write the same file.
    if (m_escribiendo)
        return false;
    if (!EsFechaValida(pedido.FechaDesde) || !EsFechaValida(pedido.FechaHasta)) {
        ui::dialogs().MsgBox(QStringLiteral("El período ingresado no es válido (día/mes/año)."), ui::vbInformation,
                             QStringLiteral("Aviso al operador..."));
        return false;
    }
    // A bound that is no amount is never dropped: the report would look filtered and not be.
    for (const QString& cota : {pedido.pImpDesde, pedido.pImpHasta}) {
        if (const QString aviso = AvisoImporte(cota); !aviso.isEmpty()) {
            ui::dialogs().MsgBox(aviso, ui::vbInformation, QStringLiteral("Aviso al operador..."));
            return false;
        }
    }
    const bool propio = &host == static_cast<report::HostReporte*>(this);
    PedidoInforme p = pedido;
    if (propio) {
        if (!PrepararCarpeta())
            return false;
        p.strNombreArchivo = m_archivo;
    }
    m_escribiendo = true;
    m_leyendo = false;
    if (propio)
        m_partes.Comenzar(p.strNombreArchivo);
    report::ResultadoListado resultado = report::ResultadoListado::Fallido;
    try {
        resultado = escritor.writeHTML(p, host);
    } catch (...) {
        m_escribiendo = false;
        m_partes.escribiendo = false;
        m_resultado = report::ResultadoListado::Fallido;
        throw;
    }
    m_escribiendo = false;
    m_partes.escribiendo = false;
    if (resultado == report::ResultadoListado::Ocupado)
        return false;
    m_resultado = resultado;
    m_terminoAlLeer = m_leyendo;
    return true;
}

bool frmBSC01::PrepararCarpeta()
{
    if (m_carpetaPropia.Existe())
        return true;
    try {
        CrearCarpeta();
        return true;
    } catch (const ado::Error& e) {
        suite::Utilidades::TratarError(
            ado::Error(e.Number, QStringLiteral("No se puede crear el archivo %1: %2")
                                       .arg(QString::fromLatin1(kArchivoInforme), e.Description)),
            QStringLiteral("Generar"));
    }
    return false;
}

void frmBSC01::TreeV_NodeClick(const ui::Node& Node)
{
    if (m_escribiendo)
        return;
    ui::Routine r(QString(), ui::silently(ui::vbIgnore));
    PedidoInforme pedido;
    if (Node.isNothing()) {
        r.step([&] { pedido = PedidoPlanGeneral(Estado()); });
    } else {
        QString cuenta, titulo;
        bool hoja = false;
        r.steps({
            [&] { cuenta = CodigoDeClave(Node.Key()); },
            [&] { ui::Node(Node).EnsureVisible(); },
            [&] {
                titulo = Node.Text();
                hoja = Node.Children() == 0;
            },
            [&] { pedido = PedidoDeCuenta(Estado(), cuenta, titulo, hoja); },
        });
    }
    bool escrito = false;
    r.step([&] { escrito = EscribirInforme(Escritor(), pedido, *this); });
    if (escrito)
        MostrarInforme();
}

void frmBSC01::CmdActualizar_Click()
{
    if (m_escribiendo)
        return;
    if (EscribirInforme(Escritor(), PedidoActualizar(Estado(), FCuenta, FTitulo, FEsHoja), *this))
        MostrarInforme();
}

void frmBSC01::NavegarArchivo(const QString& ruta)
{
    tablero::NavegarArchivo(*wbExplorer, ruta);
}

} // namespace tablero
