#include "ImporteEnLetras.h"

#include <QStringList>
#include <array>

namespace suite {

namespace {

const std::array<const char16_t*, 30> kHastaTreinta = {
    u"CERO", u"UNO", u"DOS", u"TRES", u"CUATRO", u"CINCO", u"SEIS", u"SIETE", u"OCHO", u"NUEVE",
    u"DIEZ", u"ONCE", u"DOCE", u"TRECE", u"CATORCE", u"QUINCE", u"DIECISÉIS", u"DIECISIETE", u"DIECIOCHO",
    u"DIECINUEVE", u"VEINTE", u"VEINTIUNO", u"VEINTIDÓS", u"VEINTITRÉS", u"VEINTICUATRO", u"VEINTICINCO",
    u"VEINTISÉIS", u"VEINTISIETE", u"VEINTIOCHO", u"VEINTINUEVE"};
const std::array<const char16_t*, 10> kDecenas = {
    u"", u"", u"", u"TREINTA", u"CUARENTA", u"CINCUENTA", u"SESENTA", u"SETENTA", u"OCHENTA", u"NOVENTA"};
const std::array<const char16_t*, 10> kCentenas = {
    u"", u"CIENTO", u"DOSCIENTOS", u"TRESCIENTOS", u"CUATROCIENTOS", u"QUINIENTOS", u"SEISCIENTOS",
    u"SETECIENTOS", u"OCHOCIENTOS", u"NOVECIENTOS"};

// 1..999. Before "MIL" or "MILLONES" a final "UNO" is said "UN" ("VEINTIÚN MIL").
QString hastaMil(int n, bool apocope)
{
    QStringList partes;
    const int c = n / 100, r = n % 100;
    if (c > 0)
        partes << (n == 100 ? QStringLiteral("CIEN") : QString::fromUtf16(kCentenas[c]));
    if (r > 0) {
        QString resto = r < 30 ? QString::fromUtf16(kHastaTreinta[r])
                               : QString::fromUtf16(kDecenas[r / 10])
                                     + (r % 10 ? QStringLiteral(" Y ") + QString::fromUtf16(kHastaTreinta[r % 10])
                                               : QString());
        if (apocope && r % 10 == 1 && r != 11)
            resto = r == 21 ? QStringLiteral("VEINTIÚN") : resto.chopped(1);
        partes << resto;
    }
    return partes.join(u' ');
}

// Below one million.
QString hastaMillon(qint64 n, bool apocope)
{
    const int miles = int(n / 1000), resto = int(n % 1000);
    QStringList partes;
    if (miles == 1)
        partes << QStringLiteral("MIL");
    else if (miles > 1)
        partes << hastaMil(miles, true) + QStringLiteral(" MIL");
    if (resto > 0)
        partes << hastaMil(resto, apocope);
    return partes.join(u' ');
}

// A whole positive number, with the long scale (millón, billón = 10^12).
QString enLetras(qint64 n)
{
    constexpr qint64 kMillon = 1000000, kBillon = 1000000000000LL;
    QStringList partes;
    auto grupo = [&](qint64 cuantos, const QString& uno, const QString& varios) {
        if (cuantos == 1)
            partes << uno;
        else if (cuantos > 1)
            partes << hastaMillon(cuantos, true) + u' ' + varios;
    };
    grupo(n / kBillon, QStringLiteral("UN BILLÓN"), QStringLiteral("BILLONES"));
    grupo(n % kBillon / kMillon, QStringLiteral("UN MILLÓN"), QStringLiteral("MILLONES"));
    if (n % kMillon > 0)
        partes << hastaMillon(n % kMillon, false);
    return partes.isEmpty() ? QStringLiteral("CERO") : partes.join(u' ');
}

} // namespace

QString ImporteEnLetras(qint64 escaladoDiezMil)
{
    const bool negativo = escaladoDiezMil < 0;
    const qint64 absoluto = negativo ? -escaladoDiezMil : escaladoDiezMil;
    qint64 centavos = absoluto / 100;
    const qint64 resto = absoluto % 100;
    if (resto > 50 || (resto == 50 && centavos % 2 != 0))
        ++centavos;
    const QString letras = enLetras(centavos / 100);
    return (negativo ? QStringLiteral("MENOS ") : QString()) + letras + QStringLiteral(" CON ")
           + QStringLiteral("%1/100").arg(centavos % 100, 2, 10, QChar(u'0'));
}

} // namespace suite
