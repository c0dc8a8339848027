// The report request as a function of the dashboard's filters, the pane geometry rules, the branch and
// number padding, and the voucher link as the dashboard and the popup open it.

#include "dashboard/CamposFiltro.h"
#include "dashboard/ComprobanteEnlace.h"
#include "dashboard/DisenoTablero.h"
#include "dashboard/PedidoInforme.h"
#include "report/EnlaceHTML.h"

#include <QTest>

using namespace tablero;

namespace {

EstadoFiltros estadoDePrueba()
{
    EstadoFiltros e;
    e.opcionTipoListado = 1;
    e.resumido = false;
    e.valorRama = 1;
    e.fechaDesde = QStringLiteral("01/01/2026");
    e.fechaHasta = QStringLiteral("31/12/2026");
    e.tc = QStringLiteral(" FC ");
    e.sucursal = QStringLiteral("0001");
    e.numero = QStringLiteral("00000012");
    e.letra = QStringLiteral("A");
    e.impDesde = QStringLiteral("10");
    e.impHasta = QStringLiteral("99");
    e.unidades = QStringList{QStringLiteral("1"), QStringLiteral("2")};
    e.centros = QStringList{QStringLiteral("C1")};
    e.archivo = QStringLiteral("/tmp/x/BSC01.htm");
    return e;
}

// Every argument of a request as text, to compare two requests whole.
QStringList textos(const PedidoInforme& p)
{
    return {p.TituloListado, p.strNombreArchivo, p.Titulo, p.Cuenta, QString::number(p.EsHoja), p.FechaDesde,
            p.FechaHasta, QString::number(p.eTipoListado), p.eUnidadesNegocio.join('|'), p.eCentrosCostos.join('|'),
            QString::number(p.eNormal), QString::number(p.eNiveles), p.pTc, p.pSuc, p.pNro, p.pLetra, p.pImpDesde,
            p.pImpHasta};
}

} // namespace

class TstDashboardRequests : public QObject {
    Q_OBJECT

private slots:
    void tipoYNiveles_data()
    {
        QTest::addColumn<int>("opcion");
        QTest::addColumn<bool>("resumido");
        QTest::addColumn<int>("tipo");
        QTest::addColumn<QString>("titulo");
        QTest::addColumn<int>("niveles");
        QTest::newRow("consolidated, full") << 0 << false << 0 << "Consolidado" << 6;
        QTest::newRow("by unit, summarised") << 1 << true << 1 << "Abierto por Unidad de Negocio" << 4;
        QTest::newRow("by centre") << 2 << false << 2 << "Abierto por Centro de Costo" << 6;
        QTest::newRow("both") << 3 << false << 3 << "Abierto por Unidad de Negocio y Centro de Costo" << 6;
        QTest::newRow("no option selected") << -1 << true << 3 << "" << 4;
    }
    void tipoYNiveles()
    {
        QFETCH(int, opcion);
        QFETCH(bool, resumido);
        QFETCH(int, tipo);
        QFETCH(QString, titulo);
        QFETCH(int, niveles);
        EstadoFiltros e = estadoDePrueba();
        e.opcionTipoListado = opcion;
        e.resumido = resumido;
        for (const PedidoInforme& p : {PedidoDeCuenta(e, "11", "11 - Caja", true), PedidoPlanGeneral(e),
                                       PedidoActualizar(e, "11", "11 - Caja", true)}) {
            QCOMPARE(p.eTipoListado, tipo);
            QCOMPARE(p.TituloListado, titulo);
            QCOMPARE(p.eNiveles, niveles);
        }
    }

