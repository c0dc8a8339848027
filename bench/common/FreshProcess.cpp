// Fresh-process runs of a benchmark figure and the peak resident size above an idle mark (Linux /proc).
#include "common/FreshProcess.h"

#include "common/ProcessTree.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <unistd.h>

namespace bench {
namespace {

double idleKiB = 0;

// One "Vm...:   1234 kB" line of this process's status, in KiB.
double statusKiB(const char* key)
{
    return bench::statusKiB(int(getpid()), key);
}

} // namespace

Fallo::Fallo(const QString& porque) : std::runtime_error(porque.toStdString()) {}

void Exigir(bool cumple, const QString& porque)
{
    if (!cumple)
        throw Fallo(porque);
}

int Principal(const std::function<int()>& principal)
{
    try {
        return principal();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench FAILED, no figure for it: %s\n", e.what());
    } catch (...) {
        std::fprintf(stderr, "bench FAILED, no figure for it: an unknown exception\n");
    }
    std::fflush(stderr);
    return 1;
}

bool ModoPequeno(const QStringList& argumentos)
{
    return argumentos.contains(QStringLiteral("--small"));
}

void markIdle()
{
    // Writing 5 to clear_refs resets VmHWM to the current resident size (Linux 4.0 and later).
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
    idleKiB = statusKiB("VmRSS");
}

double peakMiB() { return statusKiB("VmHWM") / 1024.0; }

double peakAboveIdleMiB() { return (statusKiB("VmHWM") - idleKiB) / 1024.0; }

double cpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

void report(const QString& name, double value)
{
    std::printf("figure %s=%.6f\n", qPrintable(name), value);
    std::fflush(stdout);
}

double Runs::first() const { return values.empty() ? 0 : values.front(); }

double Runs::median() const
{
    if (values.empty())
        return 0;
    std::vector<double> v = values;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

QMap<QString, Runs> runFresh(const QStringList& arguments, int runs)
{
    QMap<QString, Runs> figures;
    for (int i = 0; i < runs; ++i) {
        const QString run = QStringLiteral("run %1 of %2").arg(i + 1).arg(arguments.join(QLatin1Char(' ')));
        // The child's temporary files, whatever it leaves when it aborts, go with this folder.
        QTemporaryDir temporal;
        Exigir(temporal.isValid(), run + QStringLiteral(": no temporary folder"));
        QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
        entorno.insert(QStringLiteral("TMPDIR"), temporal.path());
        QProcess child;
        child.setProcessEnvironment(entorno);
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(), arguments);
        const bool ended = child.waitForFinished(-1);
        Exigir(ended && child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0,
               run + QStringLiteral(" failed (%1)")
                         .arg(child.exitStatus() == QProcess::NormalExit ? QStringLiteral("exit %1").arg(child.exitCode())
                                                                         : QStringLiteral("crashed")));
        int found = 0;
        for (const QByteArray& line : child.readAllStandardOutput().split('\n')) {
            if (!line.startsWith("figure "))
                continue;
            const QByteArray body = line.mid(7);
            const int eq = body.indexOf('=');
            if (eq > 0) {
                figures[QString::fromUtf8(body.left(eq))].values.push_back(body.mid(eq + 1).toDouble());
                ++found;
            }
        }
        Exigir(found > 0, run + QStringLiteral(" printed no figure"));
    }
    return figures;
}

const Runs& Figura(const QMap<QString, Runs>& figuras, const QString& nombre)
{
    const auto it = figuras.constFind(nombre);
    Exigir(it != figuras.constEnd() && !it->values.empty(), QStringLiteral("no figure %1 was measured").arg(nombre));
    return *it;
}

QString firstAndMedian(const Runs& runs, int decimals)
{
    return QStringLiteral("first %1 / median %2")
        .arg(runs.first(), 0, 'f', decimals)
        .arg(runs.median(), 0, 'f', decimals);
}

} // namespace bench
