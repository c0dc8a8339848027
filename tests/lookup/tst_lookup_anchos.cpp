// The column-width file "CONSULTASLEN.QXD": reading saved widths and rewriting one table's line.
#include "lookup/AnchosColumnas.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "ArchivosPrueba.h"

using namespace lookup;

namespace {

} // namespace

class TstLookupAnchos : public QObject {
    Q_OBJECT

private slots:
    void laterLinesOverrideTheColumnsTheyName()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(kArchivoAnchos);
        QVERIFY(writeFile(path, "\"VT_CLIENTES\",\"900|\"\r\n"
                        "\"MA_CUENTAS\",\"1500|2400.5|600|\"\r\n"
                        "\"ma_cuentas\",\"1000|\"\r\n"));
        QCOMPARE(LeerAnchos(path, "MA_CUENTAS"), (QList<double>{1000, 2400.5, 600}));
        QCOMPARE(LeerAnchos(path, "VT_CLIENTES"), (QList<double>{900}));
        QVERIFY(LeerAnchos(path, "TA_CCOSTO").isEmpty());
        QVERIFY(LeerAnchos(dir.filePath("none"), "MA_CUENTAS").isEmpty());
    }

    void readingStopsAtAnUnreadableEntry()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(kArchivoAnchos);
        QVERIFY(writeFile(path, "\"T\",\"100|abc|300|\"\r\n\"U\",\"100|200\"\r\n"));
        QCOMPARE(LeerAnchos(path, "T"), (QList<double>{100}));
        QCOMPARE(LeerAnchos(path, "U"), (QList<double>{100}));
    }

    void stockViewSharesTheArticlesWidths()
    {
        QCOMPARE(ClaveAnchos("Stk_MA_Articulos"), QString("VT_MA_ARTICULOS"));
        QCOMPARE(ClaveAnchos("MA_CUENTAS"), QString("MA_CUENTAS"));
    }

    void rewritingReplacesOnlyThisTable()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(kArchivoAnchos);
        QVERIFY(writeFile(path, "\"VT_CLIENTES\",\"900|\"\r\n\"MA_CUENTAS\",\"1|\"\r\n\"TA_CCOSTO\",\"5|6|\"\r\n"));
        QString error;
        QVERIFY2(GrabarAnchos(dir.path(), "ma_cuentas", {1500, 2400.5, 0}, &error), qPrintable(error));
        QCOMPARE(readFile(path), QByteArray("\"VT_CLIENTES\",\"900|\"\r\n\"TA_CCOSTO\",\"5|6|\"\r\n"
                                            "\"ma_cuentas\",\"1500|2400.5|0|\"\r\n"));
        QVERIFY(!QFile::exists(dir.filePath(kArchivoAnchosAux)));
        QCOMPARE(LeerAnchos(path, "MA_CUENTAS"), (QList<double>{1500, 2400.5, 0}));
    }

    void writingANewFile()
    {
        QTemporaryDir dir;
        QVERIFY(GrabarAnchos(dir.path(), "T", {720}, nullptr));
        QCOMPARE(readFile(dir.filePath(kArchivoAnchos)), QByteArray("\"T\",\"720|\"\r\n"));
    }

    void unwritableFolderIsReported()
    {
        QTemporaryDir dir;
        QString error;
        QVERIFY(!GrabarAnchos(dir.filePath("missing"), "T", {720}, &error));
        QVERIFY(!error.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TstLookupAnchos)
#include "tst_lookup_anchos.moc"
