// Reading a saved reconciliation's lines back into the lists.

#include "Store.h"
#include "StoreRows.h"
#include "StoreSql.h"

namespace conciliacion {

WorkbenchRows ReconciliationStore::CargarLineas(qint64 numero, Lado lado, bool incluirConciliadas)
{
    return FilasDeLineas(leer(QStringLiteral("SELECT * FROM ") + Describir(lado).tabla + QStringLiteral(" WHERE ")
                              + sql::DelNumero(numero)),
                         lado, incluirConciliadas);
}

} // namespace conciliacion
