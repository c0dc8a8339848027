// Which viewer a voucher type opens, and what a viewer window does with each address its browser is about
// to open: a voucher link opens a new window of the right viewer with the link's values (a purchase with
// the account the link carries), an entry link the accounting voucher, an article link the article
// program (not from an accounting page), anything else is followed. The complement condition of a sales
// voucher's rows.

#include "report/EnlaceHTML.h"
#include "viewers/AccionEnlace.h"
#include "viewers/MarcoDocumento.h"
#include "viewers/VisorPorTC.h"

#include <QTest>

using visores::AccionEnlace;
using visores::Visor;
using Tipo = AccionEnlace::Tipo;

Q_DECLARE_METATYPE(visores::Visor)
Q_DECLARE_METATYPE(visores::AccionEnlace::Tipo)

namespace {

const QString kCarpeta = QStringLiteral("file:///tmp/conc%20cuentas/");

} // namespace

class TstViewerLinks : public QObject {
    Q_OBJECT

private slots:
    void viewerByTypeCode_data()
    {
        QTest::addColumn<QString>("tc");
        QTest::addColumn<Visor>("visor");
        QTest::addColumn<bool>("esVenta");
        QTest::addColumn<bool>("conCuenta");
        QTest::newRow("sale") << "FC" << Visor::Detalle << true << false;
        QTest::newRow("sale, lower case") << "fc" << Visor::Detalle << true << false;
        QTest::newRow("ticket") << "TKFC" << Visor::Detalle << true << false;
        QTest::newRow("purchase") << "FCC" << Visor::Detalle << false << true;
        QTest::newRow("purchase order") << "oc" << Visor::Detalle << false << true;
        QTest::newRow("receipt") << "CB" << Visor::Recibo << true << false;
        QTest::newRow("payment") << "PG" << Visor::Recibo << true << false;
        QTest::newRow("payment order") << "OPG" << Visor::Recibo << true << false;
        QTest::newRow("VJ") << "VJ" << Visor::Ninguno << true << false;
        QTest::newRow("vj") << "vj" << Visor::Ninguno << true << false;
        QTest::newRow("accounting") << "AS" << Visor::Contable << true << false;
        QTest::newRow("empty") << "" << Visor::Contable << true << false;
        QTest::newRow("trailing blank") << "FC " << Visor::Contable << true << false;
    }

    void viewerByTypeCode()
    {
        QFETCH(QString, tc);
        QFETCH(Visor, visor);
        QFETCH(bool, esVenta);
        QFETCH(bool, conCuenta);
        const visores::EleccionVisor e = visores::VisorPorTC(tc);
        QCOMPARE(e.visor, visor);
        QCOMPARE(e.EsVenta, esVenta);
        QCOMPARE(e.conCuenta, conCuenta);
    }

