// The link table MV_CONCILIACION_Cpte_AUX: one row per linked pair of a left and a right line.

#include "Store.h"
#include "AvancePorReloj.h"
#include "EspacioVinculos.h"
#include "StoreSql.h"

#include <algorithm>

namespace conciliacion {

void ReconciliationStore::desvincularSinMarca(qint64 numero)
{
    // Every unmarked line of the reconciliation, listed or not, loses its link rows. The search starts from the
    // link rows within the reconciliation's run of line IDs (its first and last ID come from its index) and
    // looks each one's line up by ID, so that it reads the link rows of these lines rather than every unmarked
    // line: a reconciliation of a million lines with few links is done at once.
    const QString tablaVinculos = QStringLiteral("MV_CONCILIACION_Cpte_AUX");
    for (Lado lado : {Lado::Izquierda, Lado::Derecha}) {
        const DescripcionLado& d = Describir(lado);
        const QString delNumero = QStringLiteral(" FROM ") + d.tabla + QStringLiteral(" WHERE ") + sql::DelNumero(numero);
        ejecutar(QStringLiteral("DELETE FROM ") + tablaVinculos + QStringLiteral(" WHERE ") + d.enlace
                 + QStringLiteral(" BETWEEN (SELECT MIN(ID)") + delNumero + QStringLiteral(") AND (SELECT MAX(ID)")
                 + delNumero + QStringLiteral(") AND EXISTS (SELECT 1") + delNumero + QStringLiteral(" AND ") + d.tabla
                 + QStringLiteral(".ID = ") + tablaVinculos + QLatin1Char('.') + d.enlace + QStringLiteral(" AND (")
                 + d.marca + QStringLiteral(" IS NULL OR ") + d.marca + QStringLiteral(" = 0))"));
    }
}

bool ReconciliationStore::grabarVinculos(const VinculosAGrabar& vinculos, AvancePorReloj& reloj)
{
    for (const QString& ids : sql::ListasDeIds(vinculos.izquierdasNuevas)) {
        ejecutar(QStringLiteral("DELETE FROM MV_CONCILIACION_Cpte_AUX WHERE IDCPTE IN (") + ids + QLatin1Char(')'));
        if (!reloj.Sumar(0))
            return false;
    }
    // Each to each, one bound statement per pair: nothing grows with the pairs.
    //
    // The link table is indexed by left line and by right line. Written left line by left line, every left
    // line adds a row next to each of its right lines in the right-line index, so once that index outgrows the
    // engine's page cache each row costs a page read and write, and the rate falls as the table grows.
    // Written a band of left lines at a time, right line after right line in ID order, each right line gets
    // the band's rows together and the right-line index is walked once per band, while the left-line index
    // takes rows at the end of each of the band's lines (a few hundred pages, well within the embedded
    // engine's default cache): both stay in the cache, so the rate stays steady.
    constexpr size_t kBanda = 256;
    const QString par = adaptar(QStringLiteral("INSERT INTO MV_CONCILIACION_Cpte_AUX (IdCpte, IdCpteAux) VALUES (?, ?)"));
    std::vector<qint64> izquierdas = vinculos.izquierdasNuevas;
    std::vector<qint64> derechas = vinculos.derechasNuevas;
    std::sort(izquierdas.begin(), izquierdas.end());
    std::sort(derechas.begin(), derechas.end());
    for (size_t banda = 0; banda < izquierdas.size(); banda += kBanda) {
        const size_t fin = std::min(banda + kBanda, izquierdas.size());
        for (qint64 derecha : derechas) {
            for (size_t i = banda; i < fin; ++i)
                cn().ExecuteBound(par, {izquierdas[i], derecha});
            if (!reloj.Sumar(qint64(fin - banda) * kBytesPorVinculo))
                return false;
        }
    }
    return true;
}

} // namespace conciliacion
