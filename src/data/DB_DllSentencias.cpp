// Running the program's SQL through the shared connection: recordsets, action statements, table-name
// rewriting and the Oracle road.

#include "DB_Dll.h"

#include "data/base/DialectoOracle.h"
#include "data/base/Sinonimos.h"
#include "data/base/SqlText.h"
#include "platform/ado/QueryWait.h"

namespace {

using sqltext::Contiene;

// The statement keeps its "@Admin_" tables; only a DROP+CREATE script without DELETE reads through synonyms.
QString reescribirAccion(const QString& sql, const DB_Dll& db)
{
    if (Contiene(sql, QStringLiteral("DROP")) && Contiene(sql, QStringLiteral("CREATE"))) {
        if (Contiene(sql, QStringLiteral("@ADMIN_")))
            return sinonimos::QuitarMarcaAdmin(sql);
        if (Contiene(sql, QStringLiteral("DELETE")))
            return sql;
        return db.SS_TSinonimos(sql);
    }
    return sinonimos::QuitarMarcaAdmin(sql);
}

// A transaction script (its callers read the connection's errors themselves): "TRANS" or "TRANSACTION" as
// words of the statement, not as letters inside a value or a longer name.
bool esTransaccion(const QString& sql)
{
    for (const char* palabra : {"TRANS", "TRANSACTION"}) {
        if (sqltext::PalabraFueraDeLiterales(sql, QLatin1String(palabra)))
            return true;
    }
    return false;
}

// The server's "string or binary data would be truncated".
bool esTruncamiento(const ado::Errors& errores)
{
    return errores.Count() > 0 && errores.Item(0).NativeError == 8152;
}

bool esNumeroSilencioso(qint64 numero)
{
    return numero == ado::kErrOther || numero == ado::kErrIntegrity || numero == ado::kErrMissingObject
        || numero == ado::kErrSyntax;
}

} // namespace

QString DB_Dll::SS_TSinonimos(const QString& SQL) const
{
    return sinonimos::Reescribir(SQL, gEsAdmin);
}

QString DB_Dll::ORACLE_Dicc(const QString& Valor) const
{
    if (!EsOracle())
        return Valor;
    return oracle::Traducir(Valor);
}

bool DB_Dll::AbrirRecordset(QString& SentenciaSQL, ado::Recordset& Lrcs, ado::Connection* ConexionActiva,
                            int CursorType, int LockType, int Options, bool ConvOracle)
{
    m_ultimoError.reset();
    // A read the operator cancelled while it ran is no failure to ask about: it goes on to the caller.
    ui::Routine rutina(QStringLiteral("AbrirRecordset"), [](const std::exception_ptr& error, const QString& rutina) {
        try {
            std::rethrow_exception(error);
        } catch (const ado::QueryCancelled&) {
            throw;
        } catch (...) {
        }
        return ui::askOperator()(error, rutina);
    });
    QString fuente;
    rutina.steps({
        [&] { CierraRecordset(Lrcs); },
        [&] { SentenciaSQL = SS_TSinonimos(SentenciaSQL); },
        [&] { fuente = EsOracle() && ConvOracle ? ORACLE_Dicc(SentenciaSQL) : SentenciaSQL; },
        [&] { Lrcs.Open(fuente, ConexionActiva ? ConexionActiva : &gCnn, CursorType, LockType, Options); },
    });
    Anotar(rutina);
    return Lrcs.State() == ado::adStateOpen;
}

bool DB_Dll::AbrirRecordset(const QString& SentenciaSQL, ado::Recordset& Lrcs, ado::Connection* ConexionActiva,
                            int CursorType, int LockType, int Options, bool ConvOracle)
{
    QString sql = SentenciaSQL;
    return AbrirRecordset(sql, Lrcs, ConexionActiva, CursorType, LockType, Options, ConvOracle);
}

