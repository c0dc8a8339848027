// The tree view: adding nodes by relative and relationship, keys, walking, checks and events.
#include "platform/ui/ControlErrors.h"
#include "platform/ui/ErrorNumberOf.h"
#include "platform/ui/TreeView.h"

#include <QSignalSpy>
#include <QTest>

using namespace ui;

namespace {

// The shape the account tree builder makes: each code under the shorter one before it.
struct AccountTree {
    TreeView tree;
    AccountTree()
    {
        NodeCollection& n = tree.Nodes();
        n.Add("", tvwLast, "A", "Plan General de Cuentas", 1).setExpanded(true);
        n.Add("A", tvwChild, "A1", "1 - Activo", 2);
        n.Add("A1", tvwChild, "A11", "11 - Caja", 2);
        n.Add("A11", tvwNext, "A12", "12 - Bancos", 2);
        n.Add("A1", tvwNext, "A2", "2 - Pasivo", 2);
        n.Add("A12", tvwPrevious, "A10", "10 - Fondo fijo", 2);
        tree.resize(300, 300);
        tree.show();
    }
    QStringList childrenOf(const QString& key)
    {
        QStringList keys;
        for (Node c = tree.Nodes().Item(key).Child(); c; c = c.Next())
            keys << c.Key();
        return keys;
    }
};

} // namespace

class TestTreeView : public QObject {
    Q_OBJECT
private slots:
    void shapeFromRelativesAndRelationships()
    {
        AccountTree t;
        QCOMPARE(t.tree.Nodes().Count(), 6);
        QCOMPARE(t.childrenOf("A"), (QStringList{"A1", "A2"}));
        QCOMPARE(t.childrenOf("A1"), (QStringList{"A11", "A10", "A12"}));
        QCOMPARE(t.tree.Nodes().Item("A12").Parent().Key(), QString("A1"));
        QVERIFY(t.tree.Nodes().Item("A").Parent().isNothing());
        QCOMPARE(t.tree.Nodes().Item("a1").Children(), 3);
        QCOMPARE(t.tree.Nodes().Item("A2").Children(), 0);
        QVERIFY(t.tree.Nodes().Item("A").Expanded());
        QVERIFY(!t.tree.Nodes().Item("A1").Expanded());
        // Index is the order of addition, whatever the place in the tree.
        QCOMPARE(t.tree.Nodes()(6).Key(), QString("A10"));
        QCOMPARE(t.tree.Nodes().Item("A2").Index(), 5);
        QCOMPARE(t.tree.Nodes()(1).Image(), 1);
    }

    void repeatedKeyAndUnknownRelativeRaise()
    {
        AccountTree t;
        QCOMPARE(errorNumberOf([&] { t.tree.Nodes().Add("A", tvwChild, "a11", "dup"); }), kErrKeyNotUnique);
        QCOMPARE(errorNumberOf([&] { t.tree.Nodes().Add("X9", tvwChild, "A9", "x"); }), kErrElementNotFound);
        QCOMPARE(errorNumberOf([&] { t.tree.Nodes()(7); }), kErrIndexOutOfBounds);
        QCOMPARE(t.tree.Nodes().Count(), 6);
    }

    void clearInvalidatesOldNodes()
    {
        AccountTree t;
        Node old = t.tree.Nodes().Item("A1");
        t.tree.Nodes().Clear();
        QCOMPARE(t.tree.Nodes().Count(), 0);
        QCOMPARE(errorNumberOf([&] { old.Text(); }), kErrCollectionModified);
        t.tree.Nodes().Add("", tvwLast, "A1", "again");  // keys are free again
        QCOMPARE(t.tree.Nodes()(1).Text(), QString("again"));
    }

    void selectionAndNodeClick()
    {
        AccountTree t;
        Node root = t.tree.Nodes().Item("A");
        t.tree.setSelectedItem(root);
        QVERIFY(t.tree.SelectedItem() == root);
        QVERIFY(root.Selected());
        QSignalSpy clicks(&t.tree, &TreeView::NodeClick);
        const QRect rect = t.tree.visualItemRect(t.tree.topLevelItem(0)->child(1));
        QTest::mouseClick(t.tree.viewport(), Qt::LeftButton, {}, rect.center());
        QCOMPARE(clicks.count(), 1);
        QCOMPARE(clicks.at(0).at(0).value<Node>().Key(), QString("A2"));
        QCOMPARE(t.tree.SelectedItem().Key(), QString("A2"));
    }

    void checksByCodeRaiseNoNodeCheck()
    {
        AccountTree t;
        t.tree.setCheckboxes(true);
        QSignalSpy checks(&t.tree, &TreeView::NodeCheck);
        Node caja = t.tree.Nodes().Item("A11");
        caja.setChecked(true);
        caja.setText("11 - Caja chica");
        QCOMPARE(checks.count(), 0);
        QVERIFY(caja.Checked());

        // The operator's space on the current node does raise it.
        Node pasivo = t.tree.Nodes().Item("A2");
        t.tree.setSelectedItem(pasivo);
        QTest::keyClick(&t.tree, Qt::Key_Space);
        QCOMPARE(checks.count(), 1);
        QVERIFY(pasivo.Checked());
    }

    void keyDownCanEatTheKey()
    {
        AccountTree t;
        t.tree.setSelectedItem(t.tree.Nodes().Item("A"));
        QList<int> codes;
        connect(&t.tree, &TreeView::KeyDown, this, [&](int& keyCode, int) {
            codes << keyCode;
            keyCode = 0;
        });
        QTest::keyClick(&t.tree, Qt::Key_Down);
        QCOMPARE(codes, QList<int>{40});
        QCOMPARE(t.tree.SelectedItem().Key(), QString("A"));  // eaten: the selection did not move
    }
};

QTEST_MAIN(TestTreeView)
#include "tst_ui_treeview.moc"
