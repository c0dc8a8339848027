#include "TreeView.h"

#include "ControlErrors.h"
#include "ImageList.h"
#include "Keys.h"

#include <QKeyEvent>

namespace ui {

namespace {

constexpr int kIndexRole = Qt::UserRole;
constexpr int kKeyRole = Qt::UserRole + 1;
constexpr int kImageRole = Qt::UserRole + 2;
constexpr int kCheckedRole = Qt::UserRole + 3;   // the state last seen, to tell a check change from others

} // namespace

// ---- Node -------------------------------------------------------------------------------------------

QTreeWidgetItem* Node::item() const
{
    if (!m_view)
        throw ErrorInfo{91, QStringLiteral("Variable de tipo Object no establecida"), QStringLiteral("TreeView")};
    if (m_generation != m_view->m_generation || m_index < 1 || m_index > m_view->m_items.size())
        raiseControlError(kErrCollectionModified);
    return m_view->m_items.at(m_index - 1);
}

QString Node::Key() const { return item()->data(0, kKeyRole).toString(); }
QString Node::Text() const { return item()->text(0); }
void Node::setText(const QString& text) { item()->setText(0, text); }
int Node::Index() const { return item()->data(0, kIndexRole).toInt(); }
Node Node::Parent() const { return m_view->nodeOf(item()->parent()); }
int Node::Children() const { return item()->childCount(); }
Node Node::Child() const { return m_view->nodeOf(item()->child(0)); }
bool Node::Expanded() const { return item()->isExpanded(); }
void Node::setExpanded(bool expanded) { item()->setExpanded(expanded); }
bool Node::Selected() const { return item()->isSelected(); }
bool Node::Checked() const { return item()->checkState(0) == Qt::Checked; }
void Node::setChecked(bool checked) { m_view->setCheckedByCode(item(), checked); }
int Node::Image() const { return item()->data(0, kImageRole).toInt(); }
void Node::EnsureVisible() { m_view->scrollToItem(item()); }

Node Node::Next() const
{
    QTreeWidgetItem* it = item();
    QTreeWidgetItem* parent = it->parent();
    const int at = parent ? parent->indexOfChild(it) : m_view->indexOfTopLevelItem(it);
    return m_view->nodeOf(parent ? parent->child(at + 1) : m_view->topLevelItem(at + 1));
}

void Node::setSelected(bool selected)
{
    if (selected)
        m_view->setCurrentItem(item());
    else
        item()->setSelected(false);
}

void Node::setImage(int image)
{
    QTreeWidgetItem* it = item();
    it->setData(0, kImageRole, image);
    it->setIcon(0, m_view->m_images ? m_view->m_images->Item(image) : QIcon());
}

// ---- NodeCollection ---------------------------------------------------------------------------------

Node NodeCollection::Add(const QString& relativeKey, int relationship, const QString& key, const QString& text,
                         int image)
{
    return Add(relativeKey.isEmpty() ? Node() : Item(relativeKey), relationship, key, text, image);
}

Node NodeCollection::Add(const Node& relative, int relationship, const QString& key, const QString& text, int image)
{
    TreeView& tree = *m_view;
    const QString folded = key.toCaseFolded();
    if (!key.isEmpty() && tree.m_keys.contains(folded))
        raiseControlError(kErrKeyNotUnique);
    QTreeWidgetItem* rel = relative ? relative.item() : nullptr;

    auto* item = new QTreeWidgetItem(QStringList{text});
    const QSignalBlocker quiet(&tree);
    if (rel && relationship == tvwChild) {
        rel->addChild(item);
    } else {
        // Among the relative's siblings (the top level without a relative).
        QTreeWidgetItem* parent = rel ? rel->parent() : nullptr;
        const int count = parent ? parent->childCount() : tree.topLevelItemCount();
        const int relAt = !rel ? -1 : parent ? parent->indexOfChild(rel) : tree.indexOfTopLevelItem(rel);
        int at = count;
        if (relationship == tvwFirst)
            at = 0;
        else if (relationship == tvwNext && rel)
            at = relAt + 1;
        else if (relationship == tvwPrevious && rel)
            at = relAt;
        if (parent)
            parent->insertChild(at, item);
        else
            tree.insertTopLevelItem(at, item);
    }
    tree.m_items.append(item);
    const int index = int(tree.m_items.size());
    item->setData(0, kIndexRole, index);
    item->setData(0, kKeyRole, key);
    if (!key.isEmpty())
        tree.m_keys.insert(folded, index);
    tree.prepareItem(item);
    const Node node(m_view, tree.m_generation, index);
    if (image != 0) {
        Node(node).setImage(image);
    }
    return node;
}

int NodeCollection::Count() const
{
    return int(m_view->m_items.size());
}

Node NodeCollection::Item(int index) const
{
    if (index < 1 || index > Count())
        raiseControlError(kErrIndexOutOfBounds);
    return Node(m_view, m_view->m_generation, index);
}

Node NodeCollection::Item(const QString& key) const
{
    const auto it = m_view->m_keys.constFind(key.toCaseFolded());
    if (it == m_view->m_keys.cend())
        raiseControlError(kErrElementNotFound);
    return Node(m_view, m_view->m_generation, *it);
}

void NodeCollection::Clear()
{
    m_view->clear();
    m_view->m_items.clear();
    m_view->m_keys.clear();
    ++m_view->m_generation;
}

// ---- TreeView ---------------------------------------------------------------------------------------

TreeView::TreeView(QWidget* parent)
    : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(this, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item, int) { emit NodeClick(nodeOf(item)); });
    connect(this, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int) {
        if (m_settingByCode || !m_checkboxes)
            return;
        const bool now = item->checkState(0) == Qt::Checked;
        if (item->data(0, kCheckedRole).toBool() == now)
            return;  // a text or icon change, not a check
        {
            const QSignalBlocker quiet(this);
            item->setData(0, kCheckedRole, now);
        }
        emit NodeCheck(nodeOf(item));
    });
}

