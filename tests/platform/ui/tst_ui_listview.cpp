// The list view: columns, items and sub-items, check marks and their event, sorting, styles, selection,
// key and mouse events, and a large load.
#include "platform/ui/ControlErrors.h"
#include "platform/ui/ErrorNumberOf.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/ListView.h"
#include "platform/ui/PaintHold.h"
#include "platform/ui/Units.h"

#include <QHeaderView>
#include <QSignalSpy>
#include <QStyleOptionViewItem>
#include <QTest>

using namespace ui;

namespace {

// A shown list with the three columns most tests need: text, a hidden one and a wide one.
struct ThreeColumnList {
    ListView lvw;
    ThreeColumnList()
    {
        lvw.resize(400, 300);
        lvw.ColumnHeaders().Add("", "", 300);
        lvw.ColumnHeaders().Add("id", "Oculta", 0);
        lvw.ColumnHeaders().Add("", "Importe", 1500, 1);
        lvw.show();
    }
    ListItem add(const QString& text, const QString& sub2 = {})
    {
        ListItem item = lvw.ListItems().Add(text);
        item.setSubItems(2, sub2);
        return item;
    }
    QStringList texts(int column = 0)
    {
        QStringList out;
        for (int i = 1; i <= lvw.ListItems().Count(); ++i)
            out << (column == 0 ? lvw.ListItems()(i).Text() : lvw.ListItems()(i).SubItems(column));
        return out;
    }
    // The texts the screen shows, top to bottom.
    QStringList shown(int column = 0)
    {
        QStringList out;
        for (int r = 0; r < lvw.model()->rowCount(); ++r)
            out << lvw.model()->index(r, column).data().toString();
        return out;
    }
};

} // namespace

class TestListView : public QObject {
    Q_OBJECT
private slots:
    void columnsWithWidthsInTwips()
    {
        ThreeColumnList l;
        ColumnHeaderCollection& headers = l.lvw.ColumnHeaders();
        QCOMPARE(headers.Count(), 3);
        QCOMPARE(headers(2).Key(), QString("id"));
        QCOMPARE(headers(3).Text(), QString("Importe"));
        QVERIFY(l.lvw.header()->isSectionHidden(1));
        QVERIFY(!l.lvw.header()->isSectionHidden(2));
        QCOMPARE(l.lvw.header()->sectionSize(2), TwipsToPx(1500));
        QCOMPARE(headers(3).Left(), 300.0);
        QCOMPARE(l.lvw.model()->headerData(2, Qt::Horizontal, Qt::TextAlignmentRole).value<Qt::Alignment>()
                     & Qt::AlignRight,
                 Qt::AlignRight);

        headers(2).setWidth(600);
        QVERIFY(!l.lvw.header()->isSectionHidden(1));
        QCOMPARE(headers(3).Left(), 900.0);
        // A border dragged by the operator becomes the width read back.
        l.lvw.header()->resizeSection(2, 50);
        QCOMPARE(headers(3).Width(), 750.0);

        QCOMPARE(errorNumberOf([&] { headers(4); }), kErrIndexOutOfBounds);
        QCOMPARE(errorNumberOf([&] { headers(0); }), kErrIndexOutOfBounds);
        headers.Clear();
        QCOMPARE(headers.Count(), 0);
    }

    void itemsAndSubItems()
    {
        ThreeColumnList l;
        ListItem a = l.add("uno", "10,00");
        ListItem b = l.lvw.ListItems().Add();
        b.setSubItems(1, "7");
        QCOMPARE(l.lvw.ListItems().Count(), 2);
        QCOMPARE(b.Text(), QString());
        QCOMPARE(b.SubItems(1), QString("7"));
        QCOMPARE(b.SubItems(2), QString());
        QCOMPARE(a.SubItems(2), QString("10,00"));
        QCOMPARE(a.Index(), 1);
        QCOMPARE(b.Index(), 2);
        QVERIFY(l.lvw.ListItems()(2) == b);
        QCOMPARE(l.shown(2), (QStringList{"10,00", ""}));
        QCOMPARE(errorNumberOf([&] { a.SubItems(3); }), kErrInvalidProperty);
        QCOMPARE(errorNumberOf([&] { a.setSubItems(0, "x"); }), kErrInvalidProperty);
        QCOMPARE(errorNumberOf([&] { l.lvw.ListItems()(3); }), kErrIndexOutOfBounds);

        a.setTag("t");
        QCOMPARE(a.Tag(), QString("t"));
        a.setSmallIcon(106);
        QCOMPARE(a.SmallIcon(), 106);
    }

