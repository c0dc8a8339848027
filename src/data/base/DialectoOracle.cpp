#include "DialectoOracle.h"

#include "SqlText.h"
#include "platform/suite/base/Conversiones.h"

#include <QRegularExpression>

#include <algorithm>

namespace oracle {

using suite::Conversiones;

namespace {

// Every occurrence, without regard to case.
constexpr auto Reemplazar = &Conversiones::ReemplazarTexto;

const QString kPatronFecha = QStringLiteral("'DD/MM/YYYY'");

bool esDeNombre(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('@') || c == QLatin1Char('#')
        || c == QLatin1Char('$');
}

// The position of the ")" that closes the scope a statement starts in (or the end of the text).
int finDeAmbito(const QString& s, int from)
{
    const QList<sqltext::Literal> lits = sqltext::Literales(s);
    int depth = 0;
    for (int i = from; i < s.size(); ++i) {
        if (sqltext::DentroDeLiteral(lits, i))
            continue;
        if (s[i] == QLatin1Char('('))
            ++depth;
        else if (s[i] == QLatin1Char(')') && depth-- == 0)
            return i;
    }
    return int(s.size());
}

QString fechasEntrecomilladas(const QString& s)
{
    QString out;
    int from = 0;
    for (const sqltext::Literal& l : sqltext::Literales(s)) {
        out += s.mid(from, l.start - from);
        const QString lit = s.mid(l.start, l.length);
        QDate fecha;
        const QString dentro = l.closed ? lit.mid(1, lit.size() - 2).replace(QStringLiteral("''"), QStringLiteral("'"))
                                        : QString();
        if (l.closed && LeeComoFecha(dentro, &fecha))
            out += QStringLiteral("TO_DATE('") + fecha.toString(QStringLiteral("dd/MM/yyyy")) + QStringLiteral("',")
                + kPatronFecha + QLatin1Char(')');
        else
            out += lit;
        from = l.end();
    }
    out += s.mid(from);
    // A date already wrapped by the statement itself must not be wrapped twice.
    while (sqltext::Contiene(out, QStringLiteral("TO_DATE(TO_DATE("))) {
        out = Reemplazar(out, QStringLiteral("TO_DATE(TO_DATE("), QStringLiteral("TO_DATE("));
        out = Reemplazar(out, kPatronFecha + QStringLiteral("),") + kPatronFecha + QLatin1Char(')'),
                         kPatronFecha + QLatin1Char(')'));
    }
    return out;
}

// From the first WHERE on, a comparison with the empty text becomes IS NULL (Oracle stores '' as NULL).
QString vacioComoNulo(QString s)
{
    const QList<sqltext::Literal> lits0 = sqltext::Literales(s);
    int where = 0;
    while ((where = int(s.indexOf(QStringLiteral("WHERE "), where, Qt::CaseInsensitive))) >= 0
           && sqltext::DentroDeLiteral(lits0, where))
        ++where;
    if (where < 0)
        return s;
    for (const QString& patron : {QStringLiteral("= ''"), QStringLiteral("=''")}) {
        const QList<sqltext::Literal> lits = sqltext::Literales(s);
        QString out = s.left(where);
        int i = where;
        int p;
        while ((p = int(s.indexOf(patron, i))) >= 0) {
            const int comilla = p + int(patron.size()) - 2;
            bool vacio = false;
            for (const sqltext::Literal& l : lits) {
                if (l.start == comilla)
                    vacio = l.closed && l.length == 2;
            }
            const bool comparacion = p == 0 || !QStringLiteral("<>!").contains(s[p - 1]);
            out += s.mid(i, p - i);
            out += (vacio && comparacion && !sqltext::DentroDeLiteral(lits, p)) ? QStringLiteral(" IS NULL ")
                                                                                 : s.mid(p, patron.size());
            i = p + int(patron.size());
        }
        out += s.mid(i);
        s = out;
    }
    return s;
}

// TO_CHAR(<date>,103) asks for the day/month/year form.
QString estilo103(const QString& s)
{
    const QList<sqltext::Literal> lits = sqltext::Literales(s);
    QString out;
    int i = 0;
    int p;
    while ((p = int(s.indexOf(QStringLiteral("103"), i))) >= 0) {
        const bool suelto = (p == 0 || !esDeNombre(s[p - 1])) && (p + 3 >= s.size() || !esDeNombre(s[p + 3]));
        const int parentesis = int(s.lastIndexOf(QLatin1Char('('), p));
        const bool enToChar = parentesis >= 7
            && s.mid(parentesis - 7, 8).compare(QStringLiteral("TO_CHAR("), Qt::CaseInsensitive) == 0;
        out += s.mid(i, p - i);
        out += (suelto && enToChar && !sqltext::DentroDeLiteral(lits, p)) ? kPatronFecha : QStringLiteral("103");
        i = p + 3;
    }
    out += s.mid(i);
    return out;
}

} // namespace

QString LimitarFilas(const QString& texto)
{
    static const QRegularExpression top(
        QStringLiteral("\\bSELECT\\s+(DISTINCT\\s+)?TOP\\s*(?:\\(\\s*(\\d+)\\s*\\)|(\\d+))\\s*"),
        QRegularExpression::CaseInsensitiveOption);
    QString s = texto;
    for (;;) {
        const QList<sqltext::Literal> lits = sqltext::Literales(s);
        QRegularExpressionMatch m;
        auto it = top.globalMatch(s);
        bool found = false;
        while (it.hasNext()) {
            m = it.next();
            if (!sqltext::DentroDeLiteral(lits, int(m.capturedStart(0)))) {
                found = true;
                break;
            }
        }
        if (!found)
            return s;
        const QString n = m.captured(2).isEmpty() ? m.captured(3) : m.captured(2);
        const int cuerpo = int(m.capturedEnd(0));
        const int fin = finDeAmbito(s, cuerpo);
        const QString distinct = m.captured(1).isEmpty() ? QString() : QStringLiteral("DISTINCT ");
        s = s.left(m.capturedStart(0)) + QStringLiteral("SELECT * FROM (SELECT ") + distinct
            + s.mid(cuerpo, fin - cuerpo).trimmed() + QStringLiteral(") WHERE ROWNUM <= ") + n + s.mid(fin);
    }
}

bool LeeComoFecha(const QString& texto, QDate* fecha)
{
    static const QRegularExpression dma(QStringLiteral("^(\\d{1,2})([/-])(\\d{1,2})\\2(\\d{4}|\\d{2})$"));
    static const QRegularExpression iso(QStringLiteral("^(\\d{4})-(\\d{1,2})-(\\d{1,2})$"));
    const QString t = texto.trimmed();
    QDate d;
    if (const auto m = dma.match(t); m.hasMatch()) {
        int y = m.captured(4).toInt();
        if (m.captured(4).size() == 2)
            y += y < 30 ? 2000 : 1900;
        d = QDate(y, m.captured(3).toInt(), m.captured(1).toInt());
    } else if (const auto m2 = iso.match(t); m2.hasMatch()) {
        d = QDate(m2.captured(1).toInt(), m2.captured(2).toInt(), m2.captured(3).toInt());
    }
    if (fecha)
        *fecha = d;
    return d.isValid();
}

QString Traducir(const QString& valor)
{
    if (Conversiones::ClasificarTexto(valor) <= 1)
        return valor.trimmed().compare(QStringLiteral("LEN"), Qt::CaseInsensitive) == 0 ? QStringLiteral("LENGTH")
                                                                                         : valor;
    QString s = LimitarFilas(valor);
    s = sqltext::FueraDeLiterales(s, [](QString c) {
        for (const char* len : {" LEN(", " LEN (", " LEN  (", " LEN   (", " LEN    ("})
            c = Reemplazar(c, QLatin1String(len), QStringLiteral(" LENGTH("));
        return c.replace(QLatin1Char('['), QLatin1Char('"')).replace(QLatin1Char(']'), QLatin1Char('"'));
    });
    s = fechasEntrecomilladas(s);
    s = sqltext::FueraDeLiterales(s, [](QString c) {
        c = Reemplazar(c, QStringLiteral("Charindex"), QStringLiteral("InStr"));
        c = Reemplazar(c, QStringLiteral("CONVERT(NVARCHAR,"), QStringLiteral("TO_CHAR("));
        return Reemplazar(c, QStringLiteral("CONVERT(INT,"), QStringLiteral("TO_NUMBER("));
    });
    s = vacioComoNulo(s);
    s = estilo103(s);
    return sqltext::FueraDeLiterales(s, [](QString c) {
        c = Reemplazar(c, QStringLiteral("SUBSTRING("), QStringLiteral("SUBSTR("));
        return Reemplazar(c, QStringLiteral("ISNULL("), QStringLiteral("NVL("));
    });
}

QString LimpiarScript(const QString& script)
{
    return sqltext::FueraDeLiterales(script, [](QString c) {
        c = Reemplazar(c, QStringLiteral("SET NOCOUNT ON"), QString());
        c = Reemplazar(c, QStringLiteral("SET NOCOUNT OFF"), QString());
        c = Reemplazar(c, QStringLiteral(" GO "), QStringLiteral(" "));
        c = Reemplazar(c, QStringLiteral("\r\nGO "), QStringLiteral(" "));
        c = Reemplazar(c, QStringLiteral("\r\nGO "), QStringLiteral(" "));
        c = Reemplazar(c, QStringLiteral("\r\nGO\r\n"), QStringLiteral(" "));
        c.replace(QLatin1Char('\r'), QLatin1Char(' '));
        c = Reemplazar(c, QStringLiteral("BEGIN TRANSACTION"), QStringLiteral("SET TRANSACTION"));
        c = Reemplazar(c, QStringLiteral("BEGIN TRANS"), QStringLiteral("SET TRANSACTION"));
        c = Reemplazar(c, QStringLiteral("COMMIT TRANSACTION"), QStringLiteral("COMMIT"));
        c = Reemplazar(c, QStringLiteral("COMMIT TRANS"), QStringLiteral("COMMIT"));
        c = Reemplazar(c, QStringLiteral("ROLLBACK TRANSACTION"), QStringLiteral("ROLLBACK"));
        return Reemplazar(c, QStringLiteral("ROLLBACK TRANS"), QStringLiteral("ROLLBACK"));
    });
}

QList<Paso> DividirScript(const QString& script)
{
    struct Clave {
        const char* texto;
        bool finDePalabra;   // must not run on into a longer word (COMMIT in COMMITTED)
    };
    static const Clave kClaves[] = {
        {"INSERT ", false}, {"DELETE ", false}, {"UPDATE ", false}, {"CREATE ", false},
        {"DROP ", false}, {"ALTER ", false}, {"SET TRANSACTION", true}, {"COMMIT", true},
        {"ROLLBACK", true}, {"IF NOT EXIST", false}, {"IF EXIST", false}, {"GRANT ", false},
    };
    const QString s = LimpiarScript(script);
    const QList<sqltext::Literal> lits = sqltext::Literales(s);
    QList<int> inicios;
    for (const Clave& k : kClaves) {
        const QString clave = QLatin1String(k.texto);
        for (int p = 0; (p = int(s.indexOf(clave, p, Qt::CaseInsensitive))) >= 0; ++p) {
            const int fin = p + int(clave.size());
            const bool antesOk = p == 0 || !esDeNombre(s[p - 1]);
            const bool despuesOk = !k.finDePalabra || fin >= s.size() || !esDeNombre(s[fin]);
            if (antesOk && despuesOk && !sqltext::DentroDeLiteral(lits, p) && !inicios.contains(p))
                inicios.append(p);
        }
    }
    std::sort(inicios.begin(), inicios.end());
    QList<Paso> pasos;
    for (int i = 0; i < inicios.size(); ++i) {
        const int fin = i + 1 < inicios.size() ? inicios[i + 1] : int(s.size());
        Paso paso;
        paso.texto = s.mid(inicios[i], fin - inicios[i]).trimmed();
        if (paso.texto.compare(QStringLiteral("SET TRANSACTION"), Qt::CaseInsensitive) == 0)
            paso.tipo = Paso::IniciarTransaccion;
        else if (paso.texto.compare(QStringLiteral("COMMIT"), Qt::CaseInsensitive) == 0)
            paso.tipo = Paso::Confirmar;
        else if (paso.texto.compare(QStringLiteral("ROLLBACK"), Qt::CaseInsensitive) == 0)
            paso.tipo = Paso::Deshacer;
        pasos.append(paso);
    }
    return pasos;
}

QString FiltraSentencia(QString& sentencia)
{
    if (sqltext::Contiene(sentencia, QStringLiteral("SET NOCOUNT"))
        || sqltext::Contiene(sentencia, QStringLiteral("IF NOT EXIST"))) {
        sentencia.clear();
        return QString();
    }
    return sentencia;
}

} // namespace oracle
