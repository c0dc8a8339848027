// Two dashboards at once, on two companies, for the same user and the same temporary folder: this window writes
// a report in parts, then the other program, started for real, writes its own report; this window's parts are
// untouched and its "Siguiente" still leads to its own second part. The other program's folder, left behind when
// it is killed, is removed by the next sweep while this one's stays.

#include "TableroDePrueba.h"

#include "platform/browser/WebBrowser.h"
#include "platform/suite/PictureBox.h"
#include "platform/suite/base/CarpetaDeVentana.h"
#include "report/ArchivoListado.h"
#include "report/EnlaceHTML.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QUrl>

using namespace tablero;

namespace {

constexpr int kFilasPorParte = 100;

QByteArray leer(const QString& ruta)
{
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// The whole report another process wrote inside the private folder: its first page, once it is closed.
QString informeDe(const QString& privada, qint64 pid)
{
    QDirIterator it(privada, {QStringLiteral("BSC01.htm")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString ruta = it.next();
        if (ruta.contains(QStringLiteral("/p%1-").arg(pid)) && leer(ruta).trimmed().endsWith("</body></html>"))
            return ruta;
    }
    return QString();
}

} // namespace

class TstDashboardOwnPages : public TableroDePrueba {
    Q_OBJECT

    bool crearEmpresa() override
    {
        if (!empresa.crearDemo(300))
            return false;
        // Small parts, so a small company shows them.
        InstalarFabricaEscritores([] { return EscritorDeLaBiblioteca(kFilasPorParte); });
        return true;
    }

private slots:
    void otroProgramaNoTocaNuestrasPartes()
    {
        ui::ScriptedDialogs sinPreguntas;
        const QString informe = w->ArchivoInforme();
        QTRY_VERIFY_WITH_TIMEOUT(!w->Pic->isVisible() && !w->wbExplorer->Cargando(), 60000);

        // The benchmark account's movements, in parts.
        QSignalSpy cargas(w->wbExplorer, &web::WebBrowser::DownloadComplete);
        w->wbExplorer->Navigate(
            QUrl::fromLocalFile(w->CarpetaTemporal() + report::EnlaceCuenta(schema::kBenchAccount)).toString());
        QVERIFY(QTest::qWaitFor([&] { return !cargas.isEmpty() && !w->Pic->isVisible() && !w->Escribiendo(); }, 60000));
        QCOMPARE(w->FCuenta, QString::fromLatin1(schema::kBenchAccount));
        QStringList partes{informe};
        while (QFile::exists(report::RutaDeParte(informe, int(partes.size()) + 1)))
            partes << report::RutaDeParte(informe, int(partes.size()) + 1);
        QVERIFY2(partes.size() >= 3, qPrintable(QString::number(partes.size())));
        QList<QByteArray> antes;
        for (const QString& parte : partes)
            antes << leer(parte);

        // The other program on its own company, with the same temporary folder: its start-up writes a report.
        const QString otra = empresa.carpeta.filePath(QStringLiteral("otra.db"));
        QCOMPARE(QProcess::execute(qEnvironmentVariable("CONC_MAKEDB"),
                                   {QStringLiteral("--lines"), QStringLiteral("500"), QStringLiteral("--seed"),
                                    QStringLiteral("2"), otra}),
                 0);
        QProcess tablero;
        QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
        entorno.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        tablero.setProcessEnvironment(entorno);
        tablero.start(qEnvironmentVariable("CONC_TABLERO"),
                      {QStringLiteral("@Server=sqlite;@DbName=%1;@Usuario=%2;@Password=;")
                           .arg(otra, QString::fromLatin1(schema::kAdminUser))});
        QVERIFY(tablero.waitForStarted(30000));
        QString suyo;
        QVERIFY2(QTest::qWaitFor([&] { return !(suyo = informeDe(empresa.temporal, tablero.processId())).isEmpty(); },
                                 120000),
                 qPrintable(QString::fromLocal8Bit(tablero.readAllStandardError())));
        QVERIFY(QFileInfo(suyo).path() != QFileInfo(informe).path());

        // Ours as they were, every part.
        for (qsizetype i = 0; i < partes.size(); ++i)
            QVERIFY2(leer(partes.at(i)) == antes.at(i), qPrintable(partes.at(i)));

        // "Siguiente" on the first part leads, from where the window shows it, to our own second part.
        const QRegularExpressionMatch siguiente =
            QRegularExpression(QStringLiteral("HREF=\"([^\"]+)\"[^>]*>[^<]*Siguiente"), QRegularExpression::CaseInsensitiveOption)
                .match(QString::fromLatin1(antes.first()));
        QVERIFY(siguiente.hasMatch());
        const QUrl destino = QUrl(w->wbExplorer->LocationURL()).resolved(QUrl(siguiente.captured(1)));
        QCOMPARE(destino.toLocalFile(), partes.at(1));
        const qsizetype vistas = cargas.size();
        w->wbExplorer->Navigate(destino.toString());
        QVERIFY(QTest::qWaitFor([&] { return cargas.size() > vistas; }, 30000));
        QCOMPARE(QUrl(w->wbExplorer->LocationURL()).toLocalFile(), partes.at(1));
        QCOMPARE(w->StatusPanel1->text(), QStringLiteral(" Listo ..."));
        QVERIFY(leer(partes.at(1)).contains("Parte 2 de " + QByteArray::number(partes.size())));

        // The other program ends without a word (a crash): its folder stays until the next sweep, ours after it.
        const QString suCarpeta = QFileInfo(QFileInfo(suyo).path()).path();
        tablero.kill();
        QVERIFY(tablero.waitForFinished(30000));
        QVERIFY(QFileInfo(suCarpeta).isDir());
        suite::BorrarCarpetasAbandonadas(empresa.temporal);
        QVERIFY(!QFileInfo::exists(suCarpeta));
        for (qsizetype i = 0; i < partes.size(); ++i)
            QVERIFY(leer(partes.at(i)) == antes.at(i));
        QVERIFY(sinPreguntas.verifyDone());
    }
};

QTEST_MAIN(TstDashboardOwnPages)
#include "tst_dashboard_own_pages.moc"
