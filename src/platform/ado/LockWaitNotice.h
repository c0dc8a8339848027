#pragma once
// While a statement on the embedded engine waits for another station's write lock, the program says so and
// lets the operator give up. The window that shows it lives above this layer: it installs a LockWaitNotice
// here. Without one the wait is silent, up to kLockWaitLimitMs.

namespace ado {

// How long a statement waits for another station before it is given up as "database is locked".
inline constexpr int kLockWaitLimitMs = 360000;
// How long it waits quietly before the notice is shown.
inline constexpr int kLockWaitNoticeAfterMs = 1000;

class LockWaitNotice {
public:
    virtual ~LockWaitNotice() = default;
    // Called once the wait has lasted kLockWaitNoticeAfterMs, then about ten times a second while it
    // goes on, so the notice can show itself and read its cancel. Returns false when the operator
    // cancelled: the statement then fails, and the open transaction is rolled back.
    // It must not use the database connection that waits.
    virtual bool waiting(int elapsedMs) = 0;
    // The wait is over (the lock came free, or it was cancelled or timed out).
    virtual void finished() = 0;
};

// The notice every connection of the process uses from now on; nullptr for none. Not owned.
void SetLockWaitNotice(LockWaitNotice* notice);
LockWaitNotice* CurrentLockWaitNotice();

} // namespace ado
