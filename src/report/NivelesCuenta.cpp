#include "NivelesCuenta.h"

#include "core/Configuration.h"
#include "platform/ado/Error.h"

#include <cmath>

namespace ast {

TablaNiveles gDigitos{};
qint16 DigitosTotal = 0;
TablaNiveles gFines{};
qint16 LargoCodigoCuenta = 0;

namespace {

const char* const kSegmentos[6] = {"Capitulo", "SubCapitulo", "Rubro", "SubRubro", "Cuenta", "SubCuenta"};

qint16 aEntero16(double valor)
{
    const double redondeado = std::nearbyint(valor);   // half to even under the default rounding mode
    if (!(redondeado >= -32768.0 && redondeado <= 32767.0))
        throw ado::Error(ado::kErrOverflow, QStringLiteral("Desbordamiento"));
    return qint16(redondeado);
}

double numeroInicial(const QString& texto)
{
    int i = 0;
    const int n = int(texto.size());
    while (i < n && (texto[i] == QLatin1Char(' ') || texto[i] == QLatin1Char('\t')))
        ++i;
    QString numero;
    if (i < n && (texto[i] == QLatin1Char('-') || texto[i] == QLatin1Char('+')))
        numero += texto[i++];
    bool punto = false;
    for (; i < n; ++i) {
        const QChar c = texto[i];
        if (c.isDigit() && c.unicode() < 128)
            numero += c;
        else if (c == QLatin1Char('.') && !punto) {
            punto = true;
            numero += c;
        } else
            break;
    }
    bool ok = false;
    const double valor = numero.toDouble(&ok);
    return ok ? valor : 0.0;
}

} // namespace

qint16 ValorNivel(const QString& texto)
{
    return aEntero16(numeroInicial(texto));
}

void LeerDigitosNiveles()
{
    qint32 total = 0;
    for (int k = 0; k < 6; ++k) {
        gDigitos[k] = ValorNivel(ModGlobal::Cfg(QStringLiteral("Digitos_") + QLatin1String(kSegmentos[k])));
        total += gDigitos[k];
        if (total > 32767 || total < -32768)
            throw ado::Error(ado::kErrOverflow, QStringLiteral("Desbordamiento"));
    }
    DigitosTotal = qint16(total);
}

void LeerPosicionesNiveles()
{
    double anterior = 0;
    for (int k = 0; k < 6; ++k) {
        const QString clave = (QStringLiteral("DIGITOS_") + QLatin1String(kSegmentos[k])).toUpper();
        const double valor = numeroInicial(ModGlobal::Cfg(clave));
        gFines[k] = aEntero16(k == 0 ? valor : valor + anterior);
        anterior = gFines[k];
    }
    LargoCodigoCuenta = gFines[5];
}

int LargoHijo(const TablaNiveles& L, int n)
{
    if (n == 0)
        return L[0];
    if (n == L[0])
        return L[1];
    for (int k = 1; k <= 3; ++k)
        if (n <= L[k])
            return L[k + 1];
    return L[5];
}

int LargoPadre(const TablaNiveles& L, int n)
{
    if (n == 0 || n == L[0])
        return 0;
    for (int k = 1; k <= 5; ++k)
        if (n <= L[k])
            return L[k - 1];
    return L[5];
}

QString ColorNivel(const TablaNiveles& L, int n)
{
    static const char* const kColores[] = {"#f0aaa8", "#f0bab7", "#f0cac6", "#ffcac4", "#ffcac3"};
    if (n == 0 || n == L[0])
        return QStringLiteral("#f9aba9");
    for (int k = 1; k <= 5; ++k)
        if (n <= L[k])
            return QLatin1String(kColores[k - 1]);
    return QStringLiteral("#f0cac0");
}

} // namespace ast
