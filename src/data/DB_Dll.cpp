// The data-access object: creation, the shared instance and opening the connection.

#include "DB_Dll.h"

#include "AvisoConexion.h"
#include "AvisoEspera.h"
#include "data/base/SqlText.h"
#include "frmAcceso.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <functional>
#include <mutex>

namespace {

Plataforma plataformaDe(ado::BackendKind kind, Plataforma porDefecto)
{
    switch (kind) {
    case ado::BackendKind::Sqlite: return Plataforma::Sqlite;
    case ado::BackendKind::Oracle: return Plataforma::Oracle;
    case ado::BackendKind::SqlServer: return Plataforma::SqlServer;
    case ado::BackendKind::None: break;
    }
    return porDefecto;
}

bool esVerdadero(const ado::Variant& v)
{
    try {
        return v.toBool();
    } catch (const ado::Error&) {
        return false;
    }
}

// The windows that show a wait for the database (another station's lock, a server that is slow to log in), for
// every connection of the program; only where there are windows.
void InstalarAvisos()
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return;
    static AvisoEspera espera;
    static AvisoConexion conexion;
    ado::SetLockWaitNotice(&espera);
    ado::SetConnectWaitNotice(&conexion);
}

} // namespace

void RegistrarErroresDeDatos()
{
    static std::once_flag una;
    std::call_once(una, [] {
        ui::registerErrorTranslator([](const std::exception_ptr& p) -> std::optional<ui::ErrorInfo> {
            try {
                std::rethrow_exception(p);
            } catch (const ado::Error& e) {
                return ui::ErrorInfo{e.Number, e.Description, e.Source};
            } catch (...) {
                return std::nullopt;
            }
        });
    });
}

DB_Dll::DB_Dll()
{
    RegistrarErroresDeDatos();
    InstalarAvisos();
    // A file without the company's tables is refused at connect, untouched, with one message, instead of
    // being made a database and answered by an error for every table the program reads.
    gCnn.RequiredTables = {QStringLiteral("TA_CONFIGURACION"), QStringLiteral("MA_CUENTAS"),
                           QStringLiteral("MV_ASIENTOS")};
}

DB_Dll::~DB_Dll() = default;

DB_Dll& gDB()
{
    // Never destroyed: the connection must outlive every window, and closing it after the database driver
    // has been unloaded at exit would crash.
    static DB_Dll* const db = new DB_Dll;
    return *db;
}

void DB_Dll::CerrarConexion()
{
    glrcs.Close();
    gCnn.Close();
    gOpenFlag = false;   // a later start-up road connects again
}

QString DB_Dll::ArmarCadena()
{
    gPlataforma = conexion::PlataformaDeServidor(gServidor);
    return conexion::CadenaServidor(gServidor, gDBName, gUsuario, gUserPassWord, gExtended);
}

bool DB_Dll::CaminoDialogo()
{
    frmAcceso f;
    f.TxtDbName->setText(gDBName);
    f.TxtServidor->setText(gServidor);
    f.TxtUserId->setText(gUsuario);
    f.TxtUserPassword->setText(gUserPassWord);
    f.CboPlataformaDB->setCurrentIndex(0);
    ui::dialogs().RunModal(f);
    if (!f.Aceptar) {
        gOpenFlag = false;
        return false;
    }
    gOpenFlag = true;
    gDBName = f.TxtDbName->text();
    gServidor = f.TxtServidor->text();
    gUsuario = f.TxtUserId->text();
    gUserPassWord = f.TxtUserPassword->text();
    if (f.CboPlataformaDB->currentIndex() > 0) {
        gProveedor = conexion::kProveedorOracle;
        if (!gServidor.contains(QLatin1Char('#')))
            gServidor = QLatin1Char('#') + gServidor;
    } else {
        gProveedor = conexion::kProveedorSqlServer;
    }
    return true;
}

