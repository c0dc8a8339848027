// The embedded engine: opened through QSQLITE (with the T-SQL compatibility installed on it), driven
// through SQLite's own API on the same handle. The API gives what QSqlQuery hides: the declared type of
// each result column (dates and amounts), doubles at full precision, extended error codes, and reading
// every row without a QVariant per cell.
//
// While a QueryWait is installed (QueryWait.h), a query is read on a second connection to the same file, kept
// for that, on a thread of its own: the asking thread runs the window's events meanwhile and interrupts the
// engine when the operator cancels. The asking connection stays free for what those events ask of it.

#include "Backend.h"
#include "ColumnType.h"
#include "DateText.h"
#include "ErrorMapping.h"
#include "LockWaitNotice.h"
#include "PreparedCache.h"
#include "QueryWait.h"
#include "SelectTable.h"
#include "SqliteCells.h"
#include "SqliteOpening.h"
#include "StoredCells.h"
#include "VariantRows.h"
#include "platform/sqlite/CompanyFileName.h"
#include "platform/sqlite/EngineFailure.h"
#include "platform/sqlite/EngineLocks.h"
#include "platform/sqlite/FileCheck.h"
#include "platform/sqlite/LiteralParameters.h"
#include "platform/sqlite/SqlTokens.h"
#include "platform/sqlite/TsqlCompat.h"

#include <QElapsedTimer>
#include <QSqlDriver>
#include <QVarLengthArray>
#include <sqlite3.h>
#include <array>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>
#include <limits>
#include <string_view>
#include <utility>

namespace ado {

namespace {

class Statement {
public:
    Statement() = default;
    ~Statement() { sqlite3_finalize(m_stmt); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    sqlite3_stmt** out() { return &m_stmt; }
    sqlite3_stmt* get() const { return m_stmt; }

private:
    sqlite3_stmt* m_stmt = nullptr;
};

bool startsWithWord(const char* sql, const char* word)
{
    while (*sql == ' ' || *sql == '\t' || *sql == '\r' || *sql == '\n' || *sql == '(')
        ++sql;
    const size_t n = strlen(word);
    return sqlite3_strnicmp(sql, word, int(n)) == 0;
}

bool startsWithWord(QStringView sql, QLatin1String word)
{
    qsizetype i = 0;
    while (i < sql.size() && sql[i].isSpace())
        ++i;
    return sql.mid(i).startsWith(word, Qt::CaseInsensitive);
}

// Appends the UTF-8 form of `text` within the room already reserved; plain ASCII, the usual case, is
// narrowed in place.
void AppendUtf8(const QString& text, QByteArray* out)
{
    const qsizetype at = out->size();
    out->resize(at + text.size());
    char* to = out->data() + at;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c >= 0x80) {
            out->resize(at);
            out->append(text.toUtf8());
            return;
        }
        to[i] = char(c);
    }
}

bool changesRows(sqlite3_stmt* st)
{
    const char* sql = sqlite3_sql(st);
    return startsWithWord(sql, "INSERT") || startsWithWord(sql, "UPDATE") || startsWithWord(sql, "DELETE")
        || startsWithWord(sql, "REPLACE");
}

class SqliteBackend final : public Backend {
public:
    SqliteBackend(QString name, QSqlDatabase db, sqlite3* handle, QString file, QString readOnlyReason)
        : m_name(std::move(name))
        , m_db(std::move(db))
        , m_h(handle)
        , m_file(std::move(file))
        , m_readOnlyReason(std::move(readOnlyReason))
    {
        // Replaces the plain busy timeout: the wait is the same, but it can be seen and cancelled.
        sqlite3_busy_handler(m_h, &SqliteBackend::onBusy, this);
        // A journal emptied by a checkpoint is cut down to this size when it is next written from its start,
        // even when it could not be cut at once (another station was reading it).
        if (m_readOnlyReason.isEmpty())
            sqlite3_exec(m_h, "PRAGMA journal_size_limit = 67108864", nullptr, nullptr, nullptr);
    }

