#include "ValorSql.h"

#include "SqlText.h"
#include "platform/suite/base/Conversiones.h"

namespace sqltext {

namespace {

ado::Currency aMoneda(const ado::Variant& valor)
{
    if (valor.type() == ado::VarType::String)
        return suite::Conversiones::TextoAMoneda(valor.toString());
    return valor.isEmpty() ? ado::Currency() : valor.toCurrency();
}

} // namespace

QString ValorSQL(const ado::Variant& Valor, const QString& Tipo)
{
    const bool importe = Tipo.compare(QStringLiteral("@"), Qt::CaseInsensitive) == 0;
    if (Valor.isNull())
        return importe ? QStringLiteral("0") : QStringLiteral("NULL");
    if (importe)
        return suite::Conversiones::Reemplazar(aMoneda(Valor).toString(), QStringLiteral(","), QStringLiteral("."));
    if (Tipo == QLatin1String("'"))
        return Entrecomillar(TextoDeValor(Valor));
    return TextoDeValor(Valor);
}

} // namespace sqltext
