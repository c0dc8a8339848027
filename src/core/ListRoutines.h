#pragma once
// Selection routines of multi-select list boxes.

#include <QStringList>

class QListWidget;

namespace ModGlobal {

// The number of selected items. When above 0, Valores becomes their texts in list order: the whole item
// trimmed when Caracteres is -1, else its last Caracteres characters (trimmed when Recortar). With none
// selected Valores is left as it was.
int ListaSeleccionados(const QListWidget& Lista, QStringList& Valores, int Caracteres, bool Recortar);

// Sets every item's selection to Marcar; the current item is then the one it was (Indice -1) or Indice.
// An Indice outside the list raises ado::Error 380.
void MarcarLista(QListWidget& Lista, bool Marcar, int Indice);

} // namespace ModGlobal
