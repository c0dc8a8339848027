// The viewer windows in the real browser, offscreen: a receipt filled through its default window shows its
// page with its accents; a click on the sale it settles opens a new sales window with that sale's page;
// from a payment, the purchase it settles opens with its supplier's account, so its page has a body; the
// Cancel key hides a window and the next request through the default window makes a new one. An article link
// starts the article program beside this one, never a file of its name in the working folder.

#include "EmpresaVisores.h"
#include "NavegadorDePrueba.h"

#include "core/ProgramaPlantado.h"
#include "platform/ui/ScriptedDialogs.h"
#include "viewers/FrmBSC01CBTEDetalle.h"
#include "viewers/FrmBSC01RECIBODetalle.h"

#include <QFileInfo>
#include <QScopeGuard>

using namespace visores;

class TstViewerWindows : public QObject {
    Q_OBJECT

private:
    EmpresaVisores empresa;

private slots:
    void initTestCase() { QVERIFY(empresa.crear()); }

    void receiptPageThenTheSaleItSettles()
    {
        ui::ScriptedDialogs sinPreguntas;
        FrmBSC01RECIBODetalle& recibo = frmBSC01RECIBODetalle();
        QSignalSpy completas(recibo.wbExplorer, &web::WebBrowser::DownloadComplete);
        recibo.Mostrar(QStringLiteral("CB"), QStringLiteral("0001"), QStringLiteral("00000005"), QStringLiteral("X"),
                       true);
        recibo.show();
        QCOMPARE(recibo.windowTitle(), QStringLiteral("Detalle de CB 000100000005X"));
        QVERIFY(cargada(completas));
        QCOMPARE(recibo.UltimoResultado, ResultadoPagina::Completa);
        const QString texto = textoDe(recibo);
        QVERIFY2(texto.contains(QStringLiteral("Compañía <Demo> & Asociados")), qPrintable(texto));
        QVERIFY(texto.contains(QStringLiteral("Cliente <Uno> & Hijos")));
        QVERIFY(texto.contains(QStringLiteral("0011 Banco Nación")));
        QVERIFY(texto.contains(QStringLiteral("MIL DOSCIENTOS TREINTA Y CUATRO CON 50/100 (1234.5)")));

        QVERIFY(visibles<FrmBSC01CBTEDetalle>().isEmpty());
        clicEnEnlace(recibo, QStringLiteral("_TC_FC_"));
        QTRY_COMPARE_WITH_TIMEOUT(visibles<FrmBSC01CBTEDetalle>().size(), 1, 30000);
        FrmBSC01CBTEDetalle* venta = visibles<FrmBSC01CBTEDetalle>().first();
        QCOMPARE(venta->documento().iTC, QStringLiteral("FC"));
        QCOMPARE(venta->documento().idComprobante(), QStringLiteral("000100000010A"));
        QVERIFY(venta->documento().EsVenta);
        // A link opens a window of its own, not the default one.
        QVERIFY(venta != &frmBSC01CBTEDetalle());
        QTRY_VERIFY_WITH_TIMEOUT(textoDe(*venta).contains(QStringLiteral("Tornillo <M6>")), 30000);
        QVERIFY(textoDe(*venta).contains(QStringLiteral("Av. Córdoba 1234")));
        // The receipt's own page did not move.
        QCOMPARE(recibo.wbExplorer->LocationURL(), QUrl::fromLocalFile(recibo.RutaPagina).toString());

        // Another window of the same class, on another voucher: each page under its own name in a folder of its
        // window's own, so neither shows the other's.
        FrmBSC01CBTEDetalle& otra = frmBSC01CBTEDetalle();
        otra.Mostrar(QStringLiteral("FCC"), QStringLiteral("0001"), QStringLiteral("00000012"), QStringLiteral("A"), false);
        QCOMPARE(QFileInfo(otra.RutaPagina).fileName(), QFileInfo(venta->RutaPagina).fileName());
        QVERIFY(otra.CarpetaTemporal != venta->CarpetaTemporal);
        QVERIFY(otra.CarpetaTemporal != recibo.CarpetaTemporal);
        QVERIFY(EmpresaVisores::leer(venta->RutaPagina).contains("Tornillo &lt;M6&gt;"));
        QVERIFY(!EmpresaVisores::leer(otra.RutaPagina).contains("Tornillo &lt;M6&gt;"));
        QCOMPARE(venta->wbExplorer->LocationURL(), QUrl::fromLocalFile(venta->RutaPagina).toString());
        const QString carpetaVenta = venta->CarpetaTemporal;
        frmBSC01CBTEDetalle().close();
        venta->close();
        // A window's folder goes with it.
        QVERIFY(!QFileInfo::exists(carpetaVenta));
        QVERIFY(QFileInfo::exists(recibo.RutaPagina));
        QVERIFY(sinPreguntas.verifyDone());
    }

