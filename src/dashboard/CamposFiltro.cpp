#include "CamposFiltro.h"

#include "platform/ado/Error.h"
#include "platform/suite/Utilidades.h"
#include "report/CotaImporte.h"

#include <cmath>

namespace tablero {

const QVector<DefinicionCampo>& CamposFiltro()
{
    static const QVector<DefinicionCampo> campos{
        {"FechaDESDE", "Fecha Desde", "FECHA", 10},
        {"FechaHASTA", "Hasta", "FECHA", 10},
        {"CUENTA", "Cuenta:", "Ma_cuentas", 15},
        {"TC", "TC:", "VT_TA_CPTE", 4},
        {"SUCURSAL", "Nro:", "", 4},
        {"NUMERO", nullptr, "VT_V_TA_CPTE", 8},
        {"LETRA", nullptr, "VT_V_TA_CPTE", 1},
        {"ImpDesde", "Importe Desde:", "", 12},
        {"ImpHasta", "Importe Hasta:", "", 12},
    };
    return campos;
}

QString RellenarConCeros(const QString& valor, int digitos)
{
    bool ok = false;
    const double numero = suite::Utilidades::TextoADoble(valor, &ok);
    if (valor.trimmed().isEmpty() || !ok)
        return valor;
    const qint64 entero = qint64(std::nearbyint(numero));
    const QString cifras = QString::number(entero < 0 ? -entero : entero).rightJustified(digitos, QLatin1Char('0'));
    return entero < 0 ? QStringLiteral("-") + cifras : cifras;
}

bool EsFechaValida(const QString& texto)
{
    if (texto.trimmed().isEmpty())
        return false;
    try {
        suite::Utilidades::FechaSQL(texto);
        return true;
    } catch (const ado::Error&) {
        return false;
    }
}

QString AvisoImporte(const QString& texto)
{
    switch (report::LeerCotaImporte(texto).lectura) {
    case report::CotaImporte::Lectura::NoEsImporte:
        return QStringLiteral("El importe %1 no es válido.").arg(texto.trimmed());
    case report::CotaImporte::Lectura::FueraDeRango:
        return QStringLiteral("El importe %1 está fuera del rango permitido.").arg(texto.trimmed());
    case report::CotaImporte::Lectura::SinCota:
    case report::CotaImporte::Lectura::Monto:
        break;
    }
    return QString();
}

QString ItemLista(const ado::Variant& codigo, const ado::Variant& descripcion)
{
    const QString cod = suite::Utilidades::TextoCampo(codigo);
    return cod.trimmed() + QStringLiteral(" - ") + suite::Utilidades::TextoCampo(descripcion)
           + QString(100, QLatin1Char(' ')) + cod;
}

} // namespace tablero
