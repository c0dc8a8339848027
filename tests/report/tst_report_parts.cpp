// Reports written in parts, on the small company with a small row bound: the parts together are the one page
// the same report makes without a bound (the same head on every part, its rows in order, its closing lines in
// the last part), each part with the bar of links to the first, previous, next and last parts; a report of
// exactly the bound is one page; parts of an earlier report are deleted; a cancel keeps the parts written;
// the window is told of each part once it is whole; the part an address names.

#include "ReportFixture.h"

#include "platform/ProcesoHijo.h"
#include "platform/ado/Error.h"
#include "report/ArchivoListado.h"

#include <QDir>
#include <QRegularExpression>
#include <cerrno>
#include <csignal>
#include <cstring>

using report::ParametrosListado;
using report::ResultadoListado;

namespace {

QStringList lineas(const QString& ruta)
{
    QStringList l = QString::fromLatin1(ReportFixture::leer(ruta)).split(QStringLiteral("\r\n"));
    if (!l.isEmpty() && l.last().isEmpty())
        l.removeLast();
    return l;
}

const QString kInicioBarra = QStringLiteral("<TABLE BORDER=0 WIDTH=100% CELLPADDING=1 CELLSPACING=0><TR>");

// A window that keeps, for each part it is told of, the part's text at that moment.
class HostPartes : public HostDePrueba {
public:
    QList<std::pair<int, QString>> partes;
    QStringList textos;
    void ParteTerminada(int numero, const QString& ruta) override
    {
        partes.append({numero, ruta});
        textos.append(QString::fromLatin1(ReportFixture::leer(ruta)));
    }
};

} // namespace

class ReportPartsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(m_base.preparar()); }
    void init()
    {
        m_base.antes();
        for (const QString& f : QDir(m_base.carpeta.path()).entryList({QStringLiteral("BSC01*")}, QDir::Files))
            QFile::remove(m_base.ruta(f));
    }
    void cleanup() { QVERIFY(m_base.despues()); }

    void partsMakeThePage_data();
    void partsMakeThePage();
    void exactlyTheBoundIsOnePage();
    void partsOfAnEarlierReportAreDeleted();
    void cancelKeepsThePartsWritten();
    void windowIsToldOfEachWholePart();
    void partOfAnAddress_data();
    void partOfAnAddress();
    void aPartPastTheFileSizeLimitSaysWhyAndIsRemoved();
    void aReportPastTheFileSizeLimitTellsTheOperator();

private:
    // Writes the report with the bound (0: one page) and returns its parts' paths.
    QStringList escribir(const ParametrosListado& datos, int filas, report::HostReporte* host = nullptr)
    {
        ParametrosListado p = datos;
        p.strNombreArchivo = m_base.pagina;
        report::ClassHTML html;
        html.FilasPorParte = filas;
        html.setHost(host);
        m_resultado = html.writeHTML(p);
        QStringList partes{m_base.pagina};
        while (QFile::exists(report::RutaDeParte(m_base.pagina, int(partes.size()) + 1)))
            partes << report::RutaDeParte(m_base.pagina, int(partes.size()) + 1);
        return partes;
    }

    ReportFixture m_base;
    ResultadoListado m_resultado = ResultadoListado::Fallido;   // how the last report ended
};

void ReportPartsTest::partsMakeThePage_data()
{
    QTest::addColumn<ParametrosListado>("p");
    QTest::addColumn<int>("filas");
    QTest::addColumn<QString>("registro");   // what the line of a record (not of its sub-rows) holds
    QTest::addColumn<int>("partes");
    const ParametrosListado banco = ReportFixture::parametros("110101", "Banco <Naci\u00f3n>", true, 0);
    QTest::newRow("movements, two a part") << banco << 2 << "HREF=\"_TC_" << 2;
    QTest::newRow("movements, one a part") << banco << 1 << "HREF=\"_TC_" << 3;
    ParametrosListado centros = ReportFixture::parametros("1101", "Caja & Bancos", true, 3);
    QTest::newRow("movements with cost-centre sub-rows") << centros << 3 << "HREF=\"_TC_" << 4;
    QTest::newRow("branch balances") << ReportFixture::parametros("1101", "Caja & Bancos", false, 0) << 3
                                     << "HREF=\"CUENTA_" << 2;
    ParametrosListado ramaUnidades = ReportFixture::parametros("1101", "Caja & Bancos", false, 1);
    QTest::newRow("branch balances by unit") << ramaUnidades << 3 << "HREF=\"CUENTA_" << 2;
    ParametrosListado arbol = ReportFixture::parametros(QString(), "Plan", false, 0);
    arbol.eNormal = false;
    QTest::newRow("chart tree with its totals") << arbol << 4 << "HREF=\"CUENTAPOPUP_" << 3;
    ParametrosListado arbolCentros = ReportFixture::parametros("11", "Plan", false, 3);
    arbolCentros.eNormal = false;
    arbolCentros.eNiveles = 4;
    QTest::newRow("chart tree with cost-centre sub-rows") << arbolCentros << 1 << "HREF=\"CUENTAPOPUP_" << 2;
}

