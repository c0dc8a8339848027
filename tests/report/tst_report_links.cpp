// Report and document links: what the builder writes and what the reader takes back from the address the
// browser hands over.

#include "report/EnlaceHTML.h"

#include <QUrl>
#include <QTest>

using namespace report;

class ReportLinksTest : public QObject {
    Q_OBJECT
private slots:
    void built_data();
    void built();
    void read_data();
    void read();
    void roundTripThroughBrowserUrl_data();
    void roundTripThroughBrowserUrl();
    void htmlText_data();
    void htmlText();
};

void ReportLinksTest::built_data()
{
    QTest::addColumn<QString>("enlace");
    QTest::addColumn<QString>("esperado");
    const QString cab = QStringLiteral("1101");
    const QString fil = QStringLiteral("110101");
    const QString vacia;
    QTest::newRow("account") << EnlaceCuenta("1101") << "CUENTA_1101";
    QTest::newRow("whole chart") << EnlaceCuenta("") << "CUENTA_";
    QTest::newRow("popup") << EnlaceCuentaPopup("11") << "CUENTAPOPUP_11";
    QTest::newRow("voucher, both accounts")
        << EnlaceComprobante("FC", "0001", "00000012", "A", &cab, &fil)
        << "_TC_FC_SUCURSAL_0001_NUMERO_00000012_LETRA_A_CUENTACAB_1101_CUENTAFILTRO_110101";
    QTest::newRow("voucher, row account only")
        << EnlaceComprobante("FC", "0001", "00000012", "A", nullptr, &fil)
        << "_TC_FC_SUCURSAL_0001_NUMERO_00000012_LETRA_A_CUENTAFILTRO_110101";
    QTest::newRow("voucher, no account") << EnlaceComprobante("FC", "0001", "00000012", "A")
                                         << "_TC_FC_SUCURSAL_0001_NUMERO_00000012_LETRA_A";
    QTest::newRow("voucher, empty report account") << EnlaceComprobante("FC", "0001", "1", "A", &vacia)
                                                   << "_TC_FC_SUCURSAL_0001_NUMERO_1_LETRA_A_CUENTACAB_";
    QTest::newRow("entry") << EnlaceAsiento("FC", "0001", "00000012", "A", &cab)
                           << "_VER_ASIENTOTC_FC_SUCURSAL_0001_NUMERO_00000012_LETRA_A_CUENTACAB_1101";
    QTest::newRow("article") << EnlaceArticulo("ART 1") << "ARTICULO_ART%201";
    QTest::newRow("blank, quote, >, slash, percent are encoded")
        << EnlaceCuenta("a b\"c>d/e%f") << "CUENTA_a%20b%22c%3Ed%2Fe%25f";
    QTest::newRow("accented letter as UTF-8") << EnlaceArticulo(QStringLiteral("\u00d1")) << "ARTICULO_%C3%91";
    QTest::newRow("trailing blanks of a letter kept") << EnlaceComprobante("FC ", "0001", "1", "A  ")
                                                      << "_TC_FC%20_SUCURSAL_0001_NUMERO_1_LETRA_A%20%20";
}

void ReportLinksTest::built()
{
    QFETCH(QString, enlace);
    QFETCH(QString, esperado);
    QCOMPARE(enlace, esperado);
}

