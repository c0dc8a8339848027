#include "AvisoCuentaInexistente.h"

#include "platform/ui/OperatorDialogs.h"

namespace tablero {

void AvisarCuentaInexistente(const QString& codigo)
{
    ui::dialogs().MsgBox(QStringLiteral("La cuenta %1 no existe en el plan de cuentas.").arg(codigo),
                         ui::vbInformation, QStringLiteral("Aviso al operador..."));
}

} // namespace tablero
