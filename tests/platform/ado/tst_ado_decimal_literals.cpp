// Amounts written as decimal literals through Execute: the row holds exactly what the engine's own reading
// of the literal would have stored, and reads back as the exact amount.

#include "OpenSqlite.h"
#include "platform/ado/Currency.h"
#include "platform/ado/Recordset.h"

#include <QTest>

using namespace ado;

class TestAdoDecimalLiterals : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<OpenSqlite> m_db;
    Connection* m_cn = nullptr;

private slots:
    void init()
    {
        m_db = std::make_unique<OpenSqlite>();
        QVERIFY(m_db->file.ok());
        m_cn = &m_db->cn;
        // LIT gets each amount through a statement the engine compiles with the literal in it; BOUND through
        // a plain INSERT of literals.
        m_cn->Execute(QStringLiteral("CREATE TABLE LIT (K INTEGER PRIMARY KEY, IMPORTE MONEY, R FLOAT, TXT VARCHAR(20))"));
        m_cn->Execute(QStringLiteral("CREATE TABLE BOUND (K INTEGER PRIMARY KEY, IMPORTE MONEY, R FLOAT, TXT VARCHAR(20))"));
    }

    void cleanup() { m_db.reset(); }

    void storedAsTheLiteralWould_data()
    {
        QTest::addColumn<QString>("amount");
        for (const char* a : {"0.1", "0.7", "1234567.89", "-0.3", "2.675", "0.0", "-0.01", "100.10", "999999999.9999",
                              ".5", "7.", "-1234567890.12", "0.30000", "4503599627370496.5"})
            QTest::newRow(a) << QString::fromLatin1(a);
    }

    void storedAsTheLiteralWould()
    {
        QFETCH(QString, amount);
        m_cn->Execute(QStringLiteral("INSERT INTO LIT SELECT 1, %1, %1, 'x'").arg(amount));
        m_cn->Execute(QStringLiteral("INSERT INTO BOUND (K, IMPORTE, R, TXT) VALUES (1, %1, %1, 'x')").arg(amount));
        const RowSet same = m_cn->QueryBound(
            QStringLiteral("SELECT COUNT(*) FROM LIT JOIN BOUND ON LIT.K = BOUND.K WHERE LIT.IMPORTE = BOUND.IMPORTE "
                           "AND LIT.R = BOUND.R AND typeof(LIT.IMPORTE) = typeof(BOUND.IMPORTE) "
                           "AND typeof(LIT.R) = typeof(BOUND.R)"),
            {});
        QCOMPARE(same.rows.at(0).at(0).toLong(), qint64(1));
    }

    // Many different amounts in a row, as a save writes them: each one lands, exactly, whatever the
    // connection kept from the statements before.
    void everyCentExact()
    {
        m_cn->Execute(QStringLiteral("BEGIN TRANSACTION"));
        for (int cents = -2000; cents <= 2000; ++cents) {
            const QString amount = QStringLiteral("%1%2.%3")
                                       .arg(cents < 0 ? QStringLiteral("-") : QString())
                                       .arg(std::abs(cents) / 100 + 1234500)
                                       .arg(std::abs(cents) % 100, 2, 10, QLatin1Char('0'));
            m_cn->Execute(QStringLiteral("INSERT INTO LIT SELECT %1, %2, %2, '%2'").arg(cents + 5000).arg(amount));
            m_cn->Execute(QStringLiteral("INSERT INTO BOUND (K, IMPORTE, R, TXT) VALUES (%1, %2, %2, '%2')")
                              .arg(cents + 5000)
                              .arg(amount));
        }
        m_cn->Execute(QStringLiteral("COMMIT"));
        const RowSet differ = m_cn->QueryBound(
            QStringLiteral("SELECT COUNT(*) FROM LIT JOIN BOUND ON LIT.K = BOUND.K WHERE LIT.IMPORTE <> BOUND.IMPORTE "
                           "OR LIT.R <> BOUND.R OR typeof(LIT.R) <> typeof(BOUND.R)"),
            {});
        QCOMPARE(differ.rows.at(0).at(0).toLong(), qint64(0));
        Recordset rs;
        rs.Open(QStringLiteral("SELECT IMPORTE, TXT FROM BOUND ORDER BY K"), m_cn);
        int rows = 0;
        while (!rs.EOF()) {
            const std::optional<Currency> written = Currency::parseAscii(rs.Fields(1).Value().toString().toStdString());
            QVERIFY(written.has_value());
            QCOMPARE(rs.Fields(0).Value().toCurrency().scaled(), written->scaled());
            ++rows;
            rs.MoveNext();
        }
        QCOMPARE(rows, 4001);
    }
};

QTEST_GUILESS_MAIN(TestAdoDecimalLiterals)
#include "tst_ado_decimal_literals.moc"