void ReportLinksTest::read_data()
{
    QTest::addColumn<QString>("direccion");
    QTest::addColumn<int>("tipo");
    QTest::addColumn<QString>("marca");
    QTest::addColumn<QString>("valor");
    const int cuenta = int(TipoEnlace::Cuenta), popup = int(TipoEnlace::CuentaPopup),
              cpte = int(TipoEnlace::Comprobante), asiento = int(TipoEnlace::Asiento),
              articulo = int(TipoEnlace::Articulo), ninguno = int(TipoEnlace::Ninguno);
    const QString v = QStringLiteral("file:///tmp/conc/_TC_FC_SUCURSAL_0001_NUMERO_00000012_LETRA_A_CUENTACAB_1101"
                                     "_CUENTAFILTRO_110101");
    QTest::newRow("account") << "file:///tmp/conc/CUENTA_1101" << cuenta << kMarcaCuenta << "1101";
    QTest::newRow("empty account") << "file:///tmp/conc/CUENTA_" << cuenta << kMarcaCuenta << "";
    QTest::newRow("lower-case marker") << "file:///tmp/conc/cuenta_11" << cuenta << kMarcaCuenta << "11";
    QTest::newRow("popup") << "file:///tmp/conc/CUENTAPOPUP_11" << popup << kMarcaCuentaPopup << "11";
    QTest::newRow("popup is not the account link") << "file:///tmp/conc/CUENTAPOPUP_11" << popup << kMarcaCuenta
                                                   << "";
    QTest::newRow("voucher type") << v << cpte << kMarcaTC << "FC";
    QTest::newRow("voucher branch") << v << cpte << kMarcaSucursal << "0001";
    QTest::newRow("voucher number") << v << cpte << kMarcaNumero << "00000012";
    QTest::newRow("voucher letter") << v << cpte << kMarcaLetra << "A";
    QTest::newRow("report account") << v << cpte << kMarcaCuentaCab << "1101";
    QTest::newRow("row account") << v << cpte << kMarcaCuentaFiltro << "110101";
    QTest::newRow("kind 2: no report account")
        << "file:///t/_TC_FC_SUCURSAL_0001_NUMERO_1_LETRA_B_CUENTAFILTRO_2" << cpte << kMarcaCuentaCab << "";
    QTest::newRow("kind 3: letter runs to the end") << "file:///t/_TC_FC_SUCURSAL_0001_NUMERO_1_LETRA_B" << cpte
                                                    << kMarcaLetra << "B";
    QTest::newRow("kind 3: no row account") << "file:///t/_TC_FC_SUCURSAL_0001_NUMERO_1_LETRA_B" << cpte
                                            << kMarcaCuentaFiltro << "";
    QTest::newRow("letter followed by further text") << "file:///t/_TC_FC_SUCURSAL_1_NUMERO_1_LETRA_Bmas" << cpte
                                                     << kMarcaLetra << "Bmas";
    QTest::newRow("type code with trailing blank") << "file:///t/_TC_FC%20_SUCURSAL_1_NUMERO_1_LETRA_B" << cpte
                                                   << kMarcaTC << "FC ";
    QTest::newRow("entry type") << "file:///t/_VER_ASIENTOTC_FC_SUCURSAL_0001_NUMERO_1_LETRA_A_CUENTACAB_"
                                << asiento << kMarcaVerAsiento << "FC";
    QTest::newRow("entry without account") << "file:///t/_VER_ASIENTOTC_CB_SUCURSAL_0001_NUMERO_1_LETRA_A"
                                           << asiento << kMarcaCuentaCab << "";
    QTest::newRow("entry is not a voucher link") << "file:///t/_VER_ASIENTOTC_CB_SUCURSAL_1_NUMERO_1_LETRA_A"
                                                 << asiento << kMarcaTC << "";
    QTest::newRow("article decoded") << "file:///t/ARTICULO_ART%201%2F2" << articulo << kMarcaArticulo
                                     << "ART 1/2";
    QTest::newRow("percent decoded to UTF-8") << "file:///t/CUENTA_%C3%91u" << cuenta << kMarcaCuenta
                                              << QStringLiteral("\u00d1u");
    QTest::newRow("folder holding a marker text") << "file:///tmp/CUENTA_99/ARTICULO_5/CUENTA_11" << cuenta
                                                  << kMarcaCuenta << "11";
    QTest::newRow("folder marker is not read") << "file:///tmp/_TC_X/CUENTA_11" << cuenta << kMarcaTC << "";
    QTest::newRow("windows path") << "C:\\Temp\\CUENTA_11" << cuenta << kMarcaCuenta << "11";
    QTest::newRow("bare link text") << "CUENTAPOPUP_1" << popup << kMarcaCuentaPopup << "1";
    QTest::newRow("page of the folder") << "file:///tmp/conc/BSC01.htm" << ninguno << kMarcaCuenta << "";
    QTest::newRow("web address") << "http://example.org/x" << ninguno << kMarcaTC << "";
    QTest::newRow("absent marker") << "file:///t/CUENTA_11" << cuenta << kMarcaLetra << "";
}

