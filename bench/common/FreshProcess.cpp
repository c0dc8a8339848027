// Fresh-process runs of a benchmark figure and the peak resident size above an idle mark (Linux /proc).
#include "common/FreshProcess.h"

#include "common/ProcessTree.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTextStream>
#include <algorithm>
#include <cstdio>
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
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(), arguments);
        if (!child.waitForFinished(-1) || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0) {
            std::fprintf(stderr, "run %d of %s failed (exit %d)\n", i + 1, qPrintable(arguments.join(' ')),
                         child.exitCode());
            continue;
        }
        for (const QByteArray& line : child.readAllStandardOutput().split('\n')) {
            if (!line.startsWith("figure "))
                continue;
            const QByteArray body = line.mid(7);
            const int eq = body.indexOf('=');
            if (eq > 0)
                figures[QString::fromUtf8(body.left(eq))].values.push_back(body.mid(eq + 1).toDouble());
        }
    }
    return figures;
}

QString firstAndMedian(const Runs& runs, int decimals)
{
    return QStringLiteral("first %1 / median %2")
        .arg(runs.first(), 0, 'f', decimals)
        .arg(runs.median(), 0, 'f', decimals);
}

} // namespace bench
