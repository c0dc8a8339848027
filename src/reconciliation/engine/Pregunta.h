#pragma once
// A question the workbench's routines want the caller to put to the operator: text, the message-box style
// number and a title.

#include "platform/ui/base/MsgBoxConstants.h"

#include <QString>

namespace conciliacion {

struct Pregunta {
    QString texto;
    int estilo = ui::vbYesNo | ui::vbQuestion;   // buttons + icon + default button
    QString titulo;
};

// The title the workbench's questions carry.
inline const QString kTituloAtencion = QStringLiteral("ATENCIÓN");

} // namespace conciliacion
