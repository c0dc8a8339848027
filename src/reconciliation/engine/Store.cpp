#include "Store.h"
#include "EntornoEscritura.h"
#include "EspacioVinculos.h"

#include "platform/ado/Recordset.h"
#include "data/base/DialectoOracle.h"
#include "data/base/Sinonimos.h"

#include <QSqlDatabase>

namespace conciliacion {

ReconciliationStore::ReconciliationStore(ado::Connection& conexion, bool esAdministrador, EntornoTrabajo entorno)
    : m_conexion(&conexion), m_esAdmin(esAdministrador), m_entorno(std::move(entorno))
{
}

ado::Connection& ReconciliationStore::cn()
{
    return *m_conexion;
}

bool ReconciliationStore::esAdmin() const
{
    return m_esAdmin;
}

QString ReconciliationStore::adaptar(const QString& sentencia) const
{
    const QString texto = sinonimos::Reescribir(sentencia, esAdmin());
    return m_conexion->Kind() == ado::BackendKind::Oracle ? oracle::Traducir(texto) : texto;
}

bool ReconciliationStore::oracle()
{
    return cn().Kind() == ado::BackendKind::Oracle;
}

QString ReconciliationStore::sinTabla()
{
    return oracle() ? QStringLiteral(" FROM DUAL") : QString();
}

QString ReconciliationStore::ArchivoEmpresa()
{
    return cn().Kind() == ado::BackendKind::Sqlite ? cn().database().databaseName() : QString();
}

std::optional<qint64> ReconciliationStore::EspacioLibre(qint64 necesario)
{
    const QString archivo = ArchivoEmpresa();
    if (archivo.isEmpty())
        return std::nullopt;
    const std::optional<qint64> libre = EntornoEscrituraActual().EspacioLibre(archivo);
    if (libre && AlcanzaEspacio(necesario, *libre))
        return libre;
    // A journal an earlier write left at its largest (a run cancelled before this program gave it back, another
    // program's) is counted as used, though the next write fills it again from its start: when the room falls
    // short (or cannot be told) it is given back, when no one reads it, and the room told again. Should another
    // station be reading it, it stays and counts as used, which is right: the next write then grows it further.
    // Where the room is enough, the operator does not wait for the give-back.
    if (!cn().TrimJournal())
        return libre;
    return EntornoEscrituraActual().EspacioLibre(archivo);
}

qint64 ReconciliationStore::ejecutar(const QString& sentencia)
{
    qint64 filas = 0;
    cn().Execute(adaptar(sentencia), &filas);
    return filas;
}

ado::RowSet ReconciliationStore::leer(const QString& consulta)
{
    return cn().Query(adaptar(consulta));
}

} // namespace conciliacion