    ~SqliteBackend() override
    {
        m_prepared.clear();   // every statement is finalized before the file closes
        if (m_reader) {
            // Closed while the program ends in the middle of a read aside: the engine stops it first.
            if (m_readingAside)
                sqlite3_interrupt(m_reader);
            sqlite3_close_v2(m_reader);
        }
        // The last connection to the company removes the journal as it closes; while another one stays open
        // the journal stays, as small as this one can leave it.
        trimJournal();
        sqlite3_busy_handler(m_h, nullptr, nullptr);
        sqlcompat::SaveJournalOfMovedFile(m_h);
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
    }

    BackendKind kind() const override { return BackendKind::Sqlite; }

    qint64 execute(const QString& sql) override
    {
        // An INSERT or UPDATE of literals runs as its shape with the literals bound: the shape is rewritten
        // and prepared once, when it first comes, and each text after it is read only once.
        if (startsWithWord(sql, QLatin1String("INSERT")) || startsWithWord(sql, QLatin1String("UPDATE"))) {
            if (sqlcompat::Parameterize(sql, &m_shape))
                return runShape(sql);
        }
        qint64 affected = -1;
        for (const QString& part : sqlcompat::SplitAndRewrite(sql)) {
            run(part, [&](sqlite3_stmt* st) {
                if (startsWithWord(sqlite3_sql(st), "ROLLBACK") && rollbackAlreadyDone())
                    return;
                if (startsWithWord(sqlite3_sql(st), "BEGIN"))
                    m_endedByFailure = false;
                stepToEnd(st);
                if (changesRows(st))
                    affected = sqlite3_changes64(m_h);
            });
        }
        return affected;
    }

    // A query runs exactly one statement, and only one that reads: a text that would also change something
    // (a batch with a DELETE after the SELECT, an UPDATE) is refused before anything runs.
    RowSet query(const QString& sql) override
    {
        RowSet result;
        readQuery(sql, &result.table, &result.fields, sqliterows::VariantRows(&result));
        return result;
    }

    StoredRows queryStored(const QString& sql) override
    {
        StoredRows result;
        readQuery(sql, &result.table, &result.fields, sqliterows::StoredCells(&result.rows));
        return result;
    }

    qint64 executeBound(const QString& sql, const QVector<Variant>& values) override
    {
        const std::shared_ptr<Statement> st = boundStatement(sql, values);
        const Resetting reset{st->get()};
        stepToEnd(st->get());
        return changesRows(st->get()) ? sqlite3_changes64(m_h) : -1;
    }

    RowSet queryBound(const QString& sql, const QVector<Variant>& values) override
    {
        const std::shared_ptr<Statement> st = boundStatement(sql, values);
        const Resetting reset{st->get()};
        RowSet result;
        readAll(st->get(), &result.fields, sqliterows::VariantRows(&result));
        result.table = SingleTableOf(sql);
        return result;
    }

    // Every transaction of the program is a write transaction: it takes the write lock at once, so it
    // waits for another station's writer here rather than failing at its first write.
    void beginTransaction() override
    {
        m_endedByFailure = false;
        run(QString::fromLatin1(sqlcompat::kBeginWriteTransaction), stepToEndOf());
    }
    void commitTransaction() override { run(QStringLiteral("COMMIT"), stepToEndOf()); }
    void rollbackTransaction() override
    {
        if (!rollbackAlreadyDone())
            run(QStringLiteral("ROLLBACK"), stepToEndOf());
    }
    bool inTransaction() const override { return sqlite3_get_autocommit(m_h) == 0; }

    QStringList tableNames() override
    {
        return firstColumn(QStringLiteral("SELECT name FROM sqlite_master WHERE type IN ('table', 'view') "
                                          "AND name NOT LIKE 'sqlite!_%' ESCAPE '!' ORDER BY name"),
                           {});
    }

