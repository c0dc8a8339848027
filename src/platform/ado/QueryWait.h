#pragma once
// A long read on the embedded engine without a frozen window: a read handed a QueryWait is read on a connection
// of its own on another thread (ReadAside.h), and the thread that asked waits for it letting the window's events
// run, so the window paints, and a cancel stops the engine at once. The wait belongs to the read it governs: the
// window that can cancel a read hands its wait to the recordset that reads (Recordset::setQueryWait), which hands
// it to the connection's read (Connection::QueryStored); no other read waits on it.
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
    // QueryCancelled. It may use the asking connection (the read does not), and may close it: the read then
    // stops and raises QueryCancelled too.
    virtual bool waiting(int elapsedMs) = 0;
};

// Raised by a read cancelled through its QueryWait, or stopped by a close of its connection: not a failure of
// the database, nothing to report.
struct QueryCancelled {};

} // namespace ado
