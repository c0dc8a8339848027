#pragma once
// The program's SQL is written for SQL Server; on an Oracle connection queries are translated by a fixed
// sequence of text rewrites and action scripts are run statement by statement. Pure text: nothing here
// touches a database, so it is tested without an Oracle server.

#include <QDate>
#include <QList>
#include <QString>

namespace oracle {

// The Oracle form of one query or statement text (a single word only maps LEN to LENGTH).
QString Traducir(const QString& valor);

// "SELECT [DISTINCT] TOP n <rest>" becomes "SELECT * FROM (SELECT [DISTINCT] <rest>) WHERE ROWNUM <= n", so
// that the limit applies after ORDER BY and GROUP BY. A "top" that is not that keyword is left alone.
QString LimitarFilas(const QString& texto);

// Whether a quoted text is a date: d/m/yyyy (or d/m/yy, or "-" between the parts) or yyyy-mm-dd.
bool LeeComoFecha(const QString& texto, QDate* fecha = nullptr);

// One step of an action script.
struct Paso {
    enum Tipo { IniciarTransaccion, Confirmar, Deshacer, Sentencia };
    Tipo tipo = Sentencia;
    QString texto;   // the statement, trimmed (untranslated)
    bool operator==(const Paso& o) const { return tipo == o.tipo && texto == o.texto; }
};

// The script cleaned of SQL Server batch words and line breaks, with its transaction words in Oracle form.
QString LimpiarScript(const QString& script);
// The cleaned script cut into steps at the statement keywords; only keywords outside quoted literals and
// not inside a longer name start a statement. Text before the first keyword is dropped.
QList<Paso> DividirScript(const QString& script);

// "" (and the argument emptied) for a statement with no Oracle meaning ("SET NOCOUNT", "IF NOT EXIST").
QString FiltraSentencia(QString& sentencia);

} // namespace oracle
