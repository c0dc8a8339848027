#include "LinkList.h"

namespace conciliacion {

bool VinculoVacio(QStringView lista)
{
    return lista.trimmed().isEmpty();
}

bool VinculoContiene(QStringView lista, QStringView id)
{
    const QStringView buscado = id.trimmed();
    bool hallado = false;
    RecorrerVinculo(lista, [&](QStringView elemento) {
        hallado = hallado || elemento.compare(buscado, Qt::CaseInsensitive) == 0;
    });
    return hallado;
}

bool VinculoContiene(QStringView lista, qint64 id)
{
    return VinculoContiene(lista, QString::number(id));
}

QString QuitarDeVinculo(const QString& lista, qint64 id)
{
    const QString buscado = QString::number(id);
    QString resto;
    bool primero = true;
    bool quitado = false;
    for (QStringView elemento : QStringView(lista).tokenize(u',')) {
        if (elemento.trimmed().compare(buscado, Qt::CaseInsensitive) == 0) {
            quitado = true;
            continue;
        }
        if (!primero)
            resto += u',';
        resto += elemento;
        primero = false;
    }
    return quitado ? resto : lista;
}

QString UnirVinculo(const std::vector<qint64>& ids)
{
    QString texto;
    for (qint64 id : ids) {
        if (!texto.isEmpty())
            texto += u',';
        texto += QString::number(id);
    }
    return texto;
}

} // namespace conciliacion
