#pragma once
// The chart of accounts as a tree, without widgets: which query reads the chart, and where each account goes.
// The shape comes from the code lengths alone, in the query's order (by code): a code longer than the previous
// one is its child, a shorter one climbs until it meets a key of its own length (its sibling) or a shorter one
// (its parent).

#include <QString>
#include <QVector>

namespace tablero {

inline constexpr char kClaveRaiz[] = "A";
inline constexpr char kTextoRaiz[] = "Plan General de Cuentas";

// The chart query for the value of the configuration key "PlanCuentas_ClyPr" as Cfg returns it: blank or
// "NO" (any case) leaves out the client and supplier accounts; any other value lists them.
QString ConsultaPlanCuentas(const QString& valorClyPr);

struct FilaCuenta {
    QString codigo;        // as the query returns it
    QString descripcion;
};

struct NodoCuenta {
    QString clave;         // "A" followed by the code
    QString texto;         // code " - " description
    QString padre;         // key of the parent ("A" under the root)
    bool repetida = false; // its key is taken already: adding it fails, and the tree goes on as before it
};

// One node per row, in order. The root itself is not among them.
QVector<NodoCuenta> ArmarNodos(const QVector<FilaCuenta>& filas);

// The account code a node stands for: its key without the first character ("" for the root: the whole chart).
QString CodigoDeClave(const QString& clave);

} // namespace tablero
