// Fixed-width keys and amount cells: numbers right-aligned, texts left-aligned, padded text unchanged,
// content never cut.
#include "platform/suite/Utilidades.h"

#include <QTest>

Q_DECLARE_METATYPE(ado::Variant)

using suite::Utilidades;

class TstFormatoAncho : public QObject {
    Q_OBJECT
private slots:
    void formatoAncho_data()
    {
        QTest::addColumn<ado::Variant>("valor");
        QTest::addColumn<int>("ancho");
        QTest::addColumn<QString>("esperado");

        QTest::newRow("type code") << ado::Variant("FC") << 4 << "FC  ";
        QTest::newRow("letter to 4") << ado::Variant("A") << 4 << "A   ";
        QTest::newRow("padded code") << ado::Variant("FC  ") << 4 << "FC  ";
        QTest::newRow("reconciliation number") << ado::Variant("12") << 15 << "             12";
        QTest::newRow("padded number") << ado::Variant("             12") << 15 << "             12";
        QTest::newRow("number with blanks") << ado::Variant(" 12 ") << 4 << "  12";
        QTest::newRow("business unit") << ado::Variant("1") << 4 << "   1";
        QTest::newRow("branch with zeros") << ado::Variant("0001") << 4 << "0001";
        QTest::newRow("numeric value") << ado::Variant(qint64(12)) << 8 << "      12";
        QTest::newRow("negative number") << ado::Variant("-5") << 4 << "  -5";
        QTest::newRow("digits and letters") << ado::Variant("12A") << 4 << "12A ";
        QTest::newRow("leading blank text") << ado::Variant(" FC") << 4 << " FC ";
        QTest::newRow("article id") << ado::Variant("ART-001") << 25 << "ART-001                  ";
        QTest::newRow("empty") << ado::Variant("") << 4 << "    ";
        QTest::newRow("null") << ado::Variant::Null() << 4 << "    ";
        QTest::newRow("trailing blanks cut") << ado::Variant("AB      ") << 4 << "AB  ";
        QTest::newRow("long text kept") << ado::Variant("ABCDEFGHIJ") << 4 << "ABCDEFGHIJ";
        QTest::newRow("long number kept") << ado::Variant("123456") << 4 << "123456";
        QTest::newRow("width left out") << ado::Variant(" abc ") << 0 << " abc ";
    }
    void formatoAncho()
    {
        QFETCH(ado::Variant, valor);
        QFETCH(int, ancho);
        QFETCH(QString, esperado);
        const QString una = Utilidades::FormatoAncho(valor, ancho);
        QCOMPARE(una, esperado);
        QCOMPARE(Utilidades::FormatoAncho(una, ancho), una);
    }

    void ajustarAncho_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("list amount") << "1,234.56" << "      1,234.56";
        QTest::newRow("negative") << "-12.00" << "        -12.00";
        QTest::newRow("blanks around") << "  7.50 " << "          7.50";
        QTest::newRow("wider than the cell") << "123,456,789,012.00" << "123,456,789,012.00";
    }
    void ajustarAncho()
    {
        QFETCH(QString, texto);
        QFETCH(QString, esperado);
        QCOMPARE(Utilidades::AjustarAncho(texto, 14), esperado);
        QCOMPARE(Utilidades::TextoAMoneda(Utilidades::AjustarAncho(texto, 14)), Utilidades::TextoAMoneda(texto));
    }
};

QTEST_GUILESS_MAIN(TstFormatoAncho)
#include "tst_suite_formato_ancho.moc"
