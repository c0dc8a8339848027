// Currency and Variant: exact decimal reading, half-to-even rounding, the conversions and their errors,
// the text written into pages.

#include "platform/ado/Currency.h"
#include "platform/ado/DateText.h"
#include "platform/ado/Error.h"
#include "platform/ado/Variant.h"

#include <QLocale>
#include <QTest>

using namespace ado;

Q_DECLARE_METATYPE(ado::Variant)

namespace {

qint64 errorNumberOf(const std::function<void()>& call)
{
    try {
        call();
    } catch (const Error& e) {
        return e.Number;
    }
    return 0;
}

} // namespace

class TestAdoValues : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void currencyParse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<qint64>("scaled");
        QTest::newRow("integer") << "12" << true << qint64(120000);
        QTest::newRow("negative fraction") << "-1234.5" << true << qint64(-12345000);
        QTest::newRow("smallest unit") << "0.0001" << true << qint64(1);
        QTest::newRow("blanks around") << "  7.25 " << true << qint64(72500);
        QTest::newRow("leading point") << "-.5" << true << qint64(-5000);
        QTest::newRow("plus sign") << "+3" << true << qint64(30000);
        QTest::newRow("fifth decimal below half") << "1.00004" << true << qint64(10000);
        QTest::newRow("fifth decimal above half") << "1.00006" << true << qint64(10001);
        QTest::newRow("exact half rounds to even (down)") << "2.00005" << true << qint64(20000);
        QTest::newRow("exact half rounds to even (up)") << "2.00015" << true << qint64(20002);
        QTest::newRow("just over half") << "2.000050001" << true << qint64(20001);
        QTest::newRow("negative half to even") << "-0.00025" << true << qint64(-2);
        QTest::newRow("largest") << "922337203685477.5807" << true << std::numeric_limits<qint64>::max();
        QTest::newRow("smallest") << "-922337203685477.5808" << true << std::numeric_limits<qint64>::min();
        QTest::newRow("one past largest") << "922337203685477.5808" << false << qint64(0);
        QTest::newRow("exponent refused") << "1e3" << false << qint64(0);
        QTest::newRow("comma refused") << "1,5" << false << qint64(0);
        QTest::newRow("two points") << "1.2.3" << false << qint64(0);
        QTest::newRow("empty") << "" << false << qint64(0);
        QTest::newRow("sign alone") << "-" << false << qint64(0);
        QTest::newRow("inner blank") << "1 000" << false << qint64(0);
    }

    void currencyParse()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(qint64, scaled);
        const auto c = Currency::parse(text);
        QCOMPARE(c.has_value(), valid);
        if (valid)
            QCOMPARE(c->scaled(), scaled);
    }

    void currencyFromDouble_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<qint64>("scaled");
        QTest::newRow("sum of tenths") << 0.1 + 0.2 << qint64(3000);
        QTest::newRow("tenth") << 0.1 << qint64(1000);
        QTest::newRow("half to even at the fifth decimal") << 2.00005 << qint64(20000);
        QTest::newRow("large amount") << 123456789.1234 << qint64(1234567891234);
        QTest::newRow("negative") << -1000.5 << qint64(-10005000);
        QTest::newRow("tiny") << 1e-9 << qint64(0);
    }

    void currencyFromDouble()
    {
        QFETCH(double, value);
        QFETCH(qint64, scaled);
        QCOMPARE(Currency::fromDouble(value).scaled(), scaled);
    }

    void currencyFromDoubleOutOfRange()
    {
        QCOMPARE(errorNumberOf([] { Currency::fromDouble(1e300); }), kErrOverflow);
        QCOMPARE(errorNumberOf([] { Currency::fromDouble(std::nan("")); }), kErrOverflow);
    }

    void currencySumsRaiseOnOverflow_data()
    {
        QTest::addColumn<int>("operation");
        QTest::addColumn<qint64>("a");
        QTest::addColumn<qint64>("b");
        const qint64 top = std::numeric_limits<qint64>::max();
        const qint64 bottom = std::numeric_limits<qint64>::min();
        QTest::newRow("sum past the top") << 0 << top << qint64(1);
        QTest::newRow("sum past the bottom") << 0 << bottom << qint64(-1);
        QTest::newRow("difference past the top") << 1 << top << qint64(-1);
        QTest::newRow("difference past the bottom") << 1 << bottom + 5 << qint64(6);
        QTest::newRow("running sum past the top") << 2 << top - 10 << qint64(11);
        QTest::newRow("running difference past the bottom") << 3 << bottom + 10 << qint64(11);
        QTest::newRow("negating the bottom") << 4 << bottom << qint64(0);
        QTest::newRow("units beyond the range") << 5 << top / Currency::kScale + 1 << qint64(0);
    }

    void currencySumsRaiseOnOverflow()
    {
        QFETCH(int, operation);
        QFETCH(qint64, a);
        QFETCH(qint64, b);
        const Currency x = Currency::fromScaled(a);
        const Currency y = Currency::fromScaled(b);
        const auto run = [&] {
            Currency r = x;
            switch (operation) {
            case 0: r = x + y; break;
            case 1: r = x - y; break;
            case 2: r += y; break;
            case 3: r -= y; break;
            case 4: r = -x; break;
            case 5: r = Currency::fromLong(a); break;
            }
            return r;
        };
        QCOMPARE(errorNumberOf([&] { run(); }), kErrOverflow);
        // One unit less stays exact.
        const Currency back = Currency::fromScaled(b > 0 ? b - 1 : b < 0 ? b + 1 : 0);
        if (operation == 0)
            QCOMPARE((x + back).scaled(), a + back.scaled());
        if (operation == 1)
            QCOMPARE((x - back).scaled(), a - back.scaled());
        if (operation == 5)
            QCOMPARE(Currency::fromLong(a - 1).scaled(), (a - 1) * Currency::kScale);
    }

    void currencyText_data()
    {
        QTest::addColumn<qint64>("scaled");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << qint64(0) << "0";
        QTest::newRow("whole") << qint64(12340000) << "1234";
        QTest::newRow("trailing zeros cut") << qint64(12345000) << "1234.5";
        QTest::newRow("negative cent") << qint64(-100) << "-0.01";
        QTest::newRow("four decimals") << qint64(1) << "0.0001";
        QTest::newRow("most negative") << std::numeric_limits<qint64>::min() << "-922337203685477.5808";
    }

    void currencyText()
    {
        QFETCH(qint64, scaled);
        QFETCH(QString, text);
        QCOMPARE(Currency::fromScaled(scaled).toString(), text);
    }

    void currencyRounded_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("expected");
        QTest::newRow("half to even, down") << "2.125" << 2 << "2.12";
        QTest::newRow("half to even, up") << "2.135" << 2 << "2.14";
        QTest::newRow("above half") << "2.1251" << 2 << "2.13";
        QTest::newRow("negative half") << "-2.5" << 0 << "-2";
        QTest::newRow("negative above half") << "-2.51" << 0 << "-3";
        QTest::newRow("four decimals unchanged") << "1.2345" << 4 << "1.2345";
        QTest::newRow("no decimals") << "3.5" << 0 << "4";
    }

    void currencyRounded()
    {
        QFETCH(QString, value);
        QFETCH(int, decimals);
        QFETCH(QString, expected);
        QCOMPARE(Currency::parse(value)->rounded(decimals).toString(), expected);
    }

    void nullConversionsRaise94()
    {
        const Variant n = Variant::Null();
        QCOMPARE(errorNumberOf([&] { n.toBool(); }), kErrInvalidUseOfNull);
        QCOMPARE(errorNumberOf([&] { n.toLong(); }), kErrInvalidUseOfNull);
        QCOMPARE(errorNumberOf([&] { n.toDouble(); }), kErrInvalidUseOfNull);
        QCOMPARE(errorNumberOf([&] { n.toCurrency(); }), kErrInvalidUseOfNull);
        QCOMPARE(errorNumberOf([&] { n.toDate(); }), kErrInvalidUseOfNull);
        QCOMPARE(errorNumberOf([&] { n.toString(); }), kErrInvalidUseOfNull);
        QCOMPARE(n.toText(), QString());
        QVERIFY(!n.isNumeric());
    }

    void toLong_data()
    {
        QTest::addColumn<Variant>("value");
        QTest::addColumn<qint64>("expected");
        QTest::addColumn<qint64>("error");
        QTest::newRow("double half to even down") << Variant(2.5) << qint64(2) << qint64(0);
        QTest::newRow("double half to even up") << Variant(3.5) << qint64(4) << qint64(0);
        QTest::newRow("currency half to even") << Variant(*Currency::parse("-2.5")) << qint64(-2) << qint64(0);
        QTest::newRow("true is -1") << Variant(true) << qint64(-1) << qint64(0);
        QTest::newRow("empty is 0") << Variant() << qint64(0) << qint64(0);
        QTest::newRow("numeric text") << Variant(" 42 ") << qint64(42) << qint64(0);
        QTest::newRow("fraction text") << Variant("12.5") << qint64(12) << qint64(0);
        QTest::newRow("word") << Variant("abc") << qint64(0) << kErrTypeMismatch;
        QTest::newRow("empty text") << Variant("") << qint64(0) << kErrTypeMismatch;
        QTest::newRow("too large") << Variant(1e30) << qint64(0) << kErrOverflow;
        QTest::newRow("date is its day number") << Variant(QDate(1900, 1, 1)) << qint64(2) << qint64(0);
    }

    void toLong()
    {
        QFETCH(Variant, value);
        QFETCH(qint64, expected);
        QFETCH(qint64, error);
        qint64 got = 0;
        QCOMPARE(errorNumberOf([&] { got = value.toLong(); }), error);
        if (error == 0)
            QCOMPARE(got, expected);
    }

    void toCurrencyFromText()
    {
        QCOMPARE(Variant("0.1").toCurrency() + Variant("0.2").toCurrency(), *Currency::parse("0.3"));
        QCOMPARE(Variant(0.1 + 0.2).toCurrency(), *Currency::parse("0.3"));
        QCOMPARE(errorNumberOf([] { Variant("x").toCurrency(); }), kErrTypeMismatch);
    }

    void toBool_data()
    {
        QTest::addColumn<Variant>("value");
        QTest::addColumn<bool>("expected");
        QTest::addColumn<qint64>("error");
        QTest::newRow("zero") << Variant(0) << false << qint64(0);
        QTest::newRow("minus one") << Variant(-1) << true << qint64(0);
        QTest::newRow("text True any case") << Variant("tRUE") << true << qint64(0);
        QTest::newRow("text number") << Variant("0") << false << qint64(0);
        QTest::newRow("text word") << Variant("SI") << false << kErrTypeMismatch;
        QTest::newRow("empty") << Variant() << false << qint64(0);
    }

    void toBool()
    {
        QFETCH(Variant, value);
        QFETCH(bool, expected);
        QFETCH(qint64, error);
        bool got = false;
        QCOMPARE(errorNumberOf([&] { got = value.toBool(); }), error);
        if (error == 0)
            QCOMPARE(got, expected);
    }

    void toDate_data()
    {
        QTest::addColumn<Variant>("value");
        QTest::addColumn<QDateTime>("expected");
        QTest::newRow("iso date") << Variant("2004-03-15") << NaiveDateTime(QDate(2004, 3, 15));
        QTest::newRow("iso with time") << Variant("2004-03-15 10:20:30")
                                       << NaiveDateTime(QDate(2004, 3, 15), QTime(10, 20, 30));
        QTest::newRow("day first") << Variant("15/03/2004") << NaiveDateTime(QDate(2004, 3, 15));
        QTest::newRow("two-digit year, 2000s") << Variant("1/2/29") << NaiveDateTime(QDate(2029, 2, 1));
        QTest::newRow("two-digit year, 1900s") << Variant("1/2/30") << NaiveDateTime(QDate(1930, 2, 1));
        QTest::newRow("day first with minutes") << Variant("31/12/2004 23:59")
                                                << NaiveDateTime(QDate(2004, 12, 31), QTime(23, 59));
        QTest::newRow("day number") << Variant(2.5) << NaiveDateTime(QDate(1900, 1, 1), QTime(12, 0));
        QTest::newRow("empty is day zero") << Variant() << NaiveDateTime(QDate(1899, 12, 30));
    }

    void toDate()
    {
        QFETCH(Variant, value);
        QFETCH(QDateTime, expected);
        QCOMPARE(value.toDate(), expected);
    }

    void badDatesRaise13_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("no such day") << "31/02/2004";
        QTest::newRow("month 13") << "2004-13-01";
        QTest::newRow("words") << "mañana";
        QTest::newRow("trailing junk") << "2004-01-01x";
        QTest::newRow("three-digit year") << "1/1/200";
    }

    void badDatesRaise13()
    {
        QFETCH(QString, text);
        QCOMPARE(errorNumberOf([&] { Variant(text).toDate(); }), kErrTypeMismatch);
    }

    void toText_data()
    {
        QTest::addColumn<Variant>("value");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty") << Variant() << "C" << "";
        QTest::newRow("amount, no trailing zeros") << Variant(*Currency::parse("1234.5000")) << "C" << "1234.5";
        QTest::newRow("amount in a comma locale") << Variant(*Currency::parse("1234.5")) << "es_AR" << "1234,5";
        QTest::newRow("double to 15 digits") << Variant(0.1 + 0.2) << "C" << "0.3";
        QTest::newRow("double in a comma locale") << Variant(2.25) << "es_AR" << "2,25";
        QTest::newRow("long, no separators") << Variant(qint64(1234567)) << "es_AR" << "1234567";
        QTest::newRow("midnight date") << Variant(QDate(2004, 3, 5)) << "C" << "05/03/2004";
        QTest::newRow("date with time")
            << Variant(NaiveDateTime(QDate(2004, 3, 5), QTime(8, 5, 9))) << "C" << "05/03/2004 08:05:09";
        QTest::newRow("text as is") << Variant("  x ") << "C" << "  x ";
        QTest::newRow("boolean") << Variant(true) << "C" << "True";
    }

    void toText()
    {
        QFETCH(Variant, value);
        QFETCH(QString, locale);
        QFETCH(QString, expected);
        QLocale::setDefault(QLocale(locale));
        QCOMPARE(value.toText(), expected);
    }

    void toStringIsPlain()
    {
        QLocale::setDefault(QLocale(QStringLiteral("es_AR")));
        QCOMPARE(Variant(2.25).toString(), QStringLiteral("2.25"));
        QCOMPARE(Variant(QDate(2004, 3, 5)).toString(), QStringLiteral("2004-03-05"));
        QCOMPARE(Variant().toString(), QString());
    }

    void equality_data()
    {
        QTest::addColumn<Variant>("a");
        QTest::addColumn<Variant>("b");
        QTest::addColumn<bool>("equal");
        QTest::newRow("long and currency") << Variant(5) << Variant(Currency::fromLong(5)) << true;
        QTest::newRow("currency and double") << Variant(*Currency::parse("0.5")) << Variant(0.5) << true;
        QTest::newRow("null and null") << Variant::Null() << Variant::Null() << true;
        QTest::newRow("null and empty") << Variant::Null() << Variant() << false;
        QTest::newRow("text and number") << Variant("5") << Variant(5) << false;
        QTest::newRow("same naive date, other time spec")
            << Variant(QDateTime(QDate(2004, 1, 1), QTime(0, 0), Qt::LocalTime)) << Variant(QDate(2004, 1, 1))
            << true;
    }

    void equality()
    {
        QFETCH(Variant, a);
        QFETCH(Variant, b);
        QFETCH(bool, equal);
        QCOMPARE(a == b, equal);
    }
};

QTEST_GUILESS_MAIN(TestAdoValues)
#include "tst_ado_values.moc"
