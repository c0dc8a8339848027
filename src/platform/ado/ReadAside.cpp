// The read aside of the embedded engine: its connection, and the thread a read runs on while the asking one
// waits.

#include "ReadAside.h"

#include "ErrorMapping.h"
#include "QueryWait.h"
#include "platform/sqlite/EngineFailure.h"
#include "platform/sqlite/EngineLocks.h"
#include "platform/sqlite/TsqlCompat.h"

#include <QElapsedTimer>
#include <QString>
#include <sqlite3.h>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>
#include <utility>

namespace ado {

ReadAside::ReadAside(QByteArray name, bool readOnly) : m_name(std::move(name)), m_readOnly(readOnly) {}

void ReadAside::close() noexcept
{
    if (!m_reader)
        return;
    // The reader is closed only once its thread is done with it.
    if (m_worker.joinable()) {
        sqlite3_interrupt(m_reader);
        m_worker.join();
        m_closedWhileReading = true;
    }
    sqlite3_close_v2(m_reader);
    m_reader = nullptr;
    m_failed = true;
}

sqlite3* ReadAside::reader(sqlite3* asking)
{
    if (m_reader || m_failed)
        return m_reader;
    const int flags = m_readOnly ? SQLITE_OPEN_READONLY | SQLITE_OPEN_URI : SQLITE_OPEN_READWRITE;
    sqlite3* reader = nullptr;
    if (sqlite3_open_v2(m_name.constData(), &reader, flags, nullptr) == SQLITE_OK
        && !sqlcompat::NameLeftTheFile(asking) && sqlcompat::InstallForReading(reader)
        && sqlite3_exec(reader, "PRAGMA query_only=1", nullptr, nullptr, nullptr) == SQLITE_OK) {
        m_reader = reader;
        return m_reader;
    }
    sqlite3_close_v2(reader);
    m_failed = true;
    return nullptr;
}

void ReadAside::run(const std::function<int(sqlite3*)>& read, QueryWait& wait)
{
    sqlite3* reader = m_reader;
    struct Outcome {
        int code = SQLITE_OK;   // the reader's extended code when the read failed
        QString message;
        int systemErrno = 0;
        std::exception_ptr error;
    } outcome;
    std::mutex mutex;
    std::condition_variable ended;
    bool done = false;
    const auto work = [&] {
        try {
            if (read(reader) != SQLITE_DONE) {
                outcome.code = sqlite3_extended_errcode(reader);
                outcome.message = QString::fromUtf8(sqlite3_errmsg(reader));
                outcome.systemErrno = sqlcompat::SystemErrorOf(reader);
            }
        } catch (...) {
            outcome.error = std::current_exception();
        }
        const std::lock_guard<std::mutex> lock(mutex);
        done = true;
        ended.notify_one();
    };
    // The reader, while it is open: an event of the wait may close it (close()).
    const auto interrupt = [this] {
        if (m_reader)
            sqlite3_interrupt(m_reader);
    };
    const auto joined = [this] {
        if (m_worker.joinable())
            m_worker.join();
        m_running = false;
        return !std::exchange(m_closedWhileReading, false);
    };
    m_running = true;
    m_worker = std::thread(work);
    bool cancelled = false;
    QElapsedTimer clock;
    clock.start();
    try {
        for (;;) {
            {
                std::unique_lock<std::mutex> lock(mutex);
                if (ended.wait_for(lock, std::chrono::milliseconds(30), [&] { return done; }))
                    break;
            }
            if (!cancelled && !wait.waiting(int(clock.elapsed()))) {
                cancelled = true;
                interrupt();
            }
        }
    } catch (...) {
        // The window's events ended the wait (the program is ending): the read is stopped first.
        interrupt();
        joined();
        throw;
    }
    if (!joined())
        throw QueryCancelled{};   // the connection was closed meanwhile: what was read is not whole
    if (outcome.error)
        std::rethrow_exception(outcome.error);
    if (outcome.code != SQLITE_OK) {
        if (cancelled && (outcome.code & 0xff) == SQLITE_INTERRUPT)
            throw QueryCancelled{};
        throw SqliteError(outcome.code, outcome.message, outcome.systemErrno);
    }
    // Cancelled once every row was read already: the rows stand.
}

} // namespace ado
