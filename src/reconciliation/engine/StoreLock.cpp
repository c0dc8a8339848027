// The edit lock: one row of V_MV_CTROL_CPTE per station and user editing a reconciliation.

#include "Store.h"
#include "Filas.h"
#include "StoreSql.h"

#include <optional>

namespace conciliacion {

namespace {

QString filaDelNumero(qint64 numero)
{
    return QStringLiteral("TC='CCCC' AND SUCURSAL='0001' AND NUMERO='") + NumeroBloqueo(numero)
           + QLatin1Char('\'');
}

bool mismoTitular(const QString& a, const QString& b)
{
    return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

} // namespace

QString ReconciliationStore::TitularBloqueo(qint64 numero, const QString& propietario)
{
    const sql::Filas f(leer(QStringLiteral("SELECT USUARIO FROM V_MV_CTROL_CPTE WHERE ") + filaDelNumero(numero)));
    for (qsizetype i = 0; i < f.Cantidad(); ++i) {
        const QString titular = f.Texto(i, 0);
        if (!titular.trimmed().isEmpty() && !mismoTitular(titular, propietario))
            return titular;
    }
    return {};
}

bool ReconciliationStore::EsAdministrador(const QString& usuario)
{
    const sql::Filas f(leer(QStringLiteral("SELECT TOP 1 Administrador FROM ta_usuarios WHERE LTRIM(RTRIM(NOMBRE)) = ")
                            + sql::Texto(usuario.trimmed())));
    return f.Cantidad() > 0 && f.Entero(0, 0) == 1;
}

ResultadoBloqueo ReconciliationStore::TomarBloqueo(qint64 numero, const QString& propietario, bool tomarDeOtro)
{
    // Test and insert in one statement, so two stations cannot both take a free number.
    const QString estorba = tomarDeOtro ? QStringLiteral("USUARIO = ") + sql::Texto(propietario)
                                        : QStringLiteral("USUARIO <> ''");
    std::optional<ado::Error> rechazo;
    try {
        if (ejecutar(QStringLiteral("INSERT INTO V_MV_CTROL_CPTE (TC,SUCURSAL,NUMERO,LETRA,USUARIO) SELECT 'CCCC','0001','")
                     + NumeroBloqueo(numero) + QStringLiteral("','X',") + sql::Texto(propietario) + sinTabla()
                     + QStringLiteral(" WHERE NOT EXISTS (SELECT 1 FROM V_MV_CTROL_CPTE WHERE ") + filaDelNumero(numero)
                     + QStringLiteral(" AND ") + estorba + QLatin1Char(')'))
            == 1)
            return {true, {}};
    } catch (const ado::Error& e) {
        if (e.Number != ado::kErrIntegrity)   // another station wrote the same row in between: look again
            throw;
        rechazo = e;
    }
    // Nothing written: this owner's row stands already (all a take-over needs), or another owner holds it.
    const QString titular = tomarDeOtro ? QString() : TitularBloqueo(numero, propietario);
    if (!titular.isEmpty())
        return {false, titular};
    // A refused write that left no row of this owner either took nothing.
    if (rechazo && leer(QStringLiteral("SELECT 1 FROM V_MV_CTROL_CPTE WHERE ") + filaDelNumero(numero)
                        + QStringLiteral(" AND USUARIO = ") + sql::Texto(propietario))
                       .rows.empty())
        throw *rechazo;
    return {true, {}};
}

void ReconciliationStore::SoltarBloqueo(qint64 numero, const QString& propietario)
{
    ejecutar(QStringLiteral(" DELETE v_mv_ctrol_cpte WHERE TC='CCCC' and SUCURSAL='0001' AND NUMERO='")
             + NumeroBloqueo(numero) + QStringLiteral("' AND USUARIO = ") + sql::Texto(propietario));
}

} // namespace conciliacion
