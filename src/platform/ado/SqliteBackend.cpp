// The embedded engine: opened through QSQLITE (with the T-SQL compatibility installed on it), driven
// through SQLite's own API on the same handle. The API gives what QSqlQuery hides: the declared type of
// each result column (dates and amounts), doubles at full precision, extended error codes, and reading
// every row without a QVariant per cell.
//
// A query handed a QueryWait (QueryWait.h) is read aside (ReadAside.h): on a second connection to the same
// file, on a thread of its own, while the asking thread runs the window's events.

#include "Backend.h"
#include "ColumnType.h"
#include "DateText.h"
#include "ErrorMapping.h"
#include "LockWaitNotice.h"
#include "PreparedCache.h"
#include "QueryWait.h"
#include "ReadAside.h"
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
#include <cstring>
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
        , m_aside((m_readOnlyReason.isEmpty() ? m_file : m_db.databaseName()).toUtf8(), !m_readOnlyReason.isEmpty())
    {
        // Replaces the plain busy timeout: the wait is the same, but it can be seen and cancelled.
        sqlite3_busy_handler(m_h, &SqliteBackend::onBusy, this);
        // No journal size limit: the engine would cut a grown journal at the end of the next write, however small
        // that one is, and the operator would wait for it there. The connection gives it back at the end of the
        // write that grew it (Connection::TrimLargeJournal).
    }

    ~SqliteBackend() override { close(); }

    void close() noexcept override
    {
        if (std::exchange(m_closed, true))
            return;
        m_prepared.clear();   // every statement is finalized before the file closes
        // A read running aside stops, and the reader closes, before the journal is trimmed.
        m_aside.close();
        // The last connection to the company removes the journal as it closes; while another one stays open
        // the journal stays, as small as this one can leave it. A file renamed, or its name removed, while it
        // was open is never copied into by the engine as it closes: this is what puts its journal into it.
        trimJournal();
        sqlite3_busy_handler(m_h, nullptr, nullptr);
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
        readQuery(sql, nullptr, &result.table, &result.fields, sqliterows::VariantRows(&result));
        return result;
    }

    StoredRows queryStored(const QString& sql, QueryWait* wait) override
    {
        StoredRows result;
        readQuery(sql, wait, &result.table, &result.fields, sqliterows::StoredCells(&result.rows));
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

    // Asked of the engine's own handle on the journal: it is this connection's even where the name beside the
    // company file is no longer its own (the file moved while open).
    qint64 journalBytes() const noexcept override
    {
        sqlite3_file* journal = nullptr;
        sqlite3_int64 bytes = 0;
        if (sqlite3_file_control(m_h, "main", SQLITE_FCNTL_JOURNAL_POINTER, &journal) != SQLITE_OK || !journal
            || !journal->pMethods || journal->pMethods->xFileSize(journal, &bytes) != SQLITE_OK)
            return 0;
        return bytes;
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

    // With a wait, outside a transaction and with no read aside already running, the read goes aside: the
    // wait's events run meanwhile, and may close this connection (close()); nothing of this object is used
    // after the read aside, and the connection keeps the object until this call returns.
    template <class Rows>
    void readQuery(const QString& sql, QueryWait* wait, QString* table, QList<FieldInfo>* fields, Rows&& rows)
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
        std::shared_ptr<Statement> st = prepareOne(text);
        if (!sqlite3_stmt_readonly(st->get()) || sqlite3_column_count(st->get()) == 0)
            throw notAQuery(QStringLiteral("Una consulta solo puede leer datos; no se ejecutó: %1"), sql);
        if (wait && !m_aside.running() && !inTransaction() && m_aside.reader(m_h)) {
            st.reset();   // finalized now: a close during the read finds no statement open on this connection
            const QByteArray utf8 = text.toUtf8();
            m_aside.run(
                [&](sqlite3* reader) {
                    Statement aside;
                    const int rc =
                        sqlite3_prepare_v2(reader, utf8.constData(), int(utf8.size()), aside.out(), nullptr);
                    if (rc != SQLITE_OK)
                        return rc;
                    return sqliterows::readRows(aside.get(), fields, rows,
                                                [](sqlite3_stmt* s) { return sqlite3_step(s); });
                },
                *wait);
        } else
            readAll(st->get(), fields, rows);
        *table = SingleTableOf(parts.first());
    }

    template <class Rows>
    void readAll(sqlite3_stmt* st, QList<FieldInfo>* fields, Rows&& rows)
    {
        if (sqliterows::readRows(st, fields, rows, [this](sqlite3_stmt* s) { return step(s); }) != SQLITE_DONE)
            fail();
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
    PreparedCache<Statement> m_prepared;
    sqlcompat::LiteralShape m_shape;       // the last INSERT or UPDATE of literals, and the UTF-8 bytes of
    QByteArray m_textBytes;                // its texts: kept for their storage
    QElapsedTimer m_waitClock;
    LockWaitNotice* m_notice = nullptr;   // shown for the wait going on
    bool m_waitCancelled = false;
    bool m_endedByFailure = false;        // a lock wait or the disk failed; the transaction, if any, is rolled back
    QString m_readOnlyReason;             // why the file is open read-only; "" when it may be written
    ReadAside m_aside;                    // reads that have a QueryWait
    bool m_closed = false;
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
        for (const QString& elsewhere : {sqlcompat::OpenUnderAnotherName(file), sqlcompat::JournalOfAnotherFile(file)})
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
