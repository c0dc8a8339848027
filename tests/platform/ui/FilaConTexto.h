#pragma once
// Finding a row of a list view by what it shows, for tests that pick a row the way the operator reads it.

#include "platform/ui/ListView.h"

#include <QString>

// The 1-based row of the list that shows the text (blanks around aside) in one of its cells; 1 when none does.
inline int filaCon(ui::ListView& lista, const QString& texto)
{
    for (int i = 1; i <= lista.ListItems().Count(); ++i) {
        const ui::ListItem fila = lista.ListItems()(i);
        if (fila.Text().trimmed() == texto)
            return i;
        for (int c = 1; c < lista.ColumnHeaders().Count(); ++c) {
            if (fila.SubItems(c).trimmed() == texto)
                return i;
        }
    }
    return 1;
}
