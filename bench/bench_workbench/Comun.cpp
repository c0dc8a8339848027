#include "Comun.h"

#include "schema/DemoDatabase.h"

namespace comun {

QString TextoConexion(const QString& archivo)
{
    return QStringLiteral("PROVIDER=SQLOLEDB;Server=sqlite;Database =%1;UId=;Pwd=;").arg(archivo);
}

conciliacion::Cabecera Cabecera()
{
    conciliacion::Cabecera c;
    c.numero = 1;
    c.cuenta = QString::fromLatin1(schema::kBenchAccount);
    c.fecha = QStringLiteral("18/04/2026");
    c.fechaDesde = schema::DemoFirstDay().toString(QStringLiteral("dd/MM/yyyy"));
    c.fechaHasta = schema::DemoLastDay().toString(QStringLiteral("dd/MM/yyyy"));
    return c;
}

} // namespace comun