    void removeAndClearInvalidateHandles()
    {
        ThreeColumnList l;
        ListItem a = l.add("a");
        ListItem b = l.add("b");
        ListItem c = l.add("c");
        l.lvw.ListItems().Remove(2);
        QCOMPARE(l.texts(), (QStringList{"a", "c"}));
        QCOMPARE(c.Index(), 2);
        QCOMPARE(errorNumberOf([&] { b.Text(); }), kErrCollectionModified);
        l.lvw.ListItems().Clear();
        QCOMPARE(l.lvw.ListItems().Count(), 0);
        ListItem fresh = l.add("new");
        QCOMPARE(errorNumberOf([&] { a.Text(); }), kErrCollectionModified);
        QCOMPARE(fresh.Text(), QString("new"));
        QCOMPARE(errorNumberOf([] { ListItem().Text(); }), 91);
    }

    void keysAreUniqueWithoutRegardToCase()
    {
        ThreeColumnList l;
        ListItem a = l.lvw.ListItems().Add("x", "K1");
        QVERIFY(l.lvw.ListItems().Item("k1") == a);
        QCOMPARE(errorNumberOf([&] { l.lvw.ListItems().Add("y", "k1"); }), kErrKeyNotUnique);
        QCOMPARE(errorNumberOf([&] { l.lvw.ListItems().Item("none"); }), kErrElementNotFound);
        QCOMPARE(l.lvw.ListItems().Count(), 1);
    }

    void checksByCodeRaiseNoEvent()
    {
        ThreeColumnList l;
        l.lvw.setCheckboxes(true);
        ListItem a = l.add("a");
        ListItem b = l.add("b");
        QSignalSpy spy(&l.lvw, &ListView::ItemCheck);
        a.setChecked(true);
        b.setChecked(true);
        b.setChecked(false);
        QCOMPARE(spy.count(), 0);
        QVERIFY(a.Checked());
        QVERIFY(!b.Checked());
        l.lvw.Refresh();
        QCOMPARE(l.lvw.model()->index(0, 0).data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
    }

    void operatorSpaceRaisesItemCheckWithTheNewState()
    {
        ThreeColumnList l;
        l.lvw.setCheckboxes(true);
        l.add("a");
        ListItem b = l.add("b");
        // The handler puts the mark back, as the link question does on No: that raises nothing more.
        QList<bool> seen;
        connect(&l.lvw, &ListView::ItemCheck, this, [&](ListItem item) {
            seen << item.Checked();
            item.setChecked(true);
        });
        l.lvw.setSelectedItem(b);
        l.lvw.setCurrentIndex(l.lvw.model()->index(1, 2));  // focus on another cell of the row
        QTest::keyClick(&l.lvw, Qt::Key_Space);
        QCOMPARE(seen, QList<bool>{true});
        QTest::keyClick(&l.lvw, Qt::Key_Space);
        QCOMPARE(seen, (QList<bool>{true, false}));
        QVERIFY(b.Checked());
    }

    void operatorClickOnTheBoxRaisesItemCheck()
    {
        ThreeColumnList l;
        l.lvw.setCheckboxes(true);
        ListItem a = l.add("a");
        l.lvw.Refresh();
        QSignalSpy spy(&l.lvw, &ListView::ItemCheck);
        QStyleOptionViewItem option;
        option.initFrom(l.lvw.viewport());
        option.rect = l.lvw.visualRect(l.lvw.model()->index(0, 0));
        option.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
        const QRect box = l.lvw.style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, &l.lvw);
        QTest::mouseClick(l.lvw.viewport(), Qt::LeftButton, {}, box.center());
        QCOMPARE(spy.count(), 1);
        QVERIFY(a.Checked());
    }

