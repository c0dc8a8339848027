#include "SqlText.h"

#include "platform/sqlite/SqlTokens.h"

#include <QRegularExpression>

namespace sqltext {

bool Contiene(const QString& text, const QString& what)
{
    return text.contains(what, Qt::CaseInsensitive);
}

// The statement's own lexer: a quote inside a comment or a [bracketed name] opens no literal.
QList<Literal> Literales(const QString& text)
{
    QList<Literal> out;
    int pos = 0;
    for (const sqlcompat::Token& t : sqlcompat::Tokenize(text)) {
        if (t.kind == sqlcompat::TokenKind::String) {
            // Closed when it ends with the quote that pairs the opening one ('' inside counts as two).
            const bool closed = t.text.size() >= 2 && t.text.endsWith(QLatin1Char('\'')) && t.text.count(QLatin1Char('\'')) % 2 == 0;
            out.append({pos, int(t.text.size()), closed});
        }
        pos += int(t.text.size());
    }
    return out;
}

bool DentroDeLiteral(const QList<Literal>& literals, int pos)
{
    for (const Literal& l : literals) {
        if (pos >= l.start && pos < l.end())
            return true;
        if (l.start > pos)
            break;
    }
    return false;
}

QString FueraDeLiterales(const QString& text, const std::function<QString(const QString&)>& code)
{
    QString out;
    int from = 0;
    for (const Literal& l : Literales(text)) {
        out += code(text.mid(from, l.start - from));
        out += text.mid(l.start, l.length);
        from = l.end();
    }
    out += code(text.mid(from));
    return out;
}

static bool esDeIdentificador(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('@') || c == QLatin1Char('#')
        || c == QLatin1Char('$');
}

bool PalabraFueraDeLiterales(const QString& text, const QString& word)
{
    const QList<Literal> literals = Literales(text);
    int pos = 0;
    while ((pos = int(text.indexOf(word, pos, Qt::CaseInsensitive))) >= 0) {
        const int after = pos + int(word.size());
        const bool startOk = pos == 0 || !esDeIdentificador(text[pos - 1]);
        const bool endOk = after >= text.size() || !esDeIdentificador(text[after]);
        if (startOk && endOk && !DentroDeLiteral(literals, pos))
            return true;
        pos = after;
    }
    return false;
}

double NumeroDeTexto(const QString& text)
{
    QString s;
    for (QChar c : text) {
        if (c != QLatin1Char(' ') && c != QLatin1Char('\t') && c != QLatin1Char('\n') && c != QLatin1Char('\r'))
            s += c;
    }
    static const QRegularExpression number(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eEdD][+-]?\\d+)?"));
    const QRegularExpressionMatch m = number.match(s);
    if (!m.hasMatch())
        return 0.0;
    QString t = m.captured(0);
    t.replace(QLatin1Char('d'), QLatin1Char('e')).replace(QLatin1Char('D'), QLatin1Char('e'));
    bool ok = false;
    const double v = t.toDouble(&ok);
    return ok ? v : 0.0;
}

QString TextoDeNumero(double value)
{
    if (value == 0.0)
        return QStringLiteral("0");
    return QString::number(value, 'g', 15);
}

QString TextoDeValor(const ado::Variant& valor)
{
    switch (valor.type()) {
    case ado::VarType::Long:
    case ado::VarType::Double:
    case ado::VarType::Currency:
        return valor.toString();
    default:
        return valor.toText();
    }
}

QString Entrecomillar(const QString& value)
{
    QString v = value;
    v.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + v + QLatin1Char('\'');
}

QString NombreSql(const QString& name)
{
    bool simple = !name.isEmpty() && !name.at(0).isDigit();
    for (QChar c : name)
        simple = simple && esDeIdentificador(c);
    if (simple)
        return name;
    QString n = name;
    n.replace(QLatin1Char(']'), QStringLiteral("]]"));
    return QLatin1Char('[') + n + QLatin1Char(']');
}

} // namespace sqltext
