// The reconciliation report's reading.

#include "Store.h"
#include "Filas.h"
#include "StoreReport.h"
#include "StoreRows.h"
#include "StoreSql.h"

#include <QStringList>

namespace conciliacion {

namespace {

const QString kTablaLineas = QStringLiteral("MV_CONCILIACION");
// Lines read together: a line linked each to each carries a long link list, so a block stays small.
constexpr int kBloqueReporte = 256;
const QString kTablaCabecera = QStringLiteral("MV_CONCILIACION_CAB");

QString literal(const ado::Variant& valor)
{
    switch (valor.type()) {
    case ado::VarType::Boolean:
        return valor.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    case ado::VarType::Currency:
        return valor.toCurrency().toString();
    default:
        return sql::Texto(valor.toString());
    }
}

bool esTabla(const CondicionReporte& c, const QString& tabla)
{
    return c.tabla.compare(tabla, Qt::CaseInsensitive) == 0;
}

} // namespace

ado::Currency DatosReporte::total() const
{
    ado::Currency suma;
    for (const LineaReporte& l : lineas)
        suma += l.importe;
    return suma;
}

std::optional<DatosReporte> ReconciliationStore::LeerReporte(qint64 numero, const QList<CondicionReporte>& condiciones,
                                                             const AvanceLectura& avance)
{
    // Each condition's column is checked against its table's own columns, so that a condition can name
    // nothing but a column; its value goes in as a literal.
    QStringList deLineas{sql::DelNumero(numero)};
    QStringList deCabecera{sql::DelNumero(numero)};
    for (const CondicionReporte& c : condiciones) {
        const bool lineas = esTabla(c, kTablaLineas);
        if (!lineas && !esTabla(c, kTablaCabecera))
            throw CondicionDesconocida(c.tabla, {});
        if (!cn().ColumnNames(lineas ? kTablaLineas : kTablaCabecera).contains(c.campo, Qt::CaseInsensitive))
            throw CondicionDesconocida(c.tabla, c.campo);
        (lineas ? deLineas : deCabecera) << QStringLiteral("[%1] = %2").arg(c.campo, literal(c.valor));
    }

    const std::optional<Cabecera> cabecera = LeerCabecera(numero);
    if (!cabecera)
        return std::nullopt;
    if (deCabecera.size() > 1
        && sql::Filas(leer(QStringLiteral("SELECT IDCONCILIACION FROM MV_CONCILIACION_CAB WHERE ")
                           + deCabecera.join(QLatin1String(" AND "))))
                   .Cantidad()
               == 0)
        return std::nullopt;

    DatosReporte datos;
    datos.cabecera = *cabecera;
    if (!cabecera->cuenta.trimmed().isEmpty()) {
        const sql::Filas cuenta(leer(QStringLiteral("SELECT Descripcion FROM MA_CUENTAS WHERE Codigo = ")
                                     + sql::Texto(cabecera->cuenta.trimmed())));
        if (cuenta.Cantidad() > 0)
            datos.descripcionCuenta = cuenta.Texto(0, 0).trimmed();
    }

    // The lines' IDs in the report's order, then the lines a block of IDs at a time: a block is a run of that
    // order, so read in the same order it keeps its place.
    const QString orden = QStringLiteral(" ORDER BY FECHAMOV, ID");
    const sql::Filas ids(leer(QStringLiteral("SELECT ID FROM MV_CONCILIACION WHERE ") + deLineas.join(QLatin1String(" AND "))
                              + orden));
    std::vector<qint64> enOrden;
    enOrden.reserve(size_t(ids.Cantidad()));
    for (qsizetype i = 0; i < ids.Cantidad(); ++i)
        enOrden.push_back(ids.Entero(i, 0));
    const qsizetype total = qsizetype(enOrden.size());
    const auto seguir = [&](qsizetype leidas) {
        if (avance && avance(leidas, total))
            throw LecturaCancelada();
    };
    seguir(0);
    WorkbenchRows filas;
    filas.reserve(enOrden.size());
    for (const QString& bloque : sql::ListasDeIds(enOrden, kBloqueReporte)) {
        AgregarFilasDeLineas(leer(QStringLiteral("SELECT * FROM MV_CONCILIACION WHERE ") + sql::DelNumero(numero)
                                  + QStringLiteral(" AND ID IN (") + bloque + QLatin1Char(')') + orden),
                             Lado::Izquierda, true, filas);
        seguir(qsizetype(filas.size()));
    }
    for (const WorkbenchRow& f : filas)
        datos.lineas << LineaReporte{f.Fecha.trimmed(),    f.Vencimiento.trimmed(), f.TC.trimmed(),
                                     f.Comprobante.trimmed(), f.Concepto.trimmed(), f.Importe,
                                     f.ConciliadoCon.trimmed()};
    return datos;
}

} // namespace conciliacion