    QStringList columnNames(const QString& table) override
    {
        return firstColumn(QStringLiteral("SELECT name FROM pragma_table_info(?) ORDER BY cid"), {table});
    }

    QStringList primaryKey(const QString& table) override
    {
        return firstColumn(QStringLiteral("SELECT name FROM pragma_table_info(?) WHERE pk > 0 ORDER BY pk"),
                           {table});
    }

    QString quoteName(const QString& name) const override
    {
        QString n = name;
        n.replace(QLatin1Char('"'), QLatin1String("\"\""));
        return QLatin1Char('"') + n + QLatin1Char('"');
    }

    void useDatabase(const QString&) override {}        // one file is one database
    void setReadUncommitted(bool) override {}           // one writer at a time; readers never block it

    QSqlDatabase database() const override { return m_db; }
    QString readOnlyReason() const override { return m_readOnlyReason; }

    // A truncating checkpoint, with the busy handler off so that it never waits: should another connection be
    // writing or reading an older state, the engine copies what it can, leaves the journal as it is and
    // answers busy.
    bool trimJournal() noexcept override
    {
        if (!m_readOnlyReason.isEmpty() || !sqlite3_get_autocommit(m_h))
            return false;
        sqlite3_busy_handler(m_h, nullptr, nullptr);
        const int rc = sqlite3_wal_checkpoint_v2(m_h, nullptr, SQLITE_CHECKPOINT_TRUNCATE, nullptr, nullptr);
        sqlite3_busy_handler(m_h, &SqliteBackend::onBusy, this);
        return rc == SQLITE_OK;
    }

private:
    // A failure while waiting for another station's lock, a full disk (or the file-size limit reached) and a
    // disk error also end the open transaction, so that nothing of it is left half written (the engine itself
    // may have undone all of it or only the last statement); the caller's own ROLLBACK that follows is then let
    // through quietly.
    [[noreturn]] void fail()
    {
        const int code = sqlite3_extended_errcode(m_h);
        const int systemErrno = sqlcompat::SystemErrorOf(m_h);
        const QString message = QString::fromUtf8(sqlite3_errmsg(m_h));
        const bool busy = (code & 0xff) == SQLITE_BUSY;
        const sqlcompat::EngineFailure failure = sqlcompat::FailureOf(code, systemErrno);
        if (busy || failure == sqlcompat::EngineFailure::DiskFull || failure == sqlcompat::EngineFailure::DiskError) {
            const bool cancelled = busy && std::exchange(m_waitCancelled, false);
            if (busy)
                endNotice();
            if (!sqlite3_get_autocommit(m_h))
                sqlite3_exec(m_h, "ROLLBACK", nullptr, nullptr, nullptr);
            m_endedByFailure = true;
            if (cancelled)
                throw Error(kErrOther,
                            QStringLiteral("Se canceló la espera: otra estación estaba grabando en la base de datos. "
                                           "La operación no se hizo y no se grabó nada de ella."),
                            QStringLiteral("SQLite"), QStringLiteral("HYT00"), code);
        }
        throw SqliteError(code, message, systemErrno);
    }

    static int onBusy(void* self, int count) { return static_cast<SqliteBackend*>(self)->keepWaiting(count); }

    // Called by the engine while another connection holds the lock: 1 to try again, 0 to give up.
    int keepWaiting(int count)
    {
        if (count == 0) {
            m_waitClock.start();
            m_waitCancelled = false;
        }
        const qint64 elapsed = m_waitClock.elapsed();
        if (elapsed >= kLockWaitLimitMs)
            return 0;
        if (elapsed >= kLockWaitNoticeAfterMs) {
            if (LockWaitNotice* notice = CurrentLockWaitNotice()) {
                m_notice = notice;
                if (!notice->waiting(int(elapsed))) {
                    m_waitCancelled = true;
                    return 0;
                }
            }
        }
        sqlite3_sleep(count < 4 ? 1 : count < 20 ? 5 : 20);
        return 1;
    }

