#include "VisorPorTC.h"

#include <QStringList>

namespace visores {

namespace {

bool esDe(const QString& tc, const QStringList& codigos)
{
    return codigos.contains(tc, Qt::CaseInsensitive);
}

} // namespace

EleccionVisor VisorPorTC(const QString& tc)
{
    static const QStringList ventas{QStringLiteral("FC"),   QStringLiteral("NC"), QStringLiteral("DBC"),
                                    QStringLiteral("ND"),   QStringLiteral("NCFP"), QStringLiteral("FP"),
                                    QStringLiteral("TK"),   QStringLiteral("TKFC"), QStringLiteral("RM"),
                                    QStringLiteral("NP")};
    static const QStringList compras{QStringLiteral("FCC"), QStringLiteral("FPC"), QStringLiteral("NCC"),
                                     QStringLiteral("NDC"), QStringLiteral("NCCP"), QStringLiteral("OC"),
                                     QStringLiteral("RMC")};
    static const QStringList recibos{QStringLiteral("CBFP"), QStringLiteral("CB"),  QStringLiteral("CBCT"),
                                     QStringLiteral("PG"),   QStringLiteral("OPG"), QStringLiteral("PGFP")};
    if (esDe(tc, ventas))
        return {GrupoTC::Ventas, Visor::Detalle, true, false};
    if (esDe(tc, compras))
        return {GrupoTC::Compras, Visor::Detalle, false, true};
    if (esDe(tc, recibos))
        return {GrupoTC::RecibosYPagos, Visor::Recibo, true, false};
    if (tc.compare(QLatin1String("VJ"), Qt::CaseInsensitive) == 0)
        return {GrupoTC::SinVisor, Visor::Ninguno, true, false};
    return {GrupoTC::Otro, Visor::Contable, true, false};
}

} // namespace visores
