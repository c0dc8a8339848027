#include "ConsultaDeCampo.h"

#include "Lib_ClsCons3.h"

#include "platform/ui/OperatorDialogs.h"

#include <QDate>
#include <QLineEdit>
#include <QPointer>

namespace lookup {

namespace {

const QString kFormatoFecha = QStringLiteral("dd/MM/yyyy");

} // namespace

Eleccion Elegido(const QString& respuesta)
{
    const QString valor = respuesta.trimmed();
    if (valor.isEmpty())
        return std::nullopt;
    return valor;
}

Eleccion ValorElegido(const Lib_ClsCons3& consultas)
{
    return Elegido(consultas.ValorDevuelto);
}

Eleccion FechaElegida(const QString& actual)
{
    const QDate enCampo = QDate::fromString(actual.trimmed(), kFormatoFecha);
    const std::optional<QDate> elegida = ui::dialogs().PickDate(enCampo.isValid() ? enCampo : QDate::currentDate());
    if (!elegida || !elegida->isValid())
        return std::nullopt;
    return elegida->toString(kFormatoFecha);
}

void ConsultarCampo(QLineEdit& campo, const std::function<Eleccion()>& consulta,
                    const std::function<void()>& confirmar)
{
    // The lookup window is modal and lets events run: the field may be gone when it closes.
    const QPointer<QLineEdit> caja = &campo;
    const Eleccion eleccion = consulta();
    if (!eleccion || !caja)
        return;
    caja->setText(*eleccion);
    confirmar();
}

} // namespace lookup
