#include "Startup.h"

#include "Configuration.h"
#include "Globals.h"
#include "LaunchString.h"
#include "LookupHook.h"
#include "data/DB_Dll.h"
#include "data/base/SqlText.h"
#include "platform/suite/Carpetas.h"
#include "platform/suite/Estacion.h"
#include "platform/suite/Reporte.h"
#include "platform/ui/Routine.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QWidget>
#include <csignal>

namespace ModGlobal {

namespace {

const QString kArchivoIni = QStringLiteral("CN000pr.INI");
constexpr qint64 kErrorArchivo = 75;        // path/file access error
constexpr qint64 kLlamadaInvalida = 5;      // invalid procedure call: passed over

// Start-up failures: number 5 is passed over; any other is shown and logged, and the road goes on so that
// the configuration still loads.
ui::ErrorHandler manejadorInicio()
{
    return [](const std::exception_ptr& error, const QString& rutina) {
        const ui::ErrorInfo info = ui::errorInfoOf(error);
        if (info.number != kLlamadaInvalida)
            gDB().TratamientoErrores(info, ui::vbOKOnly + ui::vbCritical, rutina);
        return int(ui::vbIgnore);
    };
}

// The station file's section for the station's connection.
QString SeccionBaseDeDatos()
{
    return suite::Estacion::NombreEstacion().toUpper() + QLatin1Char('|') + suite::Estacion::UsuarioEstacion().toUpper()
        + QStringLiteral("BaseDeDatos");
}

// The seconds a server is given to accept the login: the station file's "TiempoDeConexion" when it is a whole
// number above 0, else the platform's 15.
int TiempoDeConexion()
{
    bool ok = false;
    const int segundos = suite::ArchivoIni::LeerIni(kArchivoIni, SeccionBaseDeDatos(), QStringLiteral("TiempoDeConexion"),
                                                    QString())
                             .trimmed()
                             .toInt(&ok);
    return ok && segundos > 0 ? segundos : ado::kDefaultLoginTimeout;
}

// Reads the launch items and opens the connection; ends the program when none results.
void Conectar(const QString& texto, QString& ConnString, int CursorLocation)
{
    const ParametrosLanzamiento p = LeerParametros(texto);
    gParametroAdicional = p.ParametroAdicional;
    gMenu = p.Menu;
    gUsuarioLogeado = p.UsuarioLogeado;
    gCaja = p.Caja;
    QString servidor = p.Servidor;
    if (servidor.trimmed().startsWith(QLatin1Char('#'))) {
        servidor = servidor.trimmed().mid(1);
        if (ConnString.isEmpty())
            ConnString = conexion::CadenaServidor(QStringLiteral("#"), p.DbName, p.Usuario, p.Password, QString());
    }
    DB_Dll& db = gDB();
    // The server road applies both when the connection opens, so they are set before it.
    db.gCnn.ConnectionTimeout = TiempoDeConexion();
    db.gCnn.CommandTimeout = 360;
    db.gUsuario = p.Usuario;
    db.gDBName = p.DbName;
    db.gUserPassWord = p.Password;
    db.gServidor = ObtenerServidor(servidor);
    db.OpenServerADODB(servidor.trimmed().isEmpty(), CursorLocation, ConnString, true);
    if (!db.gOpenFlag)
        ui::dialogs().EndProgram(1);
    gUsuarioLogeado = db.gUsuario;
    db.gCnn.IsolationLevel = 256;
}

void PrepararMascaras(const QString& carpeta)
{
    const QString mascara = carpeta + QStringLiteral("consultas.qxd");
    const core::LookupHook& hook = core::lookupHook();
    if (hook.configure)
        hook.configure(gDB().gConnString, mascara);
    if (QFileInfo(mascara).isFile() || !hook.ensureMaskFile)
        return;
    QString motivo;
    if (!hook.ensureMaskFile(mascara, &motivo))
        throw ado::Error(kErrorArchivo,
                         QStringLiteral("No se pudo crear el archivo de consultas %1: %2")
                             .arg(QDir::toNativeSeparators(mascara), motivo));
}

} // namespace

void PrepararProceso(UsoDeLaEmpresa uso)
{
    std::signal(SIGXFSZ, SIG_IGN);
    gDB().gCnn.WhenUnwritable =
        uso == UsoDeLaEmpresa::SoloLee ? ado::UnwritableFile::OpenReadOnly : ado::UnwritableFile::Refuse;
}

QString SeccionEstacion(const QString& nombre, const QString& usuario)
{
    QString seccion = nombre.toUpper() + QLatin1Char('|') + usuario.toUpper();
    if (seccion.trimmed().size() > 50)
        seccion = seccion.left(50);
    return seccion;
}

QString TextoLanzamientoDeEstacion()
{
    using suite::Utilidades;
    const QString seccion = SeccionBaseDeDatos();
    auto leer = [&](const char* clave, const QString& porDefecto, bool codificado) {
        QString valor = suite::ArchivoIni::LeerIni(kArchivoIni, seccion, QString::fromLatin1(clave), porDefecto);
        if (codificado)
            valor = Utilidades::DecodificarTexto(valor);
        return Utilidades::TextoDespuesDe(valor, QStringLiteral("|"));
    };
    const QString servidor = leer("Servidor", QString(), false);
    const QString base = leer("DbName", QString(), false);
    const QString usuario = leer("Usuario", Utilidades::CodificarTexto(QStringLiteral("Vostrel")), true);
    const QString clave = leer("UserPassWord", Utilidades::CodificarTexto(QStringLiteral("pardelo")), true);
    return QStringLiteral("@server=") + servidor + QStringLiteral("; @dbname= ") + base + QStringLiteral("; @usuario= ")
        + usuario + QStringLiteral("; @Password= ") + clave + QStringLiteral("; @ParametroAdicional=; @Caja=1;tesp@");
}

void Inicializar(bool UsarIni, const QString& Parametros, QString& ConnString, int CursorLocation)
{
    ui::Routine rutina(QStringLiteral("Inicializar"), manejadorInicio());
    QString carpeta;
    QString texto;
    rutina.steps({
        [&] { carpeta = suite::CarpetaDelPrograma(); },
        [&] {
            gColorLetra = 0;
            gColorFondo = 0xFFFFFF;
        },
        [&] {
            texto = Parametros.isEmpty() ? TextoDeArgumentos(QCoreApplication::arguments().mid(1)) : Parametros;
        },
        [&] {
            if (texto.trimmed().isEmpty() && UsarIni)
                texto = TextoLanzamientoDeEstacion();
        },
        [&] { gSeccionIni = SeccionEstacion(suite::Estacion::NombreEstacion(), suite::Estacion::UsuarioEstacion()); },
        [&] {
            gFlatToolbars = sqltext::NumeroDeTexto(
                suite::ArchivoIni::LeerIni(kArchivoIni, gSeccionIni, QStringLiteral("FlatToolbars"), QStringLiteral("1")));
        },
        [&] {
            if (!gDB().gOpenFlag)
                Conectar(texto, ConnString, CursorLocation);
        },
    });
    if (gDB().gDBName.isEmpty())
        return;
    rutina.steps({
        [&] {
            const DB_Dll& db = gDB();
            gCadenaDsn = QStringLiteral("DSN=") + db.gDBName + QStringLiteral("; UID=") + db.gUsuario
                + QStringLiteral("; PWD=") + db.gUserPassWord;
        },
        [&] {
            gReporte().Carpeta = carpeta;
            gReporte().setConexion(&gDB().gCnn);
        },
        [&] { gDB().gCnn.setDefaultDatabase(gDB().gDBName); },
        [&] { PrepararMascaras(carpeta); },
        [&] { CargarConfiguracion(carpeta); },
    });
}

void InicializarFormulario(QWidget* Formulario)
{
    if (!Formulario)
        return;
    ui::Routine rutina(QStringLiteral("InicializarFormulario"), ui::silently(ui::vbIgnore));
    QString icono;
    rutina.steps({
        [&] {
            icono = suite::ArchivoIni::LeerIni(kArchivoIni, QStringLiteral("Iconos"), QStringLiteral("IconoDelSistema"),
                                               QStringLiteral("ICONVOSTREL"));
        },
        [&] {
            // An icon the station file names and the program carries; otherwise the window keeps the
            // program's own icon, never a file looked for in whatever folder the program was started from.
            const QString recurso = QStringLiteral(":/") + icono;
            if (QFile::exists(recurso))
                Formulario->setWindowIcon(QIcon(recurso));
        },
    });
    if (QString::fromLatin1(Formulario->metaObject()->className()).compare(QLatin1String("FRMMDI"), Qt::CaseInsensitive) == 0)
        return;
    rutina.steps({
        [&] { gForm().RegistrarFormulario(Formulario); },
        [&] {
            for (const char* nombre : {"Brakmo1", "TBarRep1", "Util0011"})
                if (QObject* barra = Formulario->findChild<QObject*>(QString::fromLatin1(nombre)))
                    barra->setProperty("StyleBar", gFlatToolbars);
        },
        [&] { QCoreApplication::processEvents(); },
    });
}

QString FormatoFecha()
{
    return QStringLiteral("dd/mm/yy");
}

QString FormatoHora()
{
    return QStringLiteral("hh:mm");
}

void RegistrarEgreso()
{
    if (gIdAcceso == 0)
        return;
    ui::Routine rutina(QStringLiteral("RegistrarEgreso"), [](const std::exception_ptr& error, const QString&) {
        ui::dialogs().MsgBox(ui::errorInfoOf(error).description, ui::vbOKOnly);
        return int(ui::vbAbort);
    });
    rutina.step([] {
        // A typed moment rather than a regional text, which each server reads its own way.
        const QDateTime ahora = QDateTime::currentDateTime();
        const QString iso = ahora.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        QString momento;
        switch (gDB().gPlataforma) {
        case Plataforma::Sqlite: momento = QLatin1Char('\'') + iso + QLatin1Char('\''); break;
        case Plataforma::SqlServer:
            momento = QLatin1Char('\'') + ahora.toString(QStringLiteral("yyyyMMdd HH:mm:ss")) + QLatin1Char('\'');
            break;
        case Plataforma::Oracle:
            momento = QStringLiteral("TO_DATE('") + iso + QStringLiteral("', 'YYYY-MM-DD HH24:MI:SS')");
            break;
        }
        gDB().EjecutaConsultaSQL(QStringLiteral("UPDATE CONTROL_ACCESO ") + QStringLiteral(" SET EGRESO = ") + momento
                                 + QStringLiteral(" WHERE EGRESO IS NULL AND ") + QStringLiteral(" ID = ")
                                 + QString::number(gIdAcceso));
    });
}

void Finalizar()
{
    RegistrarEgreso();
    LiberarObjetosCompartidos();
    gDB().CerrarConexion();
}

} // namespace ModGlobal