void DB_Dll::CierraRecordset(ado::Recordset& LrcsTemp)
{
    ui::Routine rutina(QStringLiteral("CierraRecordset"), ConTratamientoErrores());
    rutina.step([&] {
        if (LrcsTemp.State() != ado::adStateClosed)
            LrcsTemp.Close();
    });
}

bool DB_Dll::EjecutaConsultaSQL(QString& SentenciaSQL, qint64* RecordsAffected)
{
    m_ultimoError.reset();
    SentenciaSQL = reescribirAccion(SentenciaSQL, *this);
    const bool transaccion = esTransaccion(SentenciaSQL);
    try {
        if (EsOracle()) {
            qint64 filas = RecordsAffected ? *RecordsAffected : 0;
            EjecutaScriptOracle(SentenciaSQL, filas);
            if (RecordsAffected)
                *RecordsAffected = filas;
        } else {
            gCnn.Execute(SentenciaSQL, RecordsAffected, -1);
        }
        if (!transaccion && gCnn.errors().Count() <= 2 && esTruncamiento(gCnn.errors()))
            gCnn.errors().Clear();
        return true;
    } catch (const ado::Error& e) {
        const ui::ErrorInfo error{e.Number, e.Description, e.Source};
        m_ultimoError = error;
        const bool truncamiento = !transaccion && esTruncamiento(gCnn.errors());
        if (truncamiento)
            gCnn.errors().Clear();
        const bool silencioso = transaccion || truncamiento || esNumeroSilencioso(e.Number);
        int respuesta = 0;
        if (!silencioso)
            respuesta = ui::dialogs().MsgBox(e.Description, ui::vbOKOnly + ui::vbCritical,
                                             QStringLiteral("Aviso al operador!!!"));
        RegistrarError(error, QStringLiteral("EjecutaConsultaSQL"), respuesta, SentenciaSQL);
        return false;
    }
}

bool DB_Dll::EjecutaConsultaSQL(const QString& SentenciaSQL, qint64* RecordsAffected)
{
    QString sql = SentenciaSQL;
    return EjecutaConsultaSQL(sql, RecordsAffected);
}

void DB_Dll::EjecutaScriptOracle(const QString& script, qint64& RecordsAffected)
{
    bool abierta = false;   // a transaction this script began and has not ended yet
    try {
        for (const oracle::Paso& paso : oracle::DividirScript(script)) {
            switch (paso.tipo) {
            case oracle::Paso::IniciarTransaccion:
                gCnn.BeginTrans();
                abierta = true;
                break;
            case oracle::Paso::Confirmar:
                gCnn.CommitTrans();
                abierta = false;
                break;
            case oracle::Paso::Deshacer:
                gCnn.RollbackTrans();
                abierta = false;
                break;
            case oracle::Paso::Sentencia: {
                QString sentencia = ORACLE_Dicc(paso.texto);
                if (!FiltraSentenciaOracle(sentencia).trimmed().isEmpty()) {
                    qint64 filas = 0;
                    gCnn.Execute(sentencia, &filas, -1);
                    RecordsAffected += filas;
                }
                break;
            }
            }
        }
    } catch (const ado::Error& e) {
        // A failed script must not leave its transaction open; the failure stays in the error list.
        if (abierta && gCnn.InTransaction()) {
            try {
                gCnn.RollbackTrans();
            } catch (const ado::Error&) {
            }
            gCnn.errors().Clear();
            gCnn.errors().Append(e);
        }
        throw;
    }
    if (gCnn.errors().Count() == 1 && gCnn.errors().Item(0).Number == 265929)
        gCnn.errors().Clear();
}

QString DB_Dll::FiltraSentenciaOracle(QString& sentencia) const
{
    return oracle::FiltraSentencia(sentencia);
}

void DB_Dll::QConsulta(const ado::Variant&, const ado::Variant&, const ado::Variant&, const ado::Variant&,
                       const ado::Variant&, const ado::Variant&)
{
}

void DB_Dll::QGridConsulta(const ado::Variant&, const ado::Variant&, const ado::Variant&, const ado::Variant&,
                           const ado::Variant&)
{
}
