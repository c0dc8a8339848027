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
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>
#include <QtTest>

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
        QCOMPARE(informe, empresa.temporal + QStringLiteral("/BSC01.htm"));
        QVERIFY(QFile::exists(empresa.temporal + QStringLiteral("/Style.css")));

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
        w->wbExplorer->Navigate(QUrl::fromLocalFile(empresa.temporal + QLatin1Char('/') + report::EnlaceCuenta(schema::kBankAccount))
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
        w->wbExplorer->Navigate(QUrl::fromLocalFile(empresa.temporal + QLatin1Char('/') + report::EnlaceCuenta(cuenta)).toString());
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
