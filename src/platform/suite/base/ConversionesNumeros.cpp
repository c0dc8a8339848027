// Number conversions: texts read as amounts and numbers, amounts written in words.
#include "Conversiones.h"

#include "ImporteEnLetras.h"
#include "LecturaNumero.h"

namespace suite {

namespace {

template <class T>
T devolver(std::optional<T> valor, bool* ok)
{
    if (ok)
        *ok = valor.has_value();
    return valor.value_or(T{});
}

std::optional<qint64> escalado(const QString& texto)
{
    const std::optional<NumeroLeido> n = LeerNumero(texto);
    return n ? EscaladoDiezMil(*n) : std::nullopt;
}

} // namespace

ado::Currency Conversiones::TextoAMoneda(const QString& texto, bool* ok)
{
    const std::optional<qint64> e = escalado(texto);
    return devolver(e ? std::optional(ado::Currency::fromScaled(*e)) : std::nullopt, ok);
}

double Conversiones::TextoADoble(const QString& texto, bool* ok)
{
    std::optional<double> valor;
    if (const std::optional<NumeroLeido> n = LeerNumero(texto)) {
        const QString plano = (n->negativo ? QStringLiteral("-") : QString()) + n->entero + u'.'
                              + (n->decimales.isEmpty() ? QStringLiteral("0") : n->decimales);
        bool convertido = false;
        const double d = plano.toDouble(&convertido);
        if (convertido)
            valor = d;
    }
    return devolver(valor, ok);
}

qint64 Conversiones::TextoAEntero(const QString& texto, bool* ok)
{
    std::optional<qint64> valor;
    if (const std::optional<qint64> e = escalado(texto)) {
        qint64 entero = *e / 10000;
        const qint64 resto = *e % 10000;  // same sign as the value
        const qint64 absResto = resto < 0 ? -resto : resto;
        if (absResto > 5000 || (absResto == 5000 && entero % 2 != 0))
            entero += resto < 0 ? -1 : 1;
        valor = entero;
    }
    return devolver(valor, ok);
}

QString Conversiones::ImporteATexto(const QString& importe)
{
    const std::optional<qint64> e = escalado(importe);
    return e ? ImporteEnLetras(*e) : QString();
}

} // namespace suite
