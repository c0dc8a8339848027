// Deleting a whole reconciliation.

#include "Store.h"
#include "StoreSql.h"
#include "Transaccion.h"

namespace conciliacion {

Resultado ReconciliationStore::Borrar(qint64 numero, const QString& propietario)
{
    const QString p = sql::DelNumero(numero);
    // The transaction holds the write lock from its start, so the check stands until the writes are done.
    sql::Transaccion transaccion(cn());
    if (cabeceraFinalizada(numero))
        return Resultado::Finalizada;
    // Links first, of every line of the reconciliation whether listed or not; then lines, header and lock.
    ejecutar(QStringLiteral("DELETE MV_CONCILIACION_Cpte_AUX WHERE IDcpte IN (SELECT ID FROM MV_CONCILIACION WHERE ")
             + p + QStringLiteral(") OR IdCpteAux IN (SELECT ID FROM MV_CONCILIACION_AUX WHERE ") + p
             + QLatin1Char(')'));
    ejecutar(QStringLiteral("DELETE MV_CONCILIACION WHERE ") + p);
    ejecutar(QStringLiteral("DELETE MV_CONCILIACION_AUX WHERE ") + p);
    ejecutar(QStringLiteral("DELETE MV_CONCILIACION_CAB WHERE ") + p);
    SoltarBloqueo(numero, propietario);
    transaccion.Confirmar();
    return Resultado::Hecho;
}

} // namespace conciliacion
