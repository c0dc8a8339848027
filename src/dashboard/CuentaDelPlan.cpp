#include "CuentaDelPlan.h"

#include "PedidoInforme.h"
#include "data/DB_Dll.h"
#include "data/base/SqlText.h"
#include "platform/ado/Recordset.h"
#include "platform/suite/Utilidades.h"

namespace tablero {

std::optional<CuentaDelPlan> LeerCuentaDelPlan(const char* seleccion, const QString& codigo, ado::Recordset& rs)
{
    const QString sql = QString::fromLatin1(seleccion) + sqltext::Entrecomillar(codigo);
    if (!gDB().AbrirRecordset(sql, rs, nullptr, 0, 1, -1, true) || rs.EOF())
        return std::nullopt;
    const ado::Variant titulo = rs[QStringLiteral("Titulo")];
    CuentaDelPlan cuenta;
    cuenta.titulo = TituloDeCuenta(codigo, suite::Utilidades::TextoCampo(rs[QStringLiteral("Descripcion")]));
    cuenta.esHoja = !titulo.isNull() && !titulo.isEmpty() && titulo.toDouble() == 0;
    return cuenta;
}

} // namespace tablero