    void endNotice()
    {
        if (LockWaitNotice* notice = std::exchange(m_notice, nullptr))
            notice->finished();
    }

    int step(sqlite3_stmt* st)
    {
        const int rc = sqlite3_step(st);
        if (m_notice)
            endNotice();
        return rc;
    }

    // The caller's ROLLBACK after a transaction a failure already ended.
    bool rollbackAlreadyDone()
    {
        return sqlite3_get_autocommit(m_h) != 0 && std::exchange(m_endedByFailure, false);
    }

    void stepToEnd(sqlite3_stmt* st)
    {
        int rc;
        while ((rc = step(st)) == SQLITE_ROW) {
        }
        if (rc != SQLITE_DONE)
            fail();
    }

    std::function<void(sqlite3_stmt*)> stepToEndOf()
    {
        return [this](sqlite3_stmt* st) { stepToEnd(st); };
    }

    // A statement run again later keeps its compiled form; its values and cursor are let go after each run.
    struct Resetting {
        sqlite3_stmt* st;
        ~Resetting()
        {
            sqlite3_reset(st);
            sqlite3_clear_bindings(st);
        }
    };

    // The prepared statement of a one-statement text with its "?" markers bound to `values` in order.
    std::shared_ptr<Statement> boundStatement(const QString& sql, const QVector<Variant>& values)
    {
        const auto prepare = [this](const QString& text) { return prepareOne(sqlcompat::Rewrite(text)); };
        std::shared_ptr<Statement> st = m_prepared.get(sql, prepare);
        if (sqlite3_stmt_busy(st->get()))
            st = prepare(sql);   // the cached one is still running further up the stack
        logText(sql);
        if (sqlite3_bind_parameter_count(st->get()) != values.size())
            throw Error(kErrOther,
                        QStringLiteral("The statement has %1 value markers but %2 values were given: %3")
                            .arg(sqlite3_bind_parameter_count(st->get()))
                            .arg(values.size())
                            .arg(sql),
                        QStringLiteral("SQLite"), QStringLiteral("07002"));
        for (int i = 0; i < values.size(); ++i)
            bind(st->get(), i + 1, values.at(i));
        return st;
    }

    // The shape just made from `text`, prepared (or found prepared), bound to its literals' values and run.
    qint64 runShape(const QString& text)
    {
        const auto prepare = [this](const QString& t) { return prepareOne(sqlcompat::Rewrite(t)); };
        std::shared_ptr<Statement> st = m_prepared.get(m_shape.text, prepare);
        if (sqlite3_stmt_busy(st->get()))
            st = prepare(m_shape.text);
        logText(text);
        // The texts' UTF-8 bytes side by side in one buffer that does not move until the statement has run
        // and let go of its values (Resetting): bound without a copy.
        qsizetype room = 0;
        for (const sqlcompat::LiteralValue& v : m_shape.values)
            room += v.kind == sqlcompat::LiteralValue::Text ? 3 * v.text.size() : 0;
        m_textBytes.resize(0);
        m_textBytes.reserve(room);
        QVarLengthArray<qsizetype, 16> textEnds;
        for (const sqlcompat::LiteralValue& v : m_shape.values) {
            if (v.kind == sqlcompat::LiteralValue::Text) {
                AppendUtf8(v.text, &m_textBytes);
                textEnds.append(m_textBytes.size());
            }
        }
        const Resetting reset{st->get()};
        int index = 0;
        qsizetype texts = 0;
        for (const sqlcompat::LiteralValue& v : m_shape.values) {
            ++index;
            int rc = SQLITE_OK;
            switch (v.kind) {
            case sqlcompat::LiteralValue::Integer: rc = sqlite3_bind_int64(st->get(), index, v.integer); break;
            case sqlcompat::LiteralValue::Real: rc = sqlite3_bind_double(st->get(), index, v.real); break;
            case sqlcompat::LiteralValue::Text: {
                const qsizetype begin = texts == 0 ? 0 : textEnds[texts - 1];
                rc = sqlite3_bind_text(st->get(), index, m_textBytes.constData() + begin,
                                       int(textEnds[texts] - begin), SQLITE_STATIC);
                ++texts;
                break;
            }
            }
            if (rc != SQLITE_OK)
                fail();
        }
        stepToEnd(st->get());
        return sqlite3_changes64(m_h);
    }

