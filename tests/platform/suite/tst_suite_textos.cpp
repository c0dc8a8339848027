// Text operations: separators, replacing, classification, station-file encoding, folders, field texts.
#include "platform/suite/Utilidades.h"

#include <QTest>

using suite::Utilidades;

class TstTextos : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void textoDespuesDe_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QStringList>("separadores");
        QTest::addColumn<QString>("esperado");
        const QString nul(QChar(0)), ff(QChar(0xFF));
        QTest::newRow("launch item") << "@server= SRV1" << QStringList{"="} << " SRV1";
        QTest::newRow("only the first") << "a=b=c" << QStringList{"="} << "b=c";
        QTest::newRow("none: whole text") << "abc" << QStringList{"="} << "abc";
        QTest::newRow("mask field without markers") << "ARTICULOS    " << QStringList{nul, ff} << "ARTICULOS    ";
        QTest::newRow("after a NUL") << "x" + nul + "TABLA" << QStringList{nul, ff} << "TABLA";
        QTest::newRow("earliest separator wins") << "a;b=c" << QStringList{"=", ";"} << "b=c";
        QTest::newRow("longer separator") << "uno||dos" << QStringList{"||"} << "dos";
    }
    void textoDespuesDe()
    {
        QFETCH(QString, texto);
        QFETCH(QStringList, separadores);
        QFETCH(QString, esperado);
        QCOMPARE(Utilidades::TextoDespuesDe(texto, separadores), esperado);
    }

    void reemplazar()
    {
        QCOMPARE(Utilidades::Reemplazar("|DESCRIPCION|IDARTICULO|", "|", ","), ",DESCRIPCION,IDARTICULO,");
        QCOMPARE(Utilidades::Reemplazar("1234,5", ",", "."), "1234.5");
        QCOMPARE(Utilidades::Reemplazar("from v_ma_articulos", "V_MA_ARTICULOS", "VT_MA_ARTICULOS"),
                 "from v_ma_articulos");
        QCOMPARE(Utilidades::ReemplazarTexto("select * from v_ma_articulos, V_MA_Articulos", "V_MA_ARTICULOS",
                                             "VT_MA_ARTICULOS"),
                 "select * from VT_MA_ARTICULOS, VT_MA_ARTICULOS");
        QCOMPARE(Utilidades::ReemplazarTexto("abc", "", "x"), "abc");
    }

    void clasificarTexto_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<int>("clase");
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("blanks") << "   " << 0;
        QTest::newRow("function name") << "LEN" << 1;
        QTest::newRow("table with blanks around") << " MA_CUENTAS " << 1;
        QTest::newRow("statement") << "SELECT * FROM MA_CUENTAS" << 2;
        QTest::newRow("tab between words") << "a\tb" << 2;
    }
    void clasificarTexto()
    {
        QFETCH(QString, texto);
        QFETCH(int, clase);
        QCOMPARE(Utilidades::ClasificarTexto(texto), clase);
    }

    void codificarYDecodificar_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::newRow("user") << "Vostrel";
        QTest::newRow("password") << "pardelo";
        QTest::newRow("empty") << "";
        QTest::newRow("odd characters") << "ñ|;= €";
        QTest::newRow("long") << QString(40, u'x');
    }
    void codificarYDecodificar()
    {
        QFETCH(QString, texto);
        const QString codificado = Utilidades::CodificarTexto(texto);
        if (!texto.isEmpty())
            QVERIFY(!codificado.contains(texto));
        QCOMPARE(Utilidades::DecodificarTexto(codificado), texto);
    }
    void decodificarDejaUnTextoPlano()
    {
        QCOMPARE(Utilidades::DecodificarTexto("pardelo"), "pardelo");
        QCOMPARE(Utilidades::DecodificarTexto("~12G4"), "~12G4");
    }

    void normalizarCarpeta_data()
    {
        QTest::addColumn<QString>("carpeta");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("without separator") << "/tmp/x" << "/tmp/x/";
        QTest::newRow("with one") << "/tmp/x/" << "/tmp/x/";
        QTest::newRow("with several") << "/tmp/x//" << "/tmp/x/";
        QTest::newRow("backslash at the end") << "/tmp/x\\" << "/tmp/x/";
        QTest::newRow("root") << "/" << "/";
        QTest::newRow("empty stays empty") << "" << "";
    }
    void normalizarCarpeta()
    {
        QFETCH(QString, carpeta);
        QFETCH(QString, esperado);
        QCOMPARE(Utilidades::NormalizarCarpeta(carpeta), esperado);
    }

    void textoCampo()
    {
        QCOMPARE(Utilidades::TextoCampo(ado::Variant::Null()), QString());
        QCOMPARE(Utilidades::TextoCampo(ado::Variant()), QString());
        QCOMPARE(Utilidades::TextoCampo(QStringLiteral("FC  ")), QStringLiteral("FC  "));
        QCOMPARE(Utilidades::TextoCampo(qint64(12)), QStringLiteral("12"));
        QCOMPARE(Utilidades::TextoCampo(ado::Currency::fromScaled(-12345000)), QStringLiteral("-1234.5"));
        QCOMPARE(Utilidades::TextoCampo(QDate(2004, 3, 15)), QStringLiteral("15/03/2004"));
    }
};

QTEST_GUILESS_MAIN(TstTextos)
#include "tst_suite_textos.moc"
