// The dashboard's waits, with the real browser: while the engine reads a report's query the busy display is
// up, the tree is disabled and the status bar says the report is being read, and Cancelar stops the reading
// and leaves the window usable with no report claimed; a part the operator asks for while the writer is at the
// rest of a long report is on show before the writer writes its next part; and the account popup shows itself
// with its first part while the writer is still at the rest; and a close while the engine reads closes the
// connection there and then. Parts are made small here so that a report of a few thousand rows comes in many.

#include "TableroDePrueba.h"

#include "dashboard/FrmBSC01PopUp.h"
#include "platform/browser/WebBrowser.h"
#include "platform/suite/PictureBox.h"
#include "platform/ui/TreeView.h"
#include "report/ArchivoListado.h"
#include "report/ClassHTML.h"
#include "report/EnlaceHTML.h"
#include "report/LecturaDelListado.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QThread>
#include <QTimer>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace tablero;

namespace {

// A read that takes minutes unless the engine is stopped.
const char kLecturaLarga[] = "WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c WHERE x < 500000000) "
                             "SELECT count(*) FROM c";

// What the tests ask of the writers the window and the popup make, and what those writers saw.
struct Vigilancia {
    int filasPorParte = 200;
    bool lecturaLarga = false;              // the next report only reads kLecturaLarga
    report::Lectura lectura = report::Lectura::Abierta;
    QStringList sucesos;                    // "parte N" as the writer finishes each part, and what the test adds
    unsigned long pausaPorFila = 0;         // microseconds added to each row, so the writer takes its time
    std::function<void(int)> alTerminar;    // runs as part N is finished, before the window hears of it
};

// The window's host, with the parts it is told of recorded.
class HostVigilado final : public report::HostReporte {
public:
    HostVigilado(report::HostReporte& host, Vigilancia& v) : m_host(host), m_v(v) {}
    void setCancelado(bool valor) override { m_host.setCancelado(valor); }
    // Asked once a row.
    bool Cancelado() const override
    {
        if (m_v.pausaPorFila)
            QThread::usleep(m_v.pausaPorFila);
        return m_host.Cancelado();
    }
    void setUltimoReporte(const QString& c, const QString& t, bool h) override { m_host.setUltimoReporte(c, t, h); }
    void MostrarOcupado() override { m_host.MostrarOcupado(); }
    void DibujarProgreso(double p) override { m_host.DibujarProgreso(p); }
    void ProcesarEventos() override { m_host.ProcesarEventos(); }
    bool EsperaLecturas() const override { return m_host.EsperaLecturas(); }
    void ParteTerminada(int numero, const QString& ruta) override
    {
        m_v.sucesos << QStringLiteral("parte %1").arg(numero);
        if (m_v.alTerminar)
            m_v.alTerminar(numero);
        m_host.ParteTerminada(numero, ruta);
    }

private:
    report::HostReporte& m_host;
    Vigilancia& m_v;
};

// The report library's writer with small parts; or, when asked, a report whose query reads for minutes.
class EscritorVigilado final : public EscritorInformes {
public:
    explicit EscritorVigilado(Vigilancia& v) : m_v(v) {}
    void setColIVA(bool valor) override { m_html.ColIVA = valor; }
    void writeStyleCSS(const QString& carpeta) override { m_html.writeStyleCSS(carpeta); }
    report::ResultadoListado writeHTML(const PedidoInforme& pedido, report::HostReporte& host) override
    {
        HostVigilado vigilado(host, m_v);
        if (std::exchange(m_v.lecturaLarga, false))
            return leerLargo(pedido, vigilado);
        m_html.FilasPorParte = m_v.filasPorParte;
        m_html.setHost(&vigilado);
        const report::ResultadoListado resultado = m_html.writeHTML(pedido);
        m_html.setHost(nullptr);
        return resultado;
    }

private:
    // Begins as the writer begins, then reads the long query.
    report::ResultadoListado leerLargo(const PedidoInforme& pedido, report::HostReporte& host)
    {
        host.setCancelado(false);
        host.MostrarOcupado();
        host.ProcesarEventos();
        host.setUltimoReporte(pedido.Cuenta, pedido.Titulo, pedido.EsHoja);
        QFile f(pedido.strNombreArchivo);
        if (f.open(QIODevice::WriteOnly))
            f.write("<html><body>Listado incompleto</body></html>");
        ado::Recordset rs;
        m_v.lectura = report::AbrirLectura(QString::fromLatin1(kLecturaLarga), rs, &host);
        return m_v.lectura == report::Lectura::Abierta ? report::ResultadoListado::Completo
                                                       : report::ResultadoListado::Cancelado;
    }

    Vigilancia& m_v;
    report::ClassHTML m_html;
};

// The share of the pixels of two pictures of the busy bar that differ.
double diferencia(const QImage& a, const QImage& b)
{
    if (a.size() != b.size() || a.isNull())
        return 1;
    qint64 distintos = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            distintos += (a.pixel(x, y) & 0xFFFFFF) != (b.pixel(x, y) & 0xFFFFFF);
    return double(distintos) / double(a.width() * a.height());
}

QString nombre(const QString& url)
{
    return QFileInfo(QUrl(url).toLocalFile()).fileName();
}

} // namespace

