// The dashboard as the operator meets it, on the demo company with a busy benchmark account, with the real
// report writer, browser and document viewers: the start-up shows the whole chart; a click on an account link
// shows that account's report; a click on a voucher link of a leaf account's report opens the viewer its type
// picks. A year of the busy cash account (about 200,000 rows) shows in parts: the first on show, the bar's
// links lead to the next and the last, the last has the closing lines, and its title and voucher links work.

#include "TableroDePrueba.h"

#include "platform/browser/WebBrowser.h"
#include "platform/suite/PictureBox.h"
#include "report/ArchivoListado.h"
#include "report/EnlaceHTML.h"
#include "viewers/FrmBSC01CBTECTABLE.h"
#include "viewers/FrmBSC01CBTEDetalle.h"
#include "viewers/FrmBSC01RECIBODetalle.h"
#include "viewers/VisorPorTC.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QToolButton>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>
#include <QTest>

using namespace tablero;

namespace {

QString texto(const QString& archivo)
{
    QFile f(archivo);
    return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()) : QString();
}

// What an expression reads in the page on show.
QVariant enLaPagina(web::WebBrowser& navegador, const QString& expresion)
{
    QVariant valor;
    bool listo = false;
    navegador.vista()->page()->runJavaScript(expresion, QWebEngineScript::ApplicationWorld, [&](const QVariant& v) {
        valor = v;
        listo = true;
    });
    return QTest::qWaitFor([&] { return listo; }, 20000) ? valor : QVariant(QStringLiteral("<no answer>"));
}

QString textoVisible(web::WebBrowser& navegador)
{
    return enLaPagina(navegador, QStringLiteral("document.body ? document.body.innerText : ''")).toString();
}

// The rows on show: each has its voucher link.
int filasVisibles(web::WebBrowser& navegador)
{
    return enLaPagina(navegador, QStringLiteral("document.querySelectorAll('a[href^=\"_TC_\"]').length")).toInt();
}

// Clicks the first anchor of the page whose address is `href` exactly, as the operator does.
void clic(web::WebBrowser& navegador, const QString& href)
{
    navegador.vista()->page()->runJavaScript(
        QStringLiteral("Array.from(document.querySelectorAll('a')).find(a => a.getAttribute('href') == '%1').click()")
            .arg(href),
        QWebEngineScript::ApplicationWorld);
}

} // namespace

class TstDashboardRoad : public TableroDePrueba {
    Q_OBJECT

    // 100,000 lines a side on the benchmark account: as many counterparts on the cash account.
    bool crearEmpresa() override { return empresa.crearDemo(100000); }

    // Waits for the report the last request wrote to be on show.
    bool mostrado(QSignalSpy& cargas, int antes)
    {
        return QTest::qWaitFor([&] { return cargas.count() > antes && !w->Pic->isVisible(); }, 60000);
    }

private slots:
    void recorrido()
    {
        ui::ScriptedDialogs sinPreguntas;
        const QString informe = w->ArchivoInforme();
        QCOMPARE(informe, w->CarpetaTemporal() + QStringLiteral("BSC01.htm"));
        QVERIFY(w->CarpetaTemporal().startsWith(empresa.temporal + QLatin1Char('/')));
        QVERIFY(QFile::exists(w->CarpetaTemporal() + QStringLiteral("Style.css")));

        // The whole chart on show, its top accounts as links.
        QTRY_VERIFY_WITH_TIMEOUT(w->wbExplorer->LocationURL() == QUrl::fromLocalFile(informe).toString(), 60000);
        QTRY_VERIFY_WITH_TIMEOUT(!w->Pic->isVisible(), 60000);
        QVERIFY(w->TreeV->isEnabled());
        const QString plan = texto(informe);
        QVERIFY(plan.contains(QLatin1String("Plan General de Cuentas")));
        QVERIFY(plan.contains(QLatin1String("HREF=\"CUENTA_1\"")));
        QVERIFY(plan.trimmed().endsWith(QLatin1String("</body></html>"), Qt::CaseInsensitive));

        // An account link: that account's report replaces the page.
        QSignalSpy cargas(w->wbExplorer, &web::WebBrowser::DownloadComplete);
        clic(*w->wbExplorer, report::EnlaceCuenta("1"));
        QVERIFY(mostrado(cargas, 0));
        QCOMPARE(w->FCuenta, QStringLiteral("1"));
        QCOMPARE(w->FTitulo, QStringLiteral("1 - ACTIVO"));
        QCOMPARE(w->StatusPanel1->text(), QStringLiteral(" Listo ..."));
        const QString activo = texto(informe);
        QVERIFY(activo.contains(QLatin1String("ACTIVO")));
        QVERIFY(activo.contains(QLatin1String("HREF=\"CUENTA_11\"")));
        QCOMPARE(w->wbExplorer->LocationURL(), QUrl::fromLocalFile(informe).toString());

        // The bank account's movements, with a link per journal row's voucher.
        const int antes = int(cargas.count());
        w->wbExplorer->Navigate(QUrl::fromLocalFile(w->CarpetaTemporal() + report::EnlaceCuenta(schema::kBankAccount))
                                    .toString());
        QVERIFY(mostrado(cargas, antes));
        QCOMPARE(w->FCuenta, QString::fromLatin1(schema::kBankAccount));
        QVERIFY(w->FEsHoja);
        const QString banco = texto(informe);
        const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("HREF=\"(_TC_[^\"]+)\"")).match(banco);
        QVERIFY2(m.hasMatch(), "the bank account's report has no voucher link");
        const QString href = m.captured(1);
        const report::EnlaceLeido enlace = report::LeerEnlace(href);
        const visores::EleccionVisor eleccion = visores::VisorPorTC(enlace.valor(report::kMarcaTC));
        QVERIFY(eleccion.visor != visores::Visor::Ninguno);

