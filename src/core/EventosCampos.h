#pragma once
// The events of a window's input fields handed to the window's handlers, as the suite's forms raised them,
// for every window with a field array (txtFields): the window sees a key first (key preview), then a key
// typed into a field goes to the field's KeyDown and KeyPress handlers; a field that gains or loses the focus
// runs GotFocus or LostFocus. Each field handler gets the field's index in the array. The window calls
// Filtrar from its application-wide event filter and handles the other events itself.

#include "platform/suite/ControlArray.h"

#include <functional>

class QEvent;
class QObject;
class QWidget;

namespace core {

class EventosCampos {
public:
    struct Manejadores {
        // The window's key preview; setting KeyCode to 0 eats the key (no control sees it).
        std::function<void(int& KeyCode, int Shift)> Form_KeyDown;
        std::function<void(int Index)> GotFocus;
        std::function<void(int Index)> LostFocus;
        std::function<void(int Index, int KeyCode, int Shift)> KeyDown;
        // KeyAscii may be changed (the new character is typed instead) or set to 0 (nothing is typed).
        std::function<void(int Index, int& KeyAscii)> KeyPress;
    };

    EventosCampos(const QWidget& ventana, const suite::ControlArrayBase& campos, Manejadores manejadores);
    // A window whose array and handlers bear the suite's names: txtFields, Form_KeyDown, txtFields_GotFocus,
    // txtFields_LostFocus, txtFields_KeyDown and txtFields_KeyPress.
    template <class Ventana>
    explicit EventosCampos(Ventana& ventana)
        : EventosCampos(ventana, ventana.txtFields,
                        {[&ventana](int& KeyCode, int Shift) { ventana.Form_KeyDown(KeyCode, Shift); },
                         [&ventana](int Index) { ventana.txtFields_GotFocus(Index); },
                         [&ventana](int Index) { ventana.txtFields_LostFocus(Index); },
                         [&ventana](int Index, int KeyCode, int Shift) {
                             ventana.txtFields_KeyDown(Index, KeyCode, Shift);
                         },
                         [&ventana](int Index, int& KeyAscii) { ventana.txtFields_KeyPress(Index, KeyAscii); }})
    {
    }

    // The index in the array of the field `objeto` is, when it is one of the window's fields; -1 otherwise.
    int Indice(const QObject* objeto) const;
    // Hands a key press at the window's focused control, or a field's focus gained or lost, to the handlers.
    // True when the event was used and must go no further.
    bool Filtrar(QObject* watched, QEvent* event) const;

private:
    const QWidget& m_ventana;
    const suite::ControlArrayBase& m_campos;
    Manejadores m_manejadores;
};

} // namespace core