class TstDashboardWaits : public TableroDePrueba {
    Q_OBJECT

    Vigilancia m_v;

    // The bench account with 3,000 lines a side, its report 6,000 rows.
    bool crearEmpresa() override
    {
        if (!empresa.crearDemo(3000))
            return false;
        InstalarFabricaEscritores([this] { return std::make_unique<EscritorVigilado>(m_v); });
        return true;
    }

    void alAbrir() override
    {
        QTRY_VERIFY_WITH_TIMEOUT(!w->Escribiendo() && !w->wbExplorer->Cargando() && !w->Pic->isVisible(), 60000);
    }

    ui::Node nodo(const char* cuenta)
    {
        return w->TreeV->Nodes().Item(QStringLiteral("A") + QLatin1String(cuenta));
    }

    bool enReposo()
    {
        return QTest::qWaitFor(
            [&] { return !w->Escribiendo() && !w->wbExplorer->Cargando() && !w->Pic->isVisible(); }, 60000);
    }

private slots:
    void cancelarLaLectura()
    {
        ui::ScriptedDialogs sinPreguntas;
        m_v.lecturaLarga = true;
        // What the window shows while the engine reads, then Cancelar clicked as the operator clicks it.
        bool visto = false, ocupado = false, arbolInactivo = false;
        QString estado;
        double cambio = 0;
        // The last report ended with its bar full.
        w->DibujarProgreso(100);
        const QImage lleno = w->Pic->Imagen();
        QTimer mirar;
        mirar.setSingleShot(true);
        connect(&mirar, &QTimer::timeout, this, [&] {
            visto = true;
            ocupado = w->Pic->isVisible() && w->cmdCancelar->isVisible();
            arbolInactivo = !w->TreeV->isEnabled();
            estado = w->StatusPanel1->text();
            cambio = diferencia(w->Pic->Imagen(), lleno);
            QTest::mouseClick(w->cmdCancelar, Qt::LeftButton);
        });
        mirar.start(300);
        w->TreeV_NodeClick(nodo(schema::kBenchAccount));
        QVERIFY(visto);
        QVERIFY(ocupado);
        QVERIFY(arbolInactivo);
        QCOMPARE(estado, QString::fromUtf8(kEstadoLeyendo));
        // No percentage is known while the rows are read: the bar shows none, not the last report's.
        QVERIFY2(cambio > 0.5, qPrintable(QString::number(cambio)));
        QCOMPARE(m_v.lectura, report::Lectura::Cancelada);
        // The window takes commands again, and says the read was stopped (nothing failed).
        QVERIFY(enReposo());
        QVERIFY(w->TreeV->isEnabled());
        QVERIFY(!w->cmdCancelar->isVisible());
        const QString despues = w->StatusPanel1->text();
        QVERIFY2(despues.contains(QLatin1String("cancelado")) && despues.contains(QLatin1String("lectura"))
                     && !despues.contains(QLatin1String("falló")),
                 qPrintable(despues));
        // And the next report is written and shown whole.
        w->TreeV_NodeClick(nodo(schema::kCashAccount));
        QVERIFY(enReposo());
        QCOMPARE(w->FCuenta, QString::fromLatin1(schema::kCashAccount));
        QCOMPARE(w->StatusPanel1->text(), QString::fromUtf8(kEstadoListo));
        QVERIFY(sinPreguntas.verifyDone());
    }

    // Part 2 asked for (as its link asks, the click taken in one of the writer's passes of events) once it is
    // written, while the writer is at the rest, which it writes slowly: the part is on show before the writer
    // finishes another.
    void parteMientrasSeEscribe()
    {
        ui::ScriptedDialogs sinPreguntas;
        m_v.sucesos.clear();
        m_v.pausaPorFila = 500;
        const QString segunda = report::RutaDeParte(w->ArchivoInforme(), 2);
        m_v.alTerminar = [&](int numero) {
            if (numero != 2)
                return;
            QMetaObject::invokeMethod(
                w,
                [&] {
                    m_v.sucesos << QStringLiteral("clic");
                    w->wbExplorer->Navigate(QUrl::fromLocalFile(segunda).toString());
                },
                Qt::QueuedConnection);
        };
        const QMetaObject::Connection c = connect(w->wbExplorer, &web::WebBrowser::DownloadComplete, this, [&] {
            if (w->wbExplorer->UltimaCargaCorrecta())
                m_v.sucesos << QStringLiteral("mostrada ") + nombre(w->wbExplorer->LocationURL());
        });
        w->TreeV_NodeClick(nodo(schema::kBenchAccount));
        QVERIFY(enReposo());
        disconnect(c);
        m_v.alTerminar = nullptr;
        m_v.pausaPorFila = 0;
        const QStringList& s = m_v.sucesos;
        const qsizetype clic = s.indexOf(QStringLiteral("clic"));
        const qsizetype mostrada = s.indexOf(QStringLiteral("mostrada ") + QFileInfo(segunda).fileName());
        QVERIFY2(clic >= 0 && mostrada > clic, qPrintable(s.join(QLatin1String(", "))));
        // The writer was still at it when the part was asked for, and wrote nothing more before it was on show.
        qsizetype siguiente = -1;
        for (qsizetype i = clic + 1; i < s.size() && siguiente < 0; ++i)
            if (s.at(i).startsWith(QLatin1String("parte ")))
                siguiente = i;
        QVERIFY2(siguiente > mostrada, qPrintable(s.join(QLatin1String(", "))));
        QVERIFY(sinPreguntas.verifyDone());
    }

