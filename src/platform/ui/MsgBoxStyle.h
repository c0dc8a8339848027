#pragma once
// Reads a message-box style number (buttons + icon + default button) into its parts. Both the Qt message box
// and the scripted dialogs use it, so a script can only answer with a button the real box would show.

#include <QList>
#include <QString>

namespace ui {

struct MsgBoxLayout {
    QList<int> answers;     // the buttons, left to right, as answers 1..7
    int icon = 0;           // 0, vbCritical, vbQuestion, vbExclamation or vbInformation
    int defaultAnswer = 0;  // the answer of the default button
    int escapeAnswer = 0;   // what Esc or the close box answers
};

MsgBoxLayout decodeMsgStyle(int style);

// The word the program logs for an answer: "Reintentar", "Ignorar", "Abortar", "Cancelar", "Sí", "No"; "" for OK.
QString answerWord(int answer);
// The caption of the button that gives an answer ("Aceptar" for OK).
QString buttonCaption(int answer);

} // namespace ui
