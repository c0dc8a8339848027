#pragma once
// A question the workbench's pure routines want the caller to put to the operator, and a message they want
// the operator told: text, the message-box style number and a title.

#include "platform/ui/base/MsgBoxConstants.h"

#include <QString>

namespace conciliacion {

struct Pregunta {
    QString texto;
    int estilo = ui::vbYesNo | ui::vbQuestion;   // buttons + icon + default button
    QString titulo;
};

// A message with only an OK button; no title shows the program's.
struct Aviso {
    QString texto;
    int estilo = ui::vbOKOnly;
    QString titulo;
};

inline const QString kTituloAtencion = QStringLiteral("ATENCIÓN");

} // namespace conciliacion
