// The comparisons registered on every connection, called directly.

#include "platform/sqlite/TsqlCollations.h"

#include <QTest>

class TstTsqlCollations : public QObject {
    Q_OBJECT
private slots:
    void compareText_data();
    void compareText();
    void compareTextOfBrokenUtf8();
    void dateKey_data();
    void dateKey();
    void compareDates_data();
    void compareDates();
    void likeMatch_data();
    void likeMatch();
};

void TstTsqlCollations::compareText_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<int>("expected");

    QTest::newRow("padded key") << "A   " << "A" << 0;
    QTest::newRow("case") << "Caja" << "CAJA" << 0;
    QTest::newRow("case and padding") << "fc" << "FC  " << 0;
    QTest::newRow("enye") << "Ñandú" << "ñANDÚ " << 0;
    QTest::newRow("accent counts") << "Nandu" << "Ñandú" << -1;
    QTest::newRow("leading blank counts") << " A" << "A" << -1;
    QTest::newRow("tab is no blank") << "A\t" << "A" << 1;
    QTest::newRow("order") << "1101" << "1102" << -1;
    QTest::newRow("prefix is smaller") << "11" << "1101" << -1;
    QTest::newRow("order after case fold") << "b" << "A" << 1;
    QTest::newRow("non-ASCII after equal prefix") << "CAJA Ñ" << "caja ñ  " << 0;
    QTest::newRow("empty and blanks") << "   " << "" << 0;
}

void TstTsqlCollations::compareText()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(int, expected);
    QCOMPARE(sqlcompat::CompareText(a.toUtf8(), b.toUtf8()), expected);
    QCOMPARE(sqlcompat::CompareText(b.toUtf8(), a.toUtf8()), -expected);
}

void TstTsqlCollations::compareTextOfBrokenUtf8()
{
    // A cut or stray byte still has one place in the order, after every character.
    QCOMPARE(sqlcompat::CompareText("ab\xc3", "AB\xc3  "), 0);
    QCOMPARE(sqlcompat::CompareText("a\xff", "a\xc3\xb1"), 1);
    QCOMPARE(sqlcompat::CompareText("a\xc3\xb1", "a\xff"), -1);
    QCOMPARE(sqlcompat::CompareText("\xe2\x82", "\xe2\x82\xac"), 1);
}

void TstTsqlCollations::dateKey_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("key");

    QTest::newRow("iso date") << "2026-03-01" << "2026-03-01 00:00:00";
    QTest::newRow("iso date and time") << "2026-03-01 10:30:05" << "2026-03-01 10:30:05";
    QTest::newRow("iso with T and fraction") << "2026-03-01T10:30:05.500" << "2026-03-01 10:30:05.5";
    QTest::newRow("zero fraction") << "2026-03-01 10:30:05.000" << "2026-03-01 10:30:05";
    QTest::newRow("year first with slashes") << "2026/3/1" << "2026-03-01 00:00:00";
    QTest::newRow("unseparated") << "20260301 08:00" << "2026-03-01 08:00:00";
    QTest::newRow("unseparated, too long") << "202603011" << "202603011";
    QTest::newRow("year first, mixed separators") << "2026-03/01" << "2026-03/01";
    QTest::newRow("day month year") << "01/03/2026" << "2026-03-01 00:00:00";
    QTest::newRow("short day and month") << "1/3/2026" << "2026-03-01 00:00:00";
    QTest::newRow("two-digit year, this century") << "15/03/26 14:05" << "2026-03-15 14:05:00";
    QTest::newRow("two-digit year, last century") << "31/12/99" << "1999-12-31 00:00:00";
    QTest::newRow("dashes and dots") << "01-03-2026" << "2026-03-01 00:00:00";
    QTest::newRow("dots") << "01.03.2026 9:07:02" << "2026-03-01 09:07:02";
    QTest::newRow("afternoon") << "01/03/2026 02:15 PM" << "2026-03-01 14:15:00";
    QTest::newRow("midnight AM") << "01/03/2026 12:15 am" << "2026-03-01 00:15:00";
    QTest::newRow("blanks around") << "  01/03/2026  " << "2026-03-01 00:00:00";
    QTest::newRow("leap day") << "29/02/2024" << "2024-02-29 00:00:00";
    QTest::newRow("no leap day") << "29/02/2025" << "29/02/2025";
    QTest::newRow("month 13") << "01/13/2026" << "01/13/2026";
    QTest::newRow("three-digit year") << "01/03/202" << "01/03/202";
    QTest::newRow("mixed separators") << "01/03-2026" << "01/03-2026";
    QTest::newRow("bad hour") << "2026-03-01 25:00" << "2026-03-01 25:00";
    QTest::newRow("text") << "pending  " << "pending";
}

