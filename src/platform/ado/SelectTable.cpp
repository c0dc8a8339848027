#include "SelectTable.h"

#include <QStringList>

namespace ado {

namespace {

// Top-level tokens of a statement: words, bracketed or quoted names (as one token) and single
// characters; literals and anything inside parentheses are left out.
QStringList topLevelTokens(const QString& sql)
{
    QStringList tokens;
    int depth = 0;
    const qsizetype n = sql.size();
    for (qsizetype i = 0; i < n;) {
        const QChar c = sql.at(i);
        if (c.isSpace()) {
            ++i;
        } else if (c == QLatin1Char('\'')) {
            ++i;
            while (i < n) {
                if (sql.at(i) == QLatin1Char('\'')) {
                    if (i + 1 < n && sql.at(i + 1) == QLatin1Char('\'')) {
                        i += 2;
                        continue;
                    }
                    break;
                }
                ++i;
            }
            ++i;
            if (depth == 0)
                tokens << QStringLiteral("'");
        } else if (c == QLatin1Char('(')) {
            ++depth;
            ++i;
            if (depth == 1)
                tokens << QStringLiteral("(");
        } else if (c == QLatin1Char(')')) {
            depth = qMax(0, depth - 1);
            ++i;
        } else if (c == QLatin1Char('[') || c == QLatin1Char('"')) {
            const QChar close = c == QLatin1Char('[') ? QLatin1Char(']') : QLatin1Char('"');
            const qsizetype end = sql.indexOf(close, i + 1);
            const qsizetype stop = end < 0 ? n : end + 1;
            if (depth == 0)
                tokens << sql.mid(i, stop - i);
            i = stop;
        } else if (c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('@') || c == QLatin1Char('#')) {
            qsizetype j = i;
            while (j < n && (sql.at(j).isLetterOrNumber() || sql.at(j) == QLatin1Char('_')
                             || sql.at(j) == QLatin1Char('@') || sql.at(j) == QLatin1Char('#')
                             || sql.at(j) == QLatin1Char('$')))
                ++j;
            if (depth == 0)
                tokens << sql.mid(i, j - i);
            i = j;
        } else {
            if (depth == 0)
                tokens << QString(c);
            ++i;
        }
    }
    return tokens;
}

bool is(const QString& token, const char* word)
{
    return token.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

QString unquoted(const QString& name)
{
    if (name.size() >= 2 && ((name.startsWith(QLatin1Char('[')) && name.endsWith(QLatin1Char(']')))
                             || (name.startsWith(QLatin1Char('"')) && name.endsWith(QLatin1Char('"')))))
        return name.mid(1, name.size() - 2);
    return name;
}

} // namespace

QString SingleTableOf(const QString& sql)
{
    const QStringList t = topLevelTokens(sql);
    if (t.isEmpty() || !is(t.first(), "SELECT"))
        return QString();
    qsizetype from = -1;
    for (qsizetype i = 1; i < t.size(); ++i) {
        if (is(t.at(i), "FROM")) {
            from = i;
            break;
        }
    }
    if (from < 0 || from + 1 >= t.size())
        return QString();
    // The name, possibly qualified ("dbo.t", "[dbo].[t]"): the last part is the table.
    qsizetype i = from + 1;
    QString name = t.at(i);
    if (name == QLatin1String("(") || name == QLatin1String("'"))
        return QString();
    while (i + 2 < t.size() && t.at(i + 1) == QLatin1String(".")) {
        name = t.at(i + 2);
        i += 2;
    }
    ++i;
    // An alias may follow ("t AS x", "t x"); anything but a clause keyword or the end makes it no simple read.
    if (i < t.size() && is(t.at(i), "AS"))
        i += 2;
    else if (i < t.size() && !is(t.at(i), "WHERE") && !is(t.at(i), "ORDER") && !is(t.at(i), "GROUP")
             && !is(t.at(i), "HAVING") && t.at(i) != QLatin1String(";") && t.at(i) != QLatin1String(",")
             && t.at(i).at(0).isLetter() && !is(t.at(i), "JOIN") && !is(t.at(i), "INNER")
             && !is(t.at(i), "LEFT") && !is(t.at(i), "RIGHT") && !is(t.at(i), "FULL") && !is(t.at(i), "CROSS")
             && !is(t.at(i), "UNION"))
        ++i;
    if (i < t.size() && !is(t.at(i), "WHERE") && !is(t.at(i), "ORDER") && t.at(i) != QLatin1String(";"))
        return QString();
    return unquoted(name);
}

} // namespace ado
