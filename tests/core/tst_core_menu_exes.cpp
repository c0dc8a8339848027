// MenuExes: the sibling program started beside this one with its own arguments and the launch string; a file
// of a suite program's name in the working folder is never found nor started.

#include "ProgramaPlantado.h"
#include "core/Globals.h"
#include "core/LaunchString.h"
#include "core/SuitePrograms.h"
#include "data/DB_Dll.h"
#include "platform/ui/ScriptedDialogs.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

using namespace ModGlobal;

class MenuExesTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void startsSiblingWithLaunchString();
    void programNameInAnyCaseWithExe();
    void oracleServerKeepsItsMarker_data();
    void oracleServerKeepsItsMarker();
    void missingProgramAbort();
    void missingProgramIgnore();
    void programByPath();
    void separatorInAnArgumentKeepsTheProgramBesideThisOne();
    void startedProgramGetsEachArgumentWhole();
    void aProgramInTheWorkingFolderIsNeverStarted();

private:
    // Starts the address and returns the arguments the sibling received (without its own name).
    QStringList arrancar(const QString& direccion, qint64& id);
    // The arguments the started program wrote, its own name first.
    QStringList salida() const;
    QTemporaryDir m_carpeta;
    QString m_salida;
};

void MenuExesTest::initTestCase()
{
    QVERIFY(m_carpeta.isValid());
    qputenv("CONCCUENTAS_HOME", m_carpeta.path().toUtf8());
    m_salida = m_carpeta.filePath("argumentos.txt");
    qputenv("CONC_CORE_ECHO", m_salida.toUtf8());
    DB_Dll& db = gDB();
    db.gServidor = "SRVSQL";
    db.gDBName = "/datos/empresa demo.db";
    db.gUsuario = "ana";
    db.gUserPassWord = "clave con = y blancos";
    db.gPlataforma = Plataforma::SqlServer;
    gUsuarioLogeado = "ANA";
    gCaja = "3";
}

void MenuExesTest::init()
{
    QFile::remove(m_salida);
}

QStringList MenuExesTest::salida() const
{
    if (!QTest::qWaitFor([&] { return QFile::exists(m_salida); }, 20000))
        return {QStringLiteral("(the program wrote nothing)")};
    QFile f(m_salida);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QStringList lineas = QString::fromUtf8(f.readAll()).split('\n');
    lineas.removeLast();   // after the last line end
    return lineas;
}

QStringList MenuExesTest::arrancar(const QString& direccion, qint64& id)
{
    MenuExes(direccion, QString(), id);
    QStringList lineas = salida();
    lineas.removeFirst();  // the program's own name
    return lineas;
}

void MenuExesTest::startsSiblingWithLaunchString()
{
    ui::ScriptedDialogs d;
    qint64 id = 0;
    const QStringList args = arrancar("shell:core_echo_arguments @idarticulo=A-77", id);
    QVERIFY(id > 0);
    QCOMPARE(args.size(), 2);
    QCOMPARE(args.at(0), QString("@idarticulo=A-77"));
    QCOMPARE(args.at(1), QString(" ; @server=SRVSQL; @dbname=/datos/empresa demo.db; @usuario=ana; "
                                 "@Password=clave con = y blancos; @ParametroAdicional=; tesp@ ; "
                                 "@UsuarioLogeado = ANA; @Caja=3;"));
    // The sibling reads its arguments joined by blanks as its launch string.
    const ParametrosLanzamiento p = LeerParametros(TextoDeArgumentos(args));
    QCOMPARE(p.Servidor, QString("SRVSQL"));
    QCOMPARE(p.DbName, QString("/datos/empresa demo.db"));
    QCOMPARE(p.Usuario, QString("ana"));
    QCOMPARE(p.Password, QString("clave con = y blancos"));
    QCOMPARE(p.UsuarioLogeado, QString("ANA"));
    QCOMPARE(p.Caja, QString("3"));
    QCOMPARE(LeerParametro(TextoDeArgumentos(args), "@idarticulo"), std::optional<QString>("A-77"));
    QVERIFY(d.verifyDone());
}

void MenuExesTest::programNameInAnyCaseWithExe()
{
    ui::ScriptedDialogs d;
    qint64 id = 0;
    const QStringList args = arrancar("shell:CORE_Echo_Arguments.exe", id);
    QVERIFY(id > 0);
    QCOMPARE(args.size(), 1);
    QVERIFY(args.at(0).startsWith(" ; @server=SRVSQL;"));
    QVERIFY(d.verifyDone());
}

