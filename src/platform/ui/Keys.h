#pragma once
// Key codes and shift masks in the numbers the program's key handlers test (Windows virtual-key codes:
// Enter 13, Esc 27, Space 32, arrows 37..40, digits 48..57, letters 65..90, F1..F24 112..135...).
// The Cancel key (code 3, Ctrl+Break on the original keyboards) is Qt's Cancel key or Ctrl+Pause here.

#include <Qt>
#include <functional>

class QKeyEvent;
class QLineEdit;

namespace ui {

enum KeyCodes : int {
    vbKeyCancel = 3, vbKeyBack = 8, vbKeyTab = 9, vbKeyReturn = 13, vbKeyShift = 16, vbKeyControl = 17,
    vbKeyEscape = 27, vbKeySpace = 32, vbKeyPageUp = 33, vbKeyPageDown = 34, vbKeyEnd = 35, vbKeyHome = 36,
    vbKeyLeft = 37, vbKeyUp = 38, vbKeyRight = 39, vbKeyDown = 40, vbKeyInsert = 45, vbKeyDelete = 46,
    vbKeyF1 = 112, vbKeyF3 = 114, vbKeyF5 = 116, vbKeyF9 = 120, vbKeyF12 = 123,
};
enum ShiftMask : int { vbShiftMask = 1, vbCtrlMask = 2, vbAltMask = 4 };

// 0 for keys that have no code.
int LegacyKeyCode(const QKeyEvent& event);
int LegacyKeyCode(int qtKey, Qt::KeyboardModifiers modifiers);
int LegacyShift(Qt::KeyboardModifiers modifiers);
// Hands a key press to a KeyDown handler in the program's codes. False when the handler ate the key by
// setting its code to 0; the control then leaves it alone.
bool offerKeyDown(const QKeyEvent& event, const std::function<void(int& keyCode, int shift)>& keyDown);
// Hands a key typed into a text field to the field's KeyDown, then KeyPress handlers, as the original text
// boxes did: KeyPress may swap the character (the new one is typed instead) or swallow it (0). True when the
// key was used here and the field must not see it.
bool offerFieldKey(QLineEdit& field, const QKeyEvent& event, const std::function<void(int keyCode, int shift)>& keyDown,
                   const std::function<void(int& keyAscii)>& keyPress);

} // namespace ui
