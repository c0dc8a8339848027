#include "StoreTypes.h"

#include "platform/suite/base/Conversiones.h"

namespace conciliacion {

QString NumeroTabla(qint64 numero)
{
    return suite::Conversiones::FormatoAncho(ado::Variant(numero), 15);
}

QString NumeroBloqueo(qint64 numero)
{
    return QStringLiteral("%1").arg(numero, 8, 10, QLatin1Char('0'));
}

qint64 NumeroDeTexto(const QString& texto)
{
    const QString t = texto.trimmed();
    qsizetype fin = 0;
    while (fin < t.size() && t.at(fin).isDigit() && fin < 18)
        ++fin;
    return fin == 0 ? 0 : t.left(fin).toLongLong();
}

const DescripcionLado& Describir(Lado lado)
{
    static const DescripcionLado izquierda{QStringLiteral("MV_CONCILIACION"), QStringLiteral("CONCILIADO"),
                                           QStringLiteral("CONCILIADOCON"), QStringLiteral("IDCPTE"),
                                           QStringLiteral("D")};
    static const DescripcionLado derecha{QStringLiteral("MV_CONCILIACION_AUX"), QStringLiteral("FINALIZADA"),
                                         QStringLiteral("CONCILIA"), QStringLiteral("IDCPTEaux"),
                                         QStringLiteral("H")};
    return lado == Lado::Izquierda ? izquierda : derecha;
}

Lado OtroLado(Lado lado)
{
    return lado == Lado::Izquierda ? Lado::Derecha : Lado::Izquierda;
}

EstadosFilas Estados(const WorkbenchRows& filas)
{
    EstadosFilas estados;
    estados.reserve(filas.size());
    for (const WorkbenchRow& f : filas)
        estados.push_back({f.ID, f.Checked, f.ConciliadoCon});
    return estados;
}

VinculosAGrabar ParaGrabar(const VinculosNuevos& nuevos, const WorkbenchRows& izquierda,
                           const WorkbenchRows& derecha)
{
    VinculosAGrabar v;
    v.izquierdasNuevas.reserve(nuevos.izquierda.size());
    for (qsizetype i : nuevos.izquierda)
        v.izquierdasNuevas.push_back(izquierda[size_t(i)].ID);
    v.derechasNuevas.reserve(nuevos.derecha.size());
    for (qsizetype j : nuevos.derecha)
        v.derechasNuevas.push_back(derecha[size_t(j)].ID);
    return v;
}

} // namespace conciliacion
