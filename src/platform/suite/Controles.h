#pragma once
// The suite's field helpers (`gControles`) over a window's control arrays: emptying an array, finding a
// member by its data-field name, and the key handling of input fields.

#include "ControlArray.h"

#include <QString>

class QWidget;

namespace suite {

class Controles {
public:
    // Empties every member of the array of that name (letter case aside) among the window's controls.
    static void LimpiarControles(QWidget* ventana, const QString& nombreArreglo);
    // Index of the member whose data-field name equals the name without regard to case; -1 when none.
    static int IndiceControl(const QString& nombre, const ControlArrayBase& arreglo);
    // True for the keys that confirm a field: Enter (13).
    static bool EsTeclaValidar(int KeyCode);
    // Moves the focus from the field `desde` to the next one of its window that takes the focus. The field is
    // named, not found by the focus: when a lookup or the date picker has just closed, no widget has it yet.
    static void MoverFoco(int KeyCode, QWidget* desde);
    // Key filter of a text field (KeyAscii may change, or become 0 to drop the key): Enter is dropped
    // (it does its work on key down); in a date field (tag "fecha") only digits and "/" go in, "-" and
    // "." becoming "/". Control keys such as backspace always pass.
    static void FiltrarTecla(QWidget* campo, int& KeyAscii);
};

} // namespace suite
