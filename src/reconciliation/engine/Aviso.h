#pragma once
// A message the workbench's routines want the operator told: text, the message-box style number and a title.

#include "platform/ui/base/MsgBoxConstants.h"

#include <QString>

namespace conciliacion {

// A message with only an OK button; no title shows the program's.
struct Aviso {
    QString texto;
    int estilo = ui::vbOKOnly;
    QString titulo;
};

// The titles the workbench's notices carry.
inline const QString kTituloAvisoOperador = QStringLiteral("Aviso al Operador");
inline const QString kTituloAvisoUsuario = QStringLiteral("Aviso al Usuario");

} // namespace conciliacion