    // The three places that ask for a report, side by side.
    void tresPedidos()
    {
        const EstadoFiltros e = estadoDePrueba();
        const PedidoInforme nodo = PedidoDeCuenta(e, "1101", "1101 - Banco", true);
        QCOMPARE(nodo.Cuenta, QStringLiteral("1101"));
        QCOMPARE(nodo.Titulo, QStringLiteral("1101 - Banco"));
        QVERIFY(nodo.EsHoja);
        QCOMPARE(nodo.strNombreArchivo, e.archivo);
        QCOMPARE(nodo.FechaDesde, e.fechaDesde);
        QCOMPARE(nodo.FechaHasta, e.fechaHasta);
        QCOMPARE(nodo.eUnidadesNegocio, e.unidades);
        QCOMPARE(nodo.eCentrosCostos, e.centros);
        QVERIFY(nodo.eNormal);
        for (const QString& filtro : {nodo.pTc, nodo.pSuc, nodo.pNro, nodo.pLetra, nodo.pImpDesde, nodo.pImpHasta})
            QVERIFY(filtro.isEmpty());

        const PedidoInforme raiz = PedidoPlanGeneral(e);
        QCOMPARE(raiz.Cuenta, QString());
        QCOMPARE(raiz.Titulo, QStringLiteral("Plan General de Cuentas"));
        QVERIFY(!raiz.EsHoja);

        // "Actualizar" repeats the last report with the voucher filters exactly as typed.
        const PedidoInforme otra = PedidoActualizar(e, "11", "11 - Caja", false);
        QCOMPARE(otra.Cuenta, QStringLiteral("11"));
        QCOMPARE(otra.Titulo, QStringLiteral("11 - Caja"));
        QVERIFY(!otra.EsHoja);
        QCOMPARE(otra.pTc, QStringLiteral(" FC "));
        QCOMPARE(otra.pSuc, QStringLiteral("0001"));
        QCOMPARE(otra.pNro, QStringLiteral("00000012"));
        QCOMPARE(otra.pLetra, QStringLiteral("A"));
        QCOMPARE(otra.pImpDesde, QStringLiteral("10"));
        QCOMPARE(otra.pImpHasta, QStringLiteral("99"));
        PedidoInforme sinFiltros = otra;
        sinFiltros.pTc = sinFiltros.pSuc = sinFiltros.pNro = sinFiltros.pLetra = QString();
        sinFiltros.pImpDesde = sinFiltros.pImpHasta = QString();
        QCOMPARE(textos(sinFiltros), textos(PedidoDeCuenta(e, "11", "11 - Caja", false)));
    }

    void rellenar_data()
    {
        QTest::addColumn<QString>("valor");
        QTest::addColumn<int>("digitos");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("branch") << "12" << 4 << "0012";
        QTest::newRow("number") << "123" << 8 << "00000123";
        QTest::newRow("empty stays empty") << "" << 4 << "";
        QTest::newRow("already padded") << "0012" << 4 << "0012";
        QTest::newRow("longer than the pattern") << "123456" << 4 << "123456";
        QTest::newRow("not a number is left alone") << "A1" << 4 << "A1";
        QTest::newRow("decimals round") << "12.6" << 4 << "0013";
        QTest::newRow("negative") << "-5" << 4 << "-0005";
    }
    void rellenar()
    {
        QFETCH(QString, valor);
        QFETCH(int, digitos);
        QFETCH(QString, esperado);
        QCOMPARE(RellenarConCeros(valor, digitos), esperado);
    }

