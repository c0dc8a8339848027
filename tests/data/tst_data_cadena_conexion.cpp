// The connection texts built from the connection settings, and the platform a server text names.
#include "data/CadenaConexion.h"
#include "platform/ado/ConnectionText.h"

#include <QTest>

Q_DECLARE_METATYPE(Plataforma)

class TstCadenaConexion : public QObject {
    Q_OBJECT
private slots:
    void cadenaServidor_data()
    {
        QTest::addColumn<QString>("servidor");
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("usuario");
        QTest::addColumn<QString>("clave");
        QTest::addColumn<QString>("extendido");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("sql server") << "SRV01" << "EMPRESA" << "sa" << "x1" << "App=conc;"
                                    << "PROVIDER=SQLOLEDB;Server=SRV01;Database =EMPRESA;UId=sa;Pwd=x1;App=conc;";
        QTest::newRow("oracle uses the database as data source") << "#ORA" << "ORCL" << "u" << "p" << "App=conc;"
                                                                 << "Provider=OraOLEDB.Oracle.1;Data Source=ORCL;User Id=u;Password=p;";
        QTest::newRow("hash anywhere") << "srv#2" << "DB" << "u" << "" << ""
                                       << "Provider=OraOLEDB.Oracle.1;Data Source=DB;User Id=u;Password=;";
        QTest::newRow("empty values") << "" << "" << "" << "" << ""
                                      << "PROVIDER=SQLOLEDB;Server=;Database =;UId=;Pwd=;";
        QTest::newRow("password with semicolon is braced") << "S" << "D" << "u" << "a;Server=evil" << ""
                                                           << "PROVIDER=SQLOLEDB;Server=S;Database =D;UId=u;Pwd={a;Server=evil};";
        QTest::newRow("password starting with a brace") << "S" << "D" << "u" << "{x}" << ""
                                                        << "PROVIDER=SQLOLEDB;Server=S;Database =D;UId=u;Pwd={{x}}};";
        QTest::newRow("user starting with a quote") << "S" << "D" << "'o" << "p" << ""
                                                    << "PROVIDER=SQLOLEDB;Server=S;Database =D;UId={'o};Pwd=p;";
    }
    void cadenaServidor()
    {
        QFETCH(QString, servidor);
        QFETCH(QString, base);
        QFETCH(QString, usuario);
        QFETCH(QString, clave);
        QFETCH(QString, extendido);
        QFETCH(QString, esperado);
        QCOMPARE(conexion::CadenaServidor(servidor, base, usuario, clave, extendido), esperado);
    }

    // Whatever the operator types, the connection reads back exactly the four values.
    void valoresLeidosComoSeEscribieron_data()
    {
        QTest::addColumn<QString>("usuario");
        QTest::addColumn<QString>("clave");
        QTest::newRow("plain") << "contable" << "secreto";
        QTest::newRow("semicolon and key") << "contable" << "a;Database =otra;x";
        QTest::newRow("braces") << "{u}" << "p}}{";
        QTest::newRow("quotes") << "\"u\"" << "'p'";
        QTest::newRow("blanks kept") << " u " << " p ";
    }
    void valoresLeidosComoSeEscribieron()
    {
        QFETCH(QString, usuario);
        QFETCH(QString, clave);
        const ado::ConnectionTarget t =
            ado::ParseConnectionText(conexion::CadenaServidor(QStringLiteral("SRV"), QStringLiteral("EMP"), usuario, clave, {}));
        QCOMPARE(t.kind, ado::BackendKind::SqlServer);
        QCOMPARE(t.server, QStringLiteral("SRV"));
        QCOMPARE(t.database, QStringLiteral("EMP"));
        QCOMPARE(t.user, usuario);
        QCOMPARE(t.password, clave);
    }

    void cadenaLocal()
    {
        QCOMPARE(conexion::CadenaLocal(QStringLiteral("Microsoft.Jet.OLEDB.4.0"), QStringLiteral("c:\\a.mdb"),
                                       QStringLiteral("User ID"), QStringLiteral("admin"),
                                       QStringLiteral("Password"), QStringLiteral("pw"), QStringLiteral("X=1;")),
                 QStringLiteral("PROVIDER=Microsoft.Jet.OLEDB.4.0;Data Source =c:\\a.mdb;User ID=admin;Password=pw;X=1;"));
    }

    void plataformaDeServidor_data()
    {
        QTest::addColumn<QString>("servidor");
        QTest::addColumn<Plataforma>("plataforma");
        QTest::newRow("sqlite") << "sqlite" << Plataforma::Sqlite;
        QTest::newRow("SQLite with blanks") << " SQLite " << Plataforma::Sqlite;
        QTest::newRow("oracle") << "#ORCL" << Plataforma::Oracle;
        QTest::newRow("server named like oracle is SQL Server") << "oracle-srv" << Plataforma::SqlServer;
        QTest::newRow("sqlite file name is no marker") << "sqlite2" << Plataforma::SqlServer;
        QTest::newRow("empty") << "" << Plataforma::SqlServer;
    }
    void plataformaDeServidor()
    {
        QFETCH(QString, servidor);
        QFETCH(Plataforma, plataforma);
        QCOMPARE(conexion::PlataformaDeServidor(servidor), plataforma);
    }
};

QTEST_GUILESS_MAIN(TstCadenaConexion)
#include "tst_data_cadena_conexion.moc"
