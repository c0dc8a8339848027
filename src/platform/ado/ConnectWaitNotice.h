#pragma once
// While a connection to a server opens, the program says which server it is waiting for and lets the operator
// give up. The window that shows it lives above this layer: it installs a ConnectWaitNotice here. Without one
// the wait is silent; either way it ends at the connection's time-out.

#include <QString>

namespace ado {

// How long an opening waits quietly before the notice is shown.
inline constexpr int kConnectNoticeAfterMs = 300;

class ConnectWaitNotice {
public:
    virtual ~ConnectWaitNotice() = default;
    // Called once the opening has lasted kConnectNoticeAfterMs, then about twenty times a second while it goes
    // on. Returns false when the operator cancelled: the opening is then given up at once.
    virtual bool connecting(const QString& server, const QString& database, int elapsedMs) = 0;
    // The opening is over (open, failed, timed out or cancelled).
    virtual void finished() = 0;
};

// The notice every connection of the process uses from now on; nullptr for none. Not owned.
void SetConnectWaitNotice(ConnectWaitNotice* notice);
ConnectWaitNotice* CurrentConnectWaitNotice();

} // namespace ado
