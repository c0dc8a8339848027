// The demo company holds a voucher of every kind the viewers show, and each writes a whole page with its
// sections: an accounting entry with tax book and cost centres (the bank's fee), a sale with items and
// tasks, a purchase (with its supplier's account), a receipt and a payment that settle vouchers and carry
// withholdings. Each is one the workbench lists on the bank account, or one a page links to.

#include "EmpresaVisores.h"

#include "data/DB_Dll.h"
#include "platform/ui/ScriptedDialogs.h"
#include "viewers/PaginaAsiento.h"
#include "viewers/PaginaComprobante.h"
#include "viewers/PaginaRecibo.h"

#include <QFile>
#include <QTest>

using visores::Documento;

class TstViewerDemo : public QObject {
    Q_OBJECT

private:
    EmpresaVisores empresa;

    // The first voucher (type, branch, number, letter, party account) the query names.
    static Documento primero(const QString& sql, bool esVenta)
    {
        ado::Recordset rs;
        if (!gDB().AbrirRecordset(sql, rs) || rs.EOF())
            return {};
        const auto v = [&](int i) { return rs.Fields(i).Value().toText(); };
        return {v(0), v(1), v(2), v(3), esVenta, rs.FieldCount() > 4 ? v(4) : QString()};
    }

    QString pagina(visores::ResultadoPagina (*generar)(const QString&, const Documento&, ui::ErrorHandler),
                   const Documento& d)
    {
        const QString ruta = empresa.carpeta.filePath(QStringLiteral("pagina.htm"));
        ui::ScriptedDialogs sinPreguntas;
        const visores::ResultadoPagina r = generar(ruta, d, ui::askOperator());
        [&] { QVERIFY(sinPreguntas.verifyDone()); }();
        [&] { QCOMPARE(r, visores::ResultadoPagina::Completa); }();
        QFile f(ruta);
        return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()) : QString();
    }

private slots:
    void initTestCase() { QVERIFY(empresa.crearDemo()); }

    void anAccountingEntryWithTaxBookAndCostCentres()
    {
        const Documento d = primero(QStringLiteral("SELECT TC, SUCURSAL, NUMERO, LETRA FROM MV_ASIENTOS WHERE TC = 'AS' "
                                                   "AND CUENTA = '1101' AND LIVA_TIPO IS NOT NULL ORDER BY NUMERO"),
                                    true);
        QVERIFY(!d.iTC.isEmpty());
        const QString texto = pagina(visores::GenerarPaginaAsiento, d);
        for (const char* seccion : {"ASIENTOS", "DETALLE LIBRO DE IVA", "CENTRO DE COSTOS", "HISTORIAL DE ACCIONES"})
            QVERIFY2(texto.contains(QLatin1String(seccion)), seccion);
    }

    void aSaleWithItemsAndTasks()
    {
        const Documento d = primero(QStringLiteral("SELECT c.TC, substr(c.IDCOMPROBANTE, 1, 4), substr(c.IDCOMPROBANTE, "
                                                   "5, 8), substr(c.IDCOMPROBANTE, 13, 1) FROM V_MV_Cpte c WHERE c.TC = "
                                                   "'FC' AND EXISTS (SELECT 1 FROM V_MV_CPTETareas t WHERE t.TC = c.TC "
                                                   "AND t.idcomprobante = c.IDCOMPROBANTE) AND EXISTS (SELECT 1 FROM "
                                                   "V_MV_CPTEInsumos i WHERE i.TC = c.TC AND i.idcomprobante = "
                                                   "c.IDCOMPROBANTE) AND EXISTS (SELECT 1 FROM MV_ASIENTOS a WHERE a.TC "
                                                   "= c.TC AND a.SUCURSAL || a.NUMERO || a.LETRA = c.IDCOMPROBANTE AND "
                                                   "a.CUENTA = '1101')"),
                                    true);
        QVERIFY(!d.iTC.isEmpty());
        const QString texto = pagina(visores::GenerarPaginaComprobante, d);
        for (const char* seccion : {"INSUMOS", "TAREAS", "SUBTOTAL", "[VER ASIENTO]"})
            QVERIFY2(texto.contains(QLatin1String(seccion)), seccion);
    }

    void aPaymentThatSettlesAPurchaseWithItsWithholding()
    {
        const Documento pago = primero(QStringLiteral("SELECT TC, SUCURSAL, NUMERO, LETRA FROM MV_APLICACION WHERE TC = "
                                                      "'PG' ORDER BY NUMERO"),
                                       true);
        QVERIFY(!pago.iTC.isEmpty());
        const QString texto = pagina(visores::GenerarPaginaRecibo, pago);
        for (const char* seccion : {"DETALLES DEL PAGO", "COMPROBANTES AFECTADOS", "_TC_FCC_", "_CUENTACAB_21"})
            QVERIFY2(texto.contains(QLatin1String(seccion)), seccion);
        QVERIFY(!texto.contains(QLatin1String("RETENCION GANACIAS   </B></td><td class=TableCABpIE>&nbsp0<")));

        // The purchase it settles, as its link opens it: with the supplier's account.
        const Documento compra = primero(QStringLiteral("SELECT TCO_ORIGEN, SUCURSAL_ORIGEN, NUMERO_ORIGEN, LETRA_ORIGEN, "
                                                        "c.CUENTA FROM MV_APLICACION m JOIN C_MV_Cpte c ON c.TC = "
                                                        "m.TCO_ORIGEN AND c.IDCOMPROBANTE = m.IDCOMPROBANTE_ORIGEN WHERE "
                                                        "m.TC = 'PG' ORDER BY m.NUMERO"),
                                         false);
        QVERIFY(!compra.iCuenta.isEmpty());
        const QString paginaCompra = pagina(visores::GenerarPaginaComprobante, compra);
        for (const char* seccion : {"INSUMOS", "SUBTOTAL", "COMPROBANTES QUE APLICAN A"})
            QVERIFY2(paginaCompra.contains(QLatin1String(seccion)), seccion);
    }

    void aReceiptThatSettlesASaleWithItsWithholding()
    {
        const Documento d = primero(QStringLiteral("SELECT TC, SUCURSAL, NUMERO, LETRA FROM MV_APLICACION WHERE TC = 'CB' "
                                                   "ORDER BY NUMERO"),
                                    true);
        QVERIFY(!d.iTC.isEmpty());
        const QString texto = pagina(visores::GenerarPaginaRecibo, d);
        for (const char* seccion : {"DETALLES DEL PAGO", "COMPROBANTES AFECTADOS", "_TC_FC_", "TOTAL:"})
            QVERIFY2(texto.contains(QLatin1String(seccion)), seccion);
        QVERIFY(!texto.contains(QLatin1String("RETENCION I. BRUTOS  </B></td><td class=TableCABpIE>&nbsp0<")));
    }
};

QTEST_MAIN(TstViewerDemo)
#include "tst_viewers_demo.moc"
