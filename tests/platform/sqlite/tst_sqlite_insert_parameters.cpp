// INSERT texts of literals seen as a prepared shape and its values; anything else is left to run as text.

#include "platform/sqlite/LiteralParameters.h"

#include <QTest>

using sqlcompat::LiteralValue;

Q_DECLARE_METATYPE(std::vector<LiteralValue>)

namespace {

LiteralValue whole(qint64 n)
{
    LiteralValue v;
    v.integer = n;
    return v;
}

LiteralValue real(double d)
{
    LiteralValue v;
    v.kind = LiteralValue::Real;
    v.real = d;
    return v;
}

LiteralValue text(const QString& t)
{
    LiteralValue v;
    v.kind = LiteralValue::Text;
    v.text = t;
    return v;
}

} // namespace

class TstInsertParameters : public QObject {
    Q_OBJECT
private slots:
    void shapes_data()
    {
        QTest::addColumn<QString>("statement");
        QTest::addColumn<QString>("shape");
        QTest::addColumn<std::vector<LiteralValue>>("values");
        QTest::newRow("numbers") << "INSERT INTO L (A, B) VALUES (12, 19)" << "INSERT INTO L (A, B) VALUES (?, ?)"
                                 << std::vector<LiteralValue>{whole(12), whole(19)};
        QTest::newRow("texts with quotes and a minus") << "INSERT INTO T VALUES ('it''s', -7, 'x; DELETE FROM T')"
                                                       << "INSERT INTO T VALUES (?, ?, ?)"
                                                       << std::vector<LiteralValue>{text("it's"), whole(-7), text("x; DELETE FROM T")};
        QTest::newRow("NULL stays, decimals bound") << "insert into T (a,b,c) values (NULL, 1.50, '')"
                                                    << "insert into T (a,b,c) values (NULL, ?, ?)"
                                                    << std::vector<LiteralValue>{real(1.5), text("")};
        QTest::newRow("a negative decimal") << "INSERT INTO T VALUES (- 2.5, 3)" << "INSERT INTO T VALUES ( ?, ?)"
                                            << std::vector<LiteralValue>{real(-2.5), whole(3)};
        QTest::newRow("a decimal past 15 digits stays") << "INSERT INTO T VALUES (0.12345678901234567, 'a')"
                                                        << "INSERT INTO T VALUES (0.12345678901234567, ?)"
                                                        << std::vector<LiteralValue>{text("a")};
        QTest::newRow("several rows and a closing semicolon") << "INSERT INTO L (A,B) VALUES (1,2),(3,4);"
                                                              << "INSERT INTO L (A,B) VALUES (?,?),(?,?);"
                                                              << std::vector<LiteralValue>{whole(1), whole(2), whole(3), whole(4)};
    }

    void shapes()
    {
        QFETCH(QString, statement);
        QFETCH(QString, shape);
        QFETCH(std::vector<LiteralValue>, values);
        const auto got = sqlcompat::ParameterizeInsert(statement);
        QVERIFY(got.has_value());
        QCOMPARE(got->text, shape);
        QCOMPARE(got->values.size(), values.size());
        for (size_t i = 0; i < values.size(); ++i) {
            QCOMPARE(got->values[i].kind, values[i].kind);
            QCOMPARE(got->values[i].integer, values[i].integer);
            QCOMPARE(got->values[i].text, values[i].text);
            QCOMPARE(got->values[i].real, values[i].real);
        }
    }

    void leftAsText_data()
    {
        QTest::addColumn<QString>("statement");
        QTest::newRow("no INTO") << "INSERT T VALUES (1)";
        QTest::newRow("from a query") << "INSERT INTO T SELECT 1, 'a'";
        QTest::newRow("an expression") << "INSERT INTO T VALUES (1 + 2)";
        QTest::newRow("a function") << "INSERT INTO T VALUES (upper('a'))";
        QTest::newRow("a marker already") << "INSERT INTO T VALUES (?, 1)";
        QTest::newRow("a variable") << "INSERT INTO T VALUES (@x, 1)";
        QTest::newRow("a blob") << "INSERT INTO T VALUES (X'AB', 1)";
        QTest::newRow("unicode prefix") << "INSERT INTO T VALUES (N'a', 1)";
        QTest::newRow("hex number") << "INSERT INTO T VALUES (0x1F)";
        QTest::newRow("exponent") << "INSERT INTO T VALUES (1e5, 2)";
        QTest::newRow("beyond 64 bits") << "INSERT INTO T VALUES (99999999999999999999)";
        QTest::newRow("upsert") << "INSERT INTO T VALUES (1) ON CONFLICT DO NOTHING";
        QTest::newRow("a second statement") << "INSERT INTO T VALUES (1); DELETE FROM T";
        QTest::newRow("unclosed text") << "INSERT INTO T VALUES ('abc";
        QTest::newRow("default values") << "INSERT INTO T DEFAULT VALUES";
        QTest::newRow("only NULL") << "INSERT INTO T VALUES (NULL)";
        QTest::newRow("a literal before VALUES") << "INSERT INTO T SELECT 'a' WHERE 1 IN (VALUES (1))";
        QTest::newRow("an update") << "UPDATE T SET A = 1";
    }

    void leftAsText()
    {
        QFETCH(QString, statement);
        QVERIFY(!sqlcompat::ParameterizeInsert(statement).has_value());
    }
};

QTEST_APPLESS_MAIN(TstInsertParameters)
#include "tst_sqlite_insert_parameters.moc"
