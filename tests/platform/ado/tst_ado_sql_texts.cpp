// The pure pieces under the connection: which table a query reads, the statements a recordset's Update
// builds, column types from declared types, and the provider numbers ODBC failures map to.

#include "platform/ado/ColumnType.h"
#include "platform/ado/ErrorMapping.h"
#include "platform/ado/RowStatements.h"
#include "platform/ado/SelectTable.h"

#include <QTest>

using namespace ado;

Q_DECLARE_METATYPE(ado::BackendKind)
Q_DECLARE_METATYPE(ado::ColumnKind)

namespace {

QString brackets(const QString& name)
{
    return QLatin1Char('[') + name + QLatin1Char(']');
}

} // namespace

class TestAdoSqlTexts : public QObject {
    Q_OBJECT

private slots:
    void singleTable_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("table");
        QTest::newRow("configuration read") << "SELECT * FROM ta_configuracion WHERE CLAVE = 'X'"
                                            << "ta_configuracion";
        QTest::newRow("top and order") << "SELECT TOP 1 * FROM MV_CONCILIACION_CAB ORDER BY IDCONCILIACION DESC"
                                       << "MV_CONCILIACION_CAB";
        QTest::newRow("bracketed and qualified") << "select a from [dbo].[Mi Tabla] where x = 1" << "Mi Tabla";
        QTest::newRow("alias") << "SELECT c.* FROM ta_configuracion c WHERE c.CLAVE = 'X'" << "ta_configuracion";
        QTest::newRow("FROM inside a literal") << "SELECT 'x FROM y' AS A FROM t" << "t";
        QTest::newRow("subquery in the condition") << "SELECT * FROM t WHERE k IN (SELECT k FROM u, v)" << "t";
        QTest::newRow("two tables") << "SELECT * FROM a, b WHERE a.k = b.k" << "";
        QTest::newRow("join") << "SELECT * FROM a INNER JOIN b ON a.k = b.k" << "";
        QTest::newRow("grouped") << "SELECT k, COUNT(*) FROM a GROUP BY k" << "";
        QTest::newRow("subquery as source") << "SELECT * FROM (SELECT * FROM a) x" << "";
        QTest::newRow("not a select") << "UPDATE t SET a = 1" << "";
        QTest::newRow("no from") << "SELECT 1" << "";
    }

    void singleTable()
    {
        QFETCH(QString, sql);
        QFETCH(QString, table);
        QCOMPARE(SingleTableOf(sql), table);
    }

    void insertStatement()
    {
        const BoundStatement s = BuildInsert(QStringLiteral("t"), {QStringLiteral("a"), QStringLiteral("b c")},
                                             {Variant(1), Variant("x'y")}, brackets);
        QCOMPARE(s.sql, QStringLiteral("INSERT INTO [t] ([a], [b c]) VALUES (?, ?)"));
        QCOMPARE(s.values.size(), 2);
        QCOMPARE(BuildInsert(QStringLiteral("t"), {}, {}, brackets).sql,
                 QStringLiteral("INSERT INTO [t] DEFAULT VALUES"));
    }

    void updateStatementMatchesNullKeysWithIsNull()
    {
        const BoundStatement s =
            BuildUpdate(QStringLiteral("t"), {QStringLiteral("v")}, {Variant("n")},
                        {QStringLiteral("k"), QStringLiteral("note")}, {Variant(7), Variant::Null()}, brackets);
        QCOMPARE(s.sql, QStringLiteral("UPDATE [t] SET [v] = ? WHERE [k] = ? AND [note] IS NULL"));
        QCOMPARE(s.values.size(), 2);
        QCOMPARE(s.values.at(1).toLong(), qint64(7));
    }

    void declaredTypes_data()
    {
        QTest::addColumn<QString>("declared");
        QTest::addColumn<ColumnKind>("kind");
        QTest::addColumn<int>("adoType");
        QTest::addColumn<int>("size");
        QTest::newRow("varchar width") << "VARCHAR(15)" << ColumnKind::String << 200 << 15;
        QTest::newRow("char width") << "char(4)" << ColumnKind::String << 129 << 4;
        QTest::newRow("text") << "TEXT" << ColumnKind::String << 201 << 2147483647;
        QTest::newRow("decimal") << "DECIMAL(19,4)" << ColumnKind::Currency << 6 << 8;
        QTest::newRow("numeric") << "NUMERIC(18,4)" << ColumnKind::Currency << 6 << 8;
        QTest::newRow("money") << "MONEY" << ColumnKind::Currency << 6 << 8;
        QTest::newRow("datetime") << "DATETIME" << ColumnKind::Date << 7 << 16;
        QTest::newRow("smalldatetime") << "smalldatetime" << ColumnKind::Date << 7 << 16;
        QTest::newRow("integer") << "INTEGER" << ColumnKind::Long << 3 << 4;
        QTest::newRow("bit") << "BIT" << ColumnKind::Boolean << 11 << 2;
        QTest::newRow("float") << "FLOAT" << ColumnKind::Double << 5 << 8;
        QTest::newRow("expression") << "" << ColumnKind::Auto << 0 << 0;
    }

    void declaredTypes()
    {
        QFETCH(QString, declared);
        QFETCH(ColumnKind, kind);
        QFETCH(int, adoType);
        QFETCH(int, size);
        const QByteArray text = declared.toLatin1();
        const ColumnType t = ColumnTypeFromDeclared(text.constData());
        QCOMPARE(t.kind, kind);
        QCOMPARE(t.adoType, adoType);
        QCOMPARE(t.definedSize, size);
    }

    void odbcErrors_data()
    {
        QTest::addColumn<BackendKind>("kind");
        QTest::addColumn<QString>("sqlState");
        QTest::addColumn<qint64>("native");
        QTest::addColumn<QString>("message");
        QTest::addColumn<qint64>("number");
        QTest::addColumn<QString>("reportedState");
        QTest::newRow("sql server duplicate key by state")
            << BackendKind::SqlServer << "23000" << qint64(2627) << "Violation of PRIMARY KEY" << kErrIntegrity
            << "23000";
        QTest::newRow("sql server missing object by state")
            << BackendKind::SqlServer << "42S02" << qint64(208) << "Invalid object name 'X'." << kErrMissingObject
            << "42S02";
        QTest::newRow("sql server syntax by state")
            << BackendKind::SqlServer << "42000" << qint64(102) << "Incorrect syntax near 'X'." << kErrSyntax
            << "42000";
        QTest::newRow("sql server missing object by native, general state")
            << BackendKind::SqlServer << "HY000" << qint64(208) << "Invalid object name" << kErrMissingObject
            << "HY000";
        QTest::newRow("sql server truncation keeps its native")
            << BackendKind::SqlServer << "22001" << qint64(8152) << "String or binary data would be truncated."
            << kErrOther << "22001";
        QTest::newRow("oracle missing table")
            << BackendKind::Oracle << "HY000" << qint64(942) << "ORA-00942" << kErrMissingObject << "HY000";
        QTest::newRow("oracle unique constraint")
            << BackendKind::Oracle << "" << qint64(1) << "ORA-00001" << kErrIntegrity << "23000";
        QTest::newRow("sqlite driver, general state, message decides")
            << BackendKind::SqlServer << "S1000" << qint64(1) << "[SQLite]no such table: X (1)"
            << kErrMissingObject << "S1000";
        QTest::newRow("sqlite driver constraint")
            << BackendKind::SqlServer << "S1000" << qint64(19) << "[SQLite]UNIQUE constraint failed: t.a (19)"
            << kErrIntegrity << "S1000";
        QTest::newRow("unknown") << BackendKind::SqlServer << "08S01" << qint64(20003) << "Communication link"
                                 << kErrOther << "08S01";
    }

    void odbcErrors()
    {
        QFETCH(BackendKind, kind);
        QFETCH(QString, sqlState);
        QFETCH(qint64, native);
        QFETCH(QString, message);
        QFETCH(qint64, number);
        QFETCH(QString, reportedState);
        const Error e = OdbcError(kind, sqlState, native, message, QStringLiteral("ODBC"));
        QCOMPARE(e.Number, number);
        QCOMPARE(e.SQLState, reportedState);
        QCOMPARE(e.NativeError, native);
        QCOMPARE(e.Description, message);
    }
};

QTEST_GUILESS_MAIN(TestAdoSqlTexts)
#include "tst_ado_sql_texts.moc"
