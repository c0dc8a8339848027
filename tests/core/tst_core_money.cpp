// FmtMoneda: decimals from the argument, the configuration or the station; half-even rounding; the locale's
// decimal separator and no thousands separator.

#include "core/Configuration.h"
#include "core/Money.h"
#include "platform/ado/Error.h"

#include <QLocale>
#include <QTest>
#include <clocale>

class MoneyTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void fmtMoneda_data();
    void fmtMoneda();
    void fromCurrency();
    void invalidDecimals();
};

void MoneyTest::initTestCase()
{
    // The station's number of decimals comes from the C library locale; "C" does not say, so 2.
    std::setlocale(LC_MONETARY, "C");
}

void MoneyTest::fmtMoneda_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("configurados");
    QTest::addColumn<QString>("numero");
    QTest::addColumn<int>("decimales");
    QTest::addColumn<QString>("esperado");

    QTest::newRow("two decimals, comma") << "es_AR" << " " << "12.5" << 2 << "12,50";
    QTest::newRow("two decimals, point") << "en_US" << " " << "12.5" << 2 << "12.50";
    QTest::newRow("no thousands separator") << "es_AR" << " " << "1234567,891" << 2 << "1234567,89";
    QTest::newRow("-2: half to even, down") << "es_AR" << " " << "12.5" << -2 << "12";
    QTest::newRow("-2: half to even, up") << "es_AR" << " " << "13.5" << -2 << "14";
    QTest::newRow("half to even at the cents") << "en_US" << " " << "0.125" << 2 << "0.12";
    QTest::newRow("negative") << "es_AR" << " " << "-1,005" << 2 << "-1,00";
    QTest::newRow("negative rounding to zero") << "en_US" << " " << "-0.004" << 2 << "0.00";
    QTest::newRow("-3: text unchanged") << "es_AR" << " " << " 12.5x " << -3 << " 12.5x ";
    QTest::newRow("-1: configured decimals") << "en_US" << "3" << "2.5" << -1 << "2.500";
    QTest::newRow("-1: key missing, station decimals") << "en_US" << " " << "2.5" << -1 << "2.50";
    QTest::newRow("0: station decimals") << "en_US" << "3" << "2.5" << 0 << "2.50";
    QTest::newRow("more decimals than the amount holds") << "en_US" << " " << "1.23456" << 6 << "1.234600";
    QTest::newRow("not an amount reads as 0") << "en_US" << " " << "abc" << 2 << "0.00";
    QTest::newRow("list text read back") << "es_AR" << " " << "1.234,56" << 2 << "1234,56";
}

void MoneyTest::fmtMoneda()
{
    QFETCH(QString, locale);
    QFETCH(QString, configurados);
    QFETCH(QString, numero);
    QFETCH(int, decimales);
    QFETCH(QString, esperado);
    QLocale::setDefault(QLocale(locale));
    ModGlobal::gCantidadDecimales = configurados;
    QCOMPARE(ModGlobal::FmtMoneda(numero, decimales), esperado);
}

void MoneyTest::fromCurrency()
{
    QLocale::setDefault(QLocale("es_AR"));
    // A value held as an amount is never read back from text, so "1.234" stays one and a quarter-ish.
    const ado::Currency monto = ado::Currency::fromScaled(12340);
    QCOMPARE(ModGlobal::FmtMoneda(monto, 2), QString("1,23"));
    QCOMPARE(ModGlobal::FmtMoneda(monto, -2), QString("1"));
}

void MoneyTest::invalidDecimals()
{
    QVERIFY_THROWS_EXCEPTION(ado::Error, ModGlobal::FmtMoneda(QString("1"), -5));
}

QTEST_GUILESS_MAIN(MoneyTest)
#include "tst_core_money.moc"
