#pragma once
// Automatic matching ("Comparar"): per unmarked left row, in list order, the first unmarked right row in list
// order that agrees on every chosen field is marked with it and both are painted black; rows that agree in
// part are painted red. Text fields agree when equal without regard to letter case (blanks count); amounts,
// when chosen, agree when equal or no further apart than the tolerance, and an amount disagreement rules the
// pair out entirely. Only marks and colours change; nothing is linked or written.
//
// Comparar reaches exactly the marks and colours of the pair-by-pair rule (MatchingReference.h) through an
// index, in about n log n. Long lists are read and searched over a few threads; the run itself, which pairs in
// list order, is one, so the result does not depend on the number of cores. The caller recomputes all totals
// with CalcularTotales afterwards.

#include "WorkbenchRow.h"

#include <array>
#include <functional>

namespace conciliacion {

// The fields the operator may choose to compare; field k compares list column k + 1.
enum CajaComparar : int { cajaFecha = 0, cajaVencimiento, cajaTC, cajaComprobante, cajaImporte, cajaConcepto,
                          kCantidadCajas };

struct OpcionesComparacion {
    std::array<bool, kCantidadCajas> cajas{};   // true for a field chosen (stored value 1)
    ado::Currency tolerancia;                   // the amount tolerance, as money
};

enum class EstadoComparacion { Terminada, ListaIzquierdaVacia, ListaDerechaVacia };

struct ResultadoComparacion {
    EstadoComparacion estado = EstadoComparacion::Terminada;
    bool todasLasCajas = false;   // no field was chosen, so all six were: the caller shows them chosen
    bool cancelada = false;
    qint64 pares = 0;             // pairs marked
};

// Progress: the left rows handled so far, the left row count, and how far into the right list the last
// left row's search went (percent: where its partner stands, 100 when it found none), as the pair-by-pair
// rule walks it. Called on a time budget (about every 50 ms, and once at the start), not per row; answering
// true cancels, keeping the pairs made so far.
using AvanceComparacion = std::function<bool(qsizetype hechas, qsizetype total, int individual)>;
// The positions of the rows whose mark or colour a run changed, ascending, per side.
struct FilasComparadas {
    std::vector<qsizetype> izquierda;
    std::vector<qsizetype> derecha;
};
ResultadoComparacion Comparar(WorkbenchRows& izquierda, WorkbenchRows& derecha,
                              const OpcionesComparacion& opciones, const AvanceComparacion& avance = {},
                              FilasComparadas* cambiadas = nullptr);

// The fields that take part: those chosen, or all six when none is (then `todas` is set).
std::array<bool, kCantidadCajas> CajasElegidas(const OpcionesComparacion& opciones, bool& todas);
// The cell a text field compares.
const QString& TextoCaja(const WorkbenchRow& fila, int caja);
// The refusal for empty lists, checked left first; Terminada when both lists have rows.
EstadoComparacion ComprobarListas(const WorkbenchRows& izquierda, const WorkbenchRows& derecha);

inline const QString kMensajeIzquierdaVacia =
    QStringLiteral("Imposible realizar la comparación porque la Lista Izquierda está vacía!!!");
inline const QString kMensajeDerechaVacia =
    QStringLiteral("Imposible realizar la comparación porque la Lista Derecha está vacía!!!");
inline const QString kMensajeComparacionTerminada = QStringLiteral("Comparación Terminada!!!");
inline const QString kTituloProgresoComparacion = QStringLiteral("Comparando");
inline const QString kLeyendaProgresoComparacion = QStringLiteral("Realizando Comparación");

} // namespace conciliacion