    void keyDownComesFirstAndCanEatTheKey()
    {
        ThreeColumnList l;
        l.lvw.setCheckboxes(true);
        ListItem a = l.add("a");
        l.lvw.setSelectedItem(a);
        QList<QPair<int, int>> keys;
        connect(&l.lvw, &ListView::KeyDown, this, [&](int& keyCode, int shift) {
            if (keyCode != 16)  // the Shift key itself
                keys << qMakePair(keyCode, shift);
            if (keyCode == 32)
                keyCode = 0;
        });
        QTest::keyClick(&l.lvw, Qt::Key_Space);
        QTest::keyClick(&l.lvw, Qt::Key_Down, Qt::ShiftModifier);
        QTest::keyClick(&l.lvw, Qt::Key_F12);
        QCOMPARE(keys, (QList<QPair<int, int>>{{32, 0}, {40, 1}, {123, 0}}));
        QVERIFY(!a.Checked());
    }

    void caseInsensitiveStableSortByAColumn()
    {
        ThreeColumnList l;
        const QStringList texts{"b", "A", "a2", "a", "B", "  10", "  2"};
        for (int i = 0; i < texts.size(); ++i)
            l.add(texts[i], QString::number(i));
        ListItem first = l.lvw.ListItems()(1);
        l.lvw.setSorted(true);
        QCOMPARE(l.texts(), (QStringList{"  10", "  2", "A", "a", "a2", "b", "B"}));
        QCOMPARE(first.Index(), 6);  // the handle followed its row
        l.lvw.setSortOrder(1);
        QCOMPARE(l.texts(), (QStringList{"b", "B", "a2", "A", "a", "  2", "  10"}));
        l.lvw.setSortKey(2);
        l.lvw.setSortOrder(0);
        QCOMPARE(l.texts(2), (QStringList{"0", "1", "2", "3", "4", "5", "6"}));
        l.lvw.Refresh();
        QCOMPARE(l.shown(2), l.texts(2));
    }

    void rowsAddedToASortedListLandInOrder()
    {
        ThreeColumnList l;
        l.add("c");
        l.add("a");
        l.lvw.setSorted(true);
        l.add("B");
        ListItem early = l.add("A");
        QCOMPARE(early.Index(), 2);  // after the "a" already there
        QCOMPARE(l.texts(), (QStringList{"a", "A", "B", "c"}));
        QCoreApplication::processEvents();  // the screen follows at the next turn of the event loop
        QCOMPARE(l.shown(), l.texts());
    }

    // The screen after a sort, alone or in the same turn of the event loop as rows added or removed: every row,
    // the last one too, is shown where the list has it.
    void screenAfterASort_data()
    {
        QTest::addColumn<int>("added");
        QTest::addColumn<int>("removed");
        QTest::newRow("sort alone") << 0 << 0;
        QTest::newRow("rows added, then sorted") << 30 << 0;
        QTest::newRow("rows removed, then sorted") << 0 << 30;
    }
    void screenAfterASort()
    {
        QFETCH(int, added);
        QFETCH(int, removed);
        ThreeColumnList l;
        for (int i = 0; i < 200; ++i)
            l.add(QStringLiteral("%1").arg(i, 3, 10, QLatin1Char('0')));
        QCoreApplication::processEvents();
        for (int i = 0; i < added; ++i)
            l.add(QStringLiteral("n%1").arg(i));
        for (int i = 0; i < removed; ++i)
            l.lvw.ListItems().Remove(1);
        l.lvw.setSortOrder(1);
        l.lvw.setSorted(true);
        QCoreApplication::processEvents();
        const QStringList texts = l.texts();
        QCOMPARE(texts.size(), 200 + added - removed);
        for (int row : {0, 1, int(texts.size()) - 1}) {
            const QModelIndex index = l.lvw.model()->index(row, 0);
            l.lvw.scrollTo(index);
            QCoreApplication::processEvents();
            const QRect rect = l.lvw.visualRect(index);
            QVERIFY(l.lvw.viewport()->rect().contains(rect.center()));
            QCOMPARE(l.lvw.indexAt(rect.center()).data().toString(), texts[row]);
        }
    }

