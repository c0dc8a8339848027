// Both programs ended by the system: each is started for real, offscreen, on the demo company in a temporary
// home, and sent SIGTERM, SIGHUP or SIGINT once it has started. Each ends as its own close does: it exits by
// itself with code 0, the engine's journal is given back (nothing is left beside the company) and its run
// folders are gone; the dashboard is sent the signal once its first report is written, in a folder of its own.

#include "schema/EmpresaTemporal.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <csignal>

namespace {

struct Empresa : EmpresaTemporal {
    bool crear() { return escribirDemo(QString::fromLatin1(schema::kAdminUser)); }
};

// The run folders ("p<pid>-XXXXXX") of that process anywhere below `temporal`.
QStringList carpetasDe(const QString& temporal, qint64 pid)
{
    QStringList carpetas;
    const QRegularExpression nombre(QStringLiteral("^p%1-").arg(pid));
    QDirIterator it(temporal, QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString ruta = it.next();
        if (nombre.match(it.fileName()).hasMatch())
            carpetas << ruta;
    }
    return carpetas;
}

// A whole first report written by that process in a run folder of its own.
bool informeEscrito(const QString& temporal, qint64 pid)
{
    for (const QString& carpeta : carpetasDe(temporal, pid)) {
        QDirIterator it(carpeta, {QStringLiteral("BSC01.htm")}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile f(it.next());
            if (f.open(QIODevice::ReadOnly) && f.readAll().trimmed().endsWith("</body></html>"))
                return true;
        }
    }
    return false;
}

} // namespace

class TstAppSystemEnd : public QObject {
    Q_OBJECT

private slots:
    void endsAsItsCloseDoes_data()
    {
        QTest::addColumn<QString>("programa");
        QTest::addColumn<int>("senal");
        for (const char* programa : {"CONC_CONCCUENTAS", "CONC_TABLERO"}) {
            for (const auto& [nombre, senal] : {std::pair{"SIGTERM", SIGTERM}, {"SIGHUP", SIGHUP}, {"SIGINT", SIGINT}})
                QTest::addRow("%s %s", programa, nombre) << QString::fromLatin1(programa) << senal;
        }
    }
    void endsAsItsCloseDoes()
    {
        QFETCH(QString, programa);
        QFETCH(int, senal);
        const bool tablero = programa == QLatin1String("CONC_TABLERO");
        Empresa empresa;
        QVERIFY(empresa.crear());
        const QString temporal = empresa.carpeta.filePath(QStringLiteral("temp"));
        QVERIFY(QDir().mkpath(temporal));

        const QString diario = empresa.archivo + QStringLiteral("-wal");
        QVERIFY(!QFileInfo::exists(diario));

        QProcess proceso;
        QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
        entorno.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        entorno.insert(QStringLiteral("CONCCUENTAS_HOME"), empresa.carpeta.path());
        entorno.insert(QStringLiteral("TEMP"), temporal);
        proceso.setProcessEnvironment(entorno);
        proceso.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        proceso.start(qEnvironmentVariable(qPrintable(programa)), {empresa.lanzamiento});
        QVERIFY(proceso.waitForStarted(30000));
        const qint64 pid = proceso.processId();
        // Up: the company open (the engine's files beside it), and the dashboard's first report written. Each
        // program takes the signals before it opens the company.
        const bool arriba = QTest::qWaitFor(
            [&] {
                return proceso.state() == QProcess::Running && QFileInfo::exists(diario)
                       && (!tablero || informeEscrito(temporal, pid));
            },
            120000);
        if (!arriba) {
            proceso.kill();
            proceso.waitForFinished(30000);
        }
        QVERIFY(arriba);

        QCOMPARE(::kill(pid_t(pid), senal), 0);
        QVERIFY(proceso.waitForFinished(60000));
        QCOMPARE(proceso.exitStatus(), QProcess::NormalExit);
        QCOMPARE(proceso.exitCode(), 0);
        QVERIFY2(!QFileInfo::exists(diario), qPrintable(diario));
        QVERIFY(!QFileInfo::exists(empresa.archivo + QStringLiteral("-shm")));
        QCOMPARE(carpetasDe(temporal, pid), QStringList());
    }
};

QTEST_GUILESS_MAIN(TstAppSystemEnd)
#include "tst_app_system_end.moc"
