#pragma once
// The hidden window that owns the suite's popup menus. A window pops one of them at the mouse pointer and
// then reads, from the shared answer slot PRespuesta, the code of the item the operator chose. Popping is
// synchronous; a menu closed without a choice leaves PRespuesta as it was, and Mostrar tells the caller so.

#include "MenuTable.h"

#include <QHash>
#include <QPoint>
#include <QString>
#include <QWidget>

class QAction;
class QMenu;

namespace ModGlobal {

class FrmMenus : public QWidget {
    Q_OBJECT
public:
    explicit FrmMenus(QWidget* parent = nullptr);

    // The answer code of the last item whose click stored one; "" when the window loads.
    QString PRespuesta;

    // Hides the window; its menus and PRespuesta stay.
    void Salir();

    // A popup by its control name, without regard to case; nullptr when there is none.
    QMenu* Menu(const QString& nombre) const;
    QMenu* mnu_EmergenteZ1() const { return Menu(QStringLiteral("mnu_EmergenteZ1")); }

    // An item by its control name (and Index for indexed items), without regard to case; nullptr when none.
    QAction* Item(const QString& nombre, int Index = 0) const;

    // Adds member `Index` to an indexed item (after its last member); the caller sets its caption and Tag
    // (QAction::setData). Returns the existing member when it is already loaded.
    QAction* CargarItem(const QString& nombre, int Index);

    // Pops the menu at `posicion` (the mouse pointer by default) through the operator-dialog interface; the
    // chosen item's click rule has run when it returns. False when the menu was closed without a choice.
    bool Mostrar(QMenu* menu, const QPoint& posicion);
    bool Mostrar(QMenu* menu);
    bool Mostrar(const QString& nombreMenu);

    // The click handler of every item (connected to its triggered signal): applies the item's answer rule.
    void Click(QAction* item);
    // Clicks an item as the operator would (a checkable item toggles, then its rule runs).
    void Click(const QString& nombre, int Index = 0);

private:
    struct Regla {
        ReglaRespuesta regla = ReglaRespuesta::Nada;
        QString codigo;
        bool ocultaVentana = false;
        bool marca = false;
    };
    void conectar(QAction* item, const Regla& regla);
    void armar(QMenu* destino, const std::vector<ItemMenuDef>& items, bool ocultaVentana);

    QHash<QString, QMenu*> m_menus;       // by lower-case control name
    QHash<QAction*, Regla> m_reglas;
};

// The one shared instance, created (and loaded) on first use.
FrmMenus& frmMenus();

} // namespace ModGlobal
