#include "Sinonimos.h"

#include "SqlText.h"
#include "platform/suite/base/Conversiones.h"

namespace sinonimos {

namespace {

struct Sinonimo {
    const char* tabla;
    const char* vista;
};

// Order matters: a later name never matches inside an earlier replacement.
constexpr Sinonimo kSinonimos[] = {
    {"MA_CUENTAS", "SS_MA_CUENTAS"},
    {"V_TA_DEPOSITO", "SS_V_TA_DEPOSITO"},
    {"MV_ASIENTOS", "SS_MV_ASIENTOS"},
    {"V_TA_FAMILIAS", "SS_V_TA_FAMILIAS"},
    {"V_TA_CAJAS", "SS_V_TA_CAJAS"},
    {"AC_CUENTASDIARIO", "SS_AC_CUENTASDIARIO"},
    {"AC_CUENTASDIARIO_CCOSTO", "SS_AC_CUENTAS_DIARIO_CCOSTO"},
};

// The neighbours a table name must have to be rewritten (before, after).
constexpr const char* kVecinos[][2] = {{" ", " "}, {"(", " "}, {" ", "."}, {"(", "."}, {",", "."}};

const QString kMarca = QStringLiteral("@Admin_");

using suite::Conversiones;

QString quitarMarca(const QString& codigo)
{
    return Conversiones::ReemplazarTexto(codigo, kMarca, QString());
}

QString reescribirCodigo(const QString& codigo)
{
    QString out = codigo;
    for (const Sinonimo& s : kSinonimos) {
        const QString tabla = QLatin1String(s.tabla);
        const QString vista = QLatin1String(s.vista);
        for (const auto& v : kVecinos) {
            const QString antes = QLatin1String(v[0]);
            const QString despues = QLatin1String(v[1]);
            out = Conversiones::ReemplazarTexto(out, antes + tabla + despues, antes + vista + despues);
        }
        if (tabla == QLatin1String("MA_CUENTAS")) {
            out = Conversiones::ReemplazarTexto(out, QStringLiteral("{MA_CUENTAS."), QStringLiteral("{SS_MA_CUENTAS."));
            out = Conversiones::ReemplazarTexto(out, QStringLiteral("@Admin_MA_CUENTAS"), QStringLiteral("MA_CUENTAS"));
        }
    }
    return quitarMarca(out);
}

} // namespace

// Names and markers are words of the statement: a quoted value that happens to hold one (an operator's
// observation, a journal concept) is data and reaches the database as written.
QString QuitarMarcaAdmin(const QString& sql)
{
    return sqltext::FueraDeLiterales(sql, quitarMarca);
}

QString Reescribir(const QString& sql, bool esAdmin)
{
    return sqltext::FueraDeLiterales(sql, esAdmin ? quitarMarca : reescribirCodigo);
}

} // namespace sinonimos
