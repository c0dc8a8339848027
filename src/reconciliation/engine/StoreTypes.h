#pragma once
// Plain types of the reconciliation store: a reconciliation's header, a line's saved state, a link pair, the
// outcomes that are not failures, and the two ways a reconciliation number is written into SQL.

#include "LinkListReconcile.h"
#include "WorkbenchRow.h"

#include <QString>
#include <functional>
#include <vector>

namespace conciliacion {

// The number as the reconciliation tables hold it: padded to 15 by FormatoAncho (blanks on the left, so that
// text order follows the number).
QString NumeroTabla(qint64 numero);
// The number as the edit-lock row holds it: eight digits with leading zeros.
QString NumeroBloqueo(qint64 numero);
// The number at the start of a stored or typed number text, blanks skipped; 0 when none.
qint64 NumeroDeTexto(const QString& texto);

// One row of MV_CONCILIACION_CAB. Dates are day/month/year texts as the header fields show them ("" for
// none); `tipo` is "CTA" for reconciliations made here, "BCO" for the bank-reconciliation program's.
struct Cabecera {
    qint64 numero = 0;
    QString tipo = QStringLiteral("CTA");
    QString cuenta;
    QString fecha;
    QString observaciones;
    QString fechaDesde;
    QString fechaHasta;
    QString unegocio;       // journal filter by business unit; blank: none
    QString usuario;        // journal filter by the user who keyed the entry; blank: none
    bool finalizada = false;

    // Made by the bank-reconciliation program, which alone may change it.
    bool DeBanco() const { return tipo.trimmed().compare(QLatin1String("BCO"), Qt::CaseInsensitive) == 0; }
};

// Raises ado::Error "Se debe informar el Campo: <field>" for the first of number, date, account and period
// that the header lacks: the store writes no header without them.
void ComprobarCabecera(const Cabecera& cabecera);

// What a save writes for one line: its mark and its link list.
struct EstadoFila {
    qint64 id = 0;
    bool marcada = false;
    QString vinculo;
};
using EstadosFilas = std::vector<EstadoFila>;

// The states of every row of a list, in list order.
EstadosFilas Estados(const WorkbenchRows& filas);

// The link-table rows a reconciling run writes: every new left row (MV_CONCILIACION.ID) loses its old link
// rows and gets one row per new right row (MV_CONCILIACION_AUX.ID), each to each. The pairs are never held
// all at once: the store writes them a block at a time.
struct VinculosAGrabar {
    std::vector<qint64> izquierdasNuevas;
    std::vector<qint64> derechasNuevas;
    qint64 Cantidad() const { return qint64(izquierdasNuevas.size()) * qint64(derechasNuevas.size()); }
};

// Progress of a long write: the rows written so far and the rows to write; answering true cancels, and the
// whole operation is rolled back.
using AvanceEscritura = std::function<bool(qint64 hechos, qint64 total)>;

// The tables and columns of one side.
struct DescripcionLado {
    QString tabla;          // the side's lines: MV_CONCILIACION / MV_CONCILIACION_AUX
    QString marca;          // the reconciled mark: CONCILIADO / FINALIZADA
    QString vinculo;        // the link list: CONCILIADOCON / CONCILIA
    QString enlace;         // the link table's column naming a line of this side: IDCPTE / IDCPTEaux
    QString debeHaber;      // the journal side: 'D' / 'H'
};
const DescripcionLado& Describir(Lado lado);
Lado OtroLado(Lado lado);

// The link rows of a reconciling run, from the new rows the lists' linking found (positions in the lists as
// they stand).
VinculosAGrabar ParaGrabar(const VinculosNuevos& nuevos, const WorkbenchRows& izquierda,
                           const WorkbenchRows& derecha);

// Outcomes of the operations that change a reconciliation.
enum class Resultado {
    Hecho,
    Finalizada,     // the reconciliation is finalized: nothing was written
    Cancelada,      // the operator cancelled a long write: nothing was written
};

// Outcome of asking for the edit lock.
struct ResultadoBloqueo {
    bool tomado = false;
    QString titular;        // when not taken: the owner text of the station that holds it
};

// A run of line IDs of one side: every ID above `despuesDe` up to `hasta`; empty when they are equal.
struct TramoIds {
    qint64 despuesDe = 0;
    qint64 hasta = 0;
    bool Contiene(qint64 id) const { return id > despuesDe && id <= hasta; }
};

// What registering a panel's free journal lines left.
struct ResultadoRegistro {
    bool cabeceraCreada = false;    // the header did not exist and was written with this call
    bool finalizada = false;        // the reconciliation is finalized: nothing was registered
    WorkbenchRows filas;            // the lines registered now, in the journal query's order
    // The IDs of the lines registered now: the reconciliation's lines of the side with an ID in it are exactly
    // those registered.
    TramoIds ids;
    qint64 cantidad = 0;            // how many lines were registered
};

} // namespace conciliacion
