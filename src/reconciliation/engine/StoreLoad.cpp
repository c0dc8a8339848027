// Reading a reconciliation's lines back into the lists.

#include "Store.h"
#include "StoreRows.h"
#include "StoreSql.h"

#include <limits>

namespace conciliacion {

namespace {

constexpr int kBloque = 8192;

// The columns the list rows are made of, a block of lines by ID after a given one, outside a run of IDs.
QString ConsultaBloque(Lado lado)
{
    const DescripcionLado& d = Describir(lado);
    return QStringLiteral("SELECT TOP %1 ID, FECHAMOV, VENCIMIENTO, TC, COMPROBANTE, IMPORTE, CONCEPTO, SECUENCIA, "
                          "MES_OPERATIVO, [NUMERO ASIENTO], PERIODO, TIPO_REG, %2, TC_ORIGEN, CPTE_ORIGEN, %3 FROM %4 "
                          "WHERE IDCONCILIACION = ? AND ID > ? AND (ID <= ? OR ID > ?) ORDER BY ID")
        .arg(kBloque)
        .arg(d.vinculo, d.marca, d.tabla);
}

} // namespace

WorkbenchRows ReconciliationStore::leerLineas(qint64 numero, Lado lado, bool incluirMarcadas, qint64 desde,
                                              TramoIds salvo, qsizetype esperadas)
{
    const QString consulta = adaptar(ConsultaBloque(lado));
    const QString numeroTabla = NumeroTabla(numero);
    WorkbenchRows filas;
    filas.reserve(size_t(esperadas));
    for (qint64 ultimo = desde;;) {
        const ado::RowSet bloque = cn().QueryBound(consulta, {numeroTabla, ultimo, salvo.despuesDe, salvo.hasta});
        AgregarFilasDeLineas(bloque, lado, incluirMarcadas, filas);
        if (bloque.rows.size() < kBloque)
            return filas;
        ultimo = bloque.rows.constLast().constFirst().toLong();
    }
}

WorkbenchRows ReconciliationStore::CargarLineas(qint64 numero, Lado lado, bool incluirConciliadas, TramoIds salvo)
{
    return leerLineas(numero, lado, incluirConciliadas, std::numeric_limits<qint64>::min(), salvo);
}

} // namespace conciliacion
