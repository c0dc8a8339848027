#pragma once
// Where a failure happened, in the terms the operator knows: the window's title, as its title bar shows it, and
// the command that was being given (a button's caption or tooltip, a menu entry). The error dialog is titled
// with both, as "Brenquil - Comparar", in place of a routine's name that means nothing to the operator.

#include <QString>

class QObject;
class QWidget;

namespace ui {

struct LugarDelError {
    QString ventana;   // the window's title; "" when no window is known
    QString orden;     // the command; "" when the failure did not come from one

    // "<window> - <command>", either part left out when it is not known; the program's name when neither is.
    QString titulo() const;
};

// The place of a failure in `ventana` (may be null) while giving `orden`.
LugarDelError lugarEn(const QWidget* ventana, const QString& orden);

// The place of a failure in an event handler of `receiver`: its window and, for a button or a menu entry, the
// command it gives. A receiver outside any window (a timer, a queued call) is placed in the window the operator
// is working in.
LugarDelError lugarDelManejador(const QObject* receiver);

// What the operator reads on a control that gives a command: its caption without the "&" of its shortcut, or
// its tooltip when it shows only an icon.
QString textoDeOrden(const QString& texto, const QString& ayuda);

} // namespace ui
