#pragma once
// The company database for the embedded engine: its schema (company.sql) and the data generator used by the
// demo, the tests and the benchmarks.

#include <QDate>
#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace schema {

struct Options {
    // 0: the small demo company only; N > 0: also the benchmark bank account with N debit and N credit lines.
    int linesPerSide = 0;
    // Seeds the amounts and the choice of parties; the same seed gives the same database.
    quint32 seed = 1;
};

// Creates the file with the schema and the demo company (refusing to overwrite an existing file). On failure
// no file is left behind and `error` says why.
bool CreateCompanyDatabase(const QString& file, const Options& options, QString* error = nullptr);

// Creates the file with the schema only, for tests that insert their own rows.
bool CreateEmptyDatabase(const QString& file, QString* error = nullptr);
// The same, then the given statements (a test's own rows) in order.
bool CreateDatabaseWithRows(const QString& file, const QStringList& statements, QString* error = nullptr);

// Fills the balance and cost-centre tables (ve_saldosctaAC, VE_SALDOSCTAAC_CCosto, VT_Asientos_CCosto,
// VT_ASIENTOS_CCOSTO1) anew from the journal, the chart of accounts and MV_ASIENTOSCCOSTO. The generator
// does it; tests that write their own journal lines call it before reading balances.
bool RebuildJournalViews(const QString& file, QString* error = nullptr);

// The schema's statements, in order.
QStringList SchemaStatements();

// Names and values of the demo company, so that tests and scripts need not repeat literals.
inline constexpr char kAdminUser[] = "admin";          // Administrador = 1
inline constexpr char kOperatorUser[] = "operador";    // Administrador = 0
inline constexpr char kCompanyName[] = "Empresa Demo S.A.";
inline constexpr char kBankAccount[] = "1101";         // "Banco cuenta corriente": the account to reconcile
inline constexpr char kCashAccount[] = "1102";         // "Caja": another postable account
inline constexpr char kHeadingAccount[] = "11";        // "ACTIVO CORRIENTE": Titulo = 1
inline constexpr char kBenchAccount[] = "1105";        // "Banco cuenta recaudadora": the --lines account
inline constexpr char kClosedAccount[] = "1106";       // DADA_DE_BAJA = 1
inline constexpr char kBusinessUnit[] = "0001";        // "Casa Central"
inline constexpr char kStation[] = "PUESTO01";         // the PC named in the voucher histories
inline constexpr char kTipoReg[] = "N";                // TIPO_REG of every generated journal line
inline constexpr char kTolerance[] = "0.01";           // TA_CONFIGURACION "ToleranciaRedondeo"

// The demo journal's months follow the day the file is made: kDemoMonths whole months, the last of them the
// current month, so that the period the workbench proposes (the current month) has lines to reconcile.
inline constexpr int kDemoMonths = 3;
QDate DemoFirstDay();
QDate DemoLastDay();
// A day of the demo's month 1..kDemoMonths (1 the earliest); a day past the month's end is its last day.
QDate DemoDay(int month, int day);
// The fiscal year of the demo's last month: TA_CONFIGURACION "PERIODO" (MV_EJERCICIOS holds it and the year
// before). Each journal line's PERIODO is the year of its date.
inline const int kPeriodo = DemoLastDay().year();

} // namespace schema
