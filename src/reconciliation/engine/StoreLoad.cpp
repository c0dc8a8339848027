// Reading a reconciliation's lines back into the lists.

#include "Store.h"
#include "Filas.h"
#include "StoreRows.h"

#include <limits>

namespace conciliacion {

namespace {

constexpr int kBloque = 4096;

// The columns the list rows are made of, a block of lines by ID within a run of IDs.
QString ConsultaBloque(Lado lado)
{
    const DescripcionLado& d = Describir(lado);
    return QStringLiteral("SELECT TOP %1 ID, FECHAMOV, VENCIMIENTO, TC, COMPROBANTE, IMPORTE, CONCEPTO, SECUENCIA, "
                          "MES_OPERATIVO, [NUMERO ASIENTO], PERIODO, TIPO_REG, %2, TC_ORIGEN, CPTE_ORIGEN, %3 FROM %4 "
                          "WHERE IDCONCILIACION = ? AND ID > ? AND ID <= ? ORDER BY ID")
        .arg(kBloque)
        .arg(d.vinculo, d.marca, d.tabla);
}

} // namespace

WorkbenchRows ReconciliationStore::leerBloque(qint64 numero, Lado lado, bool incluirMarcadas, TramoIds tramo)
{
    return FilasDeLineas(cn().QueryBound(adaptar(ConsultaBloque(lado)), {NumeroTabla(numero), tramo.despuesDe, tramo.hasta}),
                         lado, incluirMarcadas);
}

void ReconciliationStore::leerLineas(qint64 numero, Lado lado, bool incluirMarcadas, TramoIds tramo,
                                     WorkbenchRows& filas)
{
    const QString consulta = adaptar(ConsultaBloque(lado));
    const QString numeroTabla = NumeroTabla(numero);
    for (;;) {
        const ado::RowSet bloque = cn().QueryBound(consulta, {numeroTabla, tramo.despuesDe, tramo.hasta});
        AgregarFilasDeLineas(bloque, lado, incluirMarcadas, filas);
        if (bloque.rows.size() < kBloque)
            return;
        tramo.despuesDe = bloque.rows.constLast().constFirst().toLong();
    }
}

WorkbenchRows ReconciliationStore::LeerBloque(qint64 numero, Lado lado, TramoIds tramo)
{
    return leerBloque(numero, lado, true, tramo);
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
    // The run left out splits the IDs in two: those below it and those above it, each read by its own range.
    constexpr qint64 kMenor = std::numeric_limits<qint64>::min();
    constexpr qint64 kMayor = std::numeric_limits<qint64>::max();
    WorkbenchRows filas;
    if (salvo.hasta <= salvo.despuesDe) {
        leerLineas(numero, lado, incluirConciliadas, {kMenor, kMayor}, filas);
    } else {
        leerLineas(numero, lado, incluirConciliadas, {kMenor, salvo.despuesDe}, filas);
        leerLineas(numero, lado, incluirConciliadas, {salvo.hasta, kMayor}, filas);
    }
    return filas;
}

} // namespace conciliacion
