#include "Concatenar.h"

QString ConcatenarTextos(Plataforma plataforma, const QStringList& expresiones)
{
    QString nulo;
    QString une;
    switch (plataforma) {
    case Plataforma::Oracle:
        nulo = QStringLiteral("NVL(");
        une = QStringLiteral("||");
        break;
    case Plataforma::Sqlite:
        nulo = QStringLiteral("IFNULL(");
        une = QStringLiteral("||");
        break;
    case Plataforma::SqlServer:
        nulo = QStringLiteral("ISNULL(");
        une = QStringLiteral("+");
        break;
    }
    if (expresiones.isEmpty())
        return QStringLiteral("''");
    QStringList partes;
    for (const QString& e : expresiones)
        partes << nulo + e + QStringLiteral(",'')");
    return partes.join(une);
}
