#pragma once
// The tree view with the member names of the control the program was written for (trees are small: a thin
// QTreeWidget wrapper).
//
//     tree.Nodes().Add("", ui::tvwLast, "A", "Plan General de Cuentas", 1).setExpanded(true);
//     ui::Node n = tree.Nodes().Add("A", ui::tvwChild, "A1", "1 - Activo", 2);
//
// Nodes are handles; Index is the 1-based place in the order of addition. Keys are compared without regard
// to case; a repeated key raises error 35602, an unknown relative 35601. After Nodes().Clear() an old handle
// raises 35605. Check marks set by code raise no NodeCheck.

#include <QTreeWidget>

namespace ui {

class ImageList;
class TreeView;

enum TreeRelationship : int { tvwFirst = 0, tvwLast = 1, tvwNext = 2, tvwPrevious = 3, tvwChild = 4 };

class Node {
public:
    Node() = default;                      // Nothing
    bool isNothing() const { return m_view == nullptr; }
    explicit operator bool() const { return !isNothing(); }
    bool operator==(const Node& other) const
    {
        return m_view == other.m_view && m_generation == other.m_generation && m_index == other.m_index;
    }

    QString Key() const;
    QString Text() const;
    void setText(const QString& text);
    int Index() const;
    Node Parent() const;                   // Nothing for a top-level node
    int Children() const;
    Node Child() const;                    // the first child, or Nothing
    Node Next() const;                     // the next sibling, or Nothing
    bool Expanded() const;
    void setExpanded(bool expanded);
    bool Selected() const;
    void setSelected(bool selected);
    bool Checked() const;
    void setChecked(bool checked);         // raises no NodeCheck
    int Image() const;
    void setImage(int image);
    void EnsureVisible();

private:
    friend class TreeView;
    friend class NodeCollection;
    Node(TreeView* view, int generation, int index) : m_view(view), m_generation(generation), m_index(index) {}
    QTreeWidgetItem* item() const;         // error 35605 when the node is gone
    TreeView* m_view = nullptr;
    int m_generation = 0;
    int m_index = 0;
};

class NodeCollection {
public:
    Node Add(const QString& relativeKey, int relationship, const QString& key, const QString& text, int image = 0);
    Node Add(const Node& relative, int relationship, const QString& key, const QString& text, int image = 0);
    int Count() const;
    Node Item(int index) const;            // 1-based; error 35600 outside
    Node Item(const QString& key) const;   // error 35601 when missing
    Node operator()(int index) const { return Item(index); }
    void Clear();

private:
    friend class TreeView;
    explicit NodeCollection(TreeView* view) : m_view(view) {}
    TreeView* m_view;
};

class TreeView : public QTreeWidget {
    Q_OBJECT
public:
    explicit TreeView(QWidget* parent = nullptr);

    NodeCollection& Nodes() { return m_nodes; }
    Node SelectedItem() const;
    void setSelectedItem(const Node& node);
    bool Checkboxes() const { return m_checkboxes; }
    void setCheckboxes(bool on);
    void setImageList(const ImageList* images);

signals:
    void NodeClick(ui::Node node);
    void NodeCheck(ui::Node node);         // only when the operator changes a check box
    void DblClick();
    void KeyDown(int& keyCode, int shift);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    friend class Node;
    friend class NodeCollection;
    Node nodeOf(const QTreeWidgetItem* item) const;
    void prepareItem(QTreeWidgetItem* item);
    void setCheckedByCode(QTreeWidgetItem* item, bool checked);

    NodeCollection m_nodes{this};
    QList<QTreeWidgetItem*> m_items;       // in order of addition
    QHash<QString, int> m_keys;            // folded key -> index
    int m_generation = 0;
    bool m_checkboxes = false;
    bool m_settingByCode = false;
    const ImageList* m_images = nullptr;
};

} // namespace ui
