// Saving the lines' marks and link lists and the header; the reconcile step's writes.

#include "Store.h"
#include "Transaccion.h"


namespace conciliacion {

void ReconciliationStore::guardarFilas(qint64 numero, Lado lado, const EstadosFilas& estados)
{
    if (estados.empty())
        return;
    // One bound statement per line: the text is prepared once, only the values change.
    const QString numeroTabla = NumeroTabla(numero);
    if (lado == Lado::Izquierda) {
        const QString cambio = adaptar(QStringLiteral("UPDATE MV_CONCILIACION SET CONCILIADO = ?, IDCONCAUX = ID, "
                                                      "CONCILIADOCON = ? WHERE ID = ? AND IDCONCILIACION = ?"));
        for (const EstadoFila& e : estados)
            cn().ExecuteBound(cambio, {e.marcada ? 1 : 0, e.vinculo, e.id, numeroTabla});
        return;
    }
    // An unmarked right line keeps no link list.
    const QString cambio = adaptar(QStringLiteral("UPDATE MV_CONCILIACION_AUX SET FINALIZADA = ?, CONCILIA = ? "
                                                  "WHERE ID = ? AND IDCONCILIACION = ?"));
    for (const EstadoFila& e : estados)
        cn().ExecuteBound(cambio, {e.marcada ? 1 : 0, e.marcada ? e.vinculo : QString(), e.id, numeroTabla});
}

Resultado ReconciliationStore::guardarEn(const Cabecera& cabecera, const EstadosFilas& izquierda,
                                         const EstadosFilas& derecha)
{
    // The header first: it is a write (so the transaction takes the write lock at once) and it tells a
    // finalized reconciliation, which must not be set back to not finalized.
    if (!actualizarCabecera(cabecera) && !escribirCabeceraNueva(cabecera))
        return Resultado::Finalizada;
    guardarFilas(cabecera.numero, Lado::Izquierda, izquierda);
    guardarFilas(cabecera.numero, Lado::Derecha, derecha);
    return Resultado::Hecho;
}

Resultado ReconciliationStore::Guardar(const Cabecera& cabecera, const EstadosFilas& izquierda,
                                       const EstadosFilas& derecha)
{
    sql::Transaccion transaccion(cn());
    if (guardarEn(cabecera, izquierda, derecha) == Resultado::Finalizada)
        return Resultado::Finalizada;
    transaccion.Confirmar();
    return Resultado::Hecho;
}

Resultado ReconciliationStore::Conciliar(const Cabecera& cabecera, const EstadosFilas& izquierda,
                                         const EstadosFilas& derecha, const VinculosAGrabar& vinculos,
                                         const AvanceEscritura& avance)
{
    sql::Transaccion transaccion(cn());
    if (guardarEn(cabecera, izquierda, derecha) == Resultado::Finalizada)
        return Resultado::Finalizada;
    desvincularSinMarca(cabecera.numero);
    if (!grabarVinculos(vinculos, avance))
        return Resultado::Cancelada;   // the transaction is rolled back
    transaccion.Confirmar();
    return Resultado::Hecho;
}

} // namespace conciliacion
