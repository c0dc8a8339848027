// The start-up road on the demo company database: launch string, one connection, the lookup hook, the
// configuration reload, failures reported and logged, window dressing, the exit time.

#include "CoreDatabase.h"
#include "core/Configuration.h"
#include "core/Globals.h"
#include "core/LookupHook.h"
#include "data/DB_Dll.h"
#include "platform/suite/Estacion.h"
#include "platform/suite/Reporte.h"
#include "platform/ui/ScriptedDialogs.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QWidget>
#include <QTest>

using namespace ModGlobal;

class StartupTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void firstRunConnectsOnce();
    void secondRunRefreshesOnly();
    void maskFileFailureReportedAndConfigurationStillLoads();
    void withoutLookupHookNothingIsAttempted();
    void stationLaunchText();
    void stationSection_data();
    void stationSection();
    void inicializarFormulario();
    void registrarEgreso();
    void finalizarReleasesSharedObjects();

private:
    void periodo(int valor);
    QString mascara() const { return m_db.archivoEnCarpeta("consultas.qxd"); }
    QString registroErrores() const;

    CoreDatabase m_db;
    int m_configuraciones = 0;
    int m_creaciones = 0;
    QString m_conexionRecibida;
    QString m_mascaraRecibida;
};

void StartupTest::initTestCase()
{
    QVERIFY(m_db.crear());
    // The station file with the station's section and key in other letter cases.
    QFile ini(m_db.archivoEnCarpeta("CN000pr.INI"));
    QVERIFY(ini.open(QIODevice::WriteOnly));
    const QString seccion = suite::Estacion::NombreEstacion() + "|" + suite::Estacion::UsuarioEstacion();
    ini.write(QString("[Iconos]\r\nIconoDelSistema=NINGUNO\r\n[%1]\r\nflattoolbars = 2\r\n"
                      "[%2BaseDeDatos]\r\nServidor=PC01|SRVSQL\r\nDbName=|Empresa\r\n")
                  .arg(seccion.toLower(), seccion.toUpper())
                  .toUtf8());
    ini.close();

    core::lookupHook().configure = [this](const QString& conexion, const QString& archivo) {
        ++m_configuraciones;
        m_conexionRecibida = conexion;
        m_mascaraRecibida = archivo;
    };
    core::lookupHook().ensureMaskFile = [this](const QString& archivo, QString* error) {
        ++m_creaciones;
        QFile f(archivo);
        if (!f.open(QIODevice::WriteOnly)) {
            *error = f.errorString();
            return false;
        }
        f.write("mascaras");
        return true;
    };
}

void StartupTest::periodo(int valor)
{
    QSqlQuery q(gDB().gCnn.database());
    QVERIFY(q.exec(QString("UPDATE TA_CONFIGURACION SET VALOR = '%1' WHERE CLAVE = 'PERIODO'").arg(valor)));
}

QString StartupTest::registroErrores() const
{
    QFile f(m_db.archivoEnCarpeta("QXERR.LOG"));
    return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()) : QString();
}

void StartupTest::firstRunConnectsOnce()
{
    ui::ScriptedDialogs d;
    QString conexion;
    Inicializar(false, "@UsuarioLogeado = otro ; " + m_db.lanzamiento() + " @Caja= 7 ", conexion, 3);
    QVERIFY(d.verifyDone());

    const DB_Dll& db = gDB();
    QVERIFY(db.gOpenFlag);
    QCOMPARE(db.gServidor, QString("sqlite"));
    QCOMPARE(db.gDBName, m_db.archivo);
    QCOMPARE(db.gUsuario, QString(schema::kAdminUser));
    QVERIFY(db.gEsAdmin);
    QCOMPARE(gUsuarioLogeado, QString(schema::kAdminUser));   // the database user, not the launch item
    QCOMPARE(gCaja, QString("7"));
    QCOMPARE(db.gCnn.CommandTimeout, 360);
    QCOMPARE(db.gCnn.IsolationLevel, 256);
    QCOMPARE(gCadenaDsn, "DSN=" + m_db.archivo + "; UID=admin; PWD=");
    QCOMPARE(gSeccionIni, SeccionEstacion(suite::Estacion::NombreEstacion(), suite::Estacion::UsuarioEstacion()));
    QCOMPARE(gFlatToolbars, 2.0);
    QCOMPARE(QDir::cleanPath(gReporte().Carpeta), QDir::cleanPath(m_db.carpeta.path()));
    QCOMPARE(gReporte().Conexion(), &gDB().gCnn);

    QCOMPARE(m_configuraciones, 1);
    QCOMPARE(m_conexionRecibida, db.gConnString);
    QCOMPARE(QDir::cleanPath(m_mascaraRecibida), QDir::cleanPath(mascara()));
    QCOMPARE(m_creaciones, 1);
    QVERIFY(QFileInfo(mascara()).isFile());

    QCOMPARE(gPeriodo, schema::kPeriodo);
    QCOMPARE(gColorFondo, 12648447);
    QCOMPARE(gTablaConfig, QString("ta_configuracion"));
}

