#include "LecturaNumero.h"

#include <algorithm>
#include <limits>

namespace suite {

namespace {

bool esBlanco(QChar c)
{
    return c.isSpace() || c == QChar(0x00A0) || c == QChar(0x202F);
}

// Takes a sign, parentheses and a currency symbol off either end.
QString quitarSigno(QString s, const QLocale& locale, bool& negativo)
{
    negativo = false;
    const QString simbolo = locale.currencySymbol();
    auto quitarSimbolo = [&] {
        for (const QString& sym : {QStringLiteral("$"), simbolo}) {
            if (sym.isEmpty())
                continue;
            if (s.startsWith(sym))
                s = s.mid(sym.size()).trimmed();
            if (s.endsWith(sym)) {
                s.chop(sym.size());
                s = s.trimmed();
            }
        }
    };
    quitarSimbolo();
    if (s.size() >= 2 && s.startsWith(u'(') && s.endsWith(u')')) {
        negativo = true;
        s = s.mid(1, s.size() - 2).trimmed();
    } else if (!s.isEmpty() && (s.front() == u'-' || s.front() == u'+')) {
        negativo = s.front() == u'-';
        s = s.mid(1).trimmed();
    } else if (!s.isEmpty() && (s.back() == u'-' || s.back() == u'+')) {
        negativo = s.back() == u'-';
        s.chop(1);
        s = s.trimmed();
    }
    quitarSimbolo();
    return s;
}

// The digits before the first separator are all zeros: grouping never writes a leading group of 0, so such a
// number has no thousands separators.
bool primerGrupoEsCero(const QString& s)
{
    const auto primero = std::find_if(s.begin(), s.end(), [](QChar c) { return c == u'.' || c == u','; });
    return primero != s.begin() && primero != s.end() && std::all_of(s.begin(), primero, [](QChar c) { return c == u'0'; });
}

bool pareceMiles(const QString& s, qsizetype pos)
{
    return pos >= 1 && pos <= 3 && s.size() - pos - 1 == 3 && !primerGrupoEsCero(s);
}

} // namespace

std::optional<NumeroLeido> LeerNumero(const QString& texto, const QLocale& locale)
{
    NumeroLeido n;
    QString s = quitarSigno(texto.trimmed(), locale, n.negativo);
    if (texto.trimmed().isEmpty()) {
        n.entero = QStringLiteral("0");
        return n;
    }

    // Blanks inside count as thousands separators only where the locale groups with a blank.
    const QString grupoLocal = locale.groupSeparator();
    const bool grupoEsBlanco = grupoLocal.size() == 1 && esBlanco(grupoLocal.front());
    QString limpio;
    for (QChar c : s) {
        if (esBlanco(c)) {
            if (!grupoEsBlanco)
                return std::nullopt;
            continue;
        }
        if (!c.isDigit() && c != u'.' && c != u',')
            return std::nullopt;
        limpio += (c.isDigit() ? QChar(u'0' + c.digitValue()) : c);
    }

    const qsizetype ultimoPunto = limpio.lastIndexOf(u'.');
    const qsizetype ultimaComa = limpio.lastIndexOf(u',');
    qsizetype decimal = -1;
    if (ultimoPunto >= 0 && ultimaComa >= 0) {
        decimal = qMax(ultimoPunto, ultimaComa);
        if (limpio.count(limpio.at(decimal)) > 1)
            return std::nullopt;
    } else if (ultimoPunto >= 0 || ultimaComa >= 0) {
        const qsizetype pos = qMax(ultimoPunto, ultimaComa);
        const QChar sep = limpio.at(pos);
        const bool esDelLocale = locale.decimalPoint() == QString(sep);
        if (limpio.count(sep) == 1 && (esDelLocale || !pareceMiles(limpio, pos)))
            decimal = pos;
    }

    QString entero = decimal >= 0 ? limpio.left(decimal) : limpio;
    // "0,150,000", "0.150,5": a leading group of 0 leaves no reading with thousands separators.
    if ((entero.contains(u'.') || entero.contains(u',')) && primerGrupoEsCero(limpio))
        return std::nullopt;
    n.decimales = decimal >= 0 ? limpio.mid(decimal + 1) : QString();
    entero.remove(u'.').remove(u',');
    if (entero.isEmpty() && n.decimales.isEmpty())
        return std::nullopt;
    while (entero.size() > 1 && entero.front() == u'0')
        entero.remove(0, 1);
    n.entero = entero.isEmpty() ? QStringLiteral("0") : entero;
    return n;
}

std::optional<qint64> EscaladoDiezMil(const NumeroLeido& numero)
{
    constexpr qint64 kMax = std::numeric_limits<qint64>::max();
    const QString cuatro = (numero.decimales + QStringLiteral("0000")).left(4);
    const QString resto = numero.decimales.mid(4);

    if (numero.entero.size() > 15)
        return std::nullopt;
    const qint64 entero = numero.entero.toLongLong();
    if (entero > (kMax - 9999) / 10000)
        return std::nullopt;
    qint64 escalado = entero * 10000 + cuatro.toLongLong();

    // Half to even on what lies past the fourth decimal.
    if (!resto.isEmpty()) {
        const int primera = resto.front().digitValue();
        const bool algoDespues = std::any_of(resto.begin() + 1, resto.end(), [](QChar c) { return c != u'0'; });
        const bool masDeLaMitad = primera > 5 || (primera == 5 && algoDespues);
        const bool mitadExacta = primera == 5 && !algoDespues;
        if (masDeLaMitad || (mitadExacta && escalado % 2 != 0))
            ++escalado;
    }
    return numero.negativo ? -escalado : escalado;
}

} // namespace suite
