#include "ReglasLista.h"

#include "platform/ado/Currency.h"

#include <QStringList>

namespace lookup {

QString TablaDeSentencia(const QString& sql)
{
    const qsizetype p = sql.indexOf(QLatin1String("from"), 0, Qt::CaseInsensitive);
    if (p < 0)
        return {};
    const qsizetype inicio = p + 4;
    qsizetype fin = inicio + 1;
    while (fin < sql.size() && !sql.at(fin).isSpace())
        ++fin;
    return sql.mid(inicio, fin - inicio).trimmed();
}

bool EnValoresDefault(const QString& valor, const QString& valoresDefault)
{
    if (valoresDefault.trimmed().isEmpty())
        return false;
    const QString buscado = valor.trimmed();
    const QStringList elementos = valoresDefault.split(QLatin1Char(','));
    for (const QString& e : elementos)
        if (e.trimmed().compare(buscado, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

bool EmpiezaCon(const QString& celda, const QString& buscado)
{
    return celda.trimmed().startsWith(buscado.trimmed(), Qt::CaseInsensitive);
}

int NivelStock(const ado::Currency& puntoPedido, const ado::Currency& stock)
{
    const ado::Currency cero;
    if (puntoPedido == cero && stock > cero)
        return 1;
    if (puntoPedido > cero && stock > puntoPedido)
        return 2;
    if (puntoPedido > cero && stock < puntoPedido)
        return 3;
    return 4;
}

int LetrasDeColumna(int definedSize)
{
    return definedSize >= 60 ? 60 : definedSize;
}

} // namespace lookup
