#include "Store.h"
#include "EntornoEscritura.h"

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

std::optional<qint64> ReconciliationStore::EspacioLibre()
{
    const QString archivo = ArchivoEmpresa();
    if (archivo.isEmpty())
        return std::nullopt;
    // A journal an earlier write left at its largest (a run cancelled before this program gave it back, another
    // program's) would be counted as used, though the next write fills it again from its start: it is given
    // back first when no one reads it. Should another station be reading it, it stays and counts as used, which
    // is right: the next write then grows it further.
    cn().TrimJournal();
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