    void unsortedListKeepsItsOrder()
    {
        ThreeColumnList l;
        l.lvw.setSorted(true);
        l.add("b");
        l.add("a");
        l.lvw.setSorted(false);
        l.add("0");
        QCOMPARE(l.texts(), (QStringList{"a", "b", "0"}));
    }

    void boldAndColouredCells()
    {
        ThreeColumnList l;
        ListItem a = l.add("a", "5,00");
        a.setBold(true);
        a.setForeColor(255);
        a.ListSubItems(2).setBold(true);
        a.ListSubItems(2).setForeColor(0xFF0000);
        ListItem plain = l.add("b");
        l.lvw.Refresh();
        QAbstractItemModel* m = l.lvw.model();
        QVERIFY(m->index(0, 0).data(Qt::FontRole).value<QFont>().bold());
        QCOMPARE(m->index(0, 0).data(Qt::ForegroundRole).value<QBrush>().color(), QColor(255, 0, 0));
        QCOMPARE(m->index(0, 2).data(Qt::ForegroundRole).value<QBrush>().color(), QColor(0, 0, 255));
        QVERIFY(!m->index(1, 0).data(Qt::FontRole).isValid());
        QVERIFY(a.ListSubItems(2).Bold());
        QCOMPARE(a.ForeColor(), 255);
        QCOMPARE(plain.ForeColor(), qint32(0x80000008));
        // A style follows its row through a sort.
        l.lvw.setSortOrder(1);
        l.lvw.setSorted(true);
        l.lvw.Refresh();
        QVERIFY(m->index(1, 0).data(Qt::FontRole).value<QFont>().bold());
    }

    void smallIconsFromTheImageList()
    {
        ThreeColumnList l;
        ImageList images;
        QPixmap red(16, 16);
        red.fill(Qt::red);
        images.Add(QIcon(red));
        l.lvw.setSmallIcons(&images);
        l.add("a").setSmallIcon(1);
        l.add("b").setSmallIcon(106);  // beyond the list: no picture
        l.lvw.Refresh();
        QVERIFY(!l.lvw.model()->index(0, 0).data(Qt::DecorationRole).value<QIcon>().isNull());
        QVERIFY(l.lvw.model()->index(1, 0).data(Qt::DecorationRole).value<QIcon>().isNull());
    }

    void selectionOfSeveralRows()
    {
        ThreeColumnList l;
        for (const char* t : {"a", "b", "c", "d"})
            l.add(t);
        QVERIFY(l.lvw.SelectedItem().isNothing());
        l.lvw.setMultiSelect(true);
        l.lvw.ListItems()(2).setSelected(true);
        l.lvw.ListItems()(4).setSelected(true);
        QVERIFY(l.lvw.ListItems()(2).Selected());
        QVERIFY(l.lvw.ListItems()(4).Selected());
        QVERIFY(!l.lvw.ListItems()(3).Selected());
        QCOMPARE(l.lvw.SelectedItem().Text(), QString("d"));
        l.lvw.ListItems()(4).setSelected(false);
        QCOMPARE(l.lvw.SelectedItem().Text(), QString("b"));
        // Selection follows the rows through a sort.
        l.lvw.setSortOrder(1);
        l.lvw.setSorted(true);
        QVERIFY(l.lvw.ListItems().Item(3).Selected());  // "b" is third of d, c, b, a

        l.lvw.setMultiSelect(false);
        l.lvw.ListItems()(1).setSelected(true);
        QVERIFY(!l.lvw.ListItems()(3).Selected());
        l.lvw.setSelectedItem(ListItem());
        QVERIFY(l.lvw.SelectedItem().isNothing());
    }

