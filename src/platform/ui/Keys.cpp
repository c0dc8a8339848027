#include "Keys.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace ui {

int LegacyKeyCode(const QKeyEvent& event)
{
    return LegacyKeyCode(event.key(), event.modifiers());
}

int LegacyKeyCode(int key, Qt::KeyboardModifiers modifiers)
{
    const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return keypad ? 96 + (key - Qt::Key_0) : 48 + (key - Qt::Key_0);
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return 65 + (key - Qt::Key_A);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return 112 + (key - Qt::Key_F1);
    switch (key) {
    case Qt::Key_Cancel: return vbKeyCancel;
    case Qt::Key_Pause: return modifiers.testFlag(Qt::ControlModifier) ? vbKeyCancel : 19;
    case Qt::Key_Backspace: return vbKeyBack;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return vbKeyTab;
    case Qt::Key_Clear: return 12;
    case Qt::Key_Return:
    case Qt::Key_Enter: return vbKeyReturn;
    case Qt::Key_Shift: return vbKeyShift;
    case Qt::Key_Control: return vbKeyControl;
    case Qt::Key_Alt: return 18;
    case Qt::Key_CapsLock: return 20;
    case Qt::Key_Escape: return vbKeyEscape;
    case Qt::Key_Space: return vbKeySpace;
    case Qt::Key_PageUp: return vbKeyPageUp;
    case Qt::Key_PageDown: return vbKeyPageDown;
    case Qt::Key_End: return vbKeyEnd;
    case Qt::Key_Home: return vbKeyHome;
    case Qt::Key_Left: return vbKeyLeft;
    case Qt::Key_Up: return vbKeyUp;
    case Qt::Key_Right: return vbKeyRight;
    case Qt::Key_Down: return vbKeyDown;
    case Qt::Key_Print: return 44;
    case Qt::Key_Insert: return vbKeyInsert;
    case Qt::Key_Delete: return vbKeyDelete;
    case Qt::Key_Help: return 47;
    case Qt::Key_Meta: return 91;
    case Qt::Key_Menu: return 93;
    case Qt::Key_NumLock: return 144;
    case Qt::Key_ScrollLock: return 145;
    case Qt::Key_Asterisk: return keypad ? 106 : 187;
    case Qt::Key_Plus: return keypad ? 107 : 187;
    case Qt::Key_Minus: return keypad ? 109 : 189;
    case Qt::Key_Period: return keypad ? 110 : 190;
    case Qt::Key_Slash: return keypad ? 111 : 191;
    case Qt::Key_Comma: return 188;
    case Qt::Key_Semicolon: return 186;
    case Qt::Key_Equal: return 187;
    case Qt::Key_QuoteLeft: return 192;
    case Qt::Key_Ntilde: return 192;  // where the Spanish layout has it
    case Qt::Key_BracketLeft: return 219;
    case Qt::Key_Backslash: return 220;
    case Qt::Key_BracketRight: return 221;
    case Qt::Key_Apostrophe: return 222;
    default: return 0;
    }
}

int LegacyShift(Qt::KeyboardModifiers modifiers)
{
    int mask = 0;
    if (modifiers.testFlag(Qt::ShiftModifier))
        mask |= vbShiftMask;
    if (modifiers.testFlag(Qt::ControlModifier))
        mask |= vbCtrlMask;
    if (modifiers.testFlag(Qt::AltModifier))
        mask |= vbAltMask;
    return mask;
}

bool offerKeyDown(const QKeyEvent& event, const std::function<void(int& keyCode, int shift)>& keyDown)
{
    int keyCode = LegacyKeyCode(event);
    if (keyCode == 0)
        return true;
    keyDown(keyCode, LegacyShift(event.modifiers()));
    return keyCode != 0;
}

bool offerFieldKey(QLineEdit& field, const QKeyEvent& event, const std::function<void(int keyCode, int shift)>& keyDown,
                   const std::function<void(int& keyAscii)>& keyPress)
{
    const int codigo = LegacyKeyCode(event);
    if (codigo != 0)
        keyDown(codigo, LegacyShift(event.modifiers()));
    const QString texto = event.text();
    if (texto.size() != 1 || texto.at(0).unicode() > 255)
        return codigo == vbKeyReturn;
    int ascii = texto.at(0).unicode();
    const int original = ascii;
    keyPress(ascii);
    if (ascii == original)
        return false;
    if (ascii != 0)
        field.insert(QString(QChar(ascii)));
    return true;
}

} // namespace ui
