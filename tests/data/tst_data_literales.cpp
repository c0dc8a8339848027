// SQL literals, the ADO type predicates and the object-name routines.
#include "data/DB_Dll.h"

#include <QTest>

Q_DECLARE_METATYPE(ado::Variant)

class TstLiterales : public QObject {
    Q_OBJECT
private slots:
    // A comma as decimal point, so that a literal that followed the locale would show it.
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Argentina)); }

    void sqlValue_data()
    {
        QTest::addColumn<ado::Variant>("valor");
        QTest::addColumn<QString>("tipo");
        QTest::addColumn<QString>("literal");
        QTest::newRow("null amount") << ado::Variant::Null() << "@" << "0";
        QTest::newRow("null quoted") << ado::Variant::Null() << "'" << "NULL";
        QTest::newRow("null plain") << ado::Variant::Null() << "" << "NULL";
        QTest::newRow("amount from text") << ado::Variant("1000.5") << "@" << "1000.5";
        QTest::newRow("amount from text with comma") << ado::Variant("1000,5") << "@" << "1000.5";
        QTest::newRow("amount from a double rounds to four decimals") << ado::Variant(1234.56789) << "@" << "1234.5679";
        QTest::newRow("amount from a currency") << ado::Variant(ado::Currency::fromScaled(-15000)) << "@" << "-1.5";
        QTest::newRow("amount from text that is no number") << ado::Variant("abc") << "@" << "0";
        QTest::newRow("blank amount") << ado::Variant("") << "@" << "0";
        QTest::newRow("quoted text") << ado::Variant("Banco") << "'" << "'Banco'";
        QTest::newRow("quote inside is doubled") << ado::Variant("O'Brien's") << "'" << "'O''Brien''s'";
        QTest::newRow("quoted number") << ado::Variant(12) << "'" << "'12'";
        QTest::newRow("plain text") << ado::Variant("GETDATE()") << "" << "GETDATE()";
        QTest::newRow("plain number in point form") << ado::Variant(12.5) << "N" << "12.5";
        QTest::newRow("plain date") << ado::Variant(QDate(2024, 2, 29)) << "" << "29/02/2024";
    }
    void sqlValue()
    {
        QFETCH(ado::Variant, valor);
        QFETCH(QString, tipo);
        QFETCH(QString, literal);
        QCOMPARE(DB_Dll::SQLValue(valor, tipo), literal);
    }

    void predicados_data()
    {
        QTest::addColumn<ado::Variant>("tipo");
        QTest::addColumn<QString>("clase");   // which predicate holds: date, text, number, currency, boolean, none
        QTest::newRow("7") << ado::Variant(7) << "date";
        QTest::newRow("135 as text") << ado::Variant("135") << "date";
        QTest::newRow("64") << ado::Variant(64) << "date";
        QTest::newRow("8 as text") << ado::Variant("8") << "text";
        QTest::newRow("202") << ado::Variant(202) << "text";
        QTest::newRow("129") << ado::Variant(129.0) << "text";
        QTest::newRow("3") << ado::Variant(3) << "number";
        QTest::newRow("131") << ado::Variant(131) << "number";
        QTest::newRow("17") << ado::Variant(17) << "number";
        QTest::newRow("6") << ado::Variant(6) << "currency";
        QTest::newRow("11") << ado::Variant(11) << "boolean";
        QTest::newRow("72") << ado::Variant(72) << "none";
        QTest::newRow("empty") << ado::Variant() << "none";
    }
    void predicados()
    {
        QFETCH(ado::Variant, tipo);
        QFETCH(QString, clase);
        QCOMPARE(DB_Dll::adodate(tipo), clase == QLatin1String("date"));
        QCOMPARE(DB_Dll::ADOText(tipo), clase == QLatin1String("text"));
        QCOMPARE(DB_Dll::ADONumeric(tipo), clase == QLatin1String("number"));
        QCOMPARE(DB_Dll::ADOCurrency(tipo), clase == QLatin1String("currency"));
        QCOMPARE(DB_Dll::ADOBoolean(tipo), clase == QLatin1String("boolean"));
        const bool comilla = clase == QLatin1String("date") || clase == QLatin1String("text");
        QCOMPARE(DB_Dll::ADOComilla(tipo), comilla ? QStringLiteral("'") : QString());
    }

    void nombres_data()
    {
        QTest::addColumn<QString>("rutina");
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QString>("resultado");
        QTest::addColumn<QString>("nombreDespues");   // the caller's variable afterwards
        QTest::newRow("stSTF part after") << "stSTF+" << "dbo.TABLA" << "TABLA" << "dbo.TABLA";
        QTest::newRow("stSTF part before") << "stSTF-" << "dbo.TABLA" << "dbo" << "dbo.TABLA";
        QTest::newRow("stSTF no dot") << "stSTF+" << "TABLA" << "TABLA" << "TABLA";
        QTest::newRow("stSTF two dots strips the owner") << "stSTF-" << "srv.dbo.T" << "dbo.T" << "dbo.T";
        QTest::newRow("brackets added") << "AddBrackets" << "NUMERO ASIENTO" << "[NUMERO ASIENTO]" << "NUMERO ASIENTO";
        QTest::newRow("brackets kept") << "AddBrackets" << "[NUMERO ASIENTO]" << "[NUMERO ASIENTO]" << "[NUMERO ASIENTO]";
        QTest::newRow("no blank, no brackets") << "AddBrackets" << "CUENTA" << "CUENTA" << "CUENTA";
        QTest::newRow("connect with blank") << "StripConnect" << "TABLA ->srv" << "TABLA" << "TABLA ->srv";
        QTest::newRow("connect without blank") << "StripConnect" << "TABLA->srv" << "TABL" << "TABLA->srv";
        QTest::newRow("no connect") << "StripConnect" << "TABLA" << "TABLA" << "TABLA";
        QTest::newRow("strip brackets") << "StripBrackets" << "[A B]" << "A B" << "[A B]";
        QTest::newRow("strip brackets drops the last") << "StripBrackets" << "[AB" << "A" << "[AB";
        QTest::newRow("owner") << "StripOwner" << "a.b.c" << "b.c" << "b.c";
        QTest::newRow("no owner") << "StripOwner" << "abc" << "abc" << "abc";
        QTest::newRow("file folder") << "StripFileName" << "c:\\dir\\sub\\f.txt" << "c:\\dir\\sub" << "c:\\dir\\sub\\f.txt";
        QTest::newRow("bare file") << "StripFileName" << "f.txt" << "" << "f.txt";
        QTest::newRow("file at the root") << "StripFileName" << "\\f.txt" << "" << "\\f.txt";
    }
    void nombres()
    {
        QFETCH(QString, rutina);
        QFETCH(QString, nombre);
        QFETCH(QString, resultado);
        QFETCH(QString, nombreDespues);
        QString variable = nombre;
        QString obtenido;
        if (rutina == QLatin1String("stSTF+"))
            obtenido = DB_Dll::stSTF(variable, true);
        else if (rutina == QLatin1String("stSTF-"))
            obtenido = DB_Dll::stSTF(variable, false);
        else if (rutina == QLatin1String("AddBrackets"))
            obtenido = DB_Dll::AddBrackets(variable);
        else if (rutina == QLatin1String("StripConnect"))
            obtenido = DB_Dll::StripConnect(variable);
        else if (rutina == QLatin1String("StripBrackets"))
            obtenido = DB_Dll::StripBrackets(variable);
        else if (rutina == QLatin1String("StripOwner"))
            obtenido = DB_Dll::StripOwner(variable);
        else
            obtenido = DB_Dll::StripFileName(variable);
        QCOMPARE(obtenido, resultado);
        QCOMPARE(variable, nombreDespues);
    }
};

QTEST_GUILESS_MAIN(TstLiterales)
#include "tst_data_literales.moc"
