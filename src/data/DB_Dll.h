#pragma once
// The program's whole access to the database. One object lives in the process, gDB(), created on first
// use; it owns the one connection gCnn and is how every other part of the program runs SQL.
//
// Failures: AbrirRecordset and the lookups report through their own dialogs as they always did, and
// EjecutaConsultaSQL stays quiet on screen for the provider errors the program expects; but every call
// below that can fail leaves HuboError()/UltimoError() set when it did, so a caller can tell "no row" or
// "done" from "the query failed". EjecutaConsultaSQL also returns false and writes the failure to the log.

#include "CadenaConexion.h"
#include "platform/ado/Connection.h"
#include "platform/ado/Recordset.h"
#include "platform/ado/Variant.h"
#include "platform/suite/DialogoArchivo.h"
#include "platform/ui/Routine.h"

#include <QString>
#include <optional>

class DB_Dll {
public:
    DB_Dll();
    ~DB_Dll();
    DB_Dll(const DB_Dll&) = delete;
    DB_Dll& operator=(const DB_Dll&) = delete;

    // ---- public data (every member starts empty) ----
    suite::DialogoArchivo CmdDlg;      // open-file dialog of OpenLocalADODB
    bool gOpenFlag = false;            // True from the start of OpenServerADODB; False after a cancel or a declined retry
    ado::Variant gIgnoraPassWord;      // OpenLocalADODB: answer a password error with gUserPassWord
    ado::Connection gCnn;              // the one connection
    ado::Recordset glrcs;
    ado::Variant gCursorLocation;
    QString gProveedor;
    QString gDsn;
    QString gServidor;                 // a "#" in it marks Oracle; "sqlite" the embedded engine
    QString gDBName;                   // database name, Oracle data source, or the embedded engine's file
    QString gUsuario;
    bool gEsAdmin = false;             // decides the table-name rewriting
    QString gUserPassWord;
    QString gConnString;               // the connection text last built or given
    QString gExtended;                 // appended to a built SQL Server or local connection text
    QString gLogErr;                   // error log file; "" = "QXERR.LOG" in the program folder
    bool ParametrosSQL = false;
    // The platform of the connection, decided when it is built and confirmed when it opens. Every
    // "is this Oracle" question of the program asks this, never a connection text.
    Plataforma gPlataforma = Plataforma::SqlServer;
    bool EsOracle() const { return gPlataforma == Plataforma::Oracle; }

    QString pJETOLEDB40() const { return QStringLiteral("Microsoft.Jet.OLEDB.4.0"); }
    QString pJETOLEDB35() const { return QStringLiteral("Microsoft.Jet.OLEDB.3.51"); }
    QString pSQLOLEDB() const { return conexion::kProveedorSqlServer; }

    // ---- connection ----
    void OpenServerADODB(bool PideParametrosSQL = false, int lCursor = 0, const QString& ConnString = {},
                         bool ValidaAdmin = false);
    void OpenLocalADODB(const QString& ConnString = {}, const QString& CadenaID = {}, const QString& CadenaPWD = {});
    // Closes the connection as the program ends. On the embedded engine the last program to close the company
    // copies the engine's journal into it and removes it, so that nothing is left beside the company file at
    // its largest size; harmless when it is already closed.
    void CerrarConexion();

    // ---- statements and recordsets ----
    // Writes the table-name rewritten text back into SentenciaSQL. True when Lrcs ends up open. A read
    // cancelled through the recordset's ado::QueryWait raises ado::QueryCancelled to the caller, with no dialog.
    bool AbrirRecordset(QString& SentenciaSQL, ado::Recordset& Lrcs, ado::Connection* ConexionActiva = nullptr,
                        int CursorType = ado::adOpenForwardOnly, int LockType = ado::adLockReadOnly,
                        int Options = -1, bool ConvOracle = true);
    bool AbrirRecordset(const QString& SentenciaSQL, ado::Recordset& Lrcs, ado::Connection* ConexionActiva = nullptr,
                        int CursorType = ado::adOpenForwardOnly, int LockType = ado::adLockReadOnly,
                        int Options = -1, bool ConvOracle = true);
    void CierraRecordset(ado::Recordset& LrcsTemp);
    // Runs an action statement (on Oracle: a script). SentenciaSQL receives the rewritten text; RecordsAffected
    // the rows touched (on Oracle each statement adds its count to the value passed in). False on failure.
    bool EjecutaConsultaSQL(QString& SentenciaSQL, qint64* RecordsAffected = nullptr);
    bool EjecutaConsultaSQL(const QString& SentenciaSQL, qint64* RecordsAffected = nullptr);
    QString SS_TSinonimos(const QString& SQL) const;
    void QConsulta(const ado::Variant& TB, const ado::Variant& Rsp, const ado::Variant& Cl1, const ado::Variant& Cl2,
                   const ado::Variant& CmpDisplay, const ado::Variant& SQLWHERE);
    void QGridConsulta(const ado::Variant& Sentencia, const ado::Variant& CampoDevuelto1,
                       const ado::Variant& gCnnString, const ado::Variant& CampoDevuelto2,
                       const ado::Variant& CampoDevuelto3);

