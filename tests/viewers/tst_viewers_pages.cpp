// The document pages written on a small company, byte for byte: the accounting voucher without and with an
// account (its entry's lines only), with a bank line, tax book and cost centres; a sale with complement,
// items, tasks and remarks; a purchase with and without its account; a receipt; a payment on the sales
// and on the purchase side. Database texts are escaped, keys with quotes open their page, an account with
// no line on the voucher lists the whole voucher, and a page cut by a failure says so.

#include "EmpresaVisores.h"

#include "platform/ui/ScriptedDialogs.h"
#include "viewers/PaginaAsiento.h"
#include "viewers/PaginaComprobante.h"
#include "viewers/PaginaRecibo.h"

using visores::Documento;
using visores::ResultadoPagina;

namespace {

enum class Pagina { Asiento, Comprobante, Recibo };

ResultadoPagina generar(Pagina p, const QString& ruta, const Documento& d)
{
    switch (p) {
    case Pagina::Asiento:
        return visores::GenerarPaginaAsiento(ruta, d);
    case Pagina::Comprobante:
        return visores::GenerarPaginaComprobante(ruta, d);
    case Pagina::Recibo:
        break;
    }
    return visores::GenerarPaginaRecibo(ruta, d);
}

} // namespace

Q_DECLARE_METATYPE(Pagina)
Q_DECLARE_METATYPE(visores::Documento)

class TstViewerPages : public QObject {
    Q_OBJECT

private:
    EmpresaVisores empresa;

    QByteArray escribir(Pagina p, const Documento& d, ResultadoPagina esperado = ResultadoPagina::Completa)
    {
        const QString ruta = empresa.pagina(QStringLiteral("pagina.htm"));
        ui::ScriptedDialogs sinPreguntas;
        const ResultadoPagina r = generar(p, ruta, d);
        [&] { QVERIFY(sinPreguntas.verifyDone()); }();
        [&] { QCOMPARE(r, esperado); }();
        return EmpresaVisores::leer(ruta);
    }

private slots:
    void initTestCase() { QVERIFY(empresa.crear()); }

    void goldenPages_data()
    {
        QTest::addColumn<Pagina>("pagina");
        QTest::addColumn<Documento>("documento");
        QTest::addColumn<QString>("esperada");
        const auto as = [](const char* cuenta) {
            return Documento{"AS", "0001", "00000001", "X", true, QString::fromLatin1(cuenta)};
        };
        QTest::newRow("entry, whole voucher") << Pagina::Asiento << as("") << "asiento.htm";
        QTest::newRow("entry of the account's first line") << Pagina::Asiento << as("1102") << "asiento_cuenta.htm";
        QTest::newRow("voucher without entry")
            << Pagina::Asiento << Documento{"AS", "0001", "00000002", "X", true, {}} << "asiento_inexistente.htm";
        QTest::newRow("sale with complement")
            << Pagina::Comprobante << Documento{"FC", "0001", "00000010", "A", true, {}} << "venta.htm";
        QTest::newRow("purchase with its account")
            << Pagina::Comprobante << Documento{"FCC", "0003", "00002000", "A", false, "2101"} << "compra.htm";
        // Opened from the expense account's listing: the same purchase, found through its entry.
        QTest::newRow("purchase from its expense line")
            << Pagina::Comprobante << Documento{"FCC", "0003", "00002000", "A", false, "5101"} << "compra.htm";
        QTest::newRow("purchase without account")
            << Pagina::Comprobante << Documento{"FCC", "0003", "00002000", "A", false, {}} << "compra_sin_cuenta.htm";
        QTest::newRow("receipt") << Pagina::Recibo << Documento{"CB", "0001", "00000005", "X", true, {}} << "recibo.htm";
        QTest::newRow("payment") << Pagina::Recibo << Documento{"PG", "0001", "00000087", "X", true, {}} << "pago.htm";
        QTest::newRow("payment on the purchase side")
            << Pagina::Recibo << Documento{"PG", "0001", "00000087", "X", false, {}} << "pago_compras.htm";
    }

