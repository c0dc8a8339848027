#pragma once
// The connection texts the data-access object builds from its members, and the platform a server text
// names. Values holding ";" (or starting with "{") are written between braces so they cannot end their item
// early or add items of their own.

#include <QString>

enum class Plataforma { SqlServer, Oracle, Sqlite };

namespace conexion {

inline const QString kProveedorSqlServer = QStringLiteral("SQLOLEDB");
inline const QString kProveedorOracle = QStringLiteral("OraOLEDB.Oracle.1");

// "sqlite" (any case, blanks around ignored): the embedded engine; a "#" anywhere: Oracle; else SQL Server.
Plataforma PlataformaDeServidor(const QString& servidor);

// SQL Server, or Oracle when the server holds "#" (then the data source is the database name and neither the
// server text nor `extended` is used).
QString CadenaServidor(const QString& servidor, const QString& baseDatos, const QString& usuario,
                       const QString& clave, const QString& extendido);

// A local database file: "PROVIDER=<p>;Data Source =<file>;<idKey>=<user>;<pwdKey>=<password>;<extended>".
QString CadenaLocal(const QString& proveedor, const QString& archivo, const QString& claveId, const QString& usuario,
                    const QString& clavePwd, const QString& password, const QString& extendido);

// One value as it goes into a connection text.
QString Valor(const QString& valor);

} // namespace conexion
