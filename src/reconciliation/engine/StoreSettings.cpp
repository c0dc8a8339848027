// The store's reading and writing of an account's comparison settings, in the configuration table.

#include "Store.h"

namespace conciliacion {

ConfiguracionComparacion ReconciliationStore::LeerConfiguracion(const QString& cuenta) const
{
    ConfiguracionComparacion cfg = LeerValorConfiguracion(m_entorno.leerConfiguracion(ClaveConfiguracion(cuenta)));
    cfg.campos[cmpImporte] = 1;
    return cfg;
}

bool ReconciliationStore::GrabarConfiguracion(const QString& cuenta, const ConfiguracionComparacion& cfg) const
{
    return m_entorno.grabarConfiguracion(ClaveConfiguracion(cuenta), ValorConfiguracion(cfg), QStringLiteral("DATOS"));
}

} // namespace conciliacion
