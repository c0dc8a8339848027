// Saving the lines' marks and link lists and the header; the reconcile button's writes.

#include "Store.h"
#include "StoreSql.h"

#include <QHash>

namespace conciliacion {

namespace {

// Lines written alike: the same mark and the same link list.
struct Grupo {
    bool marcada = false;
    QString vinculo;
    std::vector<qint64> ids;
};

std::vector<Grupo> agrupar(Lado lado, const EstadosFilas& estados)
{
    std::vector<Grupo> grupos;
    QHash<QString, size_t> indice;
    for (const EstadoFila& e : estados) {
        // An unmarked right line keeps no link list; a left line keeps its list whether marked or not.
        const QString vinculo = lado == Lado::Derecha && !e.marcada ? QString() : e.vinculo;
        const QString clave = QLatin1Char(e.marcada ? '1' : '0') + vinculo;
        auto it = indice.constFind(clave);
        if (it == indice.cend()) {
            it = indice.insert(clave, grupos.size());
            grupos.push_back({e.marcada, vinculo, {}});
        }
        grupos[*it].ids.push_back(e.id);
    }
    return grupos;
}

} // namespace

void ReconciliationStore::guardarFilas(qint64 numero, Lado lado, const EstadosFilas& estados)
{
    const QString deLaConciliacion = QStringLiteral(") AND ") + sql::DelNumero(numero);
    for (const Grupo& g : agrupar(lado, estados)) {
        QString cambio;
        if (lado == Lado::Izquierda) {
            cambio = QStringLiteral("UPDATE MV_CONCILIACION SET CONCILIADO = ") + QLatin1Char(g.marcada ? '1' : '0')
                     + QStringLiteral(",  IDCONCAUX= ID , CONCILIADOCON = ") + sql::Texto(g.vinculo)
                     + QStringLiteral("  WHERE ID IN (");
        } else if (g.marcada) {
            cambio = QStringLiteral("UPDATE MV_CONCILIACION_AUX SET FINALIZADA = 1  , CONCILIA = ")
                     + sql::Texto(g.vinculo) + QStringLiteral("  WHERE ID IN (");
        } else {
            cambio = QStringLiteral("UPDATE MV_CONCILIACION_AUX SET FINALIZADA = 0  , CONCILIA = '' WHERE ID IN (");
        }
        for (const QString& ids : sql::ListasDeIds(g.ids))
            ejecutar(cambio + ids + deLaConciliacion);
    }
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
                                         const EstadosFilas& derecha, const VinculosAGrabar& vinculos)
{
    sql::Transaccion transaccion(cn());
    if (guardarEn(cabecera, izquierda, derecha) == Resultado::Finalizada)
        return Resultado::Finalizada;
    desvincularSinMarca(cabecera.numero);
    grabarVinculos(vinculos);
    transaccion.Confirmar();
    return Resultado::Hecho;
}

} // namespace conciliacion