Node TreeView::nodeOf(const QTreeWidgetItem* item) const
{
    if (!item)
        return {};
    return Node(const_cast<TreeView*>(this), m_generation, item->data(0, kIndexRole).toInt());
}

void TreeView::prepareItem(QTreeWidgetItem* item)
{
    const QSignalBlocker quiet(this);
    if (m_checkboxes) {
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        if (item->data(0, Qt::CheckStateRole).isNull())
            item->setCheckState(0, Qt::Unchecked);
    } else {
        item->setFlags(item->flags() & ~Qt::ItemIsUserCheckable);
        item->setData(0, Qt::CheckStateRole, QVariant());
    }
    item->setData(0, kCheckedRole, item->checkState(0) == Qt::Checked);
}

void TreeView::setCheckedByCode(QTreeWidgetItem* item, bool checked)
{
    m_settingByCode = true;
    item->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
    item->setData(0, kCheckedRole, checked);
    m_settingByCode = false;
}

Node TreeView::SelectedItem() const
{
    return nodeOf(currentItem());
}

void TreeView::setSelectedItem(const Node& node)
{
    if (node.isNothing())
        setCurrentItem(nullptr);
    else
        setCurrentItem(node.item());
}

void TreeView::setCheckboxes(bool on)
{
    m_checkboxes = on;
    for (QTreeWidgetItem* item : std::as_const(m_items))
        prepareItem(item);
}

void TreeView::setImageList(const ImageList* images)
{
    m_images = images;
    for (QTreeWidgetItem* item : std::as_const(m_items))
        item->setIcon(0, images ? images->Item(item->data(0, kImageRole).toInt()) : QIcon());
}

void TreeView::keyPressEvent(QKeyEvent* event)
{
    if (!offerKeyDown(*event, [this](int& keyCode, int shift) { emit KeyDown(keyCode, shift); })) {
        event->accept();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

void TreeView::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTreeWidget::mouseDoubleClickEvent(event);
    emit DblClick();
}

} // namespace ui