    // Exactly one statement; anything after it other than blanks and comments is refused.
    std::shared_ptr<Statement> prepareOne(const QString& sql)
    {
        const QByteArray utf8 = sql.toUtf8();
        auto st = std::make_shared<Statement>();
        const char* tail = nullptr;
        if (sqlite3_prepare_v3(m_h, utf8.constData(), int(utf8.size()), SQLITE_PREPARE_PERSISTENT, st->out(), &tail)
            != SQLITE_OK)
            fail();
        if (!st->get())
            throw oneStatementOnly(sql);
        const char* end = utf8.constData() + utf8.size();
        if (tail && tail < end) {
            Statement rest;
            if (sqlite3_prepare_v2(m_h, tail, int(end - tail), rest.out(), nullptr) != SQLITE_OK || rest.get())
                throw oneStatementOnly(sql);
        }
        return st;
    }

    static Error oneStatementOnly(const QString& sql)
    {
        return notAQuery(QStringLiteral("Aquí se ejecuta una sola sentencia; no se ejecutó: %1"), sql);
    }

    static Error notAQuery(const QString& message, const QString& sql)
    {
        return Error(kErrOther, message.arg(sql.trimmed()), QStringLiteral("SQLite"), QStringLiteral("42000"));
    }

    // Prepares every statement of the text in turn and hands each to `use`.
    template <class Use>
    void run(const QString& sql, Use&& use)
    {
        if (sql.trimmed().isEmpty())
            return;
        logText(sql);
        const QByteArray utf8 = sql.toUtf8();
        const char* p = utf8.constData();
        const char* end = p + utf8.size();
        while (p < end) {
            Statement st;
            const char* tail = nullptr;
            if (sqlite3_prepare_v2(m_h, p, int(end - p), st.out(), &tail) != SQLITE_OK)
                fail();
            if (st.get())
                use(st.get());
            if (!tail || tail <= p)
                break;
            p = tail;
        }
    }

    // SELECT, WITH or VALUES, after any opening parentheses.
    static bool beginsAsARead(const QString& sql)
    {
        for (const sqlcompat::Token& t : sqlcompat::Tokenize(sql)) {
            if (!t.isSignificant() || t.isOperator(u"("))
                continue;
            return t.isAnyWord({u"SELECT", u"WITH", u"VALUES"});
        }
        return false;
    }

    template <class Rows>
    void readQuery(const QString& sql, QString* table, QList<FieldInfo>* fields, Rows&& rows)
    {
        const QStringList parts = sqlcompat::SplitBatch(sql);
        if (parts.isEmpty())
            return;
        if (parts.size() > 1)
            throw notAQuery(QStringLiteral("Una consulta es una sola sentencia; no se ejecutó: %1"), sql);
        // The engine calls a PRAGMA that changes the connection (locking_mode, max_page_count...) a read, and
        // some take effect while being prepared: a query must begin as a read before it reaches the engine.
        if (!beginsAsARead(parts.first()))
            throw notAQuery(QStringLiteral("Una consulta solo puede leer datos; no se ejecutó: %1"), sql);
        const QString text = sqlcompat::Rewrite(parts.first());
        logText(text);
        const std::shared_ptr<Statement> st = prepareOne(text);
        if (!sqlite3_stmt_readonly(st->get()) || sqlite3_column_count(st->get()) == 0)
            throw notAQuery(QStringLiteral("Una consulta solo puede leer datos; no se ejecutó: %1"), sql);
        QueryWait* wait = CurrentQueryWait();
        sqlite3* reader = wait && !m_readingAside && !inTransaction() ? readerConnection() : nullptr;
        if (reader)
            readAside(reader, text, fields, rows, *wait);
        else
            readAll(st->get(), fields, rows);
        *table = SingleTableOf(parts.first());
    }

