#pragma once
// The design of the suite's popup menus as data: every popup of the hidden menu window, its items in order,
// and what a click on each item stores in the window's answer slot.

#include <QString>
#include <vector>

namespace ModGlobal {

enum class ReglaRespuesta {
    Nada,      // no click handler: the answer keeps what it held
    Codigo,    // a fixed code
    Vacio,     // the empty text
    Tag,       // the clicked member's Tag
    Caption,   // the clicked member's caption, trimmed
};

struct ItemMenuDef {
    enum Tipo { Comando, Separador, Submenu, Indexado };
    Tipo tipo = Comando;
    QString nombre;
    QString caption;
    ReglaRespuesta regla = ReglaRespuesta::Nada;
    QString codigo;
    bool marcado = false;   // starts with its check mark set; a click sets it again
    bool oculto = false;
    std::vector<ItemMenuDef> hijos;
};

struct PopupDef {
    QString nombre;
    bool ocultaVentana = false;   // every item hides the window after its rule
    std::vector<ItemMenuDef> items;
};

// The 29 popups of the menu window, in design order.
const std::vector<PopupDef>& TablaMenus();

} // namespace ModGlobal
