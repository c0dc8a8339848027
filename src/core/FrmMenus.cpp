#include "FrmMenus.h"

#include "platform/ui/OperatorDialogs.h"

#include <QAction>
#include <QCursor>
#include <QMenu>

namespace ModGlobal {

namespace {
const char* const kIndex = "Index";

bool esMiembro(const QAction* a, const QString& nombre, int Index)
{
    return a->objectName().compare(nombre, Qt::CaseInsensitive) == 0
        && (a->property(kIndex).isValid() ? a->property(kIndex).toInt() == Index : Index == 0);
}

QAction* buscar(const QMenu* menu, const QString& nombre, int Index)
{
    for (QAction* a : menu->actions()) {
        if (esMiembro(a, nombre, Index))
            return a;
        if (a->menu())
            if (QAction* hallado = buscar(a->menu(), nombre, Index))
                return hallado;
    }
    return nullptr;
}
} // namespace

FrmMenus::FrmMenus(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("FrmMenus"));
    for (const PopupDef& p : TablaMenus()) {
        auto* menu = new QMenu(this);
        menu->setObjectName(p.nombre);
        armar(menu, p.items, p.ocultaVentana);
        m_menus.insert(p.nombre.toLower(), menu);
    }
}

void FrmMenus::armar(QMenu* destino, const std::vector<ItemMenuDef>& items, bool ocultaVentana)
{
    for (const ItemMenuDef& d : items) {
        QAction* a = nullptr;
        switch (d.tipo) {
        case ItemMenuDef::Separador:
            a = destino->addSeparator();
            break;
        case ItemMenuDef::Submenu: {
            QMenu* sub = destino->addMenu(d.caption);
            sub->setObjectName(d.nombre);
            armar(sub, d.hijos, ocultaVentana);
            a = sub->menuAction();
            break;
        }
        case ItemMenuDef::Indexado:
            a = destino->addAction(d.caption);
            a->setProperty(kIndex, 0);
            a->setData(QString());
            break;
        case ItemMenuDef::Comando:
            a = destino->addAction(d.caption);
            break;
        }
        a->setObjectName(d.nombre);
        a->setVisible(!d.oculto);
        if (d.marcado) {
            a->setCheckable(true);
            a->setChecked(true);
        }
        if (d.tipo == ItemMenuDef::Comando || d.tipo == ItemMenuDef::Indexado)
            conectar(a, Regla{d.regla, d.codigo, ocultaVentana, d.marcado});
    }
}

void FrmMenus::conectar(QAction* item, const Regla& regla)
{
    m_reglas.insert(item, regla);
    connect(item, &QAction::triggered, this, [this, item] { Click(item); });
}

void FrmMenus::Salir()
{
    hide();
}

QMenu* FrmMenus::Menu(const QString& nombre) const
{
    return m_menus.value(nombre.toLower(), nullptr);
}

QAction* FrmMenus::Item(const QString& nombre, int Index) const
{
    for (const QMenu* menu : m_menus)
        if (QAction* a = buscar(menu, nombre, Index))
            return a;
    return nullptr;
}

QAction* FrmMenus::CargarItem(const QString& nombre, int Index)
{
    if (QAction* existente = Item(nombre, Index))
        return existente;
    QAction* primero = Item(nombre, 0);
    if (!primero || !primero->property(kIndex).isValid() || Index < 0)
        return nullptr;
    // The new member goes after the last member loaded so far, with the rule of member 0.
    auto* menu = qobject_cast<QMenu*>(primero->parent());
    if (!menu)
        return nullptr;
    QAction* ultimo = primero;
    const QList<QAction*> acciones = menu->actions();
    for (QAction* a : acciones)
        if (a->objectName().compare(nombre, Qt::CaseInsensitive) == 0)
            ultimo = a;
    const qsizetype pos = acciones.indexOf(ultimo);
    QAction* antes = pos + 1 < acciones.size() ? acciones.at(pos + 1) : nullptr;
    auto* nuevo = new QAction(primero->text(), menu);
    nuevo->setObjectName(primero->objectName());
    nuevo->setProperty(kIndex, Index);
    nuevo->setData(QString());
    menu->insertAction(antes, nuevo);
    conectar(nuevo, m_reglas.value(primero));
    return nuevo;
}

bool FrmMenus::Mostrar(QMenu* menu, const QPoint& posicion)
{
    if (!menu)
        return false;
    // The chosen item's handler has run (through its triggered signal) by the time the menu returns.
    return ui::dialogs().PopupMenu(*menu, posicion) != nullptr;
}

bool FrmMenus::Mostrar(QMenu* menu)
{
    return Mostrar(menu, QCursor::pos());
}

bool FrmMenus::Mostrar(const QString& nombreMenu)
{
    return Mostrar(Menu(nombreMenu));
}

void FrmMenus::Click(QAction* item)
{
    if (!item || !m_reglas.contains(item))
        return;
    const Regla r = m_reglas.value(item);
    switch (r.regla) {
    case ReglaRespuesta::Nada:
        break;
    case ReglaRespuesta::Codigo:
        PRespuesta = r.codigo;
        break;
    case ReglaRespuesta::Vacio:
        PRespuesta.clear();
        break;
    case ReglaRespuesta::Tag:
        PRespuesta = item->data().toString();
        break;
    case ReglaRespuesta::Caption:
        PRespuesta = item->text().trimmed();
        break;
    }
    if (r.marca)
        item->setChecked(true);
    if (r.ocultaVentana)
        Salir();
}

void FrmMenus::Click(const QString& nombre, int Index)
{
    if (QAction* item = Item(nombre, Index))
        item->trigger();
}

FrmMenus& frmMenus()
{
    static FrmMenus* instancia = new FrmMenus;
    return *instancia;
}

} // namespace ModGlobal
