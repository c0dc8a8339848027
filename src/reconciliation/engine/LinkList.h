#pragma once
// Link lists: the IDs of the other list's linked rows joined by "," (column 13, CONCILIADOCON / CONCILIA).
// An ID is in a list only as one whole element, so 12 is not in "112,5". Elements are compared without
// regard to letter case or to blanks around them.

#include <QString>
#include <QStringView>
#include <vector>

namespace conciliacion {

// True when the list holds nothing but blanks: the row is unlinked.
bool VinculoVacio(QStringView lista);
// True when some element of the list is the ID.
bool VinculoContiene(QStringView lista, QStringView id);
bool VinculoContiene(QStringView lista, qint64 id);
// The list without the elements that are the ID; the other elements stay as written and in order.
QString QuitarDeVinculo(const QString& lista, qint64 id);
// The IDs joined by "," without blanks; "" for none.
QString UnirVinculo(const std::vector<qint64>& ids);

// Calls fn(element) for each element, trimmed, in order (empty elements included).
template <typename Fn>
void RecorrerVinculo(QStringView lista, Fn&& fn)
{
    if (lista.isEmpty())
        return;
    for (QStringView elemento : lista.tokenize(u','))
        fn(elemento.trimmed());
}

} // namespace conciliacion
