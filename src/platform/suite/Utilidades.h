#pragma once
// The suite's utility object (`gUtil`): the conversions of Conversiones.h (texts, numbers, dates, fixed-width
// keys, folder names) plus the error dialog, the date picker and window dressing. Every operation is static,
// so the shared object and the private ones of the data-access and lookup classes behave alike.

#include "platform/suite/base/Conversiones.h"
#include "platform/ui/OperatorDialogs.h"

#include <QString>
#include <QStringList>
#include <exception>
#include <optional>

class QWidget;

namespace ado {
class Error;
}

namespace suite {

class Utilidades : public Conversiones {
public:
    // --- errors and dialogs ---
    // The Abort/Retry/Ignore error dialog titled with the routine: 3 leave, 4 retry, 5 go on.
    static int TratarError(const ui::ErrorInfo& error, const QString& rutina = {});
    static int TratarError(const ado::Error& error, const QString& rutina = {});
    static int TratarError(const std::exception_ptr& error, const QString& rutina = {});
    // Date picker opened on the field's date (`actual`, dd/mm/yyyy; today when it holds none); the chosen date
    // as dd/mm/yyyy, or nothing when the operator cancels (choosing the field's own date is still a choice).
    static std::optional<QString> SeleccionarFecha(const QString& actual);
    // The common dressing of a window at load: a top-level window not yet shown is centred on its screen.
    static void ConfigurarFormulario(QWidget* formulario, int opciones = 0);
};

} // namespace suite
