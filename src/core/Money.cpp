#include "Money.h"

#include "Configuration.h"
#include "platform/suite/Utilidades.h"

namespace ModGlobal {

QString FmtMoneda(const ado::Currency& Numero, int Decimales)
{
    const std::optional<int> d = DecimalesMoneda(Decimales, gCantidadDecimales);
    return d ? FormatoMoneda(Numero, *d) : Numero.toString();
}

QString FmtMoneda(const QString& Numero, int Decimales)
{
    const std::optional<int> d = DecimalesMoneda(Decimales, gCantidadDecimales);
    return d ? FormatoMoneda(suite::Utilidades::TextoAMoneda(Numero), *d) : Numero;
}

} // namespace ModGlobal