    void goldenPages()
    {
        QFETCH(Pagina, pagina);
        QFETCH(Documento, documento);
        QFETCH(QString, esperada);
        const QByteArray escrita = escribir(pagina, documento);
        QVERIFY(!escrita.isEmpty());
        QCOMPARE(escrita, EmpresaVisores::esperada(esperada, escrita));
    }

    void anAccountWithoutLineListsTheWholeVoucher()
    {
        const QByteArray entera = escribir(Pagina::Asiento, {"AS", "0001", "00000001", "X", true, {}});
        QCOMPARE(escribir(Pagina::Asiento, {"AS", "0001", "00000001", "X", true, QStringLiteral("9999")}), entera);
        QCOMPARE(escribir(Pagina::Asiento, {"AS", "0001", "00000001", "X", true, QStringLiteral("   ")}), entera);
    }

    void aVoucherThatDoesNotExistSaysSo_data()
    {
        QTest::addColumn<Documento>("documento");
        QTest::newRow("purchase") << Documento{"FCC", "0003", "00009999", "A", false, "2101"};
        QTest::newRow("purchase of an unrelated account") << Documento{"FCC", "0003", "00002000", "A", false, "4101"};
        QTest::newRow("sale") << Documento{"FC", "0001", "00009999", "A", true, {}};
    }
    void aVoucherThatDoesNotExistSaysSo()
    {
        QFETCH(Documento, documento);
        const QByteArray escrita = escribir(Pagina::Comprobante, documento);
        QVERIFY2(escrita.contains(" no existe.</B>"), escrita.constData());
        QVERIFY(escrita.endsWith("</body></html>\r\n"));
    }

    void aKeyWithAQuoteOpensItsPage()
    {
        const QByteArray escrita = escribir(Pagina::Comprobante, {"FC", "0001", "00000099", "'", true, {}});
        QVERIFY(escrita.contains("Comilla"));
        QVERIFY(escrita.contains("<B>FC 000100000099&#39;</B>") || escrita.contains("<B>FC 000100000099'</B>"));
        QVERIFY(escrita.endsWith("</body></html>\r\n"));
    }

    // Numbers follow the station's decimal separator: task hours, rates and amounts.
    void numbersUnderACommaLocale()
    {
        QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Argentina));
        const QByteArray venta = escribir(Pagina::Comprobante, {"FC", "0001", "00000010", "A", true, {}});
        const QByteArray asiento = escribir(Pagina::Asiento, {"AS", "0001", "00000001", "X", true, {}});
        QLocale::setDefault(QLocale::c());
        QVERIFY(venta.contains("NOWRAP>1,50</TD>"));
        QVERIFY(venta.contains("<B>1234,5</B>"));
        QVERIFY(asiento.contains("IVA 10,5%"));
        QVERIFY(asiento.contains("align=right>126,5</td>"));
    }

    void aPageCutByAFailureSaysSo()
    {
        gDB().gCnn.Execute(QStringLiteral("ALTER TABLE V_MV_CPTEACCIONES RENAME TO ACCIONES_APARTE"));
        const QString ruta = empresa.pagina(QStringLiteral("cortada.htm"));
        ResultadoPagina r;
        {
            ui::ScriptedDialogs d;
            d.expectErrorDialog(ui::vbIgnore).withRoutine(QStringLiteral("AbrirRecordset"));
            d.expectErrorDialog(ui::vbAbort).withRoutine(QStringLiteral("Generar"));
            r = visores::GenerarPaginaComprobante(ruta, {"FC", "0001", "00000010", "A", true, {}});
            QVERIFY(d.verifyDone());
        }
        gDB().gCnn.Execute(QStringLiteral("ALTER TABLE ACCIONES_APARTE RENAME TO V_MV_CPTEACCIONES"));
        QCOMPARE(r, ResultadoPagina::Incompleta);
        const QByteArray escrita = EmpresaVisores::leer(ruta);
        QVERIFY(escrita.contains("COMPROBANTES QUE APLICAN A"));
        QVERIFY(!escrita.contains("HISTORIAL DE ACCIONES"));
        QVERIFY(!escrita.contains("[VER ASIENTO]"));
        QVERIFY(escrita.contains("incompleta"));
        QVERIFY(escrita.endsWith("</body></html>\r\n"));
    }
};

QTEST_MAIN(TstViewerPages)
#include "tst_viewers_pages.moc"
