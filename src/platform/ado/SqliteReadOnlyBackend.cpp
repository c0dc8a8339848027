// A company that this user cannot write, read as it is when asked. Read-only, the engine can use its journal
// only while the journal's files stand beside the file (it cannot make them), so while nobody has the file
// open it reads without locks ("immutable"), on the promise that nobody writes it. That promise lasts only
// as long as nobody opens the file: each read here is bracketed by a look at the file (FileSnapshot.h), and
// a read during which it changed, or that follows a change, is made again on a connection opened anew, which
// reads through the writer's journal whenever one stands beside the file.

#include "SqliteOpening.h"
#include "platform/sqlite/EngineLocks.h"
#include "platform/sqlite/FileSnapshot.h"

#include <sqlite3.h>

namespace ado {

namespace {

class CurrentReadOnlyBackend final : public Backend {
public:
    CurrentReadOnlyBackend(QString file, QString reason) : m_file(std::move(file)), m_reason(std::move(reason))
    {
        reopen();
    }

    BackendKind kind() const override { return BackendKind::Sqlite; }

    qint64 execute(const QString& sql) override
    {
        return read([&] { return m_engine->execute(sql); });
    }
    RowSet query(const QString& sql) override
    {
        return read([&] { return m_engine->query(sql); });
    }
    StoredRows queryStored(const QString& sql, QueryWait* wait) override
    {
        return read([&] { return m_engine->queryStored(sql, wait); });
    }
    qint64 executeBound(const QString& sql, const QVector<Variant>& values) override
    {
        return read([&] { return m_engine->executeBound(sql, values); });
    }
    RowSet queryBound(const QString& sql, const QVector<Variant>& values) override
    {
        return read([&] { return m_engine->queryBound(sql, values); });
    }

    // A transaction only writes, and writing fails on this connection as the engine says.
    void beginTransaction() override { m_engine->beginTransaction(); }
    void commitTransaction() override { m_engine->commitTransaction(); }
    void rollbackTransaction() override { m_engine->rollbackTransaction(); }
    bool inTransaction() const override { return m_engine->inTransaction(); }

    QStringList tableNames() override
    {
        return read([&] { return m_engine->tableNames(); });
    }
    QStringList columnNames(const QString& table) override
    {
        return read([&] { return m_engine->columnNames(table); });
    }
    QStringList primaryKey(const QString& table) override
    {
        return read([&] { return m_engine->primaryKey(table); });
    }
    QString quoteName(const QString& name) const override { return m_engine->quoteName(name); }

    // One file is one database, and it is never written here: neither changes anything on the engine.
    void useDatabase(const QString& name) override { m_engine->useDatabase(name); }
    void setReadUncommitted(bool on) override { m_engine->setReadUncommitted(on); }

    QSqlDatabase database() const override { return m_engine->database(); }
    QString readOnlyReason() const override { return m_reason; }
    void close() noexcept override { m_engine->close(); }

private:
    // A connection with locks reads what is committed when it reads. One without them reads what was
    // there when it opened, and is trusted only while the file looks as it did then.
    template <class Read>
    auto read(Read&& readIt) -> decltype(readIt())
    {
        // A read asked for by an event handled while another read waits (a report read aside lets the window's
        // events run) must not replace the connection that read is still on: it reads as things stand.
        if (m_reading)
            return readIt();
        struct Reading {
            bool& flag;
            explicit Reading(bool& f) : flag(f) { flag = true; }
            ~Reading() { flag = false; }
        } reading(m_reading);
        constexpr int kTries = 5;
        for (int attempt = 1;; ++attempt) {
            if (m_withoutLocks && sqlcompat::SnapshotOf(m_file) != m_opened)
                reopen();
            if (!m_withoutLocks)
                return readIt();
            try {
                auto result = readIt();
                if (attempt == kTries || sqlcompat::SnapshotOf(m_file) == m_opened)
                    return result;
            } catch (const Error&) {
                // A page the writer was copying in as it was read; anything else fails again as it did.
                if (attempt == kTries || sqlcompat::SnapshotOf(m_file) == m_opened)
                    throw;
            }
        }
    }

    // By the company's name, as it was opened: while the journal beside that name serves a file moved away
    // from it (another file now at the name), nothing of the file at the name can be read as it is.
    void reopen()
    {
        const sqlcompat::FileSnapshot seen = sqlcompat::SnapshotOf(m_file);
        if (const QString elsewhere = sqlcompat::JournalOfAnotherFile(m_file); !elsewhere.isEmpty())
            throw Error(kErrOther, elsewhere, QStringLiteral("SQLite"), QStringLiteral("08001"), SQLITE_CANTOPEN);
        std::unique_ptr<Backend> engine = OpenSqliteEngine(m_file, m_reason);
        engine->log = [this](const QString& sql) { logText(sql); };
        m_withoutLocks = engine->database().databaseName().contains(QLatin1String("immutable=1"));
        m_opened = seen;
        m_engine = std::move(engine);
    }

    QString m_file;
    QString m_reason;
    std::unique_ptr<Backend> m_engine;
    sqlcompat::FileSnapshot m_opened;   // the file as it was when the connection without locks opened
    bool m_withoutLocks = false;
    bool m_reading = false;             // a read is under way on m_engine
};

} // namespace

std::unique_ptr<Backend> OpenCurrentReadOnly(const QString& file, const QString& readOnlyReason)
{
    return std::make_unique<CurrentReadOnlyBackend>(file, readOnlyReason);
}

} // namespace ado
