// The browser control on real pages in a temporary folder: a Windows-1252 page reads back with its accents;
// the program's own navigation and every clicked link pass the before-navigate handler first; a cancelled
// link never loads and raises no download-complete; an allowed one loads; a page rewritten under the same
// name shows its new text when navigated to again; a script in a page never runs, and a frame's address is
// asked for like a link and never loads in the frame.

#include "platform/browser/WebBrowser.h"
#include "platform/suite/Windows1252.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>
#include <QTest>
#include <csignal>

namespace {

void escribir(const QString& ruta, const QString& html)
{
    QFile f(ruta);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(suite::toWindows1252(html));
}

// What the page on show reads as text.
QString textoVisible(web::WebBrowser& b)
{
    QString texto;
    bool listo = false;
    b.vista()->page()->runJavaScript(QStringLiteral("document.body ? document.body.innerText : ''"), QWebEngineScript::ApplicationWorld,
                                     [&](const QVariant& v) {
                                         texto = v.toString();
                                         listo = true;
                                     });
    if (!QTest::qWaitFor([&] { return listo; }, 10000))
        return QStringLiteral("<no answer>");
    return texto;
}

// A page of many rows, that takes the page process a while to lay out.
void escribirGrande(const QString& ruta)
{
    QFile f(ruta);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("<HTML><BODY><TABLE>");
    const QByteArray fila = "<TR><TD>fila</TD><TD>1234,56</TD><TD>descripcion larga de la fila</TD></TR>\r\n";
    for (int i = 0; i < 100000; ++i)
        f.write(fila);
    f.write("</TABLE></BODY></HTML>");
}

// The page process of the page on show, once there is one.
qint64 procesoDePagina(web::WebBrowser& b)
{
    if (!QTest::qWaitFor([&] { return b.vista()->page()->renderProcessPid() > 0; }, 10000))
        return 0;
    return b.vista()->page()->renderProcessPid();
}

bool procesoVivo(qint64 pid)
{
    return QFileInfo::exists(QStringLiteral("/proc/%1").arg(pid));
}

void clic(web::WebBrowser& b, const QString& idEnlace)
{
    b.vista()->page()->runJavaScript(QStringLiteral("document.getElementById('%1').click()").arg(idEnlace),
        QWebEngineScript::ApplicationWorld);
}

} // namespace

class TstWebBrowser : public QObject {
    Q_OBJECT

private:
    QTemporaryDir carpeta;
    QString pagina;
    QString otra;

private slots:
    void initTestCase()
    {
        QVERIFY(carpeta.isValid());
        pagina = carpeta.filePath(QStringLiteral("BSC01CBTEctable.htm"));
        otra = carpeta.filePath(QStringLiteral("otra.htm"));
        // No charset the engine can read: the control's default encoding decides.
        escribir(pagina, QStringLiteral("<HTML><HEAD><TITLE>x</TITLE></HEAD><BODY>Asiento N°: Matrícula "
                                        "Año<br><A id=tc HREF=_TC_FC_SUCURSAL_0001_NUMERO_00000010_LETRA_A>fc</A>"
                                        "<br><A id=otra HREF=otra.htm>otra</A></BODY></HTML>"));
        escribir(otra, QStringLiteral("<HTML><BODY>Página dos</BODY></HTML>"));
    }

    void navigateAsksTheHandlerThenLoadsAndReadsWindows1252()
    {
        web::WebBrowser b;
        b.resize(400, 300);
        b.show();
        QStringList pedidas;
        b.setBeforeNavigate2([&](const QString& url, bool& cancel) {
            pedidas << url;
            QVERIFY(!cancel);
        });
        QSignalSpy completas(&b, &web::WebBrowser::DownloadComplete);
        b.Navigate(QStringLiteral("file://") + pagina);
        QCOMPARE(pedidas, QStringList{QUrl::fromLocalFile(pagina).toString()});
        QVERIFY(completas.wait(20000));
        QCOMPARE(textoVisible(b).left(33), QStringLiteral("Asiento N°: Matrícula Año\nfc\notra"));
        QCOMPARE(b.LocationURL(), QUrl::fromLocalFile(pagina).toString());
    }

