// The loadable extension in a plain SQLite connection (no Qt driver, nothing of ours installed): a company
// file passes the integrity check and answers queries on its collations, as the stock shell would see it.

#include "schema/DemoDatabase.h"

#include <QTemporaryDir>
#include <QTest>
#include <sqlite3.h>

namespace {

// A plain connection as the stock shell makes it; closes itself.
class PlainConnection {
public:
    explicit PlainConnection(const QString& file)
    {
        sqlite3_open_v2(file.toUtf8().constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr);
    }
    ~PlainConnection() { sqlite3_close(m_db); }
    sqlite3* get() const { return m_db; }

    bool load(QString* why)
    {
        sqlite3_enable_load_extension(m_db, 1);
        char* message = nullptr;
        const int rc = sqlite3_load_extension(m_db, CONC_SQLITE_EXTENSION, nullptr, &message);
        if (message) {
            *why = QString::fromUtf8(message);
            sqlite3_free(message);
        }
        return rc == SQLITE_OK;
    }

    // Every row of the first column as text, or the error message.
    QStringList column(const char* sql) const
    {
        QStringList out;
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(m_db, sql, -1, &st, nullptr) != SQLITE_OK)
            return {QStringLiteral("error: ") + QString::fromUtf8(sqlite3_errmsg(m_db))};
        int rc;
        while ((rc = sqlite3_step(st)) == SQLITE_ROW)
            out << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
        if (rc != SQLITE_DONE)
            out << QStringLiteral("error: ") + QString::fromUtf8(sqlite3_errmsg(m_db));
        sqlite3_finalize(st);
        return out;
    }

private:
    sqlite3* m_db = nullptr;
};

} // namespace

class TestSqliteExtension : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_file;

private slots:
    void initTestCase()
    {
        m_file = m_dir.filePath(QStringLiteral("empresa.db"));
        QString why;
        QVERIFY2(schema::CreateCompanyDatabase(m_file, schema::Options{}, &why), qPrintable(why));
    }

    void withoutTheExtensionTheFileCannotBeChecked()
    {
        PlainConnection plain(m_file);
        const QStringList check = plain.column("PRAGMA integrity_check");
        QVERIFY2(check != QStringList{QStringLiteral("ok")}, qPrintable(check.join(QLatin1Char('|'))));
        QVERIFY2(check.join(QLatin1Char('|')).contains(QLatin1String("TSQLTEXT")), qPrintable(check.join(QLatin1Char('|'))));
    }

    void theExtensionLetsThePlainEngineCheckAndQueryTheFile()
    {
        PlainConnection plain(m_file);
        QString why;
        QVERIFY2(plain.load(&why), qPrintable(why));
        QCOMPARE(plain.column("PRAGMA integrity_check"), QStringList{QStringLiteral("ok")});
        // The text collation: case and trailing blanks do not count.
        const QByteArray byName = "SELECT Codigo FROM MA_CUENTAS WHERE Descripcion = 'CAJA   '";
        QCOMPARE(plain.column(byName.constData()), QStringList{QString::fromLatin1(schema::kCashAccount)});
        // LEN without trailing blanks, LIKE with a class.
        QCOMPARE(plain.column("SELECT len('ab  ')"), QStringList{QStringLiteral("2")});
        QCOMPARE(plain.column("SELECT 'Caja' LIKE '[a-d]AJ_'"), QStringList{QStringLiteral("1")});
        // The date collation reads day/month/year literals.
        QCOMPARE(plain.column("SELECT COUNT(*) > 0 FROM MV_ASIENTOS WHERE FECHA >= '01/01/2000' COLLATE TSQLDATE"),
                 QStringList{QStringLiteral("1")});
    }
};

QTEST_GUILESS_MAIN(TestSqliteExtension)
#include "tst_sqlite_extension.moc"