    // The connection that reads aside, opened on first use as the asking one was (read-only when it is), with
    // the same functions and collations; it never writes. nullptr when it cannot be opened: the read then runs
    // on the asking connection.
    sqlite3* readerConnection()
    {
        if (m_reader || m_readerFailed)
            return m_reader;
        // Read-only, the reader opens as the asking connection did (with or without locks), so that the look
        // at the file that keeps a connection without locks current holds for both.
        const bool readOnly = !m_readOnlyReason.isEmpty();
        const QByteArray name = readOnly ? m_db.databaseName().toUtf8() : m_file.toUtf8();
        const int flags = readOnly ? SQLITE_OPEN_READONLY | SQLITE_OPEN_URI : SQLITE_OPEN_READWRITE;
        sqlite3* reader = nullptr;
        if (sqlite3_open_v2(name.constData(), &reader, flags, nullptr) == SQLITE_OK
            && sqlcompat::InstallForReading(reader)
            && sqlite3_exec(reader, "PRAGMA query_only=1", nullptr, nullptr, nullptr) == SQLITE_OK) {
            m_reader = reader;
            return m_reader;
        }
        sqlite3_close_v2(reader);
        m_readerFailed = true;
        return nullptr;
    }

    // Reads every row of `text` on the reader's thread while this one lets the window's events run; the
    // operator's cancel interrupts the engine. The thread is joined however the wait ends.
    template <class Rows>
    void readAside(sqlite3* reader, const QString& text, QList<FieldInfo>* fields, Rows&& rows, QueryWait& wait)
    {
        struct Outcome {
            int code = SQLITE_OK;   // the reader's extended code when the read failed
            QString message;
            int systemErrno = 0;
            std::exception_ptr error;
        } outcome;
        std::mutex mutex;
        std::condition_variable ended;
        bool done = false;
        const QByteArray utf8 = text.toUtf8();
        const auto read = [&] {
            try {
                Statement st;
                int rc = sqlite3_prepare_v2(reader, utf8.constData(), int(utf8.size()), st.out(), nullptr);
                if (rc == SQLITE_OK)
                    rc = readRows(st.get(), fields, rows, [](sqlite3_stmt* s) { return sqlite3_step(s); });
                if (rc != SQLITE_DONE) {
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
        m_readingAside = true;
        std::thread worker(read);
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
                    sqlite3_interrupt(reader);
                }
            }
        } catch (...) {
            // The window's events ended the wait (the program is ending): the read is stopped first.
            sqlite3_interrupt(reader);
            worker.join();
            m_readingAside = false;
            throw;
        }
        worker.join();
        m_readingAside = false;
        if (outcome.error)
            std::rethrow_exception(outcome.error);
        if (outcome.code != SQLITE_OK) {
            if (cancelled && (outcome.code & 0xff) == SQLITE_INTERRUPT)
                throw QueryCancelled{};
            throw SqliteError(outcome.code, outcome.message, outcome.systemErrno);
        }
        // Cancelled once every row was read already: the rows stand.
    }

    template <class Rows>
    void readAll(sqlite3_stmt* st, QList<FieldInfo>* fields, Rows&& rows)
    {
        if (readRows(st, fields, rows, [this](sqlite3_stmt* s) { return step(s); }) != SQLITE_DONE)
            fail();
    }