    void cancelledNavigateLoadsNothing()
    {
        web::WebBrowser b;
        b.setBeforeNavigate2([](const QString&, bool& cancel) { cancel = true; });
        QSignalSpy completas(&b, &web::WebBrowser::DownloadComplete);
        b.Navigate(pagina);
        QTest::qWait(500);
        QCOMPARE(completas.count(), 0);
        QCOMPARE(b.LocationURL(), QString());
    }

    void aCancelledLinkNeverLoadsAndAnAllowedOneDoes()
    {
        web::WebBrowser b;
        b.resize(400, 300);
        b.show();
        QStringList pedidas;
        b.setBeforeNavigate2([&](const QString& url, bool& cancel) {
            pedidas << url;
            cancel = url.contains(QLatin1String("_TC_"));
        });
        QSignalSpy completas(&b, &web::WebBrowser::DownloadComplete);
        b.Navigate(pagina);
        QVERIFY(completas.wait(20000));
        completas.clear();
        pedidas.clear();

        clic(b, QStringLiteral("tc"));
        QTRY_COMPARE_WITH_TIMEOUT(pedidas.size(), 1, 10000);
        QCOMPARE(pedidas.first(), QUrl::fromLocalFile(carpeta.filePath(
                                      QStringLiteral("_TC_FC_SUCURSAL_0001_NUMERO_00000010_LETRA_A"))).toString());
        QTest::qWait(500);
        QCOMPARE(completas.count(), 0);
        QCOMPARE(b.LocationURL(), QUrl::fromLocalFile(pagina).toString());

        clic(b, QStringLiteral("otra"));
        QVERIFY(completas.wait(20000));
        QCOMPARE(pedidas.size(), 2);
        QCOMPARE(b.LocationURL(), QUrl::fromLocalFile(otra).toString());
        QCOMPARE(textoVisible(b), QStringLiteral("Página dos"));
    }

    void aRewrittenPageShowsItsNewText()
    {
        // A blank and a "#" in the name are part of it.
        const QString ruta = carpeta.filePath(QStringLiteral("re escrita #1.htm"));
        escribir(ruta, QStringLiteral("<HTML><BODY>primera versión</BODY></HTML>"));
        web::WebBrowser b;
        b.resize(400, 300);
        b.show();
        QSignalSpy completas(&b, &web::WebBrowser::DownloadComplete);
        b.Navigate(ruta);
        QVERIFY(completas.wait(20000));
        QCOMPARE(textoVisible(b), QStringLiteral("primera versión"));

        escribir(ruta, QStringLiteral("<HTML><BODY>segunda versión</BODY></HTML>"));
        b.Navigate(QStringLiteral("file://") + ruta);
        QVERIFY(completas.wait(20000));
        QCOMPARE(textoVisible(b), QStringLiteral("segunda versión"));
        QCOMPARE(completas.count(), 2);
    }
    // A large page stopped while it loads: the load ends at once (one DownloadComplete, none later), the page
    // is dropped with the memory of its page process, and the browser takes the next navigation.
    void aLoadStoppedEndsAtOnceAndGivesItsMemoryBack()
    {
        const QString grande = carpeta.filePath(QStringLiteral("grande.htm"));
        escribirGrande(grande);
        web::WebBrowser b;
        b.resize(400, 300);
        b.show();
        QSignalSpy completas(&b, &web::WebBrowser::DownloadComplete);
        b.Navigate(grande);
        QVERIFY(b.Cargando());
        const qint64 proceso = procesoDePagina(b);
        QVERIFY(proceso > 0);
        QVERIFY(b.Stop());
        QCOMPARE(completas.count(), 1);
        QVERIFY(!b.Cargando());
        QVERIFY(!b.UltimaCargaCorrecta());
        QVERIFY(!b.Stop());
        QTRY_VERIFY_WITH_TIMEOUT(!procesoVivo(proceso), 10000);
        QCOMPARE(completas.count(), 1);
        QCOMPARE(b.LocationURL(), QString());
        b.Navigate(otra);
        QVERIFY(completas.wait(20000));
        QVERIFY(b.UltimaCargaCorrecta());
        QCOMPARE(textoVisible(b), QStringLiteral("Página dos"));
    }

