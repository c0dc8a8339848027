// The workbench's line menu opens the voucher of the chosen line in the real viewers: a sale in the sales
// window, a payment in the receipt window, each through its default window and with its page loaded; a
// line of type "VJ" opens nothing.

#include "NavegadorDePrueba.h"
#include "reconciliation/VentanaDePrueba.h"

#include "core/FrmMenus.h"
#include "viewers/FrmBSC01CBTECTABLE.h"
#include "viewers/FrmBSC01CBTEDetalle.h"
#include "viewers/FrmBSC01RECIBODetalle.h"

using namespace visores;

class TstViewerWorkbench : public VentanaDePrueba {
    Q_OBJECT

private:
    QTemporaryDir temporal;

    void verComprobante(ui::ListView& lista, const QString& concepto)
    {
        ui::ScriptedDialogs d;
        lista.setSelectedItem(item(lista, concepto));
        d.expectPopup(QStringLiteral("mnu_EmergenteZ1_VerAsiento"));
        if (&lista == w->Lvw)
            w->Lvw_MouseDown(2, 0, 0, 0);
        else
            w->Lvw2_MouseDown(2, 0, 0, 0);
        QVERIFY(d.verifyDone());
    }

    // The viewers write their pages into TEMP.
    bool crearEmpresa() override
    {
        return temporal.isValid() && qputenv("TEMP", temporal.path().toUtf8()) && VentanaDePrueba::crearEmpresa();
    }
    void alAbrir() override { cargarMarzoSinPreguntas(); }

public:
    TstViewerWorkbench() : VentanaDePrueba(Vida::PorPrograma) {}

private slots:
    void theLinesVoucherOpensInItsViewer()
    {
        QVERIFY(visibles<FrmBSC01CBTEDetalle>().isEmpty());
        FrmBSC01CBTEDetalle& ventas = frmBSC01CBTEDetalle();
        QSignalSpy completas(ventas.wbExplorer, &web::WebBrowser::DownloadComplete);
        verComprobante(*w->Lvw, kD1);
        QCOMPARE(visibles<FrmBSC01CBTEDetalle>(), QList<FrmBSC01CBTEDetalle*>{&ventas});
        QCOMPARE(ventas.documento().iTC, QStringLiteral("FC"));
        QCOMPARE(ventas.documento().idComprobante(), QStringLiteral("000100000010A"));
        QVERIFY(ventas.documento().EsVenta);
        QCOMPARE(ventas.windowTitle(), QStringLiteral("Detalle del Comprobante FC 000100000010A"));
        QVERIFY(cargada(completas));
        QVERIFY(textoDe(ventas).contains(QStringLiteral("FC 000100000010 A")));
        QVERIFY(textoDe(ventas).contains(QStringLiteral("Empresa Demo")));

        verComprobante(*w->Lvw2, kC3);
        QCOMPARE(visibles<FrmBSC01RECIBODetalle>().size(), 1);
        QCOMPARE(visibles<FrmBSC01RECIBODetalle>().first()->documento().idComprobante(), QStringLiteral("000100000003X"));
        QCOMPARE(visibles<FrmBSC01RECIBODetalle>().first()->documento().iTC, QStringLiteral("PG"));

        verComprobante(*w->Lvw, kD3);
        QVERIFY(visibles<FrmBSC01CBTECTABLE>().isEmpty());
    }
};

int main(int argc, char* argv[])
{
    web::WebBrowser::PrepararAplicacion();
    QApplication app(argc, argv);
    TstViewerWorkbench t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_viewers_workbench.moc"
