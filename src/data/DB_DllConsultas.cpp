// One-question lookups (does a row exist, one column of a row, the largest value) and schema checks.

#include "DB_Dll.h"

#include "ConsultasTabla.h"
#include "data/base/SqlText.h"
#include "platform/suite/Utilidades.h"

namespace {

// The lookups' own box: the error text, Abort/Retry/Ignore, nothing logged.
ui::ErrorHandler avisoAlOperador()
{
    return [](const std::exception_ptr& error, const QString&) {
        return ui::dialogs().MsgBox(ui::errorInfoOf(error).description, ui::vbAbortRetryIgnore + ui::vbCritical,
                                    QStringLiteral("Aviso al Operador"));
    };
}

// The caller's recordset is left open on the first row (opened with `sql`, read-only when asked, else with the
// cursor and lock it carries); without one, a recordset of its own reads `sqlPropio` and is closed.
bool hayFila(ado::Connection& cnn, const QString& sql, const QString& sqlPropio, ado::Recordset* Lrcs,
             bool SoloLectura)
{
    if (Lrcs) {
        if (Lrcs->State() != ado::adStateClosed)
            Lrcs->Close();
        Lrcs->Open(sql, &cnn, SoloLectura ? int(ado::adOpenForwardOnly) : Lrcs->CursorType,
                   SoloLectura ? int(ado::adLockReadOnly) : Lrcs->LockType);
        return !Lrcs->BOF();
    }
    ado::Recordset propio;
    propio.Open(sqlPropio, &cnn, ado::adOpenForwardOnly, ado::adLockReadOnly, -1);
    const bool hay = !propio.EOF();
    propio.Close();
    return hay;
}

// The existence checks: with `reescribir` the text reads through synonyms and, on its own recordset, in the
// platform's dialect.
bool existeFila(DB_Dll& db, ui::Routine& rutina, QString sql, bool reescribir, ado::Recordset* Lrcs, bool SoloLectura)
{
    bool existe = false;
    rutina.steps({
        [&] {
            if (reescribir)
                sql = db.SS_TSinonimos(sql);
        },
        [&] { existe = hayFila(db.gCnn, sql, reescribir ? db.ORACLE_Dicc(sql) : sql, Lrcs, SoloLectura); },
    });
    return existe;
}

bool mismoNombre(const QString& a, const QString& b)
{
    return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

} // namespace

void DB_Dll::Anotar(const ui::Routine& rutina)
{
    if (rutina.lastError())
        m_ultimoError = rutina.lastError();
}

bool DB_Dll::ExisteEnTabla(const QString& Tabla, const QString& ValorBuscado, const QString& Campo,
                           ado::Recordset* Lrcs, const ado::Variant& Tipodato, const QString& Condicion,
                           bool SoloLectura)
{
    m_ultimoError.reset();
    ui::Routine rutina(QStringLiteral("ExisteEnTabla"), avisoAlOperador());
    const bool existe =
        existeFila(*this, rutina, consultas::ExisteEnTabla(Tabla, ValorBuscado, Campo, Tipodato, Condicion), true, Lrcs,
                   SoloLectura);
    Anotar(rutina);
    return existe;
}

bool DB_Dll::ExisteEnTablaST(const QString& Tabla, const QString& ValorBuscado, const QString& Campo,
                             ado::Recordset* Lrcs, const ado::Variant& Tipodato, const QString& Condicion,
                             bool SoloLectura)
{
    m_ultimoError.reset();
    ui::Routine rutina(QStringLiteral("ExisteEnTablaST"), avisoAlOperador());
    const bool existe = existeFila(*this, rutina, consultas::ExisteEnTablaST(Tabla, ValorBuscado, Campo, Tipodato, Condicion),
                                   false, Lrcs, SoloLectura);
    Anotar(rutina);
    return existe;
}

QString DB_Dll::DatosTabla(const QString& Tabla, const QString& ValorBuscado, const QString& CampoDevuelto,
                           const QString& Campo, const ado::Variant& Tipodato, const QString& Condicion, bool UsaTrim)
{
    m_ultimoError.reset();
    ui::Routine rutina(QStringLiteral("DatosTabla"), avisoAlOperador());
    QString valor;
    QString sql;
    ado::Recordset rs;
    rutina.steps({
        [&] { sql = consultas::DatosTabla(Tabla, ValorBuscado, Campo, Tipodato, Condicion, UsaTrim); },
        [&] { AbrirRecordset(sql, rs, nullptr, ado::adOpenForwardOnly, ado::adLockReadOnly, -1); },
        [&] {
            if (!rs.EOF())
                valor = suite::Utilidades::TextoCampo(rs.Fields(CampoDevuelto).Value());
        },
        [&] { CierraRecordset(rs); },
    });
    Anotar(rutina);   // keeps a failure AbrirRecordset noted itself
    return valor;
}

namespace {

ado::Variant extremo(ado::Connection& cnn, const QString& sql, const QString& columna)
{
    ado::Recordset rs;
    rs.Open(sql, &cnn, ado::adOpenForwardOnly, ado::adLockReadOnly, -1);
    ado::Variant resultado;
    if (!rs.EOF())
        resultado = sqltext::NumeroDeTexto(sqltext::TextoDeValor(rs.Fields(columna).Value()));   // Null: 0
    rs.Close();
    return resultado;
}

} // namespace

ado::Variant DB_Dll::BuscaMaximo(const QString& QueTabla, const QString& QueCampo, const ado::Variant&,
                                 const QString& Condicion)
{
    return extremo(gCnn, consultas::Extremo(true, QueTabla, QueCampo, Condicion, true), QStringLiteral("MAYOR"));
}

ado::Variant DB_Dll::BuscaMinimo(const QString& QueTabla, const QString& QueCampo, const ado::Variant&,
                                 const QString& Condicion)
{
    return extremo(gCnn, consultas::Extremo(false, QueTabla, QueCampo, Condicion, true), QStringLiteral("MENOR"));
}

ado::Variant DB_Dll::BuscaUltimoCodigo(const QString& QueTabla, const QString& QueCampo, const ado::Variant&,
                                       const QString& Condicion)
{
    return extremo(gCnn, consultas::Extremo(true, QueTabla, QueCampo, Condicion, false), QStringLiteral("MAYOR"));
}

bool DB_Dll::ExisteTablaDB(const QString& Tabla)
{
    m_ultimoError.reset();
    ui::Routine rutina(QStringLiteral("VerificaCampos"), ConTratamientoErrores());
    bool existe = false;
    rutina.step([&] {
        for (const QString& nombre : gCnn.TableNames()) {
            if (mismoNombre(nombre, Tabla)) {
                existe = true;
                break;
            }
        }
    });
    Anotar(rutina);
    return existe;
}

bool DB_Dll::ExisteCampoDB(const QString& Tabla, const QString& Campo)
{
    m_ultimoError.reset();
    if (EsOracle())
        return true;
    ui::Routine rutina(QStringLiteral("VerificaCampos"), ConTratamientoErrores());
    bool existe = false;
    rutina.step([&] {
        for (const QString& nombre : gCnn.ColumnNames(Tabla)) {
            if (mismoNombre(nombre, Campo)) {
                existe = true;
                break;
            }
        }
    });
    Anotar(rutina);
    return existe;
}

void DB_Dll::AddField(const QString& Tabla, const QString& Campo, const QString& Tipo, bool PermiteNulos,
                      const ado::Variant& ValorDefault)
{
    m_ultimoError.reset();
    ui::Routine rutina(QStringLiteral("errAddField"), ConTratamientoErrores());
    QString sql;
    rutina.steps({
        [&] { sql = consultas::AddField(Tabla, Campo, Tipo, PermiteNulos, ValorDefault); },
        [&] { EjecutaConsultaSQL(sql); },
    });
    Anotar(rutina);
}

bool DB_Dll::VerCampoDB(const QString& Tabla, const QString& Campo, bool Agregar, const QString& Tipo,
                        bool PermiteNulos, const ado::Variant& ValorDefault)
{
    if (ExisteTablaDB(Tabla) && !ExisteCampoDB(Tabla, Campo) && Agregar)
        AddField(Tabla, Campo, Tipo, PermiteNulos, ValorDefault);
    return true;
}
