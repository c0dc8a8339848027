// Reading and writing the launch parameter string.

#include "core/LaunchString.h"

#include <QTest>

using ModGlobal::ParametrosLanzamiento;

class LaunchStringTest : public QObject {
    Q_OBJECT
private slots:
    void leerParametros_data();
    void leerParametros();
    void itemsThatAreNotOurs();
    void writtenStringReadsBack();
    void writtenStringExactText();
    void argumentsJoinedByBlanks();
    void obtenerServidor_data();
    void obtenerServidor();
};

void LaunchStringTest::leerParametros_data()
{
    // text | server | db | user | password | logged user | cash desk
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QStringList>("esperado");

    QTest::newRow("empty text: defaults") << QString() << QStringList{"", "", "", "", "", "1"};
    QTest::newRow("names in any case")
        << "@SERVER=srv1;@dbname=Empresa;@UsUaRiO=ana;@password=x1;"
        << QStringList{"srv1", "Empresa", "ana", "x1", "", "1"};
    QTest::newRow("any order, password missing")
        << "@Usuario=ana; @DbName=Empresa; @Server=srv1;" << QStringList{"srv1", "Empresa", "ana", "", "", "1"};
    QTest::newRow("logged user before user")
        << "@UsuarioLogeado=pedro;@Usuario=ana;@Server=s;"
        << QStringList{"s", "", "ana", "", "pedro", "1"};
    QTest::newRow("user item only: logged user stays empty")
        << "@Usuario=ana;" << QStringList{"", "", "ana", "", "", "1"};
    QTest::newRow("last item without ; keeps its whole value")
        << "@DbName=Empresa;@Server=SERVIDOR01" << QStringList{"SERVIDOR01", "Empresa", "", "", "", "1"};
    QTest::newRow("two-digit cash desk as last item") << "@Server=s;@Caja=12" << QStringList{"s", "", "", "", "", "12"};
    QTest::newRow("blanks around names, = and values")
        << "  @Server =  srv1  ;  @Password =  clave con blancos  ; @Caja = 3 ;"
        << QStringList{"srv1", "", "", "clave con blancos", "", "3"};
    QTest::newRow("value holding =") << "@Password=a=b=c;" << QStringList{"", "", "", "a=b=c", "", "1"};
    QTest::newRow("Oracle server keeps its marker") << "@Server=#ORCL;@DbName=ORCLDS;"
                                                    << QStringList{"#ORCL", "ORCLDS", "", "", "", "1"};
    QTest::newRow("embedded database path with blanks")
        << "@Server=sqlite;@DbName=/home/ana/mis datos/empresa.db;@Usuario=admin;@Password=;"
        << QStringList{"sqlite", "/home/ana/mis datos/empresa.db", "admin", "", "", "1"};
    QTest::newRow("empty cash desk item reads empty") << "@Caja=;" << QStringList{"", "", "", "", "", ""};
    QTest::newRow("first of two items wins") << "@Server=a;@Server=b;" << QStringList{"a", "", "", "", "", "1"};
    QTest::newRow("name with a blank inside is another name") << "@ Server=a;" << QStringList{"", "", "", "", "", "1"};
}

void LaunchStringTest::leerParametros()
{
    QFETCH(QString, texto);
    QFETCH(QStringList, esperado);
    const ParametrosLanzamiento p = ModGlobal::LeerParametros(texto);
    QCOMPARE((QStringList{p.Servidor, p.DbName, p.Usuario, p.Password, p.UsuarioLogeado, p.Caja}), esperado);
}

void LaunchStringTest::itemsThatAreNotOurs()
{
    // A sibling's own argument comes first and the suite's marker sits in the middle.
    const QString texto = "@idarticulo=A-77 ; @server=s; @dbname=d; @usuario=u; @Password=p; "
                          "@ParametroAdicional=; tesp@ ; @UsuarioLogeado = lu; @Caja=2; @Menu=M1;";
    const ParametrosLanzamiento p = ModGlobal::LeerParametros(texto);
    QCOMPARE(p.Servidor, QString("s"));
    QCOMPARE(p.UsuarioLogeado, QString("lu"));
    QCOMPARE(p.ParametroAdicional, QString());
    QCOMPARE(p.Menu, QString("M1"));
    QCOMPARE(p.Caja, QString("2"));
    QCOMPARE(ModGlobal::LeerParametro(texto, "@idarticulo"), std::optional<QString>("A-77"));
    QCOMPARE(ModGlobal::LeerParametro(texto, "tesp@"), std::optional<QString>());
}

void LaunchStringTest::writtenStringReadsBack()
{
    ParametrosLanzamiento p;
    p.Servidor = "#ORCL";
    p.DbName = "/datos/empresa 1.db";
    p.Usuario = "ana";
    p.Password = "cl@ve con blancos";
    p.ParametroAdicional = "extra";
    p.UsuarioLogeado = "ANA";
    p.Caja = "7";
    const ParametrosLanzamiento leido = ModGlobal::LeerParametros(ModGlobal::ArmarCadenaLanzamiento(p));
    QCOMPARE(leido.Servidor, p.Servidor);
    QCOMPARE(leido.DbName, p.DbName);
    QCOMPARE(leido.Usuario, p.Usuario);
    QCOMPARE(leido.Password, p.Password);
    QCOMPARE(leido.ParametroAdicional, p.ParametroAdicional);
    QCOMPARE(leido.UsuarioLogeado, p.UsuarioLogeado);
    QCOMPARE(leido.Caja, p.Caja);
}

void LaunchStringTest::writtenStringExactText()
{
    ParametrosLanzamiento p;
    p.Servidor = "srv";
    p.DbName = "db";
    p.Usuario = "u";
    p.Password = "pw";
    p.UsuarioLogeado = "lu";
    p.Caja = "1";
    QCOMPARE(ModGlobal::ArmarCadenaLanzamiento(p),
             QString(" ; @server=srv; @dbname=db; @usuario=u; @Password=pw; @ParametroAdicional=; tesp@ ; "
                     "@UsuarioLogeado = lu; @Caja=1;"));
}

void LaunchStringTest::argumentsJoinedByBlanks()
{
    // A shell splits "@Server=sqlite; @DbName=a b.db" unless quoted; joined again it reads the same.
    const QString texto = ModGlobal::TextoDeArgumentos({"@Server=sqlite;", "@DbName=a", "b.db;", "@Usuario=admin"});
    const ParametrosLanzamiento p = ModGlobal::LeerParametros(texto);
    QCOMPARE(p.Servidor, QString("sqlite"));
    QCOMPARE(p.DbName, QString("a b.db"));
    QCOMPARE(p.Usuario, QString("admin"));
}

void LaunchStringTest::obtenerServidor_data()
{
    QTest::addColumn<QString>("servidor");
    QTest::addColumn<QString>("esperado");
    QTest::newRow("bare host") << "SRVSQL" << "SRVSQL";
    QTest::newRow("instance") << "SRVSQL\\INST1" << "SRVSQL\\INST1";
    QTest::newRow("protocol and port") << "tcp/SRVSQL:1433" << "SRVSQL";
    QTest::newRow("port only") << "SRVSQL:1433" << "SRVSQL";
    QTest::newRow("embedded") << "sqlite" << "sqlite";
    QTest::newRow("empty") << "" << "";
}

void LaunchStringTest::obtenerServidor()
{
    QFETCH(QString, servidor);
    QFETCH(QString, esperado);
    QCOMPARE(ModGlobal::ObtenerServidor(servidor), esperado);
}

QTEST_GUILESS_MAIN(LaunchStringTest)
#include "tst_core_launch_string.moc"