void DB_Dll::OpenServerADODB(bool PideParametrosSQL, int lCursor, const QString& ConnString, bool ValidaAdmin)
{
    gOpenFlag = true;
    if (gProveedor.isEmpty())
        gProveedor = conexion::kProveedorSqlServer;
    if (ConnString.trimmed().isEmpty()) {
        gConnString = ArmarCadena();
    } else {
        gConnString = ConnString;
        gPlataforma = conexion::PlataformaDeServidor(gServidor);
    }
    if (PideParametrosSQL) {
        if (!CaminoDialogo())
            return;
        gConnString = ArmarCadena();
    }

    bool terminado = false;
    const std::function<void()> pasos[] = {
        [&] { gCnn.CursorLocation = lCursor; },
        [&] {
            gCnn.Open(gConnString, QString(), QString(), -1);
            gPlataforma = plataformaDe(gCnn.Kind(), gPlataforma);
            // A company file this user may not write, opened only to read it: said once, when it opens.
            if (!gCnn.ReadOnlyReason().isEmpty())
                ui::dialogs().MsgBox(gCnn.ReadOnlyReason() + QStringLiteral("\r\nLa empresa se abre solo para "
                                                                            "consultarla: no se grabará nada en ella."),
                                     ui::vbOKOnly + ui::vbInformation, QStringLiteral("Aviso al Usuario"));
        },
        [&] {
            if (!ValidaAdmin) {
                gEsAdmin = true;
                terminado = true;
            }
        },
        [&] {
            if (!gDBName.trimmed().isEmpty())
                gCnn.setDefaultDatabase(gDBName);
        },
        [&] {
            if (!gDBName.trimmed().isEmpty() && ExisteTablaDB(QStringLiteral("TA_USUARIOS")))
                gEsAdmin = sqltext::NumeroDeTexto(DatosTabla(QStringLiteral("ta_usuarios"), gUsuario,
                                                             QStringLiteral("Administrador"), QStringLiteral("nombre"),
                                                             8, QString(), true))
                    == 1;
        },
    };
    for (std::size_t i = 0; i < std::size(pasos) && !terminado;) {
        try {
            pasos[i]();
            ++i;
        } catch (const ui::ProgramEnded&) {
            throw;
        } catch (const ui::UnexpectedPrompt&) {
            throw;
        } catch (...) {
            const ui::ErrorInfo error = ui::errorInfoOf(std::current_exception());
            if (gCnn.errors().Count() == 0) {
                ui::dialogs().MsgBox(error.description, ui::vbOKOnly);
                // Only an open connection counts as connected: a failed open must end the start-up road.
                gOpenFlag = gCnn.State() == ado::adStateOpen;
                return;
            }
            const ado::Error& e = gCnn.errors().Item(0);
            const QString texto = QStringLiteral(" Estado de Sql: ") + e.SQLState + QLatin1Char('\r')
                + QStringLiteral("Numero de Error: ") + QString::number(e.Number) + QLatin1Char('\r')
                + QStringLiteral("Descripcion: ") + e.Description + QLatin1Char('\r')
                + QStringLiteral("Codigo Nativo: ") + QString::number(e.NativeError) + QLatin1Char('\r')
                + QStringLiteral(" - Desea Intentarlo Nuevamente??? ");
            if (ui::dialogs().MsgBox(texto, ui::vbYesNo + ui::vbCritical,
                                     QStringLiteral(" Error de Conexion a Base de Datos"))
                != ui::vbYes) {
                gOpenFlag = false;
                return;
            }
            gCnn.errors().Clear();
            if (!CaminoDialogo())
                return;
            gConnString = ArmarCadena();
        }
    }
}

void DB_Dll::OpenLocalADODB(const QString& ConnString, const QString& CadenaID, const QString& CadenaPWD)
{
    QString clausulaClave;
    bool claveProbada = false;
    for (;;) {
        QString cadena = !ConnString.isEmpty()
            ? ConnString
            : conexion::CadenaLocal(gProveedor, gDBName, CadenaID, gUsuario, CadenaPWD, gUserPassWord, gExtended);
        cadena += clausulaClave;
        try {
            gCnn.Open(cadena, QString(), QString(), -1);
            gConnString = cadena;
            return;
        } catch (const ado::Error& error) {
            const QString aviso = QString::number(error.Number) + QStringLiteral("  ") + error.Description;
            const QString estado = gCnn.errors().Count() > 0 ? gCnn.errors().Item(0).SQLState : QString();
            if (estado == QLatin1String("3024") || estado == QLatin1String("3051") || estado == QLatin1String("3044")) {
                CmdDlg.Titulo = QStringLiteral("Buscar Base de Datos");
                CmdDlg.Filtro = QStringLiteral("Base de Datos de Microsoft Access |*.MDB");
                CmdDlg.Mostrar();
                if (CmdDlg.Cancelado)
                    return;
                gDBName = CmdDlg.NombreArchivo;
                // A given connection text does not change with the file: asking again would never end.
                if (!ConnString.isEmpty())
                    return;
                continue;
            }
            // A wrong password is asked for (or taken from gUserPassWord) once; a second refusal ends here.
            if (estado == QLatin1String("3031") && !claveProbada) {
                claveProbada = true;
                if (esVerdadero(gIgnoraPassWord)) {
                    clausulaClave = QStringLiteral("Jet OLEDB:Database Password=") + gUserPassWord + QLatin1Char(';');
                } else {
                    const std::optional<QString> clave =
                        ui::dialogs().InputBox(QStringLiteral("ingrese el password:"), QStringLiteral("Password Access"));
                    if (!clave)
                        return;
                    clausulaClave = QStringLiteral(" Jet OLEDB:Database Password=") + *clave + QLatin1Char(';');
                }
                continue;
            }
            ui::dialogs().MsgBox(aviso, ui::vbCritical + ui::vbOKOnly);
            return;
        }
    }
}
