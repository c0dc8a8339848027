// The utility object's dialogs and window dressing, all through the operator-dialog interface.
#include "Utilidades.h"

#include "platform/ado/Error.h"
#include "platform/ui/Routine.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>

namespace suite {

int Utilidades::TratarError(const ui::ErrorInfo& error, const QString& rutina)
{
    return ui::dialogs().ErrorDialog(error, rutina);
}

int Utilidades::TratarError(const ado::Error& error, const QString& rutina)
{
    return TratarError(ui::ErrorInfo{error.Number, error.Description, error.Source}, rutina);
}

int Utilidades::TratarError(const std::exception_ptr& error, const QString& rutina)
{
    if (!error)
        return TratarError(ui::ErrorInfo{}, rutina);
    try {
        std::rethrow_exception(error);
    } catch (const ado::Error& e) {
        return TratarError(e, rutina);
    } catch (...) {
        return TratarError(ui::errorInfoOf(error), rutina);
    }
}

std::optional<QString> Utilidades::SeleccionarFecha(const QString& actual)
{
    const QDate enCampo = QDate::fromString(actual.trimmed(), QStringLiteral("dd/MM/yyyy"));
    const std::optional<QDate> elegida = ui::dialogs().PickDate(enCampo.isValid() ? enCampo : QDate::currentDate());
    if (!elegida || !elegida->isValid())
        return std::nullopt;
    return elegida->toString(QStringLiteral("dd/MM/yyyy"));
}

void Utilidades::ConfigurarFormulario(QWidget* formulario, int /*opciones*/)
{
    if (!formulario || !formulario->isWindow() || formulario->isVisible())
        return;
    QScreen* pantalla = formulario->screen() ? formulario->screen() : QGuiApplication::primaryScreen();
    if (!pantalla)
        return;
    formulario->setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, formulario->size(),
                                                pantalla->availableGeometry()));
}

} // namespace suite
