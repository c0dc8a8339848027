// The system's end of the program, turned from a signal into an event.

#include "SystemEnd.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QtGlobal>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace ui {

namespace {

int gPipe[2] = {-1, -1};

void noteSignal(int)
{
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(gPipe[1], &byte, 1);   // a full pipe already says it
    errno = saved;
}

} // namespace

void OnSystemEnd(std::function<void()> close)
{
    if (gPipe[0] < 0 && ::pipe2(gPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        qWarning("No pipe for the system's signals: the program ends on them without its close.");
        return;
    }
    auto* notifier = new QSocketNotifier(gPipe[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [notifier, close = std::move(close)] {
        char bytes[64];
        while (::read(gPipe[0], bytes, sizeof bytes) > 0) {
        }
        // Once: a second signal while the close runs changes nothing.
        notifier->setEnabled(false);
        close();
    });
    struct sigaction action = {};
    action.sa_handler = noteSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGTERM, SIGHUP, SIGINT}) {
        struct sigaction before = {};
        if (::sigaction(signal, nullptr, &before) == 0 && before.sa_handler == SIG_IGN)
            continue;
        ::sigaction(signal, &action, nullptr);
    }
}

} // namespace ui