    void ensureVisibleScrollsToTheRow()
    {
        ThreeColumnList l;
        for (int i = 0; i < 500; ++i)
            l.add(QString::number(i));
        ListItem last = l.lvw.ListItems()(500);
        last.EnsureVisible();
        const QRect rect = l.lvw.visualRect(l.lvw.model()->index(499, 0));
        QVERIFY(l.lvw.viewport()->rect().contains(rect.center()));
    }

    void columnClickAndMouseEvents()
    {
        ThreeColumnList l;
        l.add("a");
        l.lvw.Refresh();
        QList<int> clicked;
        connect(&l.lvw, &ListView::ColumnClick, this, [&](ColumnHeader h) { clicked << h.Index(); });
        QSignalSpy mouse(&l.lvw, &ListView::MouseDown);
        QSignalSpy dbl(&l.lvw, &ListView::DblClick);
        QSignalSpy itemClick(&l.lvw, &ListView::ItemClick);
        QHeaderView* header = l.lvw.header();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(2) + 5, header->height() / 2));
        QCOMPARE(clicked, QList<int>{3});
        QVERIFY(!l.lvw.Sorted());  // a header click sorts nothing by itself

        const QPoint onRow = l.lvw.visualRect(l.lvw.model()->index(0, 2)).center();
        QTest::mouseClick(l.lvw.viewport(), Qt::RightButton, Qt::ShiftModifier, onRow);
        QCOMPARE(mouse.count(), 1);
        QCOMPARE(mouse.at(0).at(0).toInt(), 2);
        QCOMPARE(mouse.at(0).at(1).toInt(), 1);
        QCOMPARE(mouse.at(0).at(2).toDouble(), PxToTwips(onRow.x() + l.lvw.viewport()->x()));
        QTest::mouseClick(l.lvw.viewport(), Qt::LeftButton, {}, onRow);
        QCOMPARE(itemClick.count(), 1);
        QTest::mouseDClick(l.lvw.viewport(), Qt::LeftButton, {}, onRow);
        QCOMPARE(dbl.count(), 1);
    }

    void paintHoldEndsOnEveryWayOut()
    {
        ListView lvw;
        {
            PaintHold hold(&lvw);
            QVERIFY(!lvw.updatesEnabled());
        }
        QVERIFY(lvw.updatesEnabled());
        try {
            PaintHold hold(&lvw);
            throw std::runtime_error("load failed");
        } catch (const std::runtime_error&) {
        }
        QVERIFY(lvw.updatesEnabled());
        PaintHold early(&lvw);
        early.release();
        QVERIFY(lvw.updatesEnabled());
    }

    void hundredThousandRowsAddedAndSorted()
    {
        ListView lvw;
        lvw.resize(600, 400);
        for (int c = 0; c < 16; ++c)
            lvw.ColumnHeaders().Add("", QStringLiteral("C%1").arg(c), c == 1 ? 0 : 900);
        lvw.setCheckboxes(true);
        lvw.show();
        const int n = 100000;
        {
            PaintHold hold(&lvw);
            for (int i = 0; i < n; ++i) {
                ListItem item = lvw.ListItems().Add();
                item.setSmallIcon(106);
                for (int c = 1; c < 16; ++c)
                    item.setSubItems(c, QString::number((i * 7919 + c) % n));
                item.setChecked(i % 3 == 0);
            }
        }
        QCOMPARE(lvw.ListItems().Count(), n);
        lvw.setSortKey(2);
        lvw.setSorted(true);
        QCOMPARE(lvw.ListItems()(1).SubItems(2), QString("0"));
        QCOMPARE(lvw.ListItems()(2).SubItems(2), QString("1"));
        QCOMPARE(lvw.ListItems()(3).SubItems(2), QString("10"));
        QCOMPARE(lvw.ListItems()(n).SubItems(2), QString("99999"));
        lvw.ListItems()(n).EnsureVisible();
        QCOMPARE(lvw.model()->rowCount(), n);
        QCoreApplication::processEvents();
    }
};

QTEST_MAIN(TestListView)
#include "tst_ui_listview.moc"
