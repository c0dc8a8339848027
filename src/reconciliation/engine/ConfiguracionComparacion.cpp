// The stored text of an account's comparison settings, written and read back.

#include "ConfiguracionComparacion.h"

namespace conciliacion {

QString ClaveConfiguracion(const QString& cuenta)
{
    return QStringLiteral("CONCCTAS_CFG") + cuenta.trimmed();
}

QString ValorConfiguracion(const ConfiguracionComparacion& cfg)
{
    QString valor;
    for (int v : cfg.campos)
        valor += QString::number(v);
    return valor + cfg.tolerancia;
}

ConfiguracionComparacion LeerValorConfiguracion(const QString& valor)
{
    ConfiguracionComparacion cfg;
    cfg.tolerancia = valor;
    if (valor.trimmed().isEmpty())
        return cfg;
    qsizetype leidos = 0;
    while (leidos < kCamposComparados && leidos < valor.size()) {
        const QChar c = valor.at(leidos);
        if (c < u'0' || c > u'2')
            break;
        cfg.campos[size_t(leidos)] = c.digitValue();
        ++leidos;
    }
    cfg.completa = leidos == kCamposComparados;
    cfg.tolerancia = valor.mid(leidos);
    return cfg;
}

} // namespace conciliacion
