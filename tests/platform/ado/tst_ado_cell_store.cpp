// The packed store of a recordset's rows: every kind of value reads back exactly, with its kind, wherever
// it sits in its row and whatever the cells before it hold; a replaced row reads as its new values.

#include "platform/ado/CellStore.h"
#include "platform/ado/DateText.h"

#include <QTest>

using namespace ado;

Q_DECLARE_METATYPE(ado::Variant)

namespace {

QString textOf(int length)
{
    QString t;
    for (int i = 0; i < length; ++i)
        t += QChar(u'a' + i % 26);
    return t;
}

// Each value is checked after cells that take every kind of room, so that a wrong size anywhere shows.
const QVector<Variant> kBefore = {Variant::Null(), Variant(true), Variant(qint64(7)), Variant(QStringLiteral("ñandú")),
                                  Variant(qint64(1) << 40), Variant(2.5)};

} // namespace

class TestAdoCellStore : public QObject {
    Q_OBJECT

private slots:
    void valuesReadBackExactly_data()
    {
        QTest::addColumn<Variant>("value");
        QTest::newRow("Null") << Variant::Null();
        QTest::newRow("Empty") << Variant();
        QTest::newRow("False") << Variant(false);
        QTest::newRow("True") << Variant(true);
        QTest::newRow("small whole number") << Variant(qint64(-12));
        QTest::newRow("whole number past 32 bits") << Variant(qint64(-9007199254740993));
        QTest::newRow("largest whole number") << Variant(std::numeric_limits<qint64>::max());
        QTest::newRow("double") << Variant(0.1 + 0.2);
        QTest::newRow("amount") << Variant(Currency::fromScaled(11241148001));
        QTest::newRow("negative amount") << Variant(Currency::fromScaled(-1));
        QTest::newRow("midnight") << Variant(NaiveDateTime(QDate(2004, 2, 29)));
        QTest::newRow("date and time") << Variant(NaiveDateTime(QDate(1899, 12, 30), QTime(23, 59, 59, 999)));
        QTest::newRow("local date") << Variant(QDateTime(QDate(2010, 5, 1), QTime(8, 0), Qt::LocalTime));
        QTest::newRow("invalid date") << Variant(QDateTime());
        QTest::newRow("UTF-8 text") << Variant(QStringLiteral("Peña O'Higgins €"));
        for (int length : {0, 1, 2, 3, 4, 7, 8, 9, 15, 16, 17, 127, 128, 20000})
            QTest::newRow(qPrintable(QStringLiteral("text of %1").arg(length))) << Variant(textOf(length));
    }

    void valuesReadBackExactly()
    {
        QFETCH(Variant, value);
        CellStore store(int(kBefore.size()) + 2);
        for (int row = 0; row < 3; ++row) {
            store.appendRow(kBefore + QVector<Variant>{value, Variant(qint64(row))});
        }
        QCOMPARE(store.size(), qint64(3));
        for (int row = 0; row < 3; ++row) {
            const Variant read = store.value(row, int(kBefore.size()));
            QCOMPARE(read.type(), value.type());
            QCOMPARE(store.type(row, int(kBefore.size())), value.type());
            QVERIFY(read == value || (value.type() == VarType::Null) || (value.type() == VarType::Empty));
            if (value.type() == VarType::Date)
                QCOMPARE(read.toDate(), value.toDate());
            if (value.type() == VarType::String)
                QCOMPARE(read.toString(), value.toString());
            QCOMPARE(store.value(row, int(kBefore.size()) + 1).toLong(), qint64(row));
            const CellStore::RowCells cells = store.cells(row);
            QCOMPARE(store.value(cells, int(kBefore.size())).type(), value.type());
            QCOMPARE(store.value(cells, int(kBefore.size()) + 1).toLong(), qint64(row));
            const QVector<Variant> whole = store.row(row);
            QCOMPARE(whole.size(), kBefore.size() + 2);
            QCOMPARE(whole.at(kBefore.size()).type(), value.type());
            for (int c = 0; c < kBefore.size(); ++c)
                QVERIFY(whole.at(c) == kBefore.at(c) || kBefore.at(c).isNull());
        }
    }

    void replacedRowReadsItsNewValues()
    {
        CellStore store(2);
        store.appendRow({Variant(QStringLiteral("first")), Variant(qint64(1))});
        store.appendRow({Variant(QStringLiteral("second")), Variant(qint64(2))});
        store.appendRow({Variant(QStringLiteral("third")), Variant(qint64(3))});
        store.setRow(1, {Variant(textOf(300)), Variant::Null()});
        QCOMPARE(store.size(), qint64(3));
        QCOMPARE(store.value(0, 0).toString(), QStringLiteral("first"));
        QCOMPARE(store.value(1, 0).toString(), textOf(300));
        QVERIFY(store.value(1, 1).isNull());
        QCOMPARE(store.value(2, 0).toString(), QStringLiteral("third"));
        QCOMPARE(store.value(2, 1).toLong(), qint64(3));
    }

    void copiesAreIndependent()
    {
        CellStore store(1);
        store.addText(QStringLiteral("kept"));
        CellStore copy = store;
        copy.setRow(0, {Variant(QStringLiteral("changed"))});
        copy.addLong(5);
        QCOMPARE(store.size(), qint64(1));
        QCOMPARE(store.value(0, 0).toString(), QStringLiteral("kept"));
        QCOMPARE(copy.size(), qint64(2));
        QCOMPARE(copy.value(0, 0).toString(), QStringLiteral("changed"));
    }
};

QTEST_GUILESS_MAIN(TestAdoCellStore)
#include "tst_ado_cell_store.moc"
