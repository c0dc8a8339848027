// The place of a failure as the operator knows it: the window and the command.

#include "LugarDelError.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QWidget>

namespace ui {

namespace {

// The window the operator sees the widget in: a menu, another popup or a message box belongs to the window it
// opened over.
const QWidget* ventanaDe(const QWidget* widget)
{
    const QWidget* ventana = widget ? widget->window() : nullptr;
    while (ventana && (ventana->windowType() == Qt::Popup || qobject_cast<const QMessageBox*>(ventana))
           && ventana->parentWidget())
        ventana = ventana->parentWidget()->window();
    return ventana;
}

// The widget an object belongs to: itself, or the nearest widget among its parents.
const QWidget* widgetDe(const QObject* objeto)
{
    for (; objeto; objeto = objeto->parent())
        if (objeto->isWidgetType())
            return static_cast<const QWidget*>(objeto);
    return nullptr;
}

// The command a receiver gives: a button's, or the entry of a menu being chosen.
QString ordenDe(const QObject* receiver)
{
    if (const auto* boton = qobject_cast<const QAbstractButton*>(receiver))
        return textoDeOrden(boton->text(), boton->toolTip());
    if (const auto* menu = qobject_cast<const QMenu*>(receiver))
        if (const QAction* entrada = menu->activeAction())
            return textoDeOrden(entrada->text(), entrada->toolTip());
    return {};
}

} // namespace

QString textoDeOrden(const QString& texto, const QString& ayuda)
{
    // "&&" shows one "&"; a single "&" marks the shortcut's letter.
    QString limpio;
    for (qsizetype i = 0; i < texto.size(); ++i) {
        if (texto.at(i) == QLatin1Char('&')) {
            if (i + 1 < texto.size() && texto.at(i + 1) == QLatin1Char('&'))
                limpio += texto.at(++i);
            continue;
        }
        limpio += texto.at(i);
    }
    limpio = limpio.trimmed();
    return limpio.isEmpty() ? ayuda.trimmed() : limpio;
}

QString LugarDelError::titulo() const
{
    QStringList partes;
    for (const QString& parte : {ventana, orden})
        if (!parte.isEmpty())
            partes << parte;
    if (partes.isEmpty())
        return QGuiApplication::applicationDisplayName();
    return partes.join(QStringLiteral(" - "));
}

LugarDelError lugarEn(const QWidget* ventana, const QString& orden)
{
    return {ventana ? ventana->windowTitle().trimmed() : QString(), orden.trimmed()};
}

LugarDelError lugarDelManejador(const QObject* receiver)
{
    const QWidget* ventana = ventanaDe(widgetDe(receiver));
    if (!ventana)
        ventana = ventanaDe(QApplication::activeWindow());
    return lugarEn(ventana, ordenDe(receiver));
}

} // namespace ui
