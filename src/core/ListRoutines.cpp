#include "ListRoutines.h"

#include "platform/ado/Error.h"

#include <QListWidget>

namespace ModGlobal {

int ListaSeleccionados(const QListWidget& Lista, QStringList& Valores, int Caracteres, bool Recortar)
{
    QStringList elegidos;
    for (int i = 0; i < Lista.count(); ++i) {
        const QListWidgetItem* item = Lista.item(i);
        if (!item->isSelected())
            continue;
        const QString texto = item->text();
        if (Caracteres == -1)
            elegidos << texto.trimmed();
        else
            elegidos << (Recortar ? texto.right(Caracteres).trimmed() : texto.right(Caracteres));
    }
    if (!elegidos.isEmpty())
        Valores = elegidos;
    return int(elegidos.size());
}

void MarcarLista(QListWidget& Lista, bool Marcar, int Indice)
{
    const int actual = Lista.currentRow();
    const int destino = Indice == -1 ? actual : Indice;
    if (destino < -1 || destino >= Lista.count())
        throw ado::Error(380, QStringLiteral("Valor de propiedad no válido"));
    for (int i = 0; i < Lista.count(); ++i)
        Lista.item(i)->setSelected(Marcar);
    // Moving the current item must not change the selection just set.
    Lista.setCurrentRow(destino, QItemSelectionModel::NoUpdate);
}

} // namespace ModGlobal
