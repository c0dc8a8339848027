#pragma once
// A long read on the embedded engine without a frozen window (QueryWait.h): the query is read on a second
// connection to the same file, kept for that, on a thread of its own, while the asking thread runs the
// window's events and interrupts the engine when the operator cancels. The asking connection stays free for
// what those events ask of it. Used only by the embedded engine's backend.
//
// Those events may close the connection (the program's close, run from the window while a report is read):
// the close stops the read and waits for its thread before the reader closes, and the read then ends as
// cancelled.

#include <QByteArray>
#include <functional>
#include <thread>

struct sqlite3;

namespace ado {

class QueryWait;

class ReadAside {
public:
    // `name` is what the reader opens: the company file, or for a read-only connection the name the asking
    // connection was opened with (with or without locks), so that the look at the file that keeps a connection
    // without locks current holds for both.
    ReadAside(QByteArray name, bool readOnly);
    ~ReadAside() { close(); }
    ReadAside(const ReadAside&) = delete;
    ReadAside& operator=(const ReadAside&) = delete;

    // The connection that reads aside, opened on first use with the program's functions and collations; it
    // never writes. nullptr when it cannot be opened: the read then runs on the asking connection. It opens the
    // file by its name: once the name has left the file of `asking`, it would be on another one, through the
    // journal `asking` uses, and its close would copy that journal into the wrong file. Looked at once it is
    // open, before it reads.
    sqlite3* reader(sqlite3* asking);
    // A read runs aside now.
    bool running() const { return m_running; }
    // Stops a read running aside, waits for its thread to end, and closes the reader; no read goes aside after.
    // Called from the wait's events, the read's own call ends as cancelled.
    void close() noexcept;

    // Runs `read` on the reader's thread while this one lets the window's events run through `wait`; the
    // operator's cancel interrupts the engine. `read` prepares and steps on the reader and answers
    // SQLITE_DONE or the code that failed. The thread is joined however the wait ends. Raises QueryCancelled
    // for a read the cancel or a close stopped, the engine's error for a read that failed.
    void run(const std::function<int(sqlite3*)>& read, QueryWait& wait);

private:
    QByteArray m_name;
    bool m_readOnly;
    sqlite3* m_reader = nullptr;
    bool m_failed = false;    // it could not be opened: reads stay on the asking connection
    bool m_running = false;
    std::thread m_worker;     // the thread of the read running aside
    bool m_closedWhileReading = false;
};

} // namespace ado
