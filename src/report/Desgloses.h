#pragma once
// The pieces the breakdown reports share (branch and chart tree reports by unit or cost centre, and the
// cost-centre sub-rows of the movement report): the list of columns a report shows, the accounts read
// whole before anything is written, one balance per cell, and the account rows.

#include "Listado.h"

#include <QVector>
#include <optional>

namespace report::detalle {

// A breakdown column: a unit or cost-centre code; nullopt for the rows that have none (shown as an empty
// caption, counted with "is null").
using CodigoColumna = std::optional<QString>;

// "campo='code'" or "campo is null".
QString IgualA(const QString& campo, const CodigoColumna& codigo);

// "Select distinct <columnas> From <vista>  where cuenta in ( Select cuenta  From <vista>  where <cuentas>
// and  <period> Group by cuenta ) and (<condicion>)": the chosen codes that the accounts of the report hold.
QString ConsultaDistintos(const Listado& l, const QString& columnas, const QString& vista, const QString& cuentas,
                          const QString& condicion);

// The columns of a report: the codes the query finds (a step per record), else the chosen ones.
QVector<CodigoColumna> LeerColumnas(Listado& l, const QString& sql, const QString& campo, const QStringList& elegidos);

struct Centro {
    CodigoColumna codigo;
    QString descripcion;
};
// The cost centres of the sub-rows: the query's pairs (a step per record), else the chosen codes with their
// names from TA_CCosto ("" when a code has none).
QVector<Centro> LeerCentros(Listado& l, const QString& sql);

struct FilaCuenta {
    QString codigo;
    QString descripcion;
    ado::Variant saldo;
};
// Every account of the row query, read before anything of the table is written (a step per record).
QVector<FilaCuenta> LeerFilas(Listado& l, const QString& sql);

// The "Saldo" of a one-row balance query, as the database gives it.
QString SaldoDeCelda(Listado& l, ado::Recordset& rs, const QString& sql);

// The table's head: the opening, "<TR> " (or "<TR>"), the two account captions, one caption per column, the
// marker and balance captions, "</TR>"; one line each.
void CabeceraDesglose(Listado& l, const QVector<CodigoColumna>& columnas, bool trConBlanco = true);

// How an account row looks: the branch report's (link to the account's report, plain row) or the tree's
// (link to the account popup, coloured by level).
struct EstiloFila {
    bool arbol = false;
    QString claseCelda;   // class of the breakdown cells ("TableRow", "TableRowAbierto", ...)
};
// The row's two lines, with the breakdown cells given; the marker and the absolute balance from the
// balance as a number.
void EscribirFilaCuenta(Listado& l, const EstiloFila& estilo, const FilaCuenta& fila, const QString& celdas);

// The sub-row of one cost centre under an account: code, name, one cell per column, two empty cells.
void EscribirSubfilaCentro(Listado& l, const Centro& centro, const QStringList& valores);

} // namespace report::detalle