    void linkAction_data()
    {
        QTest::addColumn<Visor>("ventana");
        QTest::addColumn<QString>("enlace");
        QTest::addColumn<Tipo>("tipo");
        QTest::addColumn<Visor>("visor");
        QTest::addColumn<QString>("argumentos");   // tc|sucursal|numero|letra|cuenta|EsVenta, or the article
        const QString cuenta = QStringLiteral("2101");
        const QString conComilla = QStringLiteral("O'B 1");
        QTest::newRow("sale from a receipt page")
            << Visor::Recibo << report::EnlaceComprobante("FC", "0001", "00000010", "A", &cuenta) << Tipo::AbrirComprobante
            << Visor::Detalle << "FC|0001|00000010|A||1";
        QTest::newRow("purchase carries its account")
            << Visor::Recibo << report::EnlaceComprobante("FCC", "0003", "00002000", "A", &cuenta)
            << Tipo::AbrirComprobante << Visor::Detalle << "FCC|0003|00002000|A|2101|0";
        QTest::newRow("purchase account with a quote and a blank")
            << Visor::Detalle << report::EnlaceComprobante("NCC", "0003", "00000001", "B", &conComilla)
            << Tipo::AbrirComprobante << Visor::Detalle << "NCC|0003|00000001|B|O'B 1|0";
        QTest::newRow("purchase link without account")
            << Visor::Contable << report::EnlaceComprobante("FCC", "0003", "00002000", "A") << Tipo::AbrirComprobante
            << Visor::Detalle << "FCC|0003|00002000|A||0";
        QTest::newRow("receipt from an accounting page")
            << Visor::Contable << report::EnlaceComprobante("CB", "0001", "00000005", "X") << Tipo::AbrirComprobante
            << Visor::Recibo << "CB|0001|00000005|X||1";
        QTest::newRow("payment opens the receipt viewer on the sales side")
            << Visor::Detalle << report::EnlaceComprobante("pg", "0001", "00000087", "X") << Tipo::AbrirComprobante
            << Visor::Recibo << "pg|0001|00000087|X||1";
        QTest::newRow("lower-case markers") << Visor::Recibo << "_tc_FC_sucursal_0001_numero_00000010_letra_A"
                                            << Tipo::AbrirComprobante << Visor::Detalle << "FC|0001|00000010|A||1";
        QTest::newRow("VJ opens nothing") << Visor::Detalle << report::EnlaceComprobante("VJ", "0001", "00000077", "X")
                                          << Tipo::Nada << Visor::Ninguno << "";
        QTest::newRow("accounting code opens nothing from a page")
            << Visor::Detalle << report::EnlaceComprobante("AS", "0001", "00000001", "X") << Tipo::Nada << Visor::Ninguno
            << "";
        const QString vacia;
        QTest::newRow("entry of a sale without account")
            << Visor::Detalle << report::EnlaceAsiento("FC", "0001", "00000010", "A", &vacia) << Tipo::AbrirAsiento
            << Visor::Contable << "FC|0001|00000010|A||1";
        QTest::newRow("entry of a purchase with its account")
            << Visor::Detalle << report::EnlaceAsiento("FCC", "0003", "00002000", "A", &cuenta) << Tipo::AbrirAsiento
            << Visor::Contable << "FCC|0003|00002000|A|2101|1";
        QTest::newRow("entry of a receipt") << Visor::Recibo << report::EnlaceAsiento("CB", "0001", "00000005", "X")
                                            << Tipo::AbrirAsiento << Visor::Contable << "CB|0001|00000005|X||1";
        QTest::newRow("article from a sale page")
            << Visor::Detalle << report::EnlaceArticulo("ART 1") << Tipo::IniciarArticulo << Visor::Ninguno << "ART 1";
        QTest::newRow("article from an accounting page is ignored")
            << Visor::Contable << report::EnlaceArticulo("ART1") << Tipo::Nada << Visor::Ninguno << "ART1";
        QTest::newRow("the page itself") << Visor::Detalle << "BSC01CBTEdetalles.htm" << Tipo::Navegar << Visor::Ninguno
                                         << "";
        QTest::newRow("another address") << Visor::Recibo << "otra.htm" << Tipo::Navegar << Visor::Ninguno << "";
    }

    void linkAction()
    {
        QFETCH(Visor, ventana);
        QFETCH(QString, enlace);
        QFETCH(Tipo, tipo);
        QFETCH(Visor, visor);
        QFETCH(QString, argumentos);
        // The address as the browser hands it over: the link resolved against the page's folder.
        const AccionEnlace a = visores::AccionDeEnlace(kCarpeta + enlace, ventana);
        QCOMPARE(a.tipo, tipo);
        QCOMPARE(a.cancela(), tipo != Tipo::Navegar);
        if (tipo == Tipo::IniciarArticulo || (tipo == Tipo::Nada && !a.articulo.isEmpty())) {
            QCOMPARE(a.articulo, argumentos);
            return;
        }
        if (tipo != Tipo::AbrirComprobante && tipo != Tipo::AbrirAsiento)
            return;
        QCOMPARE(a.visor, visor);
        QCOMPARE(QStringList({a.tc, a.sucursal, a.numero, a.letra, a.cuenta, a.EsVenta ? "1" : "0"}).join('|'),
                 argumentos);
    }

    // A sales voucher's rows are those of its complement; a voucher without one still finds its own.
    void complementCondition_data()
    {
        QTest::addColumn<QString>("tipo");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("condicion");
        QTest::newRow("number") << "long" << "0" << "=0";
        QTest::newRow("number as text") << "text" << "12" << "=12";
        QTest::newRow("none") << "null" << "" << " IS NULL";
        QTest::newRow("text with a quote") << "text" << "a'b" << "='a''b'";
    }

    void complementCondition()
    {
        QFETCH(QString, tipo);
        QFETCH(QString, texto);
        QFETCH(QString, condicion);
        const ado::Variant valor = tipo == QLatin1String("null")   ? ado::Variant::Null()
                                   : tipo == QLatin1String("long") ? ado::Variant(texto.toLongLong())
                                                                   : ado::Variant(texto);
        QCOMPARE(visores::CondicionComplemento(valor), condicion);
    }

    void markersInTheFolderAreNotRead()
    {
        const AccionEnlace a =
            visores::AccionDeEnlace(QStringLiteral("file:///tmp/ARTICULO_x/_TC_y/BSC01CBTEdetalles.htm"), Visor::Detalle);
        QCOMPARE(a.tipo, Tipo::Navegar);
    }
};

QTEST_MAIN(TstViewerLinks)
#include "tst_viewers_links.moc"
