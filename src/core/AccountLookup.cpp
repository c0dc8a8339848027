#include "AccountLookup.h"

#include "data/DB_Dll.h"
#include "platform/ado/Error.h"
#include "platform/suite/Utilidades.h"

namespace ModGlobal {

namespace {

QString consultaPor(const QString& columna, const QString& codigo)
{
    return QStringLiteral("SELECT * FROM MA_CUENTAS WHERE ") + columna + QStringLiteral(" =  ")
        + DB_Dll::SQLValue(codigo, QStringLiteral("'"));
}

// True when a row came back; a failed query raises its error to the caller.
bool abrir(const QString& sql, ado::Recordset& rs, bool soloLectura)
{
    DB_Dll& db = gDB();
    const bool abierto = soloLectura
        ? db.AbrirRecordset(sql, rs, nullptr, ado::adOpenForwardOnly, ado::adLockReadOnly, -1, true)
        : db.AbrirRecordset(sql, rs, nullptr, ado::adOpenDynamic, ado::adLockOptimistic, -1, true);
    if (!abierto) {
        const ui::ErrorInfo e = db.UltimoError();
        throw ado::Error(e.number, e.description, e.source);
    }
    return !rs.EOF();
}

QString codigoDeFila(ado::Recordset& rs)
{
    return suite::Utilidades::TextoCampo(rs.Fields(QStringLiteral("Codigo")).Value());
}

} // namespace

bool BuscarCuenta(QString& Codigo, ado::Recordset* Rs, bool SoloLectura, bool& PorCodigoOpcional)
{
    ado::Recordset propio;
    ado::Recordset& rs = Rs ? *Rs : propio;
    const QString porCodigo = QStringLiteral("Codigo");
    const QString porOpcional = QStringLiteral("CodigoOpcional");
    bool encontrada = false;
    if (abrir(consultaPor(PorCodigoOpcional ? porOpcional : porCodigo, Codigo), rs, SoloLectura)) {
        encontrada = true;
        Codigo = codigoDeFila(rs);
    } else if (PorCodigoOpcional) {
        encontrada = abrir(consultaPor(porCodigo, Codigo), rs, SoloLectura);
    } else if (abrir(consultaPor(porOpcional, Codigo), rs, SoloLectura)) {
        encontrada = true;
        PorCodigoOpcional = true;
        Codigo = codigoDeFila(rs);
    }
    if (!Rs)
        gDB().CierraRecordset(propio);
    return encontrada;
}

} // namespace ModGlobal
