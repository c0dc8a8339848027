#pragma once
// The reconcile step's linking: every newly marked left row (marked, link list blank) is linked with every
// newly marked right row, each to each. Rows linked by an earlier run keep their links. The number of link
// rows grows as new-left x new-right, so the caller asks before a run that would write very many.

#include "Pregunta.h"
#include "WorkbenchRow.h"

#include <functional>
#include <optional>

namespace conciliacion {

struct VinculosNuevos {
    std::vector<qsizetype> izquierda;   // positions of the new left rows, in list order
    std::vector<qsizetype> derecha;     // positions of the new right rows, in list order
    QString textoIzquierda;             // L: the new left IDs joined by ","; becomes each new right row's list
    QString textoDerecha;               // R: the new right IDs; becomes each new left row's list

    // The link rows the run writes: one per (new left, new right) pair.
    qint64 Cantidad() const { return qint64(izquierda.size()) * qint64(derecha.size()); }
};

// The new rows of both lists and their link texts, in the lists' current order. Nothing is changed.
VinculosNuevos BuscarVinculosNuevos(const WorkbenchRows& izquierda, const WorkbenchRows& derecha);
// Gives each new left row R and each new right row L as its link list.
void AsignarVinculosNuevos(WorkbenchRows& izquierda, WorkbenchRows& derecha, const VinculosNuevos& nuevos);
// Calls fn(leftID, rightID) for every pair, left rows in order, each with the right rows in order.
void RecorrerParesNuevos(const VinculosNuevos& nuevos, const WorkbenchRows& izquierda,
                         const WorkbenchRows& derecha, const std::function<void(qint64, qint64)>& fn);

// Up to this many link rows a run goes ahead without asking.
constexpr qint64 kVinculosSinPreguntar = 10000;
// The question to ask before writing more than kVinculosSinPreguntar link rows (No is the default), with the
// free room the writing needs when it is known (EspacioVinculos.h); none below that.
std::optional<Pregunta> PreguntaVinculosNuevos(const VinculosNuevos& nuevos, std::optional<qint64> espacio = {});

// What the operator is told when the writing of the link rows was cancelled (everything was rolled back).
inline const QString kMensajeConciliacionNoGrabada =
    QStringLiteral("Se canceló la grabación de los vínculos: la conciliación no se grabó.");
// What the window shows once the writing can no longer be cancelled: the engine is confirming the transaction.
inline const QString kTituloTerminandoDeGrabar = QStringLiteral("Terminando de grabar ...");
inline const QString kTextoTerminandoDeGrabar =
    QStringLiteral("Ya no se puede cancelar: la conciliación se está grabando.");
// What the operator is told when a write shown with its progress ended saved: `vinculos` link rows written.
QString MensajeConciliacionGrabada(qint64 vinculos);

} // namespace conciliacion