void ReportPartsTest::partsMakeThePage()
{
    QFETCH(ParametrosListado, p);
    QFETCH(int, filas);
    QFETCH(QString, registro);
    QFETCH(int, partes);

    QCOMPARE(escribir(p, 0).size(), 1);
    QCOMPARE(m_resultado, ResultadoListado::Completo);
    const QStringList pagina = lineas(m_base.pagina);
    // The page: head (page head, title band, balance band, table head up to its "</TR>"), rows, closing lines.
    const qsizetype finCabecera = pagina.indexOf(QStringLiteral("</TR>")) + 1;
    const qsizetype finFilas = pagina.indexOf(QStringLiteral("</TABLE>"), finCabecera);
    QVERIFY(finCabecera > 3 && finFilas > finCabecera);
    const QStringList cabecera = pagina.mid(0, finCabecera);
    const QStringList cierre = pagina.mid(finFilas);

    const QStringList rutas = escribir(p, filas);
    QCOMPARE(m_resultado, ResultadoListado::Completo);
    QCOMPARE(rutas.size(), partes);
    QStringList filasJuntas;
    int registros = 0;
    for (int k = 1; k <= partes; ++k) {
        const QStringList parte = lineas(rutas.at(k - 1));
        // The head with the bar after the balance band.
        const QString barra = parte.value(3);
        QVERIFY2(barra.startsWith(kInicioBarra), qPrintable(barra));
        QStringList esperada = cabecera;
        esperada.insert(3, barra);
        QCOMPARE(parte.mid(0, esperada.size()), esperada);
        QVERIFY(barra.contains(QStringLiteral("Parte %1 de %2:").arg(k).arg(partes)));
        const auto enlace = [&](int n) {
            return QStringLiteral("HREF=\"%1\"").arg(QFileInfo(report::RutaDeParte(m_base.pagina, n)).fileName());
        };
        QCOMPARE(barra.contains(enlace(1) + QStringLiteral(">Primera<")), k > 1);
        QCOMPARE(barra.contains(enlace(k - 1) + QStringLiteral(">Anterior<")), k > 1);
        QCOMPARE(barra.contains(enlace(k + 1) + QStringLiteral(">Siguiente<")), k < partes);
        QCOMPARE(barra.contains(enlace(partes) + QString::fromUtf8(">Última<")), k < partes);
        QCOMPARE(barra.count(QStringLiteral("BotonDisabled")), k == 1 || k == partes ? 2 : 0);

        // Its rows, then the foot of a part or the page's closing lines.
        const QStringList pie = k < partes ? QStringList{QStringLiteral("</TABLE>"), barra, QStringLiteral("</body></html>")}
                                           : cierre;
        QCOMPARE(parte.mid(parte.size() - pie.size()), pie);
        const QStringList suyas = parte.mid(esperada.size(), parte.size() - esperada.size() - pie.size());
        const int enEsta = int(suyas.filter(registro).size());
        QVERIFY(enEsta > 0);
        if (k < partes)
            QCOMPARE(enEsta, filas);
        QVERIFY2(suyas.isEmpty() || suyas.first().startsWith(QLatin1String("<TR")), qPrintable(suyas.value(0)));
        registros += enEsta;
        filasJuntas += suyas;
    }
    QCOMPARE(filasJuntas, pagina.mid(finCabecera, finFilas - finCabecera));
    QVERIFY(registros > filas * (partes - 1));
}

