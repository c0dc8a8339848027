// Reading a reconciliation's lines back into the lists.

#include "Store.h"
#include "StoreRows.h"
#include "StoreSql.h"

#include <limits>

namespace conciliacion {

namespace {

constexpr int kBloque = 4096;

TramoIds TodosLosIds()
{
    return {std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max()};
}

// The columns the list rows are made of, a block of lines by ID within a run of IDs and outside another.
QString ConsultaBloque(Lado lado)
{
    const DescripcionLado& d = Describir(lado);
    return QStringLiteral("SELECT TOP %1 ID, FECHAMOV, VENCIMIENTO, TC, COMPROBANTE, IMPORTE, CONCEPTO, SECUENCIA, "
                          "MES_OPERATIVO, [NUMERO ASIENTO], PERIODO, TIPO_REG, %2, TC_ORIGEN, CPTE_ORIGEN, %3 FROM %4 "
                          "WHERE IDCONCILIACION = ? AND ID > ? AND ID <= ? AND (ID <= ? OR ID > ?) ORDER BY ID")
        .arg(kBloque)
        .arg(d.vinculo, d.marca, d.tabla);
}

} // namespace

WorkbenchRows ReconciliationStore::leerBloque(qint64 numero, Lado lado, bool incluirMarcadas, TramoIds tramo,
                                              TramoIds salvo)
{
    return FilasDeLineas(cn().QueryBound(adaptar(ConsultaBloque(lado)),
                                         {NumeroTabla(numero), tramo.despuesDe, tramo.hasta, salvo.despuesDe, salvo.hasta}),
                         lado, incluirMarcadas);
}

WorkbenchRows ReconciliationStore::leerLineas(qint64 numero, Lado lado, bool incluirMarcadas, TramoIds tramo,
                                              TramoIds salvo, qsizetype esperadas)
{
    const QString consulta = adaptar(ConsultaBloque(lado));
    const QString numeroTabla = NumeroTabla(numero);
    WorkbenchRows filas;
    filas.reserve(size_t(esperadas));
    for (;;) {
        const ado::RowSet bloque
            = cn().QueryBound(consulta, {numeroTabla, tramo.despuesDe, tramo.hasta, salvo.despuesDe, salvo.hasta});
        AgregarFilasDeLineas(bloque, lado, incluirMarcadas, filas);
        if (bloque.rows.size() < kBloque)
            return filas;
        tramo.despuesDe = bloque.rows.constLast().constFirst().toLong();
    }
}

WorkbenchRows ReconciliationStore::LeerBloque(qint64 numero, Lado lado, TramoIds tramo)
{
    return leerBloque(numero, lado, true, tramo, {});
}

std::vector<qint64> ReconciliationStore::IdsDeLineas(qint64 numero, Lado lado, TramoIds tramo)
{
    const sql::Filas f(cn().QueryBound(adaptar(QStringLiteral("SELECT ID FROM ") + Describir(lado).tabla
                                               + QStringLiteral(" WHERE IDCONCILIACION = ? AND ID > ? AND ID <= ? "
                                                                "ORDER BY ID")),
                                       {NumeroTabla(numero), tramo.despuesDe, tramo.hasta}));
    std::vector<qint64> ids;
    ids.reserve(size_t(f.Cantidad()));
    for (qsizetype i = 0; i < f.Cantidad(); ++i)
        ids.push_back(f.Entero(i, 0));
    return ids;
}

WorkbenchRows ReconciliationStore::CargarLineas(qint64 numero, Lado lado, bool incluirConciliadas, TramoIds salvo)
{
    return leerLineas(numero, lado, incluirConciliadas, TodosLosIds(), salvo);
}

} // namespace conciliacion
