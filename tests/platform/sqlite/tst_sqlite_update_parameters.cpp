// UPDATE texts of literals seen as a prepared shape and its values; anything else is left to run as text.

#include "platform/sqlite/LiteralParameters.h"

#include <QTest>

namespace {

// The values in order, one word each: "12", "-2.5r", "'it's'".
QString describe(const std::vector<sqlcompat::LiteralValue>& values)
{
    QStringList words;
    for (const sqlcompat::LiteralValue& v : values) {
        switch (v.kind) {
        case sqlcompat::LiteralValue::Integer: words << QString::number(v.integer); break;
        case sqlcompat::LiteralValue::Real: words << QString::number(v.real, 'g', QLocale::FloatingPointShortest) + QLatin1Char('r'); break;
        case sqlcompat::LiteralValue::Text: words << QLatin1Char('\'') + v.text + QLatin1Char('\''); break;
        }
    }
    return words.join(QLatin1Char(' '));
}

} // namespace

class TstUpdateParameters : public QObject {
    Q_OBJECT
private slots:
    void shapes_data()
    {
        QTest::addColumn<QString>("statement");
        QTest::addColumn<QString>("shape");
        QTest::addColumn<QString>("values");
        QTest::newRow("an amount by key")
            << "UPDATE MV_ASIENTOSCCOSTO SET Importe = -1124114.8001 WHERE PERIODO = 2099 AND [NUMERO ASIENTO] = 17"
            << "UPDATE MV_ASIENTOSCCOSTO SET Importe = ? WHERE PERIODO = ? AND [NUMERO ASIENTO] = ?"
            << "-1124114.8001r 2099 17";
        QTest::newRow("texts that look like numbers stay texts")
            << "update T set A = '0012', B = 'it''s', C = 0.1 where D = '-5'"
            << "update T set A = ?, B = ?, C = ? where D = ?" << "'0012' 'it's' 0.1r '-5'";
        QTest::newRow("NULL, columns and long decimals stay")
            << "UPDATE T SET A = NULL, B = C, E = 0.12345678901234567 WHERE F = 3"
            << "UPDATE T SET A = NULL, B = C, E = 0.12345678901234567 WHERE F = ?" << "3";
        QTest::newRow("every comparison and IS NULL")
            << "UPDATE dbo.T SET A=1 WHERE (B<>2 OR NOT C>=3) AND D!=4 AND E IS NOT NULL AND F IS NULL AND 1=1;"
            << "UPDATE dbo.T SET A=? WHERE (B<>? OR NOT C>=?) AND D!=? AND E IS NOT NULL AND F IS NULL AND ?=?;"
            << "1 2 3 4 1 1";
        QTest::newRow("a spaced minus and a comment")
            << "UPDATE T SET A = - 2.5 /* amount */ WHERE [B C] = 'x'"
            << "UPDATE T SET A =  ? /* amount */ WHERE [B C] = ?" << "-2.5r 'x'";
        QTest::newRow("without a condition") << "UPDATE T SET A = 'a'" << "UPDATE T SET A = ?" << "'a'";
    }

    void shapes()
    {
        QFETCH(QString, statement);
        QFETCH(QString, shape);
        QFETCH(QString, values);
        const auto got = sqlcompat::ParameterizeUpdate(statement);
        QVERIFY(got.has_value());
        QCOMPARE(got->text, shape);
        QCOMPARE(describe(got->values), values);
    }

    // Statements of one shape after another, as a save sends them: each is read in full, its own values.
    void sameFrontOtherValues()
    {
        sqlcompat::LiteralShape shape;
        for (int i = 0; i < 3; ++i) {
            const QString text = QStringLiteral("UPDATE T SET A = %1.5 WHERE K = %2").arg(i).arg(10 + i);
            QVERIFY(sqlcompat::Parameterize(text, &shape));
            QCOMPARE(shape.text, QStringLiteral("UPDATE T SET A = ? WHERE K = ?"));
            QCOMPARE(describe(shape.values), QStringLiteral("%1.5r %2").arg(i).arg(10 + i));
        }
        // The same front with something else after it is still refused.
        QVERIFY(!sqlcompat::Parameterize(QStringLiteral("UPDATE T SET A = A + 1 WHERE K = 1"), &shape));
        QVERIFY(sqlcompat::Parameterize(QStringLiteral("UPDATE T SET A = 1 WHERE K = 1"), &shape));
        QVERIFY(!sqlcompat::Parameterize(QStringLiteral("UPDATE T SET A = 1 WHERE K IN (1, 2)"), &shape));
    }

    void leftAsText_data()
    {
        QTest::addColumn<QString>("statement");
        QTest::newRow("an expression") << "UPDATE T SET A = A + 1 WHERE K = 1";
        QTest::newRow("a text joined with +") << "UPDATE T SET A = 'x' + B";
        QTest::newRow("a function") << "UPDATE T SET A = upper('a')";
        QTest::newRow("a function in the condition") << "UPDATE T SET A = 1 WHERE RTRIM(B) = 'x'";
        QTest::newRow("LIKE") << "UPDATE T SET A = 1 WHERE B LIKE 'x%'";
        QTest::newRow("IN") << "UPDATE T SET A = 1 WHERE B IN (1, 2)";
        QTest::newRow("BETWEEN") << "UPDATE T SET A = 1 WHERE B BETWEEN 1 AND 2";
        QTest::newRow("a subquery") << "UPDATE T SET A = 1 WHERE B = (SELECT 1)";
        QTest::newRow("FROM") << "UPDATE T SET A = 1 FROM T JOIN U ON T.K = U.K";
        QTest::newRow("TOP") << "UPDATE TOP (1) T SET A = 1";
        QTest::newRow("a marker already") << "UPDATE T SET A = ? WHERE K = 1";
        QTest::newRow("a variable") << "UPDATE T SET A = @x WHERE K = 1";
        QTest::newRow("unicode prefix") << "UPDATE T SET A = N'x'";
        QTest::newRow("hex number") << "UPDATE T SET A = 0x1F";
        QTest::newRow("exponent") << "UPDATE T SET A = 1e5";
        QTest::newRow("beyond 64 bits") << "UPDATE T SET A = 99999999999999999999";
        QTest::newRow("a second statement") << "UPDATE T SET A = 1; DELETE FROM T";
        QTest::newRow("unclosed text") << "UPDATE T SET A = 'abc";
        QTest::newRow("only NULL") << "UPDATE T SET A = NULL WHERE B IS NULL";
        QTest::newRow("an insert") << "INSERT INTO T VALUES (1)";
    }

    void leftAsText()
    {
        QFETCH(QString, statement);
        QVERIFY(!sqlcompat::ParameterizeUpdate(statement).has_value());
    }
};

QTEST_APPLESS_MAIN(TstUpdateParameters)
#include "tst_sqlite_update_parameters.moc"
