// UPDATE texts with literal values run through Execute: every row written holds exactly what the engine's
// own reading of the literal would have stored, amounts read back exact, a quoted text stays a text
// whatever it looks like, and the condition finds exactly the rows it names.

#include "OpenSqlite.h"
#include "platform/ado/Currency.h"
#include "platform/ado/Recordset.h"

#include <QTest>

using namespace ado;

class TestAdoUpdateLiterals : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<OpenSqlite> m_db;
    Connection* m_cn = nullptr;

    qint64 count(const QString& sql) { return m_cn->QueryBound(sql, {}).rows.at(0).at(0).toLong(); }

private slots:
    void init()
    {
        m_db = std::make_unique<OpenSqlite>();
        QVERIFY(m_db->file.ok());
        m_cn = &m_db->cn;
        // LIT gets each value through a statement the engine compiles with the literal in it (a value in
        // parentheses is an expression, left as text); BOUND through a plain UPDATE of literals.
        for (const char* table : {"LIT", "BOUND"}) {
            m_cn->Execute(QStringLiteral("CREATE TABLE %1 (K INTEGER PRIMARY KEY, CODIGO VARCHAR(10) COLLATE TSQLTEXT, "
                                         "IMPORTE MONEY, R FLOAT, TXT VARCHAR(20) COLLATE TSQLTEXT)")
                              .arg(QLatin1String(table)));
            m_cn->Execute(QStringLiteral("INSERT INTO %1 (K, CODIGO, IMPORTE, R, TXT) VALUES (1, '0012', 5, 5, 'x'), "
                                         "(2, '12', 5, 5, 'x')")
                              .arg(QLatin1String(table)));
        }
    }

    void cleanup() { m_db.reset(); }

    void amountsStoredAsTheLiteralWould_data()
    {
        QTest::addColumn<QString>("amount");
        for (const char* a : {"0.1", "1124114.8001", "-1124114.8001", "-0.01", "0.0", "-7", "100.10", "2.675",
                              "999999999.9999", ".5", "- 3.25", "0.50000000000000000"})
            QTest::newRow(a) << QString::fromLatin1(a);
    }

    void amountsStoredAsTheLiteralWould()
    {
        QFETCH(QString, amount);
        qint64 touched = -1;
        m_cn->Execute(QStringLiteral("UPDATE LIT SET IMPORTE = (%1), R = (%1) WHERE CODIGO = ('0012')").arg(amount));
        m_cn->Execute(QStringLiteral("UPDATE BOUND SET IMPORTE = %1, R = %1 WHERE CODIGO = '0012'").arg(amount),
                      &touched);
        QCOMPARE(touched, qint64(1));
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM LIT JOIN BOUND ON LIT.K = BOUND.K WHERE LIT.IMPORTE = "
                                      "BOUND.IMPORTE AND LIT.R = BOUND.R AND typeof(LIT.IMPORTE) = "
                                      "typeof(BOUND.IMPORTE) AND typeof(LIT.R) = typeof(BOUND.R)")),
                 qint64(2));

        // Read back as an amount, it is the written one to the ten-thousandth.
        QString plain = amount;
        plain.remove(QLatin1Char(' '));
        const std::optional<Currency> written = Currency::parse(plain);
        QVERIFY(written.has_value());
        Recordset rs;
        rs.Open(QStringLiteral("SELECT IMPORTE FROM BOUND WHERE K = 1"), m_cn);
        QCOMPARE(rs.Fields(0).Value().toCurrency().scaled(), written->scaled());
        rs.Open(QStringLiteral("SELECT IMPORTE FROM BOUND WHERE K = 2"), m_cn);
        QCOMPARE(rs.Fields(0).Value().toCurrency().scaled(), qint64(50000));
    }

    void quotedTextStaysText_data()
    {
        QTest::addColumn<QString>("text");
        for (const char* t : {"123.45", "0012", "-5", "1e5", "0x1F", "", "it''s 1.5", "NULL", "   7  "})
            QTest::newRow(t) << QString::fromLatin1(t);
    }

    void quotedTextStaysText()
    {
        QFETCH(QString, text);
        m_cn->Execute(QStringLiteral("UPDATE BOUND SET TXT = '%1', CODIGO = '%1' WHERE K = 2").arg(text));
        const RowSet row = m_cn->QueryBound(QStringLiteral("SELECT TXT, typeof(TXT), typeof(CODIGO) FROM BOUND WHERE K = 2"), {});
        QString expected = text;
        expected.replace(QLatin1String("''"), QLatin1String("'"));
        QCOMPARE(row.rows.at(0).at(0).toString(), expected);
        QCOMPARE(row.rows.at(0).at(1).toString(), QStringLiteral("text"));
        QCOMPARE(row.rows.at(0).at(2).toString(), QStringLiteral("text"));
    }

    // The condition's literals are bound as they are written: a quoted code that looks like a number finds
    // only that code, a number finds by value, and a statement of the same shape with other values touches
    // other rows.
    void conditionFindsTheRowsItNames_data()
    {
        QTest::addColumn<QString>("condition");
        QTest::addColumn<QList<int>>("changed");
        QTest::newRow("code with leading zeros") << "CODIGO = '0012'" << QList<int>{1};
        QTest::newRow("code without") << "CODIGO = '12'" << QList<int>{2};
        QTest::newRow("text collation ignores case and trailing blanks") << "TXT = 'X   '" << QList<int>{1, 2};
        QTest::newRow("number") << "K = 2" << QList<int>{2};
        QTest::newRow("negative number finds none") << "K = -2" << QList<int>{};
        QTest::newRow("amount") << "IMPORTE = 5.0 AND R >= 5" << QList<int>{1, 2};
        QTest::newRow("or, not and parentheses") << "(K = 1 OR K = 2) AND NOT CODIGO = '12'" << QList<int>{1};
        QTest::newRow("is null") << "TXT IS NULL" << QList<int>{};
        QTest::newRow("is not null") << "TXT IS NOT NULL AND K <> 1" << QList<int>{2};
    }

    void conditionFindsTheRowsItNames()
    {
        QFETCH(QString, condition);
        QFETCH(QList<int>, changed);
        qint64 touched = -1;
        m_cn->Execute(QStringLiteral("UPDATE BOUND SET IMPORTE = 7.25 WHERE ") + condition, &touched);
        QCOMPARE(touched, qint64(changed.size()));
        for (int k : {1, 2}) {
            Recordset rs;
            rs.Open(QStringLiteral("SELECT IMPORTE FROM BOUND WHERE K = %1").arg(k), m_cn);
            QCOMPARE(rs.Fields(0).Value().toCurrency().scaled(), qint64(changed.contains(k) ? 72500 : 50000));
        }
    }

    // Many amounts in a row, as a save writes them: each lands exactly, whatever the connection kept from the
    // statements before.
    void everyCentExact()
    {
        m_cn->Execute(QStringLiteral("BEGIN TRANSACTION"));
        for (int k = 3; k < 2003; ++k)
            m_cn->Execute(QStringLiteral("INSERT INTO BOUND (K, CODIGO) VALUES (%1, 'c')").arg(k));
        for (int k = 3; k < 2003; ++k) {
            const int cents = (k * 7919) % 200001 - 100000;
            m_cn->Execute(QStringLiteral("UPDATE BOUND SET IMPORTE = %1%2.%3, TXT = '%1%2.%3' WHERE K = %4")
                              .arg(cents < 0 ? QStringLiteral("-") : QString())
                              .arg(std::abs(cents) / 100)
                              .arg(std::abs(cents) % 100, 2, 10, QLatin1Char('0'))
                              .arg(k));
        }
        m_cn->Execute(QStringLiteral("COMMIT"));
        Recordset rs;
        rs.Open(QStringLiteral("SELECT IMPORTE, TXT FROM BOUND WHERE K >= 3 ORDER BY K"), m_cn);
        int rows = 0;
        while (!rs.EOF()) {
            const std::optional<Currency> written = Currency::parse(rs.Fields(1).Value().toString());
            QVERIFY(written.has_value());
            QCOMPARE(rs.Fields(0).Value().toCurrency().scaled(), written->scaled());
            ++rows;
            rs.MoveNext();
        }
        QCOMPARE(rows, 2000);
    }
};

QTEST_GUILESS_MAIN(TestAdoUpdateLiterals)
#include "tst_ado_update_literals.moc"
