#include "CotaImporte.h"

#include "platform/ado/Error.h"
#include "platform/suite/base/LecturaNumero.h"

#include <cmath>
#include <optional>

namespace report {

namespace {

using Lectura = CotaImporte::Lectura;

CotaImporte monto(const suite::NumeroLeido& numero)
{
    const std::optional<qint64> escalado = suite::EscaladoDiezMil(numero);
    if (!escalado)
        return {Lectura::FueraDeRango, {}};
    return {Lectura::Monto, ado::Currency::fromScaled(*escalado)};
}

// "1,5e2", "2E-1": a number as LeerNumero reads it, then "e" and a whole power of ten.
std::optional<CotaImporte> conExponente(const QString& texto)
{
    const qsizetype e = texto.lastIndexOf(QLatin1Char('e'), -1, Qt::CaseInsensitive);
    if (e <= 0)
        return std::nullopt;
    const std::optional<suite::NumeroLeido> mantisa = suite::LeerNumero(texto.left(e));
    bool entero = false;
    const int potencia = texto.mid(e + 1).trimmed().toInt(&entero);
    if (!mantisa || !entero)
        return std::nullopt;
    const QString cifras = mantisa->entero + QLatin1Char('.') + (mantisa->decimales.isEmpty() ? QStringLiteral("0")
                                                                                              : mantisa->decimales);
    const double valor = (mantisa->negativo ? -1.0 : 1.0) * cifras.toDouble() * std::pow(10.0, potencia);
    // The largest money amount, with room for the rounding at the fourth decimal.
    if (!std::isfinite(valor) || std::fabs(valor) >= 922337203685477.0)
        return CotaImporte{Lectura::FueraDeRango, {}};
    try {
        return CotaImporte{Lectura::Monto, ado::Currency::fromDouble(valor)};
    } catch (const ado::Error&) {
        return CotaImporte{Lectura::FueraDeRango, {}};
    }
}

} // namespace

CotaImporte LeerCotaImporte(const QString& texto)
{
    if (texto.trimmed().isEmpty())
        return {};
    if (const std::optional<suite::NumeroLeido> numero = suite::LeerNumero(texto))
        return monto(*numero);
    if (const std::optional<CotaImporte> cota = conExponente(texto.trimmed()))
        return *cota;
    return {Lectura::NoEsImporte, {}};
}

} // namespace report
