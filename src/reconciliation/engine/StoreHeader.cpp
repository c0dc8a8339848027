// The reconciliation header (MV_CONCILIACION_CAB) and the next free number.

#include "Store.h"
#include "core/base/SqlBuilders.h"
#include "Filas.h"
#include "platform/ado/Error.h"
#include "StoreSql.h"

namespace conciliacion {

namespace {

// The ten values every header write carries, as the program always wrote them; the observations and the user
// filter trimmed, texts stored as typed.
QVector<ModGlobal::CampoValor> camposCabecera(const Cabecera& c)
{
    using sql::Fecha;
    using sql::Texto;
    return {
        {QStringLiteral("Idconciliacion"), Texto(NumeroTabla(c.numero))},
        {QStringLiteral("TIPO"), Texto(QStringLiteral("CTA"))},
        {QStringLiteral("CUENTA"), Texto(c.cuenta)},
        {QStringLiteral("FECHA"), Fecha(c.fecha)},
        {QStringLiteral("observaciones"), Texto(c.observaciones.trimmed())},
        {QStringLiteral("fechadesde"), Fecha(c.fechaDesde)},
        {QStringLiteral("fechahasta"), Fecha(c.fechaHasta)},
        {QStringLiteral("unegocio"), Texto(c.unegocio)},
        {QStringLiteral("usuario"), Texto(c.usuario.trimmed())},
        {QStringLiteral("Finalizada"), Texto(QStringLiteral("0"))},
    };
}

} // namespace

qint64 ReconciliationStore::ProximaConciliacion()
{
    // Lines and headers both hold numbers: a header without lines (saved before any load, or with all its
    // left lines released) and a bank reconciliation's header are taken numbers too.
    qint64 mayor = 0;
    for (const char* tabla : {"MV_CONCILIACION", "MV_CONCILIACION_CAB", "MV_CONCILIACION_AUX"}) {
        const sql::Filas f(leer(QStringLiteral("SELECT TOP 1 IDCONCILIACION FROM %1 ORDER BY IDCONCILIACION DESC")
                                    .arg(QLatin1String(tabla))));
        if (f.Cantidad() > 0)
            mayor = std::max(mayor, f.Entero(0, 0));
    }
    return mayor + 1;
}

std::optional<Cabecera> ReconciliationStore::LeerCabecera(qint64 numero)
{
    const sql::Filas f(leer(QStringLiteral("SELECT TOP 1 * FROM MV_CONCILIACION_CAB WHERE ") + sql::DelNumero(numero)));
    if (f.Cantidad() == 0)
        return std::nullopt;
    Cabecera c;
    c.numero = numero;
    c.tipo = f.Texto(0, f.Columna(QStringLiteral("TIPO")));
    c.cuenta = f.Texto(0, f.Columna(QStringLiteral("CUENTA")));
    c.fecha = f.Texto(0, f.Columna(QStringLiteral("FECHA")));
    c.observaciones = f.Texto(0, f.Columna(QStringLiteral("OBSERVACIONES")));
    c.fechaDesde = f.Texto(0, f.Columna(QStringLiteral("FECHADESDE")));
    c.fechaHasta = f.Texto(0, f.Columna(QStringLiteral("FECHAHASTA")));
    c.unegocio = f.Texto(0, f.Columna(QStringLiteral("UNEGOCIO")));
    c.usuario = f.Texto(0, f.Columna(QStringLiteral("USUARIO")));
    c.finalizada = f.Verdad(0, f.Columna(QStringLiteral("FINALIZADA")));
    return c;
}

bool ReconciliationStore::cabeceraFinalizada(qint64 numero)
{
    const std::optional<Cabecera> c = LeerCabecera(numero);
    return c && c->finalizada;
}

void ComprobarCabecera(const Cabecera& cabecera)
{
    // A header without these could be neither opened nor deleted from the window afterwards.
    const std::pair<const char*, bool> requeridos[] = {
        {"IdConciliacion", cabecera.numero <= 0},
        {"Fecha", cabecera.fecha.trimmed().isEmpty()},
        {"CUENTA", cabecera.cuenta.trimmed().isEmpty()},
        {"FechaD", cabecera.fechaDesde.trimmed().isEmpty()},
        {"FechaH", cabecera.fechaHasta.trimmed().isEmpty()},
    };
    for (const auto& [campo, falta] : requeridos)
        if (falta)
            throw ado::Error(ado::kErrInvalidUseOfNull, QStringLiteral("Se debe informar el Campo: ") + QLatin1String(campo));
}

bool ReconciliationStore::escribirCabeceraNueva(const Cabecera& cabecera)
{
    ComprobarCabecera(cabecera);
    // Insert-if-absent in one statement: two stations starting the same number cannot both write a header.
    QString columnas;
    QString valores;
    for (const ModGlobal::CampoValor& c : camposCabecera(cabecera)) {
        columnas += (columnas.isEmpty() ? QString() : QStringLiteral(",")) + c.Campo;
        valores += (valores.isEmpty() ? QString() : QStringLiteral(",")) + c.Valor;
    }
    return ejecutar(QStringLiteral("INSERT INTO MV_CONCILIACION_CAB (") + columnas + QStringLiteral(") SELECT ")
                    + valores + sinTabla() + QStringLiteral(" WHERE NOT EXISTS (SELECT 1 FROM MV_CONCILIACION_CAB WHERE ")
                    + sql::DelNumero(cabecera.numero) + QLatin1Char(')'))
           == 1;
}

bool ReconciliationStore::actualizarCabecera(const Cabecera& cabecera)
{
    ComprobarCabecera(cabecera);
    QVector<ModGlobal::CampoValor> campos = camposCabecera(cabecera);
    QString condicion = QStringLiteral("WHERE ") + sql::DelNumero(cabecera.numero)
                        + QStringLiteral(" AND (FINALIZADA IS NULL OR FINALIZADA = 0)");
    QString sentencia;
    ModGlobal::ArmarSQL(sentencia, campos, QStringLiteral("MV_CONCILIACION_CAB"), true, condicion, false);
    return ejecutar(sentencia) > 0;
}

} // namespace conciliacion
