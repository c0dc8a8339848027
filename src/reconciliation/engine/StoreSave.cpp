// Saving the lines' marks and link lists and the header; the reconcile step's writes.

#include "Store.h"
#include "AvancePorReloj.h"
#include "EspacioVinculos.h"
#include "Transaccion.h"


namespace conciliacion {

bool ReconciliationStore::guardarFilas(qint64 numero, Lado lado, const EstadosFilas& estados, AvancePorReloj* reloj)
{
    // One bound statement per line: the text is prepared once, only the values change. An unmarked right line
    // keeps no link list.
    const bool izquierda = lado == Lado::Izquierda;
    const QString numeroTabla = NumeroTabla(numero);
    const QString cambio = adaptar(izquierda ? QStringLiteral("UPDATE MV_CONCILIACION SET CONCILIADO = ?, IDCONCAUX = ID, "
                                                              "CONCILIADOCON = ? WHERE ID = ? AND IDCONCILIACION = ?")
                                             : QStringLiteral("UPDATE MV_CONCILIACION_AUX SET FINALIZADA = ?, CONCILIA = ? "
                                                              "WHERE ID = ? AND IDCONCILIACION = ?"));
    for (const EstadoFila& e : estados) {
        cn().ExecuteBound(cambio, {e.marcada ? 1 : 0, izquierda || e.marcada ? e.vinculo : QString(), e.id, numeroTabla});
        // A line linked each to each can carry a list of hundreds of thousands of IDs: the operator hears of
        // every line, not of a whole side at once.
        if (reloj && !reloj->Sumar(BytesEstado(e)))
            return false;
    }
    return true;
}

Resultado ReconciliationStore::guardarEn(const Cabecera& cabecera, const EstadosFilas& izquierda,
                                         const EstadosFilas& derecha, AvancePorReloj* reloj)
{
    // The header first: it is a write (so the transaction takes the write lock at once) and it tells a
    // finalized reconciliation, which must not be set back to not finalized.
    if (!actualizarCabecera(cabecera) && !escribirCabeceraNueva(cabecera))
        return Resultado::Finalizada;
    if (!guardarFilas(cabecera.numero, Lado::Izquierda, izquierda, reloj)
        || !guardarFilas(cabecera.numero, Lado::Derecha, derecha, reloj))
        return Resultado::Cancelada;
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
                                         const AvanceEscritura& avance, const std::function<void()>& sinVuelta)
{
    // A run long enough to show its progress grows the journal as large as the write (gigabytes each to each):
    // however it ends, the journal is given back once the transaction is over, rather than kept beside the
    // company until the program ends; its cost is nothing beside the run's. A short write keeps it, to be
    // written again from its start by the next one (the connection gives back one grown past a size).
    struct DiarioDevuelto {
        ado::Connection& cn;
        bool corridaLarga;
        ~DiarioDevuelto()
        {
            if (corridaLarga)
                cn.TrimJournal();
        }
    } diario{cn(), bool(avance)};
    // The work in bytes, as the room it takes: the saved lines with their link lists, then the link rows.
    qint64 total = vinculos.Cantidad() * kBytesPorVinculo;
    for (const EstadosFilas* estados : {&izquierda, &derecha})
        for (const EstadoFila& e : *estados)
            total += BytesEstado(e);
    AvancePorReloj reloj(avance, total);
    // Told before anything is written, so the progress shows (and can be cancelled) at once.
    if (!reloj.Sumar(0))
        return Resultado::Cancelada;
    sql::Transaccion transaccion(cn());
    const Resultado guardado = guardarEn(cabecera, izquierda, derecha, &reloj);
    if (guardado != Resultado::Hecho)
        return guardado;   // finalized or cancelled: the transaction is rolled back
    desvincularSinMarca(cabecera.numero);
    if (!grabarVinculos(vinculos, reloj) || !reloj.Terminar())
        return Resultado::Cancelada;
    // The commit cannot be stopped half way: from here on the write is no longer cancellable, and whoever shows
    // it says so before the wait.
    if (sinVuelta)
        sinVuelta();
    transaccion.Confirmar();
    return Resultado::Hecho;
}

} // namespace conciliacion
