// writeHTML: the frame every report shares (busy display, period and voucher filter, page start, mode
// choice, and how a report ends).

#include "ClassHTML.h"

#include "ArchivoListado.h"
#include "ArchivoPagina.h"
#include "CotaImporte.h"
#include "EnlaceHTML.h"
#include "Listado.h"
#include "ReporteArbol.h"
#include "ReporteMovimientos.h"
#include "ReporteRamas.h"

#include "data/DB_Dll.h"
#include "platform/ado/Error.h"
#include "platform/suite/Utilidades.h"
#include "platform/ui/OperatorDialogs.h"

#include <memory>
#include <optional>

namespace report {

using namespace detalle;

namespace {

bool gEscribiendo = false;

class MarcaEscribiendo {
public:
    MarcaEscribiendo() { gEscribiendo = true; }
    ~MarcaEscribiendo() { gEscribiendo = false; }
};

// An amount bound as the money amount it reads as; one that reads as no amount sets no bound here (the
// dashboard refuses it before it asks for the report).
std::optional<ado::Currency> montoDeFiltro(const QString& texto)
{
    const CotaImporte cota = LeerCotaImporte(texto);
    if (cota.lectura != CotaImporte::Lectura::Monto)
        return std::nullopt;
    return cota.monto;
}

QString filtroComprobante(const ParametrosListado& p)
{
    QString filtro;
    const struct {
        const char* columna;
        const QString& valor;
    } codigos[] = {{"TC", p.pTc}, {"SUCURSAL", p.pSuc}, {"NUMERO", p.pNro}, {"LETRA", p.pLetra}};
    for (const auto& c : codigos)
        if (!c.valor.isEmpty())
            filtro += QStringLiteral(" AND %1=").arg(QLatin1String(c.columna)) + DB_Dll::SQLValue(c.valor, "'")
                      + QStringLiteral(" ");
    const struct {
        const char* condicion;
        const QString& valor;
    } importes[] = {{" AND IMPORTE>=", p.pImpDesde}, {" AND IMPORTE<=", p.pImpHasta}};
    for (const auto& i : importes)
        if (const std::optional<ado::Currency> monto = montoDeFiltro(i.valor))
            filtro += QLatin1String(i.condicion) + monto->toString() + QStringLiteral(" ");
    return filtro;
}

QString bandaTitulo(const QString& tituloListado)
{
    return QStringLiteral("<TABLE Border=0 CellPadding=0 CellSpacing=0 WIDTH=100%><TR CLASS=TableTitulo><td ALIGN=center ><font color=white> Listado ")
           + TextoHTML(tituloListado) + QStringLiteral("</a></td><TD ALIGN=right ></td></TR></TABLE>&nbsp");
}

// The last line of a page that did not end well, so nobody takes it for the whole report.
void avisoIncompleto(ArchivoListado* archivo, const QString& motivo)
{
    if (!archivo || !archivo->Abierto())
        return;
    try {
        archivo->Linea(QStringLiteral("</TABLE><TABLE Border=0 CellPadding=3 CellSpacing=0 WIDTH=100%><TR CLASS=TableTitulo><td ALIGN=left ><font color=white>Listado incompleto: ")
                       + motivo + QStringLiteral("</td></TR></TABLE>"));
        archivo->Cerrar();
    } catch (...) {
        // The file failed already; the caller learns it from the result.
    }
}

} // namespace

bool ClassHTML::Escribiendo()
{
    return gEscribiendo;
}

ResultadoListado ClassHTML::writeHTML(const ParametrosListado& p)
{
    if (gEscribiendo)
        return ResultadoListado::Ocupado;
    MarcaEscribiendo marca;
    struct OlvidarNiveles {
        std::optional<ast::TablaNiveles>& ref;
        ~OlvidarNiveles() { ref.reset(); }
    } nivelesDelListado{m_nivelesDelListado};

    if (m_host) {
        m_host->setCancelado(false);
        m_host->MostrarOcupado();
        // Painted before the first query, which may hold the window a while on a road that cannot wait aside.
        m_host->ProcesarEventos();
    }
    std::unique_ptr<ArchivoListado> archivo;
    try {
        m_nivelesDelListado = Niveles();
        const QString filtro = filtroComprobante(p);
        if (m_host)
            m_host->setUltimoReporte(p.Cuenta, p.Titulo, p.EsHoja);
        // The period is read as dates before it goes near the SQL.
        const QString desde = suite::Utilidades::FechaSQL(p.FechaDesde);
        const QString hasta = suite::Utilidades::FechaSQL(p.FechaHasta);
        archivo = std::make_unique<ArchivoListado>(p.strNombreArchivo, FilasPorParte,
                                                   [this](int numero, const QString& ruta) {
                                                       if (m_host)
                                                           m_host->ParteTerminada(numero, ruta);
                                                   });
        archivo->Linea(getCabeceraHTML(QStringLiteral("BSC001")));
        archivo->Linea(bandaTitulo(p.TituloListado));

        Listado listado(*this, p, m_host, *archivo, *m_nivelesDelListado);
        listado.desde = desde;
        listado.hasta = hasta;
        listado.filtro = filtro;
        if (!filtro.isEmpty() || p.EsHoja)
            EscribirMovimientos(listado, ColIVA);
        else if (p.eNormal)
            EscribirRamas(listado);
        else
            EscribirArbol(listado);
        archivo->Cerrar();
        return ResultadoListado::Completo;
    } catch (const ListadoCancelado&) {
        avisoIncompleto(archivo.get(), QStringLiteral("cancelado por el operador"));
        return ResultadoListado::Cancelado;
    } catch (const ConsultaFallida&) {
        avisoIncompleto(archivo.get(), QStringLiteral("no se pudo leer la base de datos"));
        return ResultadoListado::Fallido;
    } catch (const ui::ProgramEnded&) {
        throw;
    } catch (const ui::UnexpectedPrompt&) {
        throw;
    } catch (...) {
        const std::exception_ptr error = std::current_exception();
        avisoIncompleto(archivo.get(), QStringLiteral("se produjo un error"));
        suite::Utilidades::TratarError(error, QStringLiteral("Generar"));
        return ResultadoListado::Fallido;
    }
}

} // namespace report
