// Date conversions: day/month/year texts read and written as SQL date literals.
#include "Conversiones.h"

#include "platform/ado/Error.h"

#include <QDate>
#include <QRegularExpression>

namespace suite {

namespace {

FormaFechaSQL g_forma = FormaFechaSQL::Iso;

// Two-digit years as the station reads them: 00..29 are 2000..2029, 30..99 are 1930..1999.
int anioCompleto(const QString& anio)
{
    const int a = anio.toInt();
    if (anio.size() > 2)
        return a;
    return a < 30 ? 2000 + a : 1900 + a;
}

QDate leerFecha(const QString& texto)
{
    static const QRegularExpression dma(QStringLiteral("^(\\d{1,2})[/.-](\\d{1,2})[/.-](\\d{4}|\\d{2})$"));
    static const QRegularExpression iso(QStringLiteral("^(\\d{4})-(\\d{1,2})-(\\d{1,2})$"));
    const QString t = texto.trimmed();
    if (const QRegularExpressionMatch m = iso.match(t); m.hasMatch())
        return QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    if (const QRegularExpressionMatch m = dma.match(t); m.hasMatch())
        return QDate(anioCompleto(m.captured(3)), m.captured(2).toInt(), m.captured(1).toInt());
    return {};
}

} // namespace

QString Conversiones::FechaSQL(const QString& fecha)
{
    const QDate d = leerFecha(fecha);
    if (!d.isValid())
        throw ado::Error(ado::kErrTypeMismatch, QStringLiteral("\"%1\" no es una fecha válida").arg(fecha));
    const QString formato = g_forma == FormaFechaSQL::SqlServer ? QStringLiteral("yyyyMMdd")
                                                                : QStringLiteral("yyyy-MM-dd");
    return u'\'' + d.toString(formato) + u'\'';
}

void Conversiones::EstablecerFormaFechaSQL(FormaFechaSQL forma)
{
    g_forma = forma;
}

FormaFechaSQL Conversiones::FormaFechaSQLActual()
{
    return g_forma;
}

int Conversiones::DiasDelMes(int mes)
{
    if (mes < 1 || mes > 12)
        return 0;
    return QDate(QDate::currentDate().year(), mes, 1).daysInMonth();
}

} // namespace suite