void MenuExesTest::oracleServerKeepsItsMarker_data()
{
    QTest::addColumn<QString>("servidor");
    QTest::newRow("made by the launch string, without #") << "ORCL";
    QTest::newRow("made by the connection dialog, with #") << "#ORCL";
}

void MenuExesTest::oracleServerKeepsItsMarker()
{
    QFETCH(QString, servidor);
    DB_Dll& db = gDB();
    const QString antes = db.gServidor;
    db.gServidor = servidor;
    db.gPlataforma = Plataforma::Oracle;
    const QString cadena = CadenaLanzamientoActual(QString());
    db.gServidor = antes;
    db.gPlataforma = Plataforma::SqlServer;
    QVERIFY(cadena.startsWith(" ; @server=#ORCL; @dbname="));
}

void MenuExesTest::missingProgramAbort()
{
    ui::ScriptedDialogs d;
    d.expectMsgBox(ui::vbAbort).containing("no_existe_este_programa").withStyle(18);
    qint64 id = 5;
    MenuExes("shell:no_existe_este_programa", QString(), id);
    QCOMPARE(id, qint64(5));
    QVERIFY(d.log().at(0).title.contains("MenuExes"));
    QVERIFY(d.verifyDone());
}

void MenuExesTest::missingProgramIgnore()
{
    ui::ScriptedDialogs d;
    d.expectMsgBox(ui::vbIgnore).containing("no_existe_este_programa");
    d.expectMsgBox(ui::vbOK)
        .withText("Opcion no Implementada!\rComuniquese con su proveedor de sistemas")
        .withTitle("Atención")
        .withStyle(ui::vbCritical);
    qint64 id = 0;
    MenuExes("shell:no_existe_este_programa", QString(), id);
    QCOMPARE(id, qint64(0));
    QVERIFY(d.verifyDone());
}

void MenuExesTest::programByPath()
{
    ui::ScriptedDialogs d;
    qint64 id = 0;
    const QString ruta = QCoreApplication::applicationDirPath() + "/core_echo_arguments";
    const QStringList args = arrancar("shell:" + ruta + " propio", id);
    QVERIFY(id > 0);
    QCOMPARE(args.value(0), QString("propio"));
    QVERIFY(d.verifyDone());
}

void MenuExesTest::separatorInAnArgumentKeepsTheProgramBesideThisOne()
{
    // Not on PATH: found only if it is looked for beside this program.
    ui::ScriptedDialogs d;
    qint64 id = 0;
    const QStringList args = arrancar("shell:core_echo_arguments a/b", id);
    QVERIFY(id > 0);
    QCOMPARE(args.value(0), QString("a/b"));
    QVERIFY(d.verifyDone());
}

void MenuExesTest::startedProgramGetsEachArgumentWhole()
{
    ui::ScriptedDialogs d;
    qint64 id = 0;
    IniciarPrograma(QCoreApplication::applicationDirPath() + "/core_echo_arguments",
                    {"@idarticulo=ART 1/2 x", "otro"}, QString(), id);
    QVERIFY(id > 0);
    const QStringList lineas = salida();
    QCOMPARE(lineas.value(1), QString("@idarticulo=ART 1/2 x"));
    QCOMPARE(lineas.value(2), QString("otro"));
    QVERIFY(lineas.value(3).contains("@server=SRVSQL"));
    QVERIFY(d.verifyDone());
}

void MenuExesTest::aProgramInTheWorkingFolderIsNeverStarted()
{
    // A file of a suite program's name, left in the folder this program was started from, would leave a mark.
    QTemporaryDir trabajo;
    const QString marca = trabajo.filePath("corrio");
    QVERIFY(PlantarPrograma(trabajo.filePath("articulos"), marca));
    const QString antes = QDir::currentPath();
    QVERIFY(QDir::setCurrent(trabajo.path()));
    const auto volver = qScopeGuard([&] { QDir::setCurrent(antes); });

    QCOMPARE(ProgramaDeLaSuite("articulos"), QString());
    QCOMPARE(ProgramaDeLaSuite("Core_Echo_Arguments.exe"),
             QDir(QCoreApplication::applicationDirPath()).filePath("core_echo_arguments"));
    ui::ScriptedDialogs d;
    d.expectMsgBox(ui::vbAbort).containing(QDir(QCoreApplication::applicationDirPath()).filePath("articulos"));
    qint64 id = 0;
    MenuExes("shell:articulos", QString(), id);
    QCOMPARE(id, qint64(0));
    QTest::qWait(300);
    QVERIFY(!QFile::exists(marca));
    QVERIFY(d.verifyDone());
}

QTEST_GUILESS_MAIN(MenuExesTest)
#include "tst_core_menu_exes.moc"
