// The resident memory of this process together with every process it started (QtWebEngine's page processes
// among them), from Linux /proc. A sampler on a thread of its own keeps the peak of the sum, so a long step that
// runs no events (a query read whole) is sampled too.
#pragma once

#include <atomic>
#include <thread>
#include <vector>

namespace bench {

// A "Key:   1234 kB" line of /proc/<pid>/status, in KiB; 0 when the process or the key is not there.
double statusKiB(int pid, const char* key);
// This process's descendants (children, their children...).
std::vector<int> descendants(int pid);
// VmRSS of this process plus that of each descendant, in MiB.
double treeResidentMiB();

class ProcessTreeSampler {
public:
    explicit ProcessTreeSampler(int intervalMs = 10);
    ~ProcessTreeSampler();
    ProcessTreeSampler(const ProcessTreeSampler&) = delete;
    ProcessTreeSampler& operator=(const ProcessTreeSampler&) = delete;

    // The highest sum sampled since the sampler started.
    double peakMiB() const { return m_peak.load(); }

private:
    std::atomic<bool> m_stop{false};
    std::atomic<double> m_peak{0};
    std::thread m_thread;
};

} // namespace bench
