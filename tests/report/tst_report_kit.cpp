// The style sheet and the page kit: bytes of "Style.css", the page head and the small HTML builders.

#include "Modelos.h"
#include "report/ClassHTML.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using report::ClassHTML;

class ReportKitTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void styleSheetMatchesGolden_data();
    void styleSheetMatchesGolden();
    void styleSheetIsTruncatedNotAppended();
    void styleSheetMissingFolderRaises();
    void pageHead();
    void pageHeadWithFrames();
    void builders_data();
    void builders();
    void navigationBar();
    void closing();

private:
    static QByteArray leer(const QString& ruta);
};

void ReportKitTest::initTestCase()
{
    QCoreApplication::setApplicationName(QStringLiteral("conccuentas"));
    ClassHTML::FijarFechaPagina(QDate(2026, 3, 7));
}

QByteArray ReportKitTest::leer(const QString& ruta)
{
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void ReportKitTest::styleSheetMatchesGolden_data()
{
    QTest::addColumn<bool>("conSeparador");
    QTest::newRow("folder without separator") << false;
    QTest::newRow("folder with separator") << true;
}

void ReportKitTest::styleSheetMatchesGolden()
{
    QFETCH(bool, conSeparador);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    ClassHTML html;
    html.writeStyleCSS(dir.path() + (conSeparador ? QStringLiteral("/") : QString()));
    const QByteArray escrito = leer(dir.filePath(QStringLiteral("Style.css")));
    QString falta;
    const QString modelo = RutaModelo(QStringLiteral("Style.css"), falta);
    QVERIFY2(!modelo.isEmpty(), qPrintable(falta));
    const QByteArray esperado = leer(modelo);
    QVERIFY(!esperado.isEmpty());
    QCOMPARE(escrito, esperado);
    // Accented comment lines are single bytes of the Western code page.
    QVERIFY(escrito.contains("p\xe1gina"));
    QVERIFY(escrito.contains("navegaci\xf3n"));
}

void ReportKitTest::styleSheetIsTruncatedNotAppended()
{
    QTemporaryDir dir;
    const QString ruta = dir.filePath(QStringLiteral("Style.css"));
    QFile previo(ruta);
    QVERIFY(previo.open(QIODevice::WriteOnly));
    previo.write(QByteArray(5000, 'x'));
    previo.close();
    ClassHTML html;
    html.writeStyleCSS(dir.path());
    html.writeStyleCSS(dir.path());
    const QByteArray escrito = leer(ruta);
    QCOMPARE(escrito.count("\r\n"), 29);
    QVERIFY(!escrito.contains('x' + QByteArray("xxxx")));
    QVERIFY(escrito.endsWith(".BotonDisabled {background-color:#CCCCFF; color:#000000;}\r\n"));
}

void ReportKitTest::styleSheetMissingFolderRaises()
{
    QTemporaryDir dir;
    ClassHTML html;
    QVERIFY_THROWS_EXCEPTION(std::exception, html.writeStyleCSS(dir.filePath(QStringLiteral("no/existe"))));
}

void ReportKitTest::pageHead()
{
    ClassHTML html;
    const QString esperado = QStringLiteral(
        "<HTML><HEAD><META NAME=\"\"; GENERATOR; \"\"; CONTENT = \"\"conccuentas\"\" > "
        "<META HTTP-EQUIV=\"\"Content-Type\"\"; CONTENT = \"\"; Text / html; Charset = iso - 8859 - 1; \"\" > "
        "<!-- Generado por Orvenda HTML - 07-03-2026--><TITLE> BSC001</TITLE>"
        "<LINK REL =\"stylesheet\" TYPE=\"text/css\" HREF=\"Style.css\" TITLE=\"Style\"></HEAD><BODY>");
    QCOMPARE(html.getCabeceraHTML(QStringLiteral("BSC001")), esperado);
    QVERIFY(!html.getCabeceraHTML(QStringLiteral("BSC001")).contains(QLatin1Char('\n')));
}

void ReportKitTest::pageHeadWithFrames()
{
    ClassHTML html;
    const QString cabecera = html.getCabeceraHTML(QStringLiteral("X"), true);
    QVERIFY(cabecera.endsWith(QStringLiteral("\"Style\"></HEAD>")));
    QVERIFY(!cabecera.contains(QStringLiteral("<BODY>")));
}

void ReportKitTest::builders_data()
{
    QTest::addColumn<QString>("obtenido");
    QTest::addColumn<QString>("esperado");
    QTest::newRow("colour") << ClassHTML::getCadenaConColor("red", "hola") << "<FONT COLOR=red> hola</FONT>";
    QTest::newRow("bold") << ClassHTML::getCadenaNegrita("hola") << "<STRONG> hola </STRONG>";
    QTest::newRow("link without target") << ClassHTML::getHipertexto("a.htm", "Ir") << "<A HREF=\"a.htm\">Ir</A>";
    QTest::newRow("link with target") << ClassHTML::getHipertexto("a.htm", "Ir", "marco")
                                      << "<A HREF=\"a.htm\" TARGET=\"marco\">Ir</A>";
    QTest::newRow("link address with a quote") << ClassHTML::getHipertexto("a\"b.htm", "Ir")
                                               << "<A HREF=\"a&quot;b.htm\">Ir</A>";
    QTest::newRow("anchor") << ClassHTML::getAnchor("Rutinas") << "<A NAME=\"Rutinas\"></A>";
    QTest::newRow("table without break")
        << ClassHTML::getTable("<TD>c</TD>", "<TR><TD>r</TD></TR>")
        << "<TABLE BORDER=1 CELLPADDING=3 CELLSPACING=0 WIDTH=100%><TR ALIGN=Center BORDER=1 CLASS=TableCaption>"
           "<TD>c</TD> </TR><TR><TD>r</TD></TR></TABLE>&nbsp";
    QTest::newRow("table with break") << ClassHTML::getTable("", "", true).right(17) << "</TABLE><HR> <BR>";
    QTest::newRow("blank text") << ClassHTML::getCadenaVacia("   ") << "&nbsp";
    QTest::newRow("empty text") << ClassHTML::getCadenaVacia("") << "&nbsp";
    QTest::newRow("text with blanks kept") << ClassHTML::getCadenaVacia(" a ") << " a ";
}

void ReportKitTest::builders()
{
    QFETCH(QString, obtenido);
    QFETCH(QString, esperado);
    QCOMPARE(obtenido, esperado);
}

void ReportKitTest::navigationBar()
{
    ClassHTML html;
    html.setFicheroProyecto(QStringLiteral("indice.htm"));
    const QString barra = html.getBarraNavegadorHTML(true, false, true, false, false);
    QVERIFY(barra.startsWith(QStringLiteral("<TABLE BORDER=0 WIDTH=100% CELLPADDING=1 CELLSPACING=0><TR>")));
    QVERIFY(barra.contains(QStringLiteral("<TD CLASS=BotonEnabled> <A HREF=\"indice.htm\">Indice</A> </TD>")));
    QVERIFY(barra.contains(QStringLiteral("<TD CLASS=BotonDisabled> Descripci\u00f3n </TD>")));
    QVERIFY(barra.contains(QStringLiteral("<TD CLASS=BotonEnabled> <A HREF=\"#Controles\">Controles</A> </TD>")));
    QVERIFY(barra.contains(QStringLiteral("<TD CLASS=BotonDisabled> Rutinas </TD>")));
    QVERIFY(barra.endsWith(QStringLiteral("</TR></TABLE><HR><BR>")));
}

void ReportKitTest::closing()
{
    ClassHTML html;
    QCOMPARE(html.getCierreHTML(true), QStringLiteral("</HTML>"));
    const QString cierre = html.getCierreHTML();
    QVERIFY(cierre.startsWith(QStringLiteral("<font size=-1>Para cualquier sugerencia dir\u00edjase a :<A HREF=")));
    QVERIFY(cierre.endsWith(QStringLiteral("</BODY></HTML>")));
}

QTEST_GUILESS_MAIN(ReportKitTest)
#include "tst_report_kit.moc"