void ReportPartsTest::exactlyTheBoundIsOnePage()
{
    const ParametrosListado banco = ReportFixture::parametros("110101", "Banco <Naci\u00f3n>", true, 0);
    QCOMPARE(escribir(banco, 3).size(), 1);
    QVERIFY(ReportFixture::igualAlModelo(m_base.pagina, QStringLiteral("mov_t0.htm")));
    QCOMPARE(escribir(banco, 2).size(), 2);
}

void ReportPartsTest::partsOfAnEarlierReportAreDeleted()
{
    const QStringList ajenos{QStringLiteral("BSC01PopUp-2.htm"), QStringLiteral("BSC01-x.htm"),
                             QStringLiteral("BSC01-2.html"), QStringLiteral("BSC01-02.htm")};
    for (const QString& nombre : ajenos) {
        QFile f(m_base.ruta(nombre));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    const ParametrosListado banco = ReportFixture::parametros("110101", "Banco", true, 0);
    QCOMPARE(escribir(banco, 1).size(), 3);
    // A shorter report: the old third part goes, and a report of one page leaves no part beside it.
    QCOMPARE(escribir(banco, 2).size(), 2);
    QVERIFY(!QFile::exists(report::RutaDeParte(m_base.pagina, 3)));
    QCOMPARE(escribir(banco, 0).size(), 1);
    QVERIFY(!QFile::exists(report::RutaDeParte(m_base.pagina, 2)));
    for (const QString& nombre : ajenos)
        QVERIFY2(QFile::exists(m_base.ruta(nombre)), qPrintable(nombre));
}

void ReportPartsTest::cancelKeepsThePartsWritten()
{
    HostDePrueba host;
    host.cancelarEn = 3;
    const QStringList rutas = escribir(ReportFixture::parametros("110101", "Banco", true, 0), 1, &host);
    QCOMPARE(m_resultado, ResultadoListado::Cancelado);
    // The first part whole; the second with its row and the notice; no third.
    QCOMPARE(rutas.size(), 2);
    QVERIFY(lineas(rutas.at(0)).endsWith(QStringLiteral("</body></html>")));
    const QStringList segunda = lineas(rutas.at(1));
    QCOMPARE(segunda.filter(QStringLiteral("HREF=\"_TC_")).size(), 1);
    QVERIFY(segunda.last().contains(QStringLiteral("Listado incompleto: cancelado por el operador")));
    QVERIFY(!segunda.contains(QStringLiteral("</body></html>")));
}

void ReportPartsTest::windowIsToldOfEachWholePart()
{
    HostPartes host;
    const QStringList rutas = escribir(ReportFixture::parametros("110101", "Banco", true, 0), 1, &host);
    QCOMPARE(rutas.size(), 3);
    // Every part but the last, in order, each whole when told.
    QCOMPARE(host.partes.size(), 2);
    for (int k = 1; k <= 2; ++k) {
        QCOMPARE(host.partes.at(k - 1).first, k);
        QCOMPARE(host.partes.at(k - 1).second, rutas.at(k - 1));
        QVERIFY(host.textos.at(k - 1).endsWith(QStringLiteral("</body></html>\r\n")));
    }
    // A report of one page tells nothing.
    host.partes.clear();
    escribir(ReportFixture::parametros("110101", "Banco", true, 0), 0, &host);
    QVERIFY(host.partes.isEmpty());
}

void ReportPartsTest::partOfAnAddress_data()
{
    QTest::addColumn<QString>("direccion");
    QTest::addColumn<int>("parte");   // 0: not a part of the report
    QTest::newRow("the report itself") << "file:///t/BSC01.htm" << 1;
    QTest::newRow("second part") << "file:///t/BSC01-2.htm" << 2;
    QTest::newRow("a path") << "/t/BSC01-40.htm" << 40;
    QTest::newRow("with a fragment") << "file:///t/BSC01-3.htm#x" << 3;
    QTest::newRow("no part 1 by number") << "file:///t/BSC01-1.htm" << 0;
    QTest::newRow("leading zero") << "file:///t/BSC01-02.htm" << 0;
    QTest::newRow("another folder") << "file:///u/BSC01-2.htm" << 0;
    QTest::newRow("the popup's page") << "file:///t/BSC01PopUp-2.htm" << 0;
    QTest::newRow("an account link") << "file:///t/CUENTA_11" << 0;
    QTest::newRow("another suffix") << "file:///t/BSC01-2.html" << 0;
}

void ReportPartsTest::partOfAnAddress()
{
    QFETCH(QString, direccion);
    QFETCH(int, parte);
    const std::optional<int> n = report::NumeroDeParte(QStringLiteral("/t/BSC01.htm"), direccion);
    QCOMPARE(n.value_or(0), parte);
    if (parte > 0)
        QCOMPARE(QUrl::fromLocalFile(report::RutaDeParte(QStringLiteral("/t/BSC01.htm"), parte)).toLocalFile(),
                 QUrl(direccion).isRelative() ? direccion : QUrl(direccion).toLocalFile());
}

// The programs' files may be limited in size (ulimit -f): the part that would pass the limit fails with the cause
// in the operator's words and the system's, and is removed, while the parts before it stay whole.
void ReportPartsTest::aPartPastTheFileSizeLimitSaysWhyAndIsRemoved()
{
    const QString ruta = m_base.carpeta.filePath(QStringLiteral("limite.htm"));
    const ProcesoHijo::Fin fin = ProcesoHijo::Ejecutar(
        [&] {
            try {
                report::ArchivoListado archivo(ruta, 2);
                archivo.Linea(QStringLiteral("<html><body><TABLE>"));
                archivo.ComenzarFilas(4);
                // Two short rows in the first part, two long ones past the limit in the second.
                for (int fila = 0; fila < 4; ++fila) {
                    archivo.Fila();
                    archivo.Linea(QStringLiteral("<TR><TD>%1</TD></TR>").arg(QString(fila < 2 ? 100 : 70000, QLatin1Char('x'))));
                }
                archivo.Cerrar();
                return QStringLiteral("written");
            } catch (const ado::Error& e) {
                return QString::number(e.Number) + QLatin1Char(' ') + e.Description;
            }
        },
        [] {
            std::signal(SIGXFSZ, SIG_IGN);
            ProcesoHijo::LimiteDeArchivo(100000);
        });
    QCOMPARE(fin.codigo, 0);
    const QString segunda = report::RutaDeParte(ruta, 2);
    QVERIFY2(fin.texto.startsWith(QStringLiteral("75 No se puede escribir el archivo ") + segunda), qPrintable(fin.texto));
    QVERIFY2(fin.texto.contains(QStringLiteral("el archivo llegó al tamaño máximo que el sistema permite a este programa (")
                                + QString::fromLocal8Bit(std::strerror(EFBIG)) + QLatin1Char(')')),
             qPrintable(fin.texto));
    QVERIFY2(fin.texto.contains(QStringLiteral("El archivo incompleto se borró.")), qPrintable(fin.texto));
    QVERIFY(!QFile::exists(segunda));
    QVERIFY(lineas(ruta).last().endsWith(QStringLiteral("</body></html>")));
    QFile::remove(ruta);
}

// The same through the report writer: the operator reads the cause in the error message, the report ends as
// failed, and no cut page is left for the window to show.
void ReportPartsTest::aReportPastTheFileSizeLimitTellsTheOperator()
{
    const ProcesoHijo::Fin fin = ProcesoHijo::Ejecutar(
        [&] {
            ui::ScriptedDialogs d;
            d.expectErrorDialog(ui::vbAbort)
                .withRoutine(QStringLiteral("Generar"))
                .withNumber(75)
                .containing(QStringLiteral("el archivo llegó al tamaño máximo que el sistema permite a este programa"));
            ParametrosListado p = ReportFixture::parametros("110101", "Banco", true, 0);
            p.strNombreArchivo = m_base.pagina;
            report::ClassHTML html;
            const ResultadoListado r = html.writeHTML(p);
            return QStringLiteral("%1, %2, %3")
                .arg(int(r))
                .arg(QLatin1String(d.verifyDone() ? "told" : "not told"),
                     QLatin1String(QFile::exists(m_base.pagina) ? "a page left" : "no page"));
        },
        [] {
            std::signal(SIGXFSZ, SIG_IGN);
            ProcesoHijo::LimiteDeArchivo(1000);
        });
    QCOMPARE(fin.codigo, 0);
    QCOMPARE(fin.texto, QStringLiteral("%1, told, no page").arg(int(ResultadoListado::Fallido)));
}

QTEST_GUILESS_MAIN(ReportPartsTest)
#include "tst_report_parts.moc"
