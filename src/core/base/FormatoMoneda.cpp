#include "FormatoMoneda.h"

#include "platform/ado/Error.h"
#include "platform/suite/base/Conversiones.h"

#include <QLocale>
#include <climits>
#include <clocale>

namespace ModGlobal {

std::optional<int> DecimalesMoneda(int Decimales, const QString& cantidadDecimales)
{
    if (Decimales == -3)
        return std::nullopt;
    int d = Decimales == -1 ? int(suite::Conversiones::TextoAEntero(cantidadDecimales)) : Decimales;
    if (d == 0)
        d = DecimalesRegionales();
    if (d == -2)
        d = 0;
    if (d < 0)
        throw ado::Error(5, QStringLiteral("Llamada a procedimiento o argumento no válido"));
    return d;
}

QString FormatoMoneda(const ado::Currency& monto, int d)
{
    const ado::Currency redondeado = d < 4 ? monto.rounded(d) : monto;
    const qint64 escalado = redondeado.scaled();
    const quint64 absoluto = escalado < 0 ? quint64(-(escalado + 1)) + 1 : quint64(escalado);
    QString texto = escalado < 0 ? QStringLiteral("-") : QString();
    texto += QString::number(absoluto / ado::Currency::kScale);
    if (d == 0)
        return texto;
    QString fraccion = QString::number(absoluto % ado::Currency::kScale).rightJustified(4, QLatin1Char('0'));
    fraccion = d <= 4 ? fraccion.left(d) : fraccion + QString(d - 4, QLatin1Char('0'));
    return texto + QLocale().decimalPoint() + fraccion;
}

int DecimalesRegionales()
{
    const std::lconv* conv = std::localeconv();
    if (conv && conv->frac_digits != CHAR_MAX && conv->frac_digits >= 0)
        return conv->frac_digits;
    return 2;
}

} // namespace ModGlobal
