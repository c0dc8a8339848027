#pragma once
// A question the workbench's pure routines want the window to put to the operator, as a message box.

#include "platform/ui/OperatorDialogs.h"

#include <QString>

namespace conciliacion {

struct Pregunta {
    QString texto;
    int estilo = ui::vbYesNo | ui::vbQuestion;   // buttons + icon + default button
    QString titulo;
};

inline const QString kTituloAtencion = QStringLiteral("ATENCIÓN");

} // namespace conciliacion