    void thePurchaseAPaymentSettlesOpensWithItsAccount()
    {
        ui::ScriptedDialogs sinPreguntas;
        FrmBSC01RECIBODetalle& pago = frmBSC01RECIBODetalle();
        QSignalSpy completas(pago.wbExplorer, &web::WebBrowser::DownloadComplete);
        pago.Mostrar(QStringLiteral("PG"), QStringLiteral("0001"), QStringLiteral("00000087"), QStringLiteral("X"), true);
        pago.show();
        QVERIFY(cargada(completas));
        clicEnEnlace(pago, QStringLiteral("_TC_FCC_"));
        QTRY_COMPARE_WITH_TIMEOUT(visibles<FrmBSC01CBTEDetalle>().size(), 1, 30000);
        FrmBSC01CBTEDetalle* compra = visibles<FrmBSC01CBTEDetalle>().first();
        QVERIFY(!compra->documento().EsVenta);
        QCOMPARE(compra->documento().iCuenta, QStringLiteral("2101"));
        QTRY_VERIFY_WITH_TIMEOUT(textoDe(*compra).contains(QStringLiteral("Papel A4")), 30000);
        QVERIFY(textoDe(*compra).contains(QStringLiteral("O'Brien S.A.")));

        // Esc does nothing; Cancel (Ctrl+Break) hides the default window, and the next request makes another.
        pago.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&pago));
        QTest::keyClick(&pago, Qt::Key_Escape);
        QVERIFY(pago.isVisible());
        const QString carpetaPago = pago.CarpetaTemporal;
        QVERIFY(QFileInfo(carpetaPago).isDir());
        QTest::keyClick(&pago, Qt::Key_Pause, Qt::ControlModifier);
        QVERIFY(!pago.isVisible());
        QVERIFY(!QFileInfo::exists(carpetaPago));
        QVERIFY(&frmBSC01RECIBODetalle() != &pago);
        compra->close();
        QVERIFY(sinPreguntas.verifyDone());
    }

    void anArticleLinkStartsTheProgramBesideThisOne()
    {
        // The stand-in beside the tests writes its arguments; a file of its name in the working folder would
        // leave a mark instead.
        QTemporaryDir trabajo;
        const QString marca = trabajo.filePath(QStringLiteral("corrio"));
        QVERIFY(PlantarPrograma(trabajo.filePath(QStringLiteral("articulos")), marca));
        const QString argumentos = trabajo.filePath(QStringLiteral("argumentos.txt"));
        qputenv("CONC_CORE_ECHO", argumentos.toUtf8());
        const QString antes = QDir::currentPath();
        QVERIFY(QDir::setCurrent(trabajo.path()));
        const auto volver = qScopeGuard([&] { QDir::setCurrent(antes); });

        ui::ScriptedDialogs sinPreguntas;
        FrmBSC01CBTEDetalle& venta = frmBSC01CBTEDetalle();
        QSignalSpy completas(venta.wbExplorer, &web::WebBrowser::DownloadComplete);
        venta.Mostrar(QStringLiteral("FC"), QStringLiteral("0001"), QStringLiteral("00000010"), QStringLiteral("A"), true);
        venta.show();
        QVERIFY(cargada(completas));
        clicEnEnlace(venta, QStringLiteral("ARTICULO_"));
        QVERIFY(QTest::qWaitFor([&] { return QFile::exists(argumentos); }, 30000));
        const QStringList lineas = QString::fromUtf8(EmpresaVisores::leer(argumentos)).split(QLatin1Char('\n'));
        QCOMPARE(lineas.value(0), QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("articulos")));
        QCOMPARE(lineas.value(1), QStringLiteral("@idarticulo=") + QStringLiteral("ART 1").leftJustified(25));
        QVERIFY(lineas.value(2).contains(QStringLiteral("@UsuarioLogeado")));
        QVERIFY(!QFile::exists(marca));
        venta.close();
        QVERIFY(sinPreguntas.verifyDone());
    }
};

int main(int argc, char* argv[])
{
    web::WebBrowser::PrepararAplicacion();
    QApplication app(argc, argv);
    TstViewerWindows t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_viewers_windows.moc"