    // Every row of the statement into `rows`, each step taken by `stepOnce`; SQLITE_DONE, or the code of the
    // step that failed.
    template <class Rows, class Step>
    static int readRows(sqlite3_stmt* st, QList<FieldInfo>* fields, Rows& rows, Step&& stepOnce)
    {
        const int n = sqlite3_column_count(st);
        QVector<ColumnKind> kinds(n);
        QVector<int> untyped;
        for (int i = 0; i < n; ++i) {
            const ColumnType t = ColumnTypeFromDeclared(sqlite3_column_decltype(st, i));
            kinds[i] = t.kind;
            if (t.kind == ColumnKind::Auto)
                untyped << i;
            fields->append({QString::fromUtf8(sqlite3_column_name(st, i)), t.definedSize, t.adoType});
        }
        rows.start(n);
        int rc;
        while ((rc = stepOnce(st)) == SQLITE_ROW) {
            for (int i = 0; i < n; ++i)
                sqliterows::readCell(rows, st, i, kinds[i]);
            rows.endRow();
        }
        if (rc != SQLITE_DONE)
            return rc;
        // An expression column reports the type of its first value that is not Null; with none to look at
        // it reads as an expression text, so that a list still gives it a visible column.
        for (int i : untyped) {
            ColumnType t = ColumnTypeFromValue(VarType::String);
            for (qint64 r = 0; r < rows.size(); ++r) {
                const VarType type = rows.type(r, i);
                if (type != VarType::Null) {
                    t = ColumnTypeFromValue(type);
                    break;
                }
            }
            (*fields)[i].type = t.adoType;
            (*fields)[i].definedSize = t.definedSize;
        }
        return SQLITE_DONE;
    }

    void bind(sqlite3_stmt* st, int index, const Variant& v)
    {
        int rc = SQLITE_OK;
        switch (v.type()) {
        case VarType::Empty:
        case VarType::Null:
            rc = sqlite3_bind_null(st, index);
            break;
        case VarType::Boolean:
            rc = sqlite3_bind_int(st, index, v.toBool() ? 1 : 0);
            break;
        case VarType::Long:
            rc = sqlite3_bind_int64(st, index, v.toLong());
            break;
        case VarType::Double:
            rc = sqlite3_bind_double(st, index, v.toDouble());
            break;
        case VarType::Currency: {
            const Currency c = v.toCurrency();
            rc = c.scaled() % Currency::kScale == 0 ? sqlite3_bind_int64(st, index, c.scaled() / Currency::kScale)
                                                    : sqlite3_bind_double(st, index, c.toDouble());
            break;
        }
        case VarType::Date:
            rc = bindText(st, index, IsoDateText(v.toDate()));
            break;
        case VarType::String:
            rc = bindText(st, index, v.toString());
            break;
        }
        if (rc != SQLITE_OK)
            fail();
    }

