// Reading the program's connection texts and writing the ODBC texts: a ";" or a brace in a password never
// breaks either.

#include "platform/ado/ConnectionText.h"

#include <QTest>

using namespace ado;

Q_DECLARE_METATYPE(ado::BackendKind)

class TestAdoConnectionText : public QObject {
    Q_OBJECT

private slots:
    void parse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<BackendKind>("kind");
        QTest::addColumn<QString>("server");
        QTest::addColumn<QString>("database");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");

        QTest::newRow("sql server as built")
            << "PROVIDER=SQLOLEDB;Server=SRV01;Database =EMPRESA;UId=sa;Pwd=secret;" << BackendKind::SqlServer
            << "SRV01" << "EMPRESA" << "sa" << "secret";
        QTest::newRow("embedded engine, any case")
            << "PROVIDER=SQLOLEDB;Server=SQLite;Database =/data/empresa.db;UId=ana;Pwd=;" << BackendKind::Sqlite
            << "SQLite" << "/data/empresa.db" << "ana" << "";
        QTest::newRow("password with semicolons")
            << "PROVIDER=SQLOLEDB;Server=SRV01;Database =EMPRESA;UId=sa;Pwd=a;b;c;" << BackendKind::SqlServer
            << "SRV01" << "EMPRESA" << "sa" << "a;b;c";
        QTest::newRow("password ending in a semicolon")
            << "PROVIDER=SQLOLEDB;Server=S;Database =D;UId=u;Pwd=ab;;" << BackendKind::SqlServer << "S" << "D"
            << "u" << "ab;";
        QTest::newRow("password with an equals sign and braces")
            << "PROVIDER=SQLOLEDB;Server=S;Database =D;UId=u;Pwd=x=1}{;" << BackendKind::SqlServer << "S" << "D"
            << "u" << "x=1}{";
        QTest::newRow("password before extra keys")
            << "PROVIDER=SQLOLEDB;Server=S;Database =D;UId=u;Pwd=p;q;Network Library=dbmssocn;"
            << BackendKind::SqlServer << "S" << "D" << "u" << "p;q";
        QTest::newRow("password without final semicolon")
            << "PROVIDER=SQLOLEDB;Server=S;Database =D;UId=u;Pwd=p;q" << BackendKind::SqlServer << "S" << "D"
            << "u" << "p;q";
        QTest::newRow("password keeps its blanks")
            << "PROVIDER=SQLOLEDB;Server=S;Database =D;UId=u;Pwd= p ;" << BackendKind::SqlServer << "S" << "D"
            << "u" << " p ";
        QTest::newRow("quoted password")
            << "Provider=SQLOLEDB;Data Source=S;Initial Catalog=D;User Id=u;Password=\"a;\"\"b\";"
            << BackendKind::SqlServer << "S" << "D" << "u" << "a;\"b";
        QTest::newRow("braced password")
            << "Server=S;Database=D;UID=u;PWD={a;b}}c};" << BackendKind::SqlServer << "S" << "D" << "u"
            << "a;b}c";
        QTest::newRow("oracle as built")
            << "Provider=OraOLEDB.Oracle.1;Data Source=ORCL;User Id=scott;Password=ti;ger;"
            << BackendKind::Oracle << "ORCL" << "" << "scott" << "ti;ger";
        QTest::newRow("empty text") << "" << BackendKind::SqlServer << "" << "" << "" << "";
    }

    void parse()
    {
        QFETCH(QString, text);
        QFETCH(BackendKind, kind);
        QFETCH(QString, server);
        QFETCH(QString, database);
        QFETCH(QString, user);
        QFETCH(QString, password);
        const ConnectionTarget t = ParseConnectionText(text);
        QCOMPARE(t.kind, kind);
        QCOMPARE(t.server, server);
        QCOMPARE(t.database, database);
        QCOMPARE(t.user, user);
        QCOMPARE(t.password, password);
    }

    void extraKeysPassOn()
    {
        const ConnectionTarget t =
            ParseConnectionText(QStringLiteral("PROVIDER=SQLOLEDB;Server=S;Database =D;UId=u;Pwd=p;Port=1500;"
                                               "Persist Security Info=False;"));
        QCOMPARE(t.extra.size(), 1);
        QCOMPARE(t.extra.first().first, QStringLiteral("Port"));
        QCOMPARE(t.extra.first().second, QStringLiteral("1500"));
    }

    void odbcValue_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain") << "secret" << "secret";
        QTest::newRow("semicolon") << "a;b" << "{a;b}";
        QTest::newRow("closing brace doubled") << "a}b" << "{a}}b}";
        QTest::newRow("opening brace") << "{x" << "{{x}";
        QTest::newRow("blanks around") << " p " << "{ p }";
        QTest::newRow("equals sign needs nothing") << "a=b" << "a=b";
    }

    void odbcValue()
    {
        QFETCH(QString, value);
        QFETCH(QString, expected);
        QCOMPARE(OdbcValue(value), expected);
    }

    // FreeTDS is asked for TDS 7.4 unless the text names a version; another driver is left to its own.
    void odbcTextForSqlServer_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("driver");
        QTest::addColumn<QString>("expected");
        QTest::newRow("host,port through FreeTDS")
            << "PROVIDER=SQLOLEDB;Server=srv,1433;Database =EMPRESA;UId=sa;Pwd=a;b};" << "FreeTDS"
            << "DRIVER={FreeTDS};SERVER=srv;PORT=1433;DATABASE=EMPRESA;UID=sa;PWD={a;b}}};TDS_Version=7.4;";
        QTest::newRow("named instance")
            << "PROVIDER=SQLOLEDB;Server=srv\\CONTA;Database =EMPRESA;UId=sa;Pwd=x;" << "FreeTDS"
            << "DRIVER={FreeTDS};SERVER=srv\\CONTA;DATABASE=EMPRESA;UID=sa;PWD=x;TDS_Version=7.4;";
        QTest::newRow("version named in the text")
            << "PROVIDER=SQLOLEDB;Server=srv;Database =EMPRESA;UId=sa;Pwd=x;TDS_Version=7.3;" << "FreeTDS"
            << "DRIVER={FreeTDS};SERVER=srv;DATABASE=EMPRESA;UID=sa;PWD=x;TDS_Version=7.3;";
        QTest::newRow("another driver")
            << "PROVIDER=SQLOLEDB;Server=srv;Database =EMPRESA;UId=sa;Pwd=x;" << "ODBC Driver 18 for SQL Server"
            << "DRIVER={ODBC Driver 18 for SQL Server};SERVER=srv;DATABASE=EMPRESA;UID=sa;PWD=x;";
    }

    void odbcTextForSqlServer()
    {
        QFETCH(QString, text);
        QFETCH(QString, driver);
        QFETCH(QString, expected);
        QCOMPARE(OdbcConnectionText(ParseConnectionText(text), driver), expected);
    }

    void odbcTextForOracle()
    {
        ConnectionTarget t = ParseConnectionText(
            QStringLiteral("Provider=OraOLEDB.Oracle.1;Data Source=ORCL;User Id=scott;Password=tiger;"));
        QCOMPARE(OdbcConnectionText(t, QStringLiteral("Oracle 19 ODBC driver")),
                 QStringLiteral("DRIVER={Oracle 19 ODBC driver};DBQ=ORCL;UID=scott;PWD=tiger;"));
    }
};

QTEST_GUILESS_MAIN(TestAdoConnectionText)
#include "tst_ado_connection_text.moc"