void TstTsqlCollations::dateKey()
{
    QFETCH(QString, text);
    QFETCH(QString, key);
    QCOMPARE(QString::fromUtf8(sqlcompat::DateKey(text.toUtf8())), key);
}

void TstTsqlCollations::compareDates_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<int>("expected");

    QTest::newRow("day before month in text order") << "15/03/2004" << "31/12/2003" << 1;
    QTest::newRow("midnight equals the date") << "2004-12-31 00:00:00" << "31/12/2004" << 0;
    QTest::newRow("later that day") << "2004-12-31 15:00:00" << "31/12/2004" << 1;
    QTest::newRow("both stored") << "2004-12-31 15:00:00" << "2005-01-01 00:00:00" << -1;
    QTest::newRow("stored and iso date") << "2005-01-01 00:00:00" << "2005-01-01" << 0;
}

void TstTsqlCollations::compareDates()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(int, expected);
    QCOMPARE(sqlcompat::CompareDates(a.toUtf8(), b.toUtf8()), expected);
    QCOMPARE(sqlcompat::CompareDates(b.toUtf8(), a.toUtf8()), -expected);
}

void TstTsqlCollations::likeMatch_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("escape");
    QTest::addColumn<bool>("expected");

    QTest::newRow("prefix") << "1101" << "11%" << "" << true;
    QTest::newRow("contains, any case") << "Banco Nación" << "%NACIÓN%" << "" << true;
    QTest::newRow("enye any case") << "Ñandú SA" << "ñan%" << "" << true;
    QTest::newRow("accent counts") << "Ñandú SA" << "nan%" << "" << false;
    QTest::newRow("underscore") << "FC01" << "FC_1" << "" << true;
    QTest::newRow("underscore needs a character") << "FC1" << "FC_1" << "" << false;
    QTest::newRow("class") << "b12" << "[a-c]%" << "" << true;
    QTest::newRow("class miss") << "d12" << "[a-c]%" << "" << false;
    QTest::newRow("negated class") << "d12" << "[^a-c]%" << "" << true;
    QTest::newRow("set") << "x" << "[xyz]" << "" << true;
    QTest::newRow("unclosed bracket is a character") << "[ab" << "[ab" << "" << true;
    QTest::newRow("escaped percent") << "10%" << "10!%" << "!" << true;
    QTest::newRow("escaped percent is no wildcard") << "100" << "10!%" << "!" << false;
    QTest::newRow("backtracking") << "abcabcabd" << "%abc%abd" << "" << true;
    QTest::newRow("several percents") << "aXbYc" << "a%b%c%" << "" << true;
    QTest::newRow("trailing blank counts") << "A" << "A " << "" << false;
    QTest::newRow("empty pattern") << "" << "" << "" << true;
    QTest::newRow("empty pattern against text") << "a" << "" << "" << false;
}

void TstTsqlCollations::likeMatch()
{
    QFETCH(QString, text);
    QFETCH(QString, pattern);
    QFETCH(QString, escape);
    QFETCH(bool, expected);
    QCOMPARE(sqlcompat::LikeMatch(text, pattern, escape.isEmpty() ? QChar() : escape[0]), expected);
}

QTEST_APPLESS_MAIN(TstTsqlCollations)
#include "tst_sqlite_tsql_collations.moc"
