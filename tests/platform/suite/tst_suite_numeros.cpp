// Numbers read from list, field and money texts in two locales, and amounts in words.
#include "platform/suite/Utilidades.h"

#include <QTest>

using suite::Utilidades;

namespace {

// Pins the default locale for one case and puts the C locale back.
struct LocaleFijo {
    explicit LocaleFijo(const QString& nombre) { QLocale::setDefault(QLocale(nombre)); }
    ~LocaleFijo() { QLocale::setDefault(QLocale::c()); }
};

} // namespace

class TstNumeros : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void textoAMoneda_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<qint64>("escalado");
        QTest::addColumn<bool>("ok");

        QTest::newRow("C list amount") << "C" << "1,234.56" << qint64(12345600) << true;
        QTest::newRow("C negative list amount") << "C" << "-1,234.56" << qint64(-12345600) << true;
        QTest::newRow("C money text") << "C" << "1234.5" << qint64(12345000) << true;
        QTest::newRow("C comma decimal") << "C" << "1234,5" << qint64(12345000) << true;
        QTest::newRow("C thousands only") << "C" << "1,234" << qint64(12340000) << true;
        QTest::newRow("C both, comma last") << "C" << "1.234,56" << qint64(12345600) << true;
        QTest::newRow("C padded cell") << "C" << "      1,234.56" << qint64(12345600) << true;
        QTest::newRow("C sign behind") << "C" << "1234.56-" << qint64(-12345600) << true;
        QTest::newRow("C parentheses") << "C" << "(12.50)" << qint64(-125000) << true;
        QTest::newRow("C blank") << "C" << "   " << qint64(0) << true;
        QTest::newRow("C empty") << "C" << "" << qint64(0) << true;
        QTest::newRow("C fifth decimal up") << "C" << "12.34567" << qint64(123457) << true;
        QTest::newRow("C half to even, down") << "C" << "0.00005" << qint64(0) << true;
        QTest::newRow("C half to even, up") << "C" << "0.00015" << qint64(2) << true;
        QTest::newRow("C half and more") << "C" << "0.000051" << qint64(1) << true;
        QTest::newRow("C leading point") << "C" << ".5" << qint64(5000) << true;
        QTest::newRow("C letters") << "C" << "abc" << qint64(0) << false;
        QTest::newRow("C trailing letters") << "C" << "12a" << qint64(0) << false;
        QTest::newRow("C sign only") << "C" << "-" << qint64(0) << false;
        QTest::newRow("C two decimal commas") << "C" << "1.234,5,6" << qint64(0) << false;
        QTest::newRow("C too large") << "C" << "9999999999999999" << qint64(0) << false;
        QTest::newRow("es list amount") << "es_AR" << "1.234,56" << qint64(12345600) << true;
        QTest::newRow("es negative") << "es_AR" << "-1.234,56" << qint64(-12345600) << true;
        QTest::newRow("es money text") << "es_AR" << "12,50" << qint64(125000) << true;
        QTest::newRow("es thousands only") << "es_AR" << "1.234" << qint64(12340000) << true;
        QTest::newRow("es point decimal") << "es_AR" << "1234.5" << qint64(12345000) << true;
        QTest::newRow("es millions") << "es_AR" << "1.234.567,8" << qint64(12345678000) << true;
        QTest::newRow("es cents") << "es_AR" << "-0,01" << qint64(-100) << true;
        // Grouping never writes a leading group of 0: the separator after it is the decimal one.
        QTest::newRow("C comma after a zero") << "C" << "0,150" << qint64(1500) << true;
        QTest::newRow("es point after a zero") << "es_AR" << "0.150" << qint64(1500) << true;
        QTest::newRow("C zero group, then more groups") << "C" << "0,150,000" << qint64(0) << false;
        QTest::newRow("es zero group, then a decimal comma") << "es_AR" << "0.150,5" << qint64(0) << false;
    }
    void textoAMoneda()
    {
        QFETCH(QString, locale);
        QFETCH(QString, texto);
        QFETCH(qint64, escalado);
        QFETCH(bool, ok);
        LocaleFijo fijo(locale);
        bool leido = !ok;
        QCOMPARE(Utilidades::TextoAMoneda(texto, &leido).scaled(), escalado);
        QCOMPARE(leido, ok);
    }

    void textoAEntero_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<qint64>("entero");
        QTest::addColumn<bool>("ok");
        QTest::newRow("zeros in front") << "0003" << qint64(3) << true;
        QTest::newRow("half to even down") << "2.5" << qint64(2) << true;
        QTest::newRow("half to even up") << "3.5" << qint64(4) << true;
        QTest::newRow("negative half") << "-2.5" << qint64(-2) << true;
        QTest::newRow("negative above half") << "-2.51" << qint64(-3) << true;
        QTest::newRow("blank") << " " << qint64(0) << true;
        QTest::newRow("not a number") << "x1" << qint64(0) << false;
    }
    void textoAEntero()
    {
        QFETCH(QString, texto);
        QFETCH(qint64, entero);
        QFETCH(bool, ok);
        bool leido = !ok;
        QCOMPARE(Utilidades::TextoAEntero(texto, &leido), entero);
        QCOMPARE(leido, ok);
    }

    void textoADobleLeeElFormatoDelLocale()
    {
        LocaleFijo fijo(QStringLiteral("es_AR"));
        QCOMPARE(Utilidades::TextoADoble(QStringLiteral("-1234,56")), -1234.56);
        QCOMPARE(Utilidades::TextoADoble(QStringLiteral("0,1")), 0.1);
        bool ok = true;
        QCOMPARE(Utilidades::TextoADoble(QStringLiteral("1,2,3,x"), &ok), 0.0);
        QVERIFY(!ok);
    }

    void textoCampoUsaElSeparadorDelLocale()
    {
        LocaleFijo fijo(QStringLiteral("es_AR"));
        const QString texto = Utilidades::TextoCampo(ado::Currency::fromScaled(12345000));
        QCOMPARE(texto, QStringLiteral("1234,5"));
        QCOMPARE(Utilidades::TextoAMoneda(texto).scaled(), qint64(12345000));
    }

    void importeATexto_data()
    {
        QTest::addColumn<QString>("importe");
        QTest::addColumn<QString>("letras");
        QTest::newRow("receipt") << "1234.56" << "MIL DOSCIENTOS TREINTA Y CUATRO CON 56/100";
        QTest::newRow("zero") << "0" << "CERO CON 00/100";
        QTest::newRow("one") << "1" << "UNO CON 00/100";
        QTest::newRow("hundred") << "100" << "CIEN CON 00/100";
        QTest::newRow("hundred and one") << "101" << "CIENTO UNO CON 00/100";
        QTest::newRow("teens and twenties") << "16.22" << "DIECISÉIS CON 22/100";
        QTest::newRow("twenty-one thousand") << "21000" << "VEINTIÚN MIL CON 00/100";
        QTest::newRow("thirty-one thousand one") << "31001" << "TREINTA Y UN MIL UNO CON 00/100";
        QTest::newRow("hundred thousand") << "100000" << "CIEN MIL CON 00/100";
        QTest::newRow("one million") << "1000000" << "UN MILLÓN CON 00/100";
        QTest::newRow("millions") << "2500000.5" << "DOS MILLONES QUINIENTOS MIL CON 50/100";
        QTest::newRow("thirty-one million") << "31000000" << "TREINTA Y UN MILLONES CON 00/100";
        QTest::newRow("one billion (long scale)") << "1000000000000" << "UN BILLÓN CON 00/100";
        QTest::newRow("negative") << "-15.75" << "MENOS QUINCE CON 75/100";
        QTest::newRow("half cent to even down") << "0.005" << "CERO CON 00/100";
        QTest::newRow("half cent to even up") << "0.015" << "CERO CON 02/100";
        QTest::newRow("list amount") << "9,999.99" << "NUEVE MIL NOVECIENTOS NOVENTA Y NUEVE CON 99/100";
        QTest::newRow("not an amount") << "abc" << "";
    }
    void importeATexto()
    {
        QFETCH(QString, importe);
        QFETCH(QString, letras);
        QCOMPARE(Utilidades::ImporteATexto(importe), letras);
    }
};

QTEST_GUILESS_MAIN(TstNumeros)
#include "tst_suite_numeros.moc"