void ReportLinksTest::read()
{
    QFETCH(QString, direccion);
    QFETCH(int, tipo);
    QFETCH(QString, marca);
    QFETCH(QString, valor);
    const EnlaceLeido enlace = LeerEnlace(direccion);
    QCOMPARE(int(enlace.tipo), tipo);
    QCOMPARE(enlace.valor(marca), valor);
    QCOMPARE(enlace.tiene(marca), !valor.isEmpty() || enlace.texto.contains(marca, Qt::CaseInsensitive));
}

void ReportLinksTest::roundTripThroughBrowserUrl_data()
{
    QTest::addColumn<QString>("tc");
    QTest::addColumn<QString>("sucursal");
    QTest::addColumn<QString>("numero");
    QTest::addColumn<QString>("letra");
    QTest::addColumn<QString>("cuenta");
    QTest::newRow("plain") << "FC" << "0001" << "00000012" << "A" << "1101";
    QTest::newRow("blanks") << "FC  " << " 001" << "12" << "A   " << "11 01";
    QTest::newRow("hostile") << "F'C" << "<1>" << "1&2" << "\"" << "a/b%c#d?e";
    QTest::newRow("accents") << QStringLiteral("\u00d1") << "0001" << "1" << "A" << QStringLiteral("caf\u00e9");
    QTest::newRow("empty parts") << "" << "" << "" << "" << "";
}

void ReportLinksTest::roundTripThroughBrowserUrl()
{
    QFETCH(QString, tc);
    QFETCH(QString, sucursal);
    QFETCH(QString, numero);
    QFETCH(QString, letra);
    QFETCH(QString, cuenta);
    const QString href = EnlaceComprobante(tc, sucursal, numero, letra, &cuenta, &cuenta);
    // The browser resolves the HREF against the page's file, in a folder that holds marker texts itself.
    const QUrl pagina = QUrl::fromLocalFile(QStringLiteral("/tmp/_TC_x y/CUENTA_1/BSC01.htm"));
    const QUrl resuelta = pagina.resolved(QUrl(href));
    for (const QUrl& url : {resuelta, QUrl(resuelta.toString(QUrl::FullyEncoded))}) {
        const EnlaceLeido enlace = LeerEnlace(url);
        QCOMPARE(int(enlace.tipo), int(TipoEnlace::Comprobante));
        QCOMPARE(enlace.valor(kMarcaTC), tc);
        QCOMPARE(enlace.valor(kMarcaSucursal), sucursal);
        QCOMPARE(enlace.valor(kMarcaNumero), numero);
        QCOMPARE(enlace.valor(kMarcaLetra), letra);
        QCOMPARE(enlace.valor(kMarcaCuentaCab), cuenta);
        QCOMPARE(enlace.valor(kMarcaCuentaFiltro), cuenta);
        QCOMPARE(LeerEnlace(url.toString(QUrl::FullyEncoded)).valor(kMarcaCuentaFiltro), cuenta);
    }
}

void ReportLinksTest::htmlText_data()
{
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("esperado");
    QTest::newRow("plain") << "Caja" << "Caja";
    QTest::newRow("markup") << "<b>A & B</b>" << "&lt;b&gt;A &amp; B&lt;/b&gt;";
    QTest::newRow("quotes") << "O'Brien \"x\"" << "O'Brien &quot;x&quot;";
    QTest::newRow("accents stay for the code page") << QStringLiteral("Matr\u00edcula \u20ac")
                                                    << QStringLiteral("Matr\u00edcula \u20ac");
    QTest::newRow("outside the code page") << QStringLiteral("\u4e2d") << "&#20013;";
    QTest::newRow("outside the basic plane") << QStringLiteral("a\U0001F600b") << "a&#128512;b";
}

void ReportLinksTest::htmlText()
{
    QFETCH(QString, texto);
    QFETCH(QString, esperado);
    QCOMPARE(TextoHTML(texto), esperado);
}

QTEST_GUILESS_MAIN(ReportLinksTest)
#include "tst_report_links.moc"
