#pragma once
// The state of one report while writeHTML writes it, shared by the three modes: the arguments, the page
// file (one page or parts), the period and the voucher filter as SQL, the levels read once, and the per-record
// step (cancel test every record; progress and window events on a time budget).

#include "ArchivoListado.h"
#include "ClassHTML.h"

#include "platform/ado/Recordset.h"
#include "platform/suite/base/PresupuestoTiempo.h"

#include <QString>
#include <QStringList>
#include <QVarLengthArray>
#include <utility>

namespace report::detalle {

// Thrown by the step when the operator asked to cancel.
struct ListadoCancelado {};
// Thrown when a query could not be opened (the data layer has told the operator already).
struct ConsultaFallida {};

// A value put between the quotes of an SQL text literal: its quotes doubled.
QString Literal(const QString& valor);
// Reads the current record's fields by name, finding each name's position once per query: a report reads the
// same dozen fields of every one of its rows.
class Campos {
public:
    explicit Campos(ado::Recordset& rs) : m_rs(rs) {}
    ado::Variant operator[](const char* nombre);

private:
    ado::Recordset& m_rs;
    QVarLengthArray<std::pair<const char*, int>, 16> m_posiciones;
};

// The text of a field as the page shows it, escaped for HTML.
QString Celda(const ado::Variant& valor);
// Balances are money: a database sum comes back as a binary double (0.1 + 0.2 - 0.3 is not zero there), so
// every amount is taken as the exact four-decimal money amount it stands for before any sign test or text.
// Null and Empty stay as they are.
ado::Variant Dinero(const ado::Variant& importe);
// The plain number text of a money amount: no thousands separator, exact, and with at least the configured
// money decimals (1124114.80, not 1124114.8); "" for Null.
QString TextoDinero(const ado::Variant& importe);
// "(D) " above zero, "(H) " below, "" at zero or for Null.
QString MarcaSaldo(const ado::Variant& saldo);
// The absolute value in plain number text (TextoDinero); "" for Null.
QString SaldoAbsoluto(const ado::Variant& saldo);
// ModGlobal.FmtMoneda of the absolute amount with the configured decimals.
QString MonedaAbsoluta(const ado::Variant& importe);

class Listado {
public:
    Listado(const ClassHTML& html, const ParametrosListado& p, HostReporte* host, ArchivoListado& archivo,
            const ast::TablaNiveles& niveles);

    const ClassHTML& html;
    const ParametrosListado& p;
    HostReporte* host;
    ArchivoListado& archivo;
    ast::TablaNiveles niveles;

    QString desde;    // the period bounds as quoted SQL date literals
    QString hasta;
    QString cuenta;   // Cuenta ready to go between quotes
    QString filtro;   // the voucher filter: "" or conditions each starting with " AND "

    void Linea(const QString& texto) { archivo.Linea(texto); }
    // The table's rows follow, `total` of them; a row begins (a long report goes on in its next part).
    void ComenzarFilas(qint64 total) { archivo.ComenzarFilas(total); }
    void Fila() { archivo.Fila(); }
    // Opens a query on the shared connection, the host's events running while the engine reads;
    // ConsultaFallida when it cannot be opened, ListadoCancelado when the operator cancelled meanwhile.
    void Abrir(const QString& sql, ado::Recordset& rs);
    // The step at the start of each record: ListadoCancelado when the operator asked to cancel.
    void Paso(const ado::Recordset& rs);
    // Lets window events run (on the time budget).
    void Eventos();

    // ModGlobal.ArmarCondicion over a code list, " = ", " OR ", quoted, blanks kept.
    static QString Condicion(const QString& campo, const QStringList& valores, bool nulos);
    // "(fecha<='H' or Fecha is null) and (fecha>='D' or Fecha is null)" with the period.
    QString Periodo() const;
    // "(Fecha <= 'H' or Fecha is null ) and (Fecha >= 'D' or Fecha is null )" with the period.
    QString PeriodoAmplio() const;

    // The balance band: with a query, its "Saldo" beside a link one level up; without one, a link to Cuenta.
    // The bar of a report in parts follows it.
    void BandaSaldo(const QString& sqlSaldo);
    void BandaSinSaldo();

    int LargoHijo() const;
    int LargoPadre() const;

private:
    suite::PresupuestoTiempo m_presupuesto;
};

} // namespace report::detalle
