#include "ConsultaDeCampo.h"

#include "Lib_ClsCons3.h"

#include "platform/suite/Utilidades.h"

#include <QLineEdit>
#include <QPointer>

namespace lookup {

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
    return suite::Utilidades::SeleccionarFecha(actual);
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
