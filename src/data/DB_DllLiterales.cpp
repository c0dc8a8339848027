// SQL literals, ADO type predicates and object-name routines: pure text, no database.

#include "DB_Dll.h"

#include "data/base/SqlText.h"
#include "data/base/ValorSql.h"

#include <initializer_list>

namespace {

bool esUnoDe(const ado::Variant& qtype, std::initializer_list<int> numeros)
{
    const QString t = sqltext::TextoDeValor(qtype).trimmed();
    for (int n : numeros) {
        if (t == QString::number(n))
            return true;
    }
    return false;
}

} // namespace

QString DB_Dll::SQLValue(const ado::Variant& Valor, const QString& Tipo)
{
    return sqltext::ValorSQL(Valor, Tipo);
}

bool DB_Dll::adodate(const ado::Variant& Qtype)
{
    return esUnoDe(Qtype, {7, 133, 134, 135, 137, 64});
}

bool DB_Dll::ADOText(const ado::Variant& Qtype)
{
    return esUnoDe(Qtype, {8, 201, 203, 200, 202, 130, 129});
}

bool DB_Dll::ADONumeric(const ado::Variant& Qtype)
{
    return esUnoDe(Qtype, {20, 14, 5, 3, 131, 4, 2, 16, 21, 19, 18, 17});
}

bool DB_Dll::ADOCurrency(const ado::Variant& Qtype)
{
    return esUnoDe(Qtype, {6});
}

bool DB_Dll::ADOBoolean(const ado::Variant& Qtype)
{
    return esUnoDe(Qtype, {11});
}

QString DB_Dll::ADOComilla(const ado::Variant& Qtype)
{
    return adodate(Qtype) || ADOText(Qtype) ? QStringLiteral("'") : QString();
}

QString DB_Dll::stSTF(QString& rsName, bool rnPart)
{
    if (rsName.count(QLatin1Char('.')) >= 2)
        return StripOwner(rsName);
    const qsizetype punto = rsName.indexOf(QLatin1Char('.'));
    if (punto < 0)
        return rsName;
    return rnPart ? rsName.mid(punto + 1) : rsName.left(punto);
}

QString DB_Dll::AddBrackets(const QString& rObjName)
{
    if (rObjName.contains(QLatin1Char(' ')) && !rObjName.startsWith(QLatin1Char('[')))
        return QLatin1Char('[') + rObjName + QLatin1Char(']');
    return rObjName;
}

QString DB_Dll::StripConnect(const QString& rsTblName)
{
    const qsizetype flecha = rsTblName.indexOf(QStringLiteral("->"));
    if (flecha < 0)
        return rsTblName;
    return rsTblName.left(qMax<qsizetype>(flecha - 1, 0));
}

QString DB_Dll::StripBrackets(const QString& rsObjName)
{
    if (!rsObjName.startsWith(QLatin1Char('[')))
        return rsObjName;
    return rsObjName.mid(1, qMax<qsizetype>(rsObjName.size() - 2, 0));
}

QString DB_Dll::StripOwner(QString& rsTblName)
{
    const qsizetype punto = rsTblName.indexOf(QLatin1Char('.'));
    if (punto >= 0)
        rsTblName = rsTblName.mid(punto + 1);
    return rsTblName;
}

QString DB_Dll::StripFileName(const QString& rsFileName)
{
    const qsizetype barra = rsFileName.lastIndexOf(QLatin1Char('\\'));
    return barra > 0 ? rsFileName.left(barra) : QString();
}