    // A page that never finishes loading (an address the operator opens while the writer is at the rest of a
    // long report) does not hold the writer: it writes every part in the time they take, where ten seconds a
    // pass of events would take it minutes. Cancelar is clicked after 30 seconds, should it still be writing.
    void cargaSinFinNoDetieneAlEscritor()
    {
        ui::ScriptedDialogs sinPreguntas;
        const QString fifo = empresa.carpeta.filePath(QStringLiteral("sin-fin.htm"));
        QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        m_v.pausaPorFila = 500;
        m_v.alTerminar = [&](int numero) {
            if (numero == 1)
                QMetaObject::invokeMethod(
                    w, [&] { w->wbExplorer->Navigate(QUrl::fromLocalFile(fifo).toString()); }, Qt::QueuedConnection);
        };
        QTimer vigia;
        vigia.setSingleShot(true);
        connect(&vigia, &QTimer::timeout, this, [&] { QTest::mouseClick(w->cmdCancelar, Qt::LeftButton); });
        vigia.start(30000);
        w->TreeV_NodeClick(nodo(schema::kBenchAccount));
        vigia.stop();
        m_v.alTerminar = nullptr;
        m_v.pausaPorFila = 0;
        const bool sinTerminar = w->wbExplorer->Cargando();
        // The page's load ends: the pipe is written and closed.
        const int fd = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0) {
            const char pagina[] = "<html><body>fin</body></html>";
            [[maybe_unused]] const ssize_t escrito = ::write(fd, pagina, sizeof pagina - 1);
            ::close(fd);
        }
        QVERIFY(sinTerminar);
        QVERIFY(enReposo());
        // The report was written to its end: its last part is there.
        QVERIFY(QFile::exists(report::RutaDeParte(w->ArchivoInforme(), 6000 / m_v.filasPorParte)));
        QVERIFY(sinPreguntas.verifyDone());
    }

    // The popup asked for by its link: visible, with its first part on show, while the writer is at the rest.
    void popUpConSuPrimeraParte()
    {
        ui::ScriptedDialogs sinPreguntas;
        bool visto = false, visible = false, primera = false, escribiendo = false;
        m_v.alTerminar = [&](int numero) {
            if (numero != 2 || !PopUpExiste())
                return;
            visto = true;
            FrmBSC01PopUp& popup = PopUp();
            visible = popup.isVisible();
            primera = popup.wbExplorer->UltimaCargaCorrecta()
                      && popup.wbExplorer->LocationURL() == QUrl::fromLocalFile(popup.ArchivoPagina()).toString();
            escribiendo = w->Escribiendo();
        };
        w->wbExplorer->Navigate(
            QUrl::fromLocalFile(empresa.temporal + QLatin1Char('/')
                                + report::EnlaceCuentaPopup(QString::fromLatin1(schema::kBenchAccount)))
                .toString());
        QTRY_VERIFY_WITH_TIMEOUT(visto, 60000);
        m_v.alTerminar = nullptr;
        QVERIFY(visible);
        QVERIFY(primera);
        QVERIFY(escribiendo);
        QVERIFY(enReposo());
        QVERIFY(PopUp().isVisible());
        DescargarPopUp();
        QVERIFY(sinPreguntas.verifyDone());
    }

    // Closed by its close box while the engine reads a report's query (the program's close runs inside the
    // read's wait): the read stops, the connection is closed there and then with the engine's journal given
    // back, and the program ends. Last: the window does not come back.
    void cerrarDuranteLaLectura()
    {
        ui::ScriptedDialogs d;
        m_v.lecturaLarga = true;
        const QString diario = empresa.archivo + QStringLiteral("-wal");
        bool terminado = false, cerrada = false, devuelto = false;
        QTimer cerrar;
        cerrar.setSingleShot(true);
        connect(&cerrar, &QTimer::timeout, this, [&] {
            QVERIFY(w->Pic->isVisible());   // still reading
            try {
                w->close();
            } catch (const ui::ProgramEnded&) {
                // Here the program would be gone: what it left is looked at.
                terminado = true;
                cerrada = gDB().gCnn.State() == ado::adStateClosed;
                devuelto = !QFile::exists(diario);
            }
        });
        cerrar.start(300);
        w->TreeV_NodeClick(nodo(schema::kBenchAccount));
        QVERIFY(terminado);
        QCOMPARE(d.log().last().kind, ui::PromptKind::EndProgram);
        QVERIFY(cerrada);
        QVERIFY(devuelto);
        QCOMPARE(m_v.lectura, report::Lectura::Cancelada);
    }
};

QTEST_MAIN(TstDashboardWaits)
#include "tst_dashboard_waits.moc"
