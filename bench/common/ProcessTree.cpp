// The memory of a process tree from /proc: each task's "children" list, each process's VmRSS.
#include "common/ProcessTree.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <chrono>
#include <unistd.h>

namespace bench {
namespace {

void gather(int pid, std::vector<int>& out)
{
    const QStringList tasks = QDir(QStringLiteral("/proc/%1/task").arg(pid)).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& task : tasks) {
        QFile f(QStringLiteral("/proc/%1/task/%2/children").arg(pid).arg(task));
        if (!f.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray& child : f.readAll().split(' ')) {
            bool ok = false;
            const int c = child.trimmed().toInt(&ok);
            if (ok && c > 0) {
                out.push_back(c);
                gather(c, out);
            }
        }
    }
}

} // namespace

double statusKiB(int pid, const char* key)
{
    QFile f(QStringLiteral("/proc/%1/status").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return 0;   // ended meanwhile
    const QByteArray prefix = QByteArray(key) + ':';
    for (const QByteArray& line : f.readAll().split('\n')) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').value(0).toDouble();
    }
    return 0;
}

std::vector<int> descendants(int pid)
{
    std::vector<int> out;
    gather(pid, out);
    return out;
}

double treeResidentMiB()
{
    const int self = int(getpid());
    double kib = statusKiB(self, "VmRSS");
    for (int pid : descendants(self))
        kib += statusKiB(pid, "VmRSS");
    return kib / 1024.0;
}

ProcessTreeSampler::ProcessTreeSampler(int intervalMs)
{
    m_peak = treeResidentMiB();
    m_thread = std::thread([this, intervalMs] {
        while (!m_stop.load()) {
            const double now = treeResidentMiB();
            if (now > m_peak.load())
                m_peak = now;
            std::this_thread::sleep_for(std::chrono::milliseconds(intervalMs));
        }
    });
}

ProcessTreeSampler::~ProcessTreeSampler()
{
    m_stop = true;
    m_thread.join();
}

} // namespace bench
