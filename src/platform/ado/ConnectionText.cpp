#include "ConnectionText.h"

#include <QSet>

namespace ado {

namespace {

QString normalKey(const QString& key)
{
    return key.simplified().toLower();
}

bool isOneOf(const QString& key, std::initializer_list<const char*> names)
{
    for (const char* n : names) {
        if (key == QLatin1String(n))
            return true;
    }
    return false;
}

bool isServerKey(const QString& k) { return isOneOf(k, {"server", "data source", "address", "addr", "network address"}); }
bool isDatabaseKey(const QString& k) { return isOneOf(k, {"database", "initial catalog"}); }
bool isUserKey(const QString& k) { return isOneOf(k, {"uid", "user id", "user"}); }
bool isPasswordKey(const QString& k) { return isOneOf(k, {"pwd", "password"}); }

bool isKnownKey(const QString& k)
{
    static const QSet<QString> others = {
        QStringLiteral("provider"), QStringLiteral("persist security info"),
        QStringLiteral("integrated security"), QStringLiteral("trusted_connection"),
        QStringLiteral("network library"), QStringLiteral("network"), QStringLiteral("packet size"),
        QStringLiteral("connect timeout"), QStringLiteral("connection timeout"), QStringLiteral("timeout"),
        QStringLiteral("application name"), QStringLiteral("app"), QStringLiteral("workstation id"),
        QStringLiteral("wsid"), QStringLiteral("dsn"), QStringLiteral("driver"), QStringLiteral("port"),
        QStringLiteral("tds_version"), QStringLiteral("language"), QStringLiteral("current language"),
        QStringLiteral("encrypt"), QStringLiteral("trustservercertificate"), QStringLiteral("auto translate"),
        QStringLiteral("use procedure for prepare"), QStringLiteral("initial file name"),
        QStringLiteral("mars connection"), QStringLiteral("multipleactiveresultsets"),
        QStringLiteral("extended properties"), QStringLiteral("mode"), QStringLiteral("locale identifier"),
        QStringLiteral("general timeout"), QStringLiteral("dbq"), QStringLiteral("charset")};
    return isServerKey(k) || isDatabaseKey(k) || isUserKey(k) || isPasswordKey(k) || others.contains(k);
}

struct Pair {
    QString key;     // normalised
    QString rawKey;  // as written, trimmed
    QString value;
};

// Reads a quoted value starting at text[pos] (the opening quote); returns the position after the closing
// quote, or -1 when it never closes.
qsizetype readQuoted(const QString& text, qsizetype pos, QString* value)
{
    const QChar open = text.at(pos);
    const QChar close = open == QLatin1Char('{') ? QLatin1Char('}') : open;
    QString out;
    for (qsizetype i = pos + 1; i < text.size(); ++i) {
        if (text.at(i) == close) {
            if (i + 1 < text.size() && text.at(i + 1) == close) {
                out += close;
                ++i;
                continue;
            }
            *value = out;
            return i + 1;
        }
        out += text.at(i);
    }
    return -1;
}

// The key of a segment "key=..." when it names a known key; empty otherwise.
QString knownKeyOf(const QString& segment)
{
    const qsizetype eq = segment.indexOf(QLatin1Char('='));
    if (eq < 0)
        return QString();
    const QString key = normalKey(segment.left(eq));
    return isKnownKey(key) ? key : QString();
}

QList<Pair> splitPairs(const QString& text)
{
    QList<Pair> pairs;
    qsizetype pos = 0;
    const qsizetype n = text.size();
    while (pos < n) {
        const qsizetype eq = text.indexOf(QLatin1Char('='), pos);
        const qsizetype semi = text.indexOf(QLatin1Char(';'), pos);
        if (eq < 0 || (semi >= 0 && semi < eq)) {
            // A segment without "=": nothing to read in it.
            if (semi < 0)
                break;
            pos = semi + 1;
            continue;
        }
        Pair p;
        p.rawKey = text.mid(pos, eq - pos).trimmed();
        p.key = normalKey(p.rawKey);
        qsizetype v = eq + 1;
        while (v < n && text.at(v) == QLatin1Char(' '))
            ++v;
        if (v < n && (text.at(v) == QLatin1Char('"') || text.at(v) == QLatin1Char('\'')
                      || text.at(v) == QLatin1Char('{'))) {
            const qsizetype after = readQuoted(text, v, &p.value);
            if (after >= 0) {
                const qsizetype next = text.indexOf(QLatin1Char(';'), after);
                pairs.append(p);
                pos = next < 0 ? n : next + 1;
                continue;
            }
        }
        qsizetype end = semi < 0 ? n : semi;
        if (isUserKey(p.key) || isPasswordKey(p.key)) {
            // Unquoted user or password: run on across ";" until a known key starts a segment. The final
            // ";" of the whole text closes the value.
            while (end < n) {
                const qsizetype nextSemi = text.indexOf(QLatin1Char(';'), end + 1);
                const qsizetype segEnd = nextSemi < 0 ? n : nextSemi;
                const QString segment = text.mid(end + 1, segEnd - end - 1);
                if (!knownKeyOf(segment).isEmpty() || (nextSemi < 0 && segment.isEmpty()))
                    break;
                end = segEnd;
            }
        }
        p.value = text.mid(eq + 1, end - eq - 1);
        if (!isUserKey(p.key) && !isPasswordKey(p.key))
            p.value = p.value.trimmed();
        pairs.append(p);
        pos = end + 1;
    }
    return pairs;
}

} // namespace

ConnectionTarget ParseConnectionText(const QString& text)
{
    ConnectionTarget t;
    QString dataSource;
    QString server;
    for (const Pair& p : splitPairs(text)) {
        if (p.key == QLatin1String("provider"))
            t.provider = p.value.trimmed();
        else if (p.key == QLatin1String("data source"))
            dataSource = p.value;
        else if (isServerKey(p.key))
            server = p.value;
        else if (isDatabaseKey(p.key))
            t.database = p.value;
        else if (isUserKey(p.key))
            t.user = p.value;
        else if (isPasswordKey(p.key))
            t.password = p.value;
        else if (p.key != QLatin1String("persist security info"))
            t.extra.append({p.rawKey, p.value});
    }
    if (t.provider.contains(QLatin1String("oracle"), Qt::CaseInsensitive)) {
        t.kind = BackendKind::Oracle;
        t.server = dataSource.isEmpty() ? server : dataSource;
        return t;
    }
    t.server = server.isEmpty() ? dataSource : server;
    t.kind = t.server.trimmed().compare(QLatin1String("sqlite"), Qt::CaseInsensitive) == 0 ? BackendKind::Sqlite
                                                                                           : BackendKind::SqlServer;
    return t;
}

QString OdbcValue(const QString& value)
{
    const bool plain = !value.contains(QLatin1Char(';')) && !value.contains(QLatin1Char('{'))
        && !value.contains(QLatin1Char('}')) && value.trimmed() == value;
    if (plain)
        return value;
    QString quoted = value;
    quoted.replace(QLatin1String("}"), QLatin1String("}}"));
    return QLatin1Char('{') + quoted + QLatin1Char('}');
}

QString OdbcConnectionText(const ConnectionTarget& target, const QString& driver)
{
    QString driverName = driver;
    driverName.replace(QLatin1String("}"), QLatin1String("}}"));
    QString text = QStringLiteral("DRIVER={%1};").arg(driverName);
    const auto add = [&text](const QString& key, const QString& value) {
        text += key + QLatin1Char('=') + OdbcValue(value) + QLatin1Char(';');
    };
    if (target.kind == BackendKind::Oracle) {
        add(QStringLiteral("DBQ"), target.server);
    } else {
        QString server = target.server.trimmed();
        const qsizetype comma = server.lastIndexOf(QLatin1Char(','));
        QString port;
        if (comma > 0) {
            port = server.mid(comma + 1).trimmed();
            server = server.left(comma).trimmed();
        }
        if (!server.isEmpty())
            add(QStringLiteral("SERVER"), server);
        if (!port.isEmpty())
            add(QStringLiteral("PORT"), port);
        if (!target.database.trimmed().isEmpty())
            add(QStringLiteral("DATABASE"), target.database.trimmed());
    }
    if (!target.user.isEmpty())
        add(QStringLiteral("UID"), target.user);
    if (!target.password.isEmpty())
        add(QStringLiteral("PWD"), target.password);
    bool namesTdsVersion = false;
    for (const auto& [key, value] : target.extra) {
        add(key, value);
        namesTdsVersion = namesTdsVersion || normalKey(key) == QLatin1String("tds_version");
    }
    if (target.kind == BackendKind::SqlServer && !namesTdsVersion
        && driver.contains(QLatin1String("freetds"), Qt::CaseInsensitive))
        add(QStringLiteral("TDS_Version"), QStringLiteral("7.4"));
    return text;
}

QString CommandTimeoutText(int seconds)
{
    return seconds > 0 ? QStringLiteral("DMStmtAttr=[SQL_ATTR_QUERY_TIMEOUT]=\\%1;").arg(seconds) : QString();
}

} // namespace ado