    void fechas_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<bool>("valida");
        QTest::newRow("day/month/year") << "31/12/2026" << true;
        QTest::newRow("two-digit year") << "01/03/26" << true;
        QTest::newRow("no such day") << "31/02/2026" << false;
        QTest::newRow("a quote") << "01/01/2026'" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("words") << "hoy" << false;
    }
    void fechas()
    {
        QFETCH(QString, texto);
        QFETCH(bool, valida);
        QCOMPARE(EsFechaValida(texto), valida);
    }

    void redimensionar()
    {
        DisenoTablero d;
        d.AlternarPanel(12000);
        d.Redimensionar(12000, 9000, 12100);
        QVERIFY(!d.panelOculto);
        QCOMPARE(d.treeV.width(), 12000.0 / 3 - 250);
        QCOMPARE(d.wbExplorer.left(), d.treeV.width());
        QCOMPARE(d.wbExplorer.height(), 9000.0 - 670 - 1620 - 285 + 120 - 360);
        // The browser's right edge at the outer width less 150.
        QCOMPARE(d.wbExplorer.right(), 12100.0 - 150);
        QCOMPARE(d.statusBar.width(), 12100.0);
        QCOMPARE(d.frmPie.top(), d.wbExplorer.bottom());
        // The tree and the splitter end where the foot frame begins.
        QCOMPARE(d.treeV.bottom(), d.frmPie.top());
        QCOMPARE(d.picNivel.left(), d.treeV.width() - 100);
        QCOMPARE(d.picNivel.top(), d.treeV.top());
        QCOMPARE(d.picNivel.bottom(), d.treeV.bottom());
        // A third of 12000 reaches under the filter bar: the tree starts below it, as the browser does.
        QCOMPARE(d.treeV.top(), 825.0);
        QCOMPARE(d.wbExplorer.top(), 825.0);
    }

    // The tree never reaches under the filter bar or the foot frame, whatever the window's size.
    void redimensionarSinSolaparse_data()
    {
        QTest::addColumn<double>("ancho");
        QTest::addColumn<double>("alto");
        QTest::newRow("design size") << 11880.0 << 7965.0;
        QTest::newRow("narrow") << 9000.0 << 7000.0;
        QTest::newRow("maximised, full HD") << 28800.0 << 15600.0;
    }
    void redimensionarSinSolaparse()
    {
        QFETCH(double, ancho);
        QFETCH(double, alto);
        DisenoTablero d;
        d.Redimensionar(ancho, alto, ancho);
        const QRectF filtros(d.filtrosIzquierda, 0, ancho, d.filtrosAbajo - 15);
        QVERIFY(!d.treeV.intersects(filtros));
        QVERIFY(d.treeV.bottom() <= d.frmPie.top());
        QVERIFY(d.wbExplorer.bottom() <= d.frmPie.top());
        QVERIFY(d.frmPie.bottom() <= alto - d.statusBar.height() + 15);
    }

    void redimensionarMuyChica()
    {
        DisenoTablero d;
        d.Redimensionar(300, 500, 320);
        // Negative sizes are skipped: the design sizes stay, and the tree still ends at the foot frame.
        QCOMPARE(d.wbExplorer.height(), 5430.0);
        QCOMPARE(d.treeV.width(), 3585.0);
        QCOMPARE(d.treeV.bottom(), d.frmPie.top());
    }

    void separador_data()
    {
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("anchoArbol");
        QTest::newRow("far left") << -5000.0 << 1000.0;
        QTest::newRow("far right") << 20000.0 << 12000.0 - 1000;
        QTest::newRow("in range") << 500.0 << 3585.0 + 500;
    }
    void separador()
    {
        QFETCH(double, x);
        QFETCH(double, anchoArbol);
        DisenoTablero d;
        d.SoltarSeparador(x, 12000);
        QCOMPARE(d.treeV.width(), anchoArbol);
        QCOMPARE(d.picNivel.left(), anchoArbol + 30);
        QCOMPARE(d.picNivel.height(), d.treeV.height());
        QCOMPARE(d.wbExplorer.left(), anchoArbol + 100);
        // After a drag the browser's right edge lies at the outer width less 50.
        QCOMPARE(d.wbExplorer.right(), 12000.0 - 50);
    }

    // The opening size: the tree shows its widest row whole beside its scroll bar when the screen has room,
    // the window never exceeds the screen, and a chart of short names keeps the design size. "Banco cuenta
    // recaudadora" three levels down needs about 4,300 twips; a 1600 x 1000 screen has 24,000 x 15,000.
    void tamanoInicial_data()
    {
        QTest::addColumn<double>("filas");
        QTest::addColumn<QSizeF>("espacio");
        QTest::addColumn<bool>("entera");   // the widest row fits whole
        QTest::newRow("long names, 1600 x 1000") << 4300.0 << QSizeF(24000, 15000) << true;
        QTest::newRow("short names, 1600 x 1000") << 2000.0 << QSizeF(24000, 15000) << true;
        QTest::newRow("long names, 800 x 600") << 4300.0 << QSizeF(12000, 9000) << false;
        QTest::newRow("very long names, 1600 x 1000") << 9000.0 << QSizeF(24000, 15000) << false;
    }
    void tamanoInicial()
    {
        QFETCH(double, filas);
        QFETCH(QSizeF, espacio);
        QFETCH(bool, entera);
        const QSizeF t = TamanoInicial(filas, espacio);
        QVERIFY(t.width() <= espacio.width() && t.height() <= espacio.height());
        QVERIFY(t.width() >= std::min(11880.0, espacio.width()) && t.height() >= std::min(8250.0, espacio.height()));
        DisenoTablero d;
        d.Redimensionar(t.width(), t.height(), t.width());
        // The tree's inside, less its vertical scroll bar.
        if (entera)
            QVERIFY2(d.treeV.width() - 300 >= filas, qPrintable(QString::number(d.treeV.width())));
        else
            QCOMPARE(t.width(), espacio.width());
        if (filas <= 2000)
            QCOMPARE(t, QSizeF(11880, 8250));
    }

    void alternarPanel()
    {
        DisenoTablero d;
        d.AlternarPanel(12000);
        QVERIFY(d.panelOculto);
        QCOMPARE(d.treeV.width(), 0.0);
        QCOMPARE(d.picNivel.left(), 0.0);
        QCOMPARE(d.wbExplorer.left(), 0.0);
        QCOMPARE(d.wbExplorer.width(), 12000.0 - 100);
        d.AlternarPanel(12000);
        QVERIFY(!d.panelOculto);
        QCOMPARE(d.treeV.width(), 3585.0);
        QCOMPARE(d.picNivel.left(), 3525.0);
        QCOMPARE(d.wbExplorer.left(), 3645.0);
        QCOMPARE(d.wbExplorer.width(), 8190.0);
    }

    // The same voucher link opened from the dashboard and from the popup.
    void enlaceComprobante_data()
    {
        QTest::addColumn<QString>("direccion");
        QTest::addColumn<QString>("tc");
        QTest::addColumn<QString>("sucursal");
        QTest::addColumn<QString>("numero");
        QTest::addColumn<QString>("letra");
        QTest::addColumn<QString>("cuentaTablero");
        QTest::addColumn<QString>("cuentaPopUp");
        const QString cab = QStringLiteral("21");
        const QString fila = QStringLiteral("2101");
        const QString carpeta = QStringLiteral("file:///tmp/cuenta_tc_/");
        QTest::newRow("kinds 0 and 1: report and row account")
            << carpeta + report::EnlaceComprobante("FCC", "0001", "00000012", "A", &cab, &fila)
            << "FCC" << "0001" << "00000012" << "A" << "2101" << "21";
        QTest::newRow("kind 2: row account only")
            << carpeta + report::EnlaceComprobante("FCC", "0001", "00000012", "B", nullptr, &fila)
            << "FCC" << "0001" << "00000012" << "B" << "2101" << "2101";
        QTest::newRow("kind 3: no account, never a slice of the path")
            << carpeta + report::EnlaceComprobante("FC", "0002", "00000099", "C")
            << "FC" << "0002" << "00000099" << "C" << "" << "";
        QTest::newRow("markers in any case, one letter taken")
            << QStringLiteral("file:///tmp/x/_tc_fc_sucursal_0001_numero_00000001_letra_AZ")
            << "fc" << "0001" << "00000001" << "A" << "" << "";
    }
    void enlaceComprobante()
    {
        QFETCH(QString, direccion);
        QFETCH(QString, tc);
        QFETCH(QString, sucursal);
        QFETCH(QString, numero);
        QFETCH(QString, letra);
        QFETCH(QString, cuentaTablero);
        QFETCH(QString, cuentaPopUp);
        const report::EnlaceLeido enlace = report::LeerEnlace(direccion);
        QCOMPARE(enlace.tipo, report::TipoEnlace::Comprobante);
        const ComprobanteEnlace tablero{tc, sucursal, numero, letra, cuentaTablero};
        const ComprobanteEnlace popup{tc, sucursal, numero, letra, cuentaPopUp};
        QCOMPARE(ComprobanteDeEnlace(enlace, OrigenEnlace::Tablero), tablero);
        QCOMPARE(ComprobanteDeEnlace(enlace, OrigenEnlace::PopUp), popup);
    }
};

QTEST_GUILESS_MAIN(TstDashboardRequests)
#include "tst_dashboard_requests.moc"
