// The shared error box of the data-access object and the error log.

#include "DB_Dll.h"

#include "RegistroErrores.h"

#include <QDateTime>

namespace {

QString mensajeDe(const ui::ErrorInfo& error)
{
    return QStringLiteral("Ha ocurrido el Siguiente Error (") + QString::number(error.number) + QStringLiteral(") ")
        + error.description.trimmed();
}

QString parteRutina(const QString& rutina)
{
    return rutina.isEmpty() ? QString() : QStringLiteral(" - ") + rutina;
}

} // namespace

int DB_Dll::TratamientoErrores(const ui::ErrorInfo& CodErr, int Botones, const QString& Rutina)
{
    if (CodErr.number == 0)
        return 0;
    const QString mensaje = mensajeDe(CodErr);
    const QString titulo = CodErr.source + parteRutina(Rutina) + QStringLiteral(" Aviso al operador!!! ");
    const int respuesta = ui::dialogs().MsgBox(mensaje, Botones, titulo);
    registro::Agregar(registro::Archivo(gLogErr),
                      registro::Linea(QDateTime::currentDateTime(), parteRutina(Rutina), mensaje, respuesta));
    return respuesta;
}

ui::ErrorHandler DB_Dll::ConTratamientoErrores(int Botones)
{
    return [this, Botones](const std::exception_ptr& error, const QString& rutina) {
        return TratamientoErrores(ui::errorInfoOf(error), Botones, rutina);
    };
}

void DB_Dll::RegistrarError(const ui::ErrorInfo& error, const QString& rutina, int respuesta,
                            const QString& detalle) const
{
    QString mensaje = mensajeDe(error);
    if (!detalle.isEmpty())
        mensaje += QStringLiteral(" Sentencia: ") + QString(detalle).replace(QLatin1Char('\r'), QLatin1Char(' '))
                                                          .replace(QLatin1Char('\n'), QLatin1Char(' '));
    registro::Agregar(registro::Archivo(gLogErr),
                      registro::Linea(QDateTime::currentDateTime(), parteRutina(rutina), mensaje, respuesta));
}
