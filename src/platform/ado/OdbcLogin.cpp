#include "OdbcLogin.h"

#include "ConnectWaitNotice.h"

#include <QElapsedTimer>
#include <QSqlDriver>
#include <QThread>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace ado {

namespace {

ConnectWaitNotice* gNotice = nullptr;

// Past the login time-out the driver is given this much longer to say so itself before it is given up.
constexpr int kGraceMs = 2000;

// What the login's thread and the asking thread share. A connection the asker no longer waits for (or that
// failed) is closed and removed by the login's thread.
struct Attempt {
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    bool abandoned = false;
    bool opened = false;
    QSqlError error;
};

void logIn(const std::shared_ptr<Attempt>& attempt, const QString& name, const QString& odbcText, int seconds,
           QThread* asker)
{
    bool keep = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), name);
        db.setDatabaseName(odbcText);
        db.setConnectOptions(QStringLiteral("SQL_ATTR_LOGIN_TIMEOUT=%1").arg(seconds));
        const bool opened = db.open();
        std::lock_guard<std::mutex> lock(attempt->mutex);
        keep = opened && !attempt->abandoned;
        if (keep)
            db.driver()->moveToThread(asker);   // the asking thread runs every statement from now on
        else
            db.close();
        attempt->opened = keep;
        attempt->error = db.lastError();
    }
    if (!keep)
        QSqlDatabase::removeDatabase(name);
    std::lock_guard<std::mutex> lock(attempt->mutex);
    attempt->finished = true;
    attempt->done.notify_all();
}

} // namespace

void SetConnectWaitNotice(ConnectWaitNotice* notice)
{
    gNotice = notice;
}

ConnectWaitNotice* CurrentConnectWaitNotice()
{
    return gNotice;
}

OdbcLogin OpenOdbcLogin(const QString& name, const QString& odbcText, int seconds, const QString& server,
                        const QString& database)
{
    auto attempt = std::make_shared<Attempt>();
    // Detached: a login given up may stay in the driver until its own time-out; it cleans up after itself.
    std::thread(logIn, attempt, name, odbcText, seconds, QThread::currentThread()).detach();

    OdbcLogin result;
    ConnectWaitNotice* const notice = CurrentConnectWaitNotice();
    bool shown = false;
    QElapsedTimer clock;
    clock.start();
    const qint64 limitMs = qint64(seconds) * 1000 + kGraceMs;
    std::unique_lock<std::mutex> lock(attempt->mutex);
    while (!attempt->finished) {
        attempt->done.wait_for(lock, std::chrono::milliseconds(50));
        if (attempt->finished)
            break;
        const qint64 elapsed = clock.elapsed();
        if (elapsed >= limitMs) {
            attempt->abandoned = true;
            result.outcome = OdbcLogin::TimedOut;
            break;
        }
        if (!notice || elapsed < kConnectNoticeAfterMs)
            continue;
        lock.unlock();
        shown = true;
        const bool goOn = notice->connecting(server, database, int(elapsed));
        lock.lock();
        if (!goOn && !attempt->finished) {
            attempt->abandoned = true;
            result.outcome = OdbcLogin::Cancelled;
            break;
        }
    }
    if (attempt->finished) {
        if (attempt->opened) {
            result.outcome = OdbcLogin::Opened;
            result.database = QSqlDatabase::database(name, false);
        } else {
            // The driver's own time-out reads as a failure: the clock tells them apart.
            result.outcome = clock.elapsed() >= qint64(seconds) * 1000 - 250 ? OdbcLogin::TimedOut : OdbcLogin::Failed;
            result.error = attempt->error;
        }
    }
    lock.unlock();
    if (shown)
        notice->finished();
    return result;
}

} // namespace ado
