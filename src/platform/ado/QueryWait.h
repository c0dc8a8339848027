#pragma once
// A long read on the embedded engine without a frozen window: while a QueryWait is installed, a query of the
// embedded engine is read on a connection of its own on another thread, and the thread that asked waits for it
// letting the window's events run, so the window paints, and a cancel stops the engine at once. The window
// that waits lives above this layer: it installs the QueryWait for the reads it can cancel (a report's).
//
// Reads run so only outside a transaction (they see what is committed, as the asking connection does then);
// a read asked for while one is already running aside runs on the asking connection as usual. The ODBC road
// has no cancel: its reads run as always, and the window waits without events.

namespace ado {

class QueryWait {
public:
    virtual ~QueryWait() = default;
    // Called about every 30 ms while the read goes on, on the thread that asked for it; lets the window's
    // events run. Returns false when the operator cancelled: the engine stops reading and the query raises
    // QueryCancelled. It may use the asking connection (the read does not).
    virtual bool waiting(int elapsedMs) = 0;
};

// Raised by a read cancelled through its QueryWait: not a failure of the database, nothing to report.
struct QueryCancelled {};

// Installs a wait for the reads of this scope on every connection of the process; the one before it comes back
// at the end of the scope.
class QueryWaitScope {
public:
    explicit QueryWaitScope(QueryWait* wait);
    ~QueryWaitScope();
    QueryWaitScope(const QueryWaitScope&) = delete;
    QueryWaitScope& operator=(const QueryWaitScope&) = delete;

private:
    QueryWait* m_before;
};

// The wait installed now; nullptr for none.
QueryWait* CurrentQueryWait();

} // namespace ado