    static int bindText(sqlite3_stmt* st, int index, const QString& text)
    {
        const QByteArray utf8 = text.toUtf8();
        return sqlite3_bind_text(st, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
    }

    QStringList firstColumn(const QString& sql, const QStringList& params)
    {
        QStringList names;
        run(sql, [&](sqlite3_stmt* st) {
            for (int i = 0; i < params.size(); ++i) {
                if (bindText(st, i + 1, params.at(i)) != SQLITE_OK)
                    fail();
            }
            int rc;
            while ((rc = step(st)) == SQLITE_ROW)
                names << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
            if (rc != SQLITE_DONE)
                fail();
        });
        return names;
    }

    QString m_name;
    QSqlDatabase m_db;
    sqlite3* m_h;
    QString m_file;
    sqlite3* m_reader = nullptr;           // reads aside while a QueryWait is installed
    bool m_readerFailed = false;           // it could not be opened: reads stay on the asking connection
    bool m_readingAside = false;           // a read runs aside now
    PreparedCache<Statement> m_prepared;
    sqlcompat::LiteralShape m_shape;       // the last INSERT or UPDATE of literals, and the UTF-8 bytes of
    QByteArray m_textBytes;                // its texts: kept for their storage
    QElapsedTimer m_waitClock;
    LockWaitNotice* m_notice = nullptr;   // shown for the wait going on
    bool m_waitCancelled = false;
    bool m_endedByFailure = false;        // a lock wait or the disk failed; the transaction, if any, is rolled back
    QString m_readOnlyReason;             // why the file is open read-only; "" when it may be written
};

} // namespace

namespace {

Error refusal(const QString& why, int code)
{
    return Error(kErrOther, why, QStringLiteral("SQLite"), QStringLiteral("08001"), code);
}

QString cannotOpen(const QString& file, const QString& why)
{
    return QStringLiteral("No se puede abrir la base de datos \"%1\": %2").arg(file, why);
}

} // namespace

std::unique_ptr<Backend> OpenSqliteEngine(const QString& file, const QString& readOnlyReason)
{
    const QString name = UniqueConnectionName("conc-ado-sqlite");
    const sqlcompat::EngineFiles before = sqlcompat::EngineFilesOf(file);
    sqlcompat::OpenFailure failure;
    {
        QSqlDatabase db = sqlcompat::Open(file, name, !readOnlyReason.isEmpty(), &failure);
        if (db.isOpen()) {
            const QVariant v = db.driver()->handle();
            sqlite3* handle = nullptr;
            if (v.isValid() && qstrcmp(v.typeName(), "sqlite3*") == 0)
                handle = *static_cast<sqlite3* const*>(v.constData());
            if (handle)
                return std::make_unique<SqliteBackend>(name, db, handle, file, readOnlyReason);
            failure.reason = QStringLiteral("the driver gave no engine handle.");
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    // A failure on a full disk can leave the engine's files half made beside the company.
    sqlcompat::RemoveStrayEngineFiles(file, before);
    const QString why = failure.reason.isEmpty() ? QStringLiteral("unknown failure.") : failure.reason;
    throw refusal(sqlcompat::OpenFailureText(file, sqlcompat::FailureOf(failure.code, failure.systemErrno),
                                             cannotOpen(file, why)),
                  failure.code ? failure.code : SQLITE_CANTOPEN);
}

std::unique_ptr<Backend> OpenSqliteBackend(const QString& name, const QStringList& requiredTables,
                                           UnwritableFile unwritable)
{
    if (name.trimmed().isEmpty())
        throw refusal(cannotOpen(name, QStringLiteral("no se indicó el archivo.")), SQLITE_CANTOPEN);
    // Every look below is made on the file the engine will open, whatever link led to it.
    const sqlcompat::CompanyFile company = sqlcompat::ResolveCompanyFile(name);
    if (company.missing)
        throw refusal(cannotOpen(name, QStringLiteral("el archivo no existe.")), SQLITE_CANTOPEN);
    if (!company.problem.isEmpty())
        throw refusal(company.problem, SQLITE_CANTOPEN);
    const QString& file = company.path;
    // Noted before any look: the look at a file with a journal beside it may make the engine's shared-memory file.
    const sqlcompat::EngineFiles before = sqlcompat::EngineFilesOf(file);
    try {
        // Before the look into the file, which would make a journal beside this name.
        const QString elsewhere = sqlcompat::OpenUnderAnotherName(file);
        if (!elsewhere.isEmpty())
            throw refusal(elsewhere, SQLITE_CANTOPEN);
        const QString problem = sqlcompat::FileProblem(file, requiredTables);
        if (!problem.isEmpty())
            throw refusal(problem, SQLITE_NOTADB);
        // Looked at before the engine opens the file: once open, it would have made its files beside it.
        const QString readOnly = sqlcompat::WriteProblem(file);
        if (readOnly.isEmpty())
            return OpenSqliteEngine(file, QString());
        if (unwritable == UnwritableFile::Refuse)
            throw refusal(readOnly + QStringLiteral(" El programa graba en la empresa y no puede trabajar con ella así: "
                                                    "pida permiso de escritura o ábrala con un usuario que lo tenga."),
                          SQLITE_READONLY);
        return OpenCurrentReadOnly(file, readOnly);
    } catch (const Error&) {
        sqlcompat::RemoveStrayEngineFiles(file, before);
        throw;
    }
}

} // namespace ado
