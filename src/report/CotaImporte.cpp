#include "CotaImporte.h"

#include "platform/suite/base/LecturaNumero.h"

#include <QRegularExpression>
#include <algorithm>
#include <optional>

namespace report {

namespace {

using Lectura = CotaImporte::Lectura;

// Beyond this many places either way a power of ten leaves no money amount: more whole digits than it holds,
// or nothing at the fourth decimal.
constexpr qint64 kMaximoCorrimiento = 40;

CotaImporte monto(const suite::NumeroLeido& numero)
{
    const std::optional<qint64> escalado = suite::EscaladoDiezMil(numero);
    if (!escalado)
        return {Lectura::FueraDeRango, {}};
    return {Lectura::Monto, ado::Currency::fromScaled(*escalado)};
}

// "1,5e2", "2E-1": a number as LeerNumero reads it, then "e" and a whole power of ten. The decimal point is
// moved in the digits themselves, so the amount is exact (no binary number on the way) and rounds at the fourth
// decimal as any other bound does.
std::optional<CotaImporte> conExponente(const QString& texto)
{
    const qsizetype e = texto.lastIndexOf(QLatin1Char('e'), -1, Qt::CaseInsensitive);
    if (e <= 0)
        return std::nullopt;
    const std::optional<suite::NumeroLeido> mantisa = suite::LeerNumero(texto.left(e));
    const QString textoPotencia = texto.mid(e + 1).trimmed();
    static const QRegularExpression kPotencia(QStringLiteral("^[+-]?[0-9]+$"));
    if (!mantisa || !kPotencia.match(textoPotencia).hasMatch())
        return std::nullopt;
    // The power saturates far past any position a digit of the text can hold, so adding it to the point's place
    // cannot overflow and a power too long for a whole number reads as far past either end all the same.
    constexpr qint64 kSaturada = qint64(1) << 62;
    bool cabe = false;
    qint64 potencia = textoPotencia.toLongLong(&cabe);
    if (!cabe)
        potencia = textoPotencia.startsWith(QLatin1Char('-')) ? -kSaturada : kSaturada;
    potencia = std::clamp(potencia, -kSaturada, kSaturada);
    QString cifras = mantisa->entero + mantisa->decimales;
    qint64 punto = qint64(mantisa->entero.size());
    while (cifras.size() > 1 && cifras.front() == QLatin1Char('0')) {
        cifras.remove(0, 1);
        --punto;
    }
    if (cifras == QLatin1String("0"))
        return CotaImporte{Lectura::Monto, {}};
    // Far past either end of what money holds: no amount that large, or nothing left at the fourth decimal.
    if (punto + potencia > kMaximoCorrimiento)
        return CotaImporte{Lectura::FueraDeRango, {}};
    if (punto + potencia < -kMaximoCorrimiento)
        return CotaImporte{Lectura::Monto, {}};
    punto += potencia;
    suite::NumeroLeido corrido;
    corrido.negativo = mantisa->negativo;
    if (punto <= 0) {
        corrido.entero = QStringLiteral("0");
        corrido.decimales = QString(qsizetype(-punto), QLatin1Char('0')) + cifras;
    } else {
        corrido.entero = cifras.left(qsizetype(punto)).leftJustified(qsizetype(punto), QLatin1Char('0'));
        corrido.decimales = cifras.mid(qsizetype(punto));
    }
    return monto(corrido);
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