void StartupTest::secondRunRefreshesOnly()
{
    ui::ScriptedDialogs d;
    periodo(2030);
    gUsuarioLogeado = "sigue";
    QString conexion;
    Inicializar(false, "@Server=otro;@DbName=otra.db;@Usuario=x;@UsuarioLogeado=y;", conexion, 3);
    QVERIFY(d.verifyDone());
    QCOMPARE(gDB().gDBName, m_db.archivo);
    QCOMPARE(gUsuarioLogeado, QString("sigue"));
    QCOMPARE(m_configuraciones, 2);
    QCOMPARE(m_creaciones, 1);            // the file is there already
    QCOMPARE(gPeriodo, 2030);             // configuration reloaded
    gUsuarioLogeado = schema::kAdminUser;
    periodo(schema::kPeriodo);
}

void StartupTest::maskFileFailureReportedAndConfigurationStillLoads()
{
    // A folder where the mask file should be: the file cannot be written.
    QVERIFY(QFile::remove(mascara()));
    QVERIFY(QDir().mkdir(mascara()));
    periodo(2031);
    gColorFondo = 1;
    ui::ScriptedDialogs d;
    d.expectMsgBox(ui::vbOK).containing("Ha ocurrido el Siguiente Error (75)").containing("consultas.qxd")
        .withStyle(ui::vbOKOnly + ui::vbCritical);
    QString conexion;
    Inicializar(false, QString(), conexion, 3);
    QVERIFY(d.verifyDone());
    QVERIFY(d.log().at(0).title.contains("- Inicializar"));
    QCOMPARE(m_creaciones, 2);
    QCOMPARE(gPeriodo, 2031);
    QCOMPARE(gColorFondo, 12648447);
    QVERIFY(registroErrores().contains("Rutina: - Inicializar Mensaje Ha ocurrido el Siguiente Error (75)"));
    QVERIFY(QDir().rmdir(mascara()));
    periodo(schema::kPeriodo);
}

void StartupTest::withoutLookupHookNothingIsAttempted()
{
    const core::LookupHook guardado = core::lookupHook();
    core::lookupHook() = core::LookupHook{};
    const QString antes = registroErrores();
    ui::ScriptedDialogs d;
    QString conexion;
    Inicializar(false, QString(), conexion, 3);
    core::lookupHook() = guardado;
    QVERIFY(d.verifyDone());
    QVERIFY(!QFileInfo::exists(mascara()));
    QCOMPARE(registroErrores(), antes);
    QCOMPARE(gPeriodo, schema::kPeriodo);
}

void StartupTest::stationLaunchText()
{
    // Server and database after their "|"; user and password missing: the suite's default station login.
    const QString texto = TextoLanzamientoDeEstacion();
    QCOMPARE(texto, QString("@server=SRVSQL; @dbname= Empresa; @usuario= Vostrel; @Password= pardelo; "
                            "@ParametroAdicional=; @Caja=1;tesp@"));
}

void StartupTest::stationSection_data()
{
    QTest::addColumn<QString>("nombre");
    QTest::addColumn<QString>("usuario");
    QTest::addColumn<QString>("seccion");
    QTest::newRow("upper case") << "pc01" << "ana" << "PC01|ANA";
    QTest::newRow("exactly 50") << QString(25, 'a') << QString(24, 'b') << QString(25, 'A') + "|" + QString(24, 'B');
    QTest::newRow("cut to 50") << QString(30, 'a') << QString(30, 'b') << (QString(30, 'A') + "|" + QString(19, 'B'));
}

void StartupTest::stationSection()
{
    QFETCH(QString, nombre);
    QFETCH(QString, usuario);
    QFETCH(QString, seccion);
    QCOMPARE(SeccionEstacion(nombre, usuario), seccion);
}

void StartupTest::inicializarFormulario()
{
    QWidget ventana;
    QObject barra(&ventana);
    barra.setObjectName("Brakmo1");
    QObject otra(&ventana);
    otra.setObjectName("OtraBarra");
    InicializarFormulario(&ventana);
    QCOMPARE(barra.property("StyleBar").toDouble(), 2.0);
    QVERIFY(!otra.property("StyleBar").isValid());
    QVERIFY(gForm().FormulariosRegistrados().contains(&ventana));
}

void StartupTest::registrarEgreso()
{
    QSqlQuery q(gDB().gCnn.database());
    QVERIFY(q.exec("INSERT INTO CONTROL_ACCESO (ID, EGRESO) VALUES (0, NULL)"));
    QVERIFY(q.exec("INSERT INTO CONTROL_ACCESO (ID, EGRESO) VALUES (5, NULL)"));
    auto egreso = [&](int id) {
        q.exec(QString("SELECT EGRESO FROM CONTROL_ACCESO WHERE ID = %1").arg(id));
        return q.next() ? q.value(0) : QVariant();
    };
    ui::ScriptedDialogs d;
    gIdAcceso = 0;
    RegistrarEgreso();
    QVERIFY(egreso(0).isNull());   // no access record of its own: nothing written

    gIdAcceso = 5;
    RegistrarEgreso();
    QVERIFY(egreso(0).isNull());
    QVERIFY(egreso(5).toString().startsWith(QDate::currentDate().toString(Qt::ISODate)));
    gIdAcceso = 0;
    QVERIFY(d.verifyDone());
}

void StartupTest::finalizarReleasesSharedObjects()
{
    QWidget ventana;
    gForm().RegistrarFormulario(&ventana);
    ui::ScriptedDialogs d;
    Finalizar();
    QVERIFY(gForm().FormulariosRegistrados().isEmpty());
    QVERIFY(gReporte().Carpeta.isEmpty());   // a new printer: the old one was released
    QVERIFY(d.verifyDone());
}

QTEST_MAIN(StartupTest)
#include "tst_core_startup.moc"
