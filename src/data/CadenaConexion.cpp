#include "CadenaConexion.h"

namespace conexion {

Plataforma PlataformaDeServidor(const QString& servidor)
{
    if (servidor.trimmed().compare(QStringLiteral("sqlite"), Qt::CaseInsensitive) == 0)
        return Plataforma::Sqlite;
    if (servidor.contains(QLatin1Char('#')))
        return Plataforma::Oracle;
    return Plataforma::SqlServer;
}

QString Valor(const QString& valor)
{
    // A value starting with a quote or a brace would be read as quoted; one holding ";" would end early.
    const QString inicio = valor.trimmed().left(1);
    if (!valor.contains(QLatin1Char(';')) && (inicio.isEmpty() || !QStringLiteral("{\"'").contains(inicio)))
        return valor;
    QString v = valor;
    v.replace(QLatin1Char('}'), QStringLiteral("}}"));
    return QLatin1Char('{') + v + QLatin1Char('}');
}

QString CadenaServidor(const QString& servidor, const QString& baseDatos, const QString& usuario,
                       const QString& clave, const QString& extendido)
{
    if (servidor.contains(QLatin1Char('#')))
        return QStringLiteral("Provider=") + kProveedorOracle + QStringLiteral(";Data Source=") + Valor(baseDatos)
            + QStringLiteral(";User Id=") + Valor(usuario) + QStringLiteral(";Password=") + Valor(clave)
            + QLatin1Char(';');
    return QStringLiteral("PROVIDER=") + kProveedorSqlServer + QStringLiteral(";Server=") + Valor(servidor)
        + QStringLiteral(";Database =") + Valor(baseDatos) + QStringLiteral(";UId=") + Valor(usuario)
        + QStringLiteral(";Pwd=") + Valor(clave) + QLatin1Char(';') + extendido;
}

QString CadenaLocal(const QString& proveedor, const QString& archivo, const QString& claveId, const QString& usuario,
                    const QString& clavePwd, const QString& password, const QString& extendido)
{
    return QStringLiteral("PROVIDER=") + proveedor + QStringLiteral(";Data Source =") + Valor(archivo)
        + QLatin1Char(';') + claveId + QLatin1Char('=') + Valor(usuario) + QLatin1Char(';') + clavePwd
        + QLatin1Char('=') + Valor(password) + QLatin1Char(';') + extendido;
}

} // namespace conexion