    // ---- Oracle ----
    QString ORACLE_Dicc(const QString& Valor) const;

    // ---- table lookups and schema checks ----
    bool ExisteEnTabla(const QString& Tabla, const QString& ValorBuscado, const QString& Campo = {},
                       ado::Recordset* Lrcs = nullptr, const ado::Variant& Tipodato = {}, const QString& Condicion = {},
                       bool SoloLectura = false);
    bool ExisteEnTablaST(const QString& Tabla, const QString& ValorBuscado, const QString& Campo = {},
                         ado::Recordset* Lrcs = nullptr, const ado::Variant& Tipodato = {},
                         const QString& Condicion = {}, bool SoloLectura = false);
    // The text of column CampoDevuelto of the first matching row; "" for no row and for Null.
    QString DatosTabla(const QString& Tabla, const QString& ValorBuscado, const QString& CampoDevuelto,
                       const QString& Campo = {}, const ado::Variant& Tipodato = {}, const QString& Condicion = {},
                       bool UsaTrim = false);
    // The number value of the column's largest (smallest) value, 0 for an empty table; Empty when no row comes
    // back. No handler: a failure raises ado::Error to the caller. Tipo has no effect.
    ado::Variant BuscaMaximo(const QString& QueTabla, const QString& QueCampo, const ado::Variant& Tipo = {},
                             const QString& Condicion = {});
    ado::Variant BuscaMinimo(const QString& QueTabla, const QString& QueCampo, const ado::Variant& Tipo = {},
                             const QString& Condicion = {});
    ado::Variant BuscaUltimoCodigo(const QString& QueTabla, const QString& QueCampo, const ado::Variant& Tipo = {},
                                   const QString& Condicion = {});
    bool ExisteTablaDB(const QString& Tabla);
    bool ExisteCampoDB(const QString& Tabla, const QString& Campo);
    bool VerCampoDB(const QString& Tabla, const QString& Campo, bool Agregar, const QString& Tipo, bool PermiteNulos,
                    const ado::Variant& ValorDefault = {});
    void AddField(const QString& Tabla, const QString& Campo, const QString& Tipo, bool PermiteNulos,
                  const ado::Variant& ValorDefault = {});

    // ---- SQL literals and name routines (no database) ----
    // Null: "0" for "@", else NULL; "@": an amount with "." as decimal point; "'": quoted, inner quotes doubled.
    static QString SQLValue(const ado::Variant& Valor, const QString& Tipo = {});
    static bool adodate(const ado::Variant& Qtype);
    static bool ADOText(const ado::Variant& Qtype);
    static bool ADONumeric(const ado::Variant& Qtype);
    static bool ADOCurrency(const ado::Variant& Qtype);
    static bool ADOBoolean(const ado::Variant& Qtype);
    static QString ADOComilla(const ado::Variant& Qtype);
    static QString stSTF(QString& rsName, bool rnPart);
    static QString AddBrackets(const QString& rObjName);
    static QString StripConnect(const QString& rsTblName);
    static QString StripBrackets(const QString& rsObjName);
    static QString StripOwner(QString& rsTblName);
    static QString StripFileName(const QString& rsFileName);

    // ---- errors ----
    // Shows the error (default buttons 18: Abort/Retry/Ignore, critical), appends one line to the error log and
    // returns the answer; 0 without a box or a line when the number is 0.
    int TratamientoErrores(const ui::ErrorInfo& CodErr, int Botones = 18, const QString& Rutina = {});
    // The step handler of the routines that report through TratamientoErrores.
    ui::ErrorHandler ConTratamientoErrores(int Botones = 18);
    QString ArchivoErrores() const { return gLogErr; }
    void ArchivoErrores(const ado::Variant& vNewValue) { gLogErr = vNewValue.toText(); }

    // Whether the last call of AbrirRecordset, EjecutaConsultaSQL, a table lookup or a schema check failed
    // (also when the operator chose to ignore the failure), and with what.
    bool HuboError() const { return m_ultimoError.has_value(); }
    ui::ErrorInfo UltimoError() const { return m_ultimoError.value_or(ui::ErrorInfo{}); }

private:
    QString ArmarCadena();
    bool CaminoDialogo();
    void EjecutaScriptOracle(const QString& script, qint64& RecordsAffected);
    QString FiltraSentenciaOracle(QString& sentencia) const;
    void RegistrarError(const ui::ErrorInfo& error, const QString& rutina, int respuesta,
                        const QString& detalle = {}) const;
    void Anotar(const ui::Routine& rutina);

    std::optional<ui::ErrorInfo> m_ultimoError;
};

// The one shared data-access object, created on first use and kept to the end of the program.
DB_Dll& gDB();

// Lets the operator dialogs and step handlers show database errors with their provider number, description
// and source. Idempotent; DB_Dll's constructor calls it.
void RegistrarErroresDeDatos();