    // A page process that dies (as the system kills one out of memory) is told, on show or while loading; a
    // load under way ends unsuccessful and is never loaded again by itself.
    void aPageProcessThatDiesIsToldAndNotReloaded()
    {
        const QString grande = carpeta.filePath(QStringLiteral("grande.htm"));
        escribirGrande(grande);
        web::WebBrowser b;
        b.resize(400, 300);
        b.show();
        QStringList pedidas;
        b.setBeforeNavigate2([&](const QString& url, bool&) { pedidas << url; });
        QSignalSpy completas(&b, &web::WebBrowser::DownloadComplete);
        QSignalSpy perdidas(&b, &web::WebBrowser::PaginaPerdida);

        b.Navigate(otra);
        QVERIFY(completas.wait(20000));
        QVERIFY(b.UltimaCargaCorrecta());
        QCOMPARE(::kill(pid_t(procesoDePagina(b)), SIGKILL), 0);
        QVERIFY(perdidas.wait(10000));
        QCOMPARE(completas.count(), 1);
        QVERIFY(!b.UltimaCargaCorrecta());
        // Asked for again, the page shows in a new process.
        b.Navigate(otra);
        QVERIFY(completas.wait(20000));
        QVERIFY(b.UltimaCargaCorrecta());

        b.Navigate(grande);
        QVERIFY(b.Cargando());
        QCOMPARE(::kill(pid_t(procesoDePagina(b)), SIGKILL), 0);
        QTRY_COMPARE_WITH_TIMEOUT(perdidas.count(), 2, 10000);
        QCOMPARE(completas.count(), 3);
        QVERIFY(!b.Cargando());
        QVERIFY(!b.UltimaCargaCorrecta());
        QTest::qWait(1500);
        QCOMPARE(completas.count(), 3);
        QCOMPARE(b.vista()->page()->renderProcessPid(), 0);
        QCOMPARE(pedidas.size(), 3);
    }

    void aScriptInAPageDoesNothing()
    {
        const QString ruta = carpeta.filePath(QStringLiteral("guion.htm"));
        escribir(ruta, QStringLiteral("<HTML><BODY>texto <script>document.body.innerText = 'cambiado'</script>"
                                      "<img src=x onerror=\"document.body.innerText = 'cambiado'\"></BODY></HTML>"));
        web::WebBrowser b;
        b.resize(400, 300);
        b.show();
        QSignalSpy completas(&b, &web::WebBrowser::DownloadComplete);
        b.Navigate(ruta);
        QVERIFY(completas.wait(20000));
        QTest::qWait(300);
        QCOMPARE(textoVisible(b).trimmed(), QStringLiteral("texto"));
    }

    void aFrameAddressGoesThroughTheHandler()
    {
        const QString ruta = carpeta.filePath(QStringLiteral("marco.htm"));
        escribir(ruta, QStringLiteral("<HTML><BODY>con marco<iframe src=otra.htm></iframe></BODY></HTML>"));
        web::WebBrowser b;
        b.resize(400, 300);
        b.show();
        QStringList pedidas;
        b.setBeforeNavigate2([&](const QString& url, bool& cancel) {
            pedidas << url;
            cancel = url.endsWith(QLatin1String("otra.htm"));
        });
        QSignalSpy completas(&b, &web::WebBrowser::DownloadComplete);
        b.Navigate(ruta);
        QVERIFY(completas.wait(20000));
        QTRY_COMPARE_WITH_TIMEOUT(pedidas.size(), 2, 10000);
        QCOMPARE(pedidas.at(1), QUrl::fromLocalFile(otra).toString());
        QTest::qWait(300);
        // Cancelled: neither the frame nor the browser shows the other page.
        QCOMPARE(b.LocationURL(), QUrl::fromLocalFile(ruta).toString());
        QVERIFY(!textoVisible(b).contains(QStringLiteral("Página dos")));
    }
};

int main(int argc, char* argv[])
{
    web::WebBrowser::PrepararAplicacion();
    QApplication app(argc, argv);
    TstWebBrowser t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_browser_web_browser.moc"
