#pragma once
// A long read on the embedded engine without a frozen window (QueryWait.h): the query is read on a second
// connection to the same file, kept for that, on a thread of its own, while the asking thread runs the
// window's events and interrupts the engine when the operator cancels. The asking connection stays free for
// what those events ask of it. Used only by the embedded engine's backend.

#include <QByteArray>
#include <functional>

struct sqlite3;

namespace ado {

class QueryWait;

class ReadAside {
public:
    // `name` is what the reader opens: the company file, or for a read-only connection the name the asking
    // connection was opened with (with or without locks), so that the look at the file that keeps a connection
    // without locks current holds for both.
    ReadAside(QByteArray name, bool readOnly);
    // Closed while the program ends in the middle of a read aside: the engine stops it first.
    ~ReadAside();
    ReadAside(const ReadAside&) = delete;
    ReadAside& operator=(const ReadAside&) = delete;

    // The connection that reads aside, opened on first use with the program's functions and collations; it
    // never writes. nullptr when it cannot be opened: the read then runs on the asking connection.
    sqlite3* reader();
    // A read runs aside now.
    bool running() const { return m_running; }

    // Runs `read` on the reader's thread while this one lets the window's events run through `wait`; the
    // operator's cancel interrupts the engine. `read` prepares and steps on the reader and answers
    // SQLITE_DONE or the code that failed. The thread is joined however the wait ends. Raises QueryCancelled
    // for a read the cancel stopped, the engine's error for a read that failed.
    void run(const std::function<int(sqlite3*)>& read, QueryWait& wait);

private:
    QByteArray m_name;
    bool m_readOnly;
    sqlite3* m_reader = nullptr;
    bool m_failed = false;    // it could not be opened: reads stay on the asking connection
    bool m_running = false;
};

} // namespace ado