        // The voucher link opens the viewer its type picks, with that voucher's page.
        clic(*w->wbExplorer, href);
        visores::VisorDocumento* visor = nullptr;
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                switch (eleccion.visor) {
                case visores::Visor::Detalle: visor = &visores::frmBSC01CBTEDetalle(); break;
                case visores::Visor::Recibo: visor = &visores::frmBSC01RECIBODetalle(); break;
                default: visor = &visores::frmBSC01CBTECTABLE(); break;
                }
                return visor->isVisible();
            }(),
            60000);
        QCOMPARE(visor->documento().iNumero, enlace.valor(report::kMarcaNumero));
        QVERIFY(QFile::exists(visor->RutaPagina));
        QVERIFY(texto(visor->RutaPagina).contains(enlace.valor(report::kMarcaNumero)));
        // The dashboard's own page did not move.
        QCOMPARE(w->FCuenta, QString::fromLatin1(schema::kBankAccount));
        QVERIFY(sinPreguntas.verifyDone());
    }

    // An amount bound is the amount the operator meant, with either decimal separator whatever the station's,
    // or it is refused with a message and no report is written: never a page that looks filtered and is not.
    // Account 5103 holds four lines of 0.10, 0.20, 150 and 250 besides its own.
    void cotasDeImporte_data()
    {
        QTest::addColumn<QString>("desde");
        QTest::addColumn<QString>("hasta");
        QTest::addColumn<QLocale>("estacion");
        QTest::addColumn<QStringList>("filas");   // the four lines the page shows, by amount
        QTest::addColumn<QString>("mensaje");     // "" none
        const QLocale punto = QLocale::c();
        const QLocale coma(QLocale::Spanish, QLocale::Argentina);
        const QStringList todas{"0.10", "0.20", "150", "250"};
        const QStringList desde015{"0.20", "150", "250"};
        QTest::newRow("no bounds") << "" << "" << punto << todas << "";
        QTest::newRow("decimal comma, point station") << "0,15" << "" << punto << desde015 << "";
        QTest::newRow("decimal comma, comma station") << "0,15" << "" << coma << desde015 << "";
        QTest::newRow("decimal point, comma station") << "0.15" << "" << coma << desde015 << "";
        QTest::newRow("both bounds") << " 0,15 " << "200" << punto << QStringList{"0.20", "150"} << "";
        QTest::newRow("exponent") << "" << "2e2" << punto << QStringList{"0.10", "0.20", "150"} << "";
        QTest::newRow("thousands separator") << "" << "1.000,00" << punto << todas << "";
        QTest::newRow("not a number") << "abc" << "" << punto << QStringList{} << "El importe abc no es válido.";
        QTest::newRow("beyond any amount") << "1e999" << "" << punto << QStringList{}
                                           << "El importe 1e999 está fuera del rango permitido.";
        QTest::newRow("upper bound not a number") << "0,15" << "mucho" << coma << QStringList{}
                                                  << "El importe mucho no es válido.";
    }
    void cotasDeImporte()
    {
        QFETCH(QString, desde);
        QFETCH(QString, hasta);
        QFETCH(QLocale, estacion);
        QFETCH(QStringList, filas);
        QFETCH(QString, mensaje);
        const QList<std::pair<QString, QString>> lineas{
            {"0.10", "90000001"}, {"0.20", "90000002"}, {"150", "90000003"}, {"250", "90000004"}};
        // Dated and placed like the company's first line, so that the period and the units take them in.
        EmpresaTablero::ejecutar(QStringLiteral("DELETE FROM MV_ASIENTOS WHERE CUENTA = '5103' AND SECUENCIA > 9000"));
        for (int i = 0; i < lineas.size(); ++i)
            EmpresaTablero::ejecutar(
                QStringLiteral("INSERT INTO MV_ASIENTOS (CUENTA, SECUENCIA, MES_OPERATIVO, [NUMERO ASIENTO], "
                               "PERIODO, TIPO_REG, FECHA, TC, SUCURSAL, NUMERO, LETRA, [DEBE-HABER], IMPORTE, DETALLE, "
                               "UNEGOCIO) SELECT '5103', %1, MES_OPERATIVO, [NUMERO ASIENTO], PERIODO, TIPO_REG, FECHA, "
                               "'AS', '0001', '%2', 'X', 'D', %3, 'Cota', UNEGOCIO FROM MV_ASIENTOS ORDER BY FECHA "
                               "LIMIT 1")
                    .arg(9001 + i)
                    .arg(lineas.at(i).second, lineas.at(i).first));
        const QString informe = w->ArchivoInforme();
        QSignalSpy cargas(w->wbExplorer, &web::WebBrowser::DownloadComplete);
        if (w->FCuenta != QLatin1String("5103")) {
            w->wbExplorer->Navigate(
                QUrl::fromLocalFile(w->CarpetaTemporal() + report::EnlaceCuenta("5103")).toString());
            QVERIFY(mostrado(cargas, 0));
            QCOMPARE(w->FCuenta, QStringLiteral("5103"));
        }
        const QString antes = texto(informe);
        ui::ScriptedDialogs d;
        if (!mensaje.isEmpty())
            d.expectMsgBox(ui::vbOK).withText(mensaje).withTitle(QStringLiteral("Aviso al operador..."));
        w->Campo(QStringLiteral("ImpDesde"))->setText(desde);
        w->Campo(QStringLiteral("ImpHasta"))->setText(hasta);
        const QLocale local;
        QLocale::setDefault(estacion);
        QTest::mouseClick(w->CmdActualizar, Qt::LeftButton);
        QLocale::setDefault(local);
        w->Campo(QStringLiteral("ImpDesde"))->clear();
        w->Campo(QStringLiteral("ImpHasta"))->clear();
        QVERIFY(d.verifyDone());
        if (!mensaje.isEmpty()) {
            QCOMPARE(texto(informe), antes);
            return;
        }
        // The page the view is sent to, as the writer left it (the view takes its time to load it).
        const QString pagina = texto(informe);
        QStringList vistas;
        for (const auto& [importe, numero] : lineas)
            if (pagina.contains(numero))
                vistas << importe;
        QCOMPARE(vistas, filas);
    }

    void informeEnPartes()
    {
        ui::ScriptedDialogs sinPreguntas;
        const QString informe = w->ArchivoInforme();
        const QString cuenta = QString::fromLatin1(schema::kCashAccount);
        QSignalSpy cargas(w->wbExplorer, &web::WebBrowser::DownloadComplete);
        // The first part goes on show while the writer is still at the rest, busy display up.
        bool alPrincipio = true, escribiendo = false, ocupado = false;
        QString estado;
        const QMetaObject::Connection c = connect(w->wbExplorer, &web::WebBrowser::DownloadComplete, this, [&] {
            if (!std::exchange(alPrincipio, false))
                return;
            escribiendo = w->Escribiendo();
            ocupado = w->Pic->isVisible() && w->cmdCancelar->isVisible();
            estado = w->StatusPanel1->text();
        });
        w->wbExplorer->Navigate(QUrl::fromLocalFile(w->CarpetaTemporal() + report::EnlaceCuenta(cuenta)).toString());
        QTRY_VERIFY_WITH_TIMEOUT(cargas.count() > 0 && w->wbExplorer->UltimaCargaCorrecta(), 120000);
        disconnect(c);
        QVERIFY(escribiendo);
        QVERIFY(ocupado);
        QCOMPARE(estado, QStringLiteral(" Generando ..."));
        QCOMPARE(w->wbExplorer->LocationURL(), QUrl::fromLocalFile(informe).toString());
        // Then the writer done, and the busy display down.
        QVERIFY(mostrado(cargas, 0));
        QVERIFY(!w->Escribiendo());
        QCOMPARE(w->FCuenta, cuenta);
        QCOMPARE(w->StatusPanel1->text(), QStringLiteral(" Listo ..."));
        int partes = 1;
        while (QFile::exists(report::RutaDeParte(informe, partes + 1)))
            ++partes;
        QVERIFY2(partes == 41, qPrintable(QString::number(partes)));
        const QString primera = textoVisible(*w->wbExplorer);
        QVERIFY2(primera.contains(QStringLiteral("Parte 1 de 41: filas 1 a 5000 de 200")), qPrintable(primera.left(600)));
        QCOMPARE(filasVisibles(*w->wbExplorer), 5000);
        QVERIFY(!primera.contains(QStringLiteral("Resultados ordenados por fecha descendente")));

        // "Siguiente" leads to the second part, "Última" to the last.
        const QString segunda = QFileInfo(report::RutaDeParte(informe, 2)).fileName();
        clic(*w->wbExplorer, segunda);
        QVERIFY(mostrado(cargas, int(cargas.count())));
        QTRY_COMPARE_WITH_TIMEOUT(w->wbExplorer->LocationURL(), QUrl::fromLocalFile(report::RutaDeParte(informe, 2)).toString(), 60000);
        QCOMPARE(w->StatusPanel1->text(), QStringLiteral(" Listo ..."));
        QVERIFY(textoVisible(*w->wbExplorer).contains(QStringLiteral("Parte 2 de 41: filas 5001 a 10000")));
        const int antes = int(cargas.count());
        clic(*w->wbExplorer, QFileInfo(report::RutaDeParte(informe, partes)).fileName());
        QTRY_VERIFY_WITH_TIMEOUT(cargas.count() > antes && w->wbExplorer->UltimaCargaCorrecta(), 60000);
        QCOMPARE(w->wbExplorer->LocationURL(), QUrl::fromLocalFile(report::RutaDeParte(informe, partes)).toString());
        const QString ultima = textoVisible(*w->wbExplorer);
        QVERIFY(ultima.contains(QStringLiteral("Parte 41 de 41: filas 200001 a 200")));
        QVERIFY(filasVisibles(*w->wbExplorer) > 0);
        QVERIFY(ultima.contains(QStringLiteral("Resultados ordenados por fecha descendente")));
        QVERIFY(texto(report::RutaDeParte(informe, partes)).trimmed().endsWith(QLatin1String("</body></html>")));

        // Its voucher links open the viewer; its title link asks for the account one level up.
        const QString ultimaArchivo = texto(report::RutaDeParte(informe, partes));
        const QString href = QRegularExpression(QStringLiteral("HREF=\"(_TC_[^\"]+)\"")).match(ultimaArchivo).captured(1);
        QVERIFY(!href.isEmpty());
        const report::EnlaceLeido comprobante = report::LeerEnlace(href);
        visores::FrmBSC01CBTECTABLE& visor = visores::frmBSC01CBTECTABLE();
        clic(*w->wbExplorer, href);
        QTRY_VERIFY_WITH_TIMEOUT(visor.isVisible() && visor.documento().iNumero == comprobante.valor(report::kMarcaNumero),
                                 60000);
        visor.hide();
        const QString titulo = QRegularExpression(QStringLiteral("HREF=\"(CUENTA_[^\"]*)\"")).match(ultimaArchivo).captured(1);
        QCOMPARE(titulo, report::EnlaceCuenta(QStringLiteral("11")));
        const int antesDelTitulo = int(cargas.count());
        clic(*w->wbExplorer, titulo);
        QVERIFY(mostrado(cargas, antesDelTitulo));
        QCOMPARE(w->FCuenta, QStringLiteral("11"));
        // A report of one page: the parts of the long one are gone.
        QVERIFY(!QFile::exists(report::RutaDeParte(informe, 2)));
        QVERIFY(sinPreguntas.verifyDone());
    }

    // "Cerrar" takes the sales/purchase viewer down with the dashboard.
    void cerrar()
    {
        visores::FrmBSC01CBTEDetalle& detalle = visores::frmBSC01CBTEDetalle();
        detalle.Mostrar("FC", "0001", "00000001", "A", true);
        detalle.show();
        ui::ScriptedDialogs d;
        QVERIFY_THROWS_EXCEPTION(ui::ProgramEnded, w->cmdClose_Click());
        QVERIFY(!detalle.isVisible());
        QTRY_VERIFY(!TableroExiste());
    }
};

QTEST_MAIN(TstDashboardRoad)
#include "tst_dashboard_road.moc"
