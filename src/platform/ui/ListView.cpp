#include "ListView.h"

#include "ControlErrors.h"
#include "Keys.h"
#include "Units.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

namespace ui {

namespace {

// The list's own text colour, what an item without a colour of its own reports.
constexpr qint32 kWindowText = qint32(0x80000008);

int legacyButton(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    case Qt::MiddleButton: return 4;
    default: return 0;
    }
}

} // namespace

// ---- ListSubItem ------------------------------------------------------------------------------------

QString ListSubItem::Text() const
{
    return ListItem(m_view, m_id).model().cell(m_id, m_column);
}

void ListSubItem::setText(const QString& text)
{
    ListItem(m_view, m_id).editable().setCell(m_id, m_column, text);
}

bool ListSubItem::Bold() const
{
    return ListItem(m_view, m_id).model().bold(m_id, m_column);
}

void ListSubItem::setBold(bool bold)
{
    ListItem(m_view, m_id).model().setBold(m_id, m_column, bold);
}

qint32 ListSubItem::ForeColor() const
{
    return ListItem(m_view, m_id).model().foreColor(m_id, m_column).value_or(kWindowText);
}

void ListSubItem::setForeColor(qint32 bgr)
{
    ListItem(m_view, m_id).editable().setForeColor(m_id, m_column, bgr);
}

// ---- ListItem ---------------------------------------------------------------------------------------

namespace {

EditableListModel& EditableDe(ListModel& modelo)
{
    // A list that only shows rows kept elsewhere (the workbench's session) refuses what would change them.
    if (auto* editable = dynamic_cast<EditableListModel*>(&modelo))
        return *editable;
    raiseControlError(kErrInvalidProperty);
}

} // namespace

EditableListModel& ListItem::editable() const
{
    return EditableDe(model());
}

ListModel& ListItem::model() const
{
    if (!m_view)
        throw ErrorInfo{91, QStringLiteral("Variable de tipo Object no establecida"), QStringLiteral("ListView")};
    if (!m_view->m_model->alive(m_id))
        raiseControlError(kErrCollectionModified);
    return *m_view->m_model;
}

QString ListItem::Text() const { return ListSubItems(0).Text(); }
void ListItem::setText(const QString& text) { ListSubItems(0).setText(text); }
bool ListItem::Bold() const { return ListSubItems(0).Bold(); }
void ListItem::setBold(bool bold) { ListSubItems(0).setBold(bold); }
qint32 ListItem::ForeColor() const { return ListSubItems(0).ForeColor(); }
void ListItem::setForeColor(qint32 bgr) { ListSubItems(0).setForeColor(bgr); }

QString ListItem::SubItems(int index) const
{
    if (index < 1)
        raiseControlError(kErrInvalidProperty);
    return ListSubItems(index).Text();
}

void ListItem::setSubItems(int index, const QString& text)
{
    if (index < 1)
        raiseControlError(kErrInvalidProperty);
    ListSubItems(index).setText(text);
}

ListSubItem ListItem::ListSubItems(int index) const
{
    model();
    if (index < 0 || (index > 0 && index >= m_view->m_model->columnTotal()))
        raiseControlError(kErrInvalidProperty);
    return ListSubItem(m_view, m_id, index);
}

bool ListItem::Checked() const { return model().checked(m_id); }
void ListItem::setChecked(bool checked) { model().setChecked(m_id, checked); }
int ListItem::SmallIcon() const { return model().smallIcon(m_id); }
void ListItem::setSmallIcon(int icon) { editable().setSmallIcon(m_id, icon); }
QString ListItem::Key() const { return model().key(m_id); }
void ListItem::setKey(const QString& key) { editable().setKey(m_id, key); }
QString ListItem::Tag() const { return model().tag(m_id); }
void ListItem::setTag(const QString& tag) { editable().setTag(m_id, tag); }

int ListItem::Index() const
{
    return model().positionOf(m_id) + 1;
}

bool ListItem::Selected() const
{
    const int row = Index() - 1;
    return m_view->selectionModel()->isRowSelected(row, {});
}

void ListItem::setSelected(bool selected)
{
    const QModelIndex index = m_view->m_model->index(Index() - 1, 0);
    QItemSelectionModel* selection = m_view->selectionModel();
    if (!selected) {
        selection->select(index, QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
        return;
    }
    const auto mode = m_view->m_multiSelect ? QItemSelectionModel::Select : QItemSelectionModel::ClearAndSelect;
    selection->setCurrentIndex(index, mode | QItemSelectionModel::Rows);
}

void ListItem::EnsureVisible()
{
    m_view->scrollTo(m_view->m_model->index(Index() - 1, 0));
}

// ---- ColumnHeader -----------------------------------------------------------------------------------

QString ColumnHeader::Text() const { return m_view->m_model->column(m_index).text; }
QString ColumnHeader::Key() const { return m_view->m_model->column(m_index).key; }
double ColumnHeader::Width() const { return m_view->m_model->column(m_index).width; }
int ColumnHeader::Alignment() const { return m_view->m_model->column(m_index).alignment; }

void ColumnHeader::setText(const QString& text)
{
    ListColumn c = m_view->m_model->column(m_index);
    c.text = text;
    m_view->m_model->setColumn(m_index, c);
}

void ColumnHeader::setWidth(double twips)
{
    ListColumn c = m_view->m_model->column(m_index);
    c.width = qMax(0.0, twips);
    m_view->m_model->setColumn(m_index, c);
    m_view->applyColumnWidth(m_index);
}

void ColumnHeader::setAlignment(int alignment)
{
    ListColumn c = m_view->m_model->column(m_index);
    c.alignment = alignment;
    m_view->m_model->setColumn(m_index, c);
}

double ColumnHeader::Left() const
{
    double left = 0;
    for (int i = 0; i < m_index; ++i)
        left += m_view->m_model->column(i).width;
    return left;
}

// ---- collections ------------------------------------------------------------------------------------

ColumnHeader ColumnHeaderCollection::Add(const QString& key, const QString& text, double width, int alignment)
{
    ListModel& model = *m_view->m_model;
    model.addColumn(ListColumn{key, text, width < 0 ? 1440.0 : width, alignment});
    const int index0 = model.columnTotal() - 1;
    m_view->applyColumnWidth(index0);
    return ColumnHeader(m_view, index0);
}

int ColumnHeaderCollection::Count() const
{
    return m_view->m_model->columnTotal();
}

ColumnHeader ColumnHeaderCollection::Item(int index) const
{
    if (index < 1 || index > Count())
        raiseControlError(kErrIndexOutOfBounds);
    return ColumnHeader(m_view, index - 1);
}

void ColumnHeaderCollection::Clear()
{
    m_view->m_model->clearColumns();
}

ListItem ListItemCollection::Add(const QString& text, const QString& key)
{
    return ListItem(m_view, EditableDe(*m_view->m_model).append(text, key));
}

int ListItemCollection::Count() const
{
    return m_view->m_model->count();
}

ListItem ListItemCollection::Item(int index) const
{
    if (index < 1 || index > Count())
        raiseControlError(kErrIndexOutOfBounds);
    return ListItem(m_view, m_view->m_model->idAt(index - 1));
}

ListItem ListItemCollection::Item(const QString& key) const
{
    const std::optional<quint32> id = m_view->m_model->idOfKey(key);
    if (!id)
        raiseControlError(kErrElementNotFound);
    return ListItem(m_view, *id);
}

void ListItemCollection::Remove(int index)
{
    EditableDe(*m_view->m_model).remove(Item(index).m_id);
}

void ListItemCollection::Clear()
{
    m_view->m_model->clear();
}

// ---- ListView ---------------------------------------------------------------------------------------

ListView::ListView(QWidget* parent)
    : ListView(new StoredListModel, parent)
{
    m_model->setParent(this);
}

ListView::ListView(ListModel* rows, QWidget* parent)
    : QTreeView(parent)
    , m_model(rows)
{
    setModel(m_model);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);
    header()->setSectionsClickable(true);
    header()->setSectionsMovable(false);
    header()->setStretchLastSection(false);

    connect(header(), &QHeaderView::sectionClicked, this,
            [this](int logical) { emit ColumnClick(ColumnHeader(this, logical)); });
    // An operator's drag of a column border becomes the column's width.
    connect(header(), &QHeaderView::sectionResized, this, [this](int logical, int, int px) {
        if (m_applyingWidth || logical >= m_model->columnTotal())
            return;
        ListColumn c = m_model->column(logical);
        if (TwipsToPx(c.width) != px) {
            c.width = PxToTwips(px);
            m_model->setColumn(logical, c);
        }
    });
    // Anything but a sort of the rows asks for a full layout.
    const auto stale = [this] { m_layoutCurrent = false; };
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved,
                        &QAbstractItemModel::columnsInserted, &QAbstractItemModel::columnsRemoved})
        connect(m_model, signal, this, stale);
    for (auto signal : {&QAbstractItemModel::rowsMoved, &QAbstractItemModel::columnsMoved})
        connect(m_model, signal, this, stale);
    connect(m_model, &QAbstractItemModel::modelReset, this, stale);
    connect(m_model, &QAbstractItemModel::layoutChanged, this,
            [this](const QList<QPersistentModelIndex>&, QAbstractItemModel::LayoutChangeHint hint) {
                if (hint == QAbstractItemModel::VerticalSortHint)
                    m_sortPending = true;
                else
                    m_layoutCurrent = false;
            });
    connect(m_model, &ListModel::operatorChecked, this, [this](quint32 id) { emit ItemCheck(ListItem(this, id)); });
    connect(this, &QAbstractItemView::clicked, this,
            [this](const QModelIndex& index) { emit ItemClick(itemAtRow(index.row())); });
}

ListView::~ListView() = default;

void ListView::applyColumnWidth(int index0)
{
    m_applyingWidth = true;
    const int px = TwipsToPx(m_model->column(index0).width);
    if (px <= 0) {
        header()->hideSection(index0);
    } else {
        header()->showSection(index0);
        header()->resizeSection(index0, px);
    }
    m_applyingWidth = false;
}

ListItem ListView::itemAtRow(int row) const
{
    if (row < 0 || row >= m_model->rowCount())
        return {};
    return ListItem(const_cast<ListView*>(this), m_model->idAt(row));
}

ListItem ListView::SelectedItem() const
{
    m_model->sync();
    const QItemSelectionModel* selection = selectionModel();
    const QModelIndex current = currentIndex();
    if (current.isValid() && selection->isRowSelected(current.row(), {}))
        return itemAtRow(current.row());
    int first = -1;
    for (const QItemSelectionRange& range : selection->selection())
        if (first < 0 || range.top() < first)
            first = range.top();
    return itemAtRow(first);
}

void ListView::setSelectedItem(const ListItem& item)
{
    if (item.isNothing()) {
        selectionModel()->clear();
        return;
    }
    const QModelIndex index = m_model->index(item.Index() - 1, 0);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void ListView::setSorted(bool sorted) { m_model->setSorted(sorted); }
void ListView::setSortKey(int key) { m_model->setSortKey(key); }
void ListView::setSortOrder(int order) { m_model->setSortOrder(order); }
void ListView::setCheckboxes(bool on) { m_model->setCheckboxes(on); }

void ListView::setMultiSelect(bool on)
{
    m_multiSelect = on;
    setSelectionMode(on ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
}

void ListView::setIcons(const ImageList* images)
{
    m_icons = images;
    m_model->setImageLists(m_icons, m_smallIcons);
}

void ListView::setSmallIcons(const ImageList* images)
{
    m_smallIcons = images;
    m_model->setImageLists(m_icons, m_smallIcons);
}

void ListView::Refresh()
{
    m_model->sync();
    viewport()->update();
}

void ListView::doItemsLayout()
{
    // model(), not m_model: a model that goes before the view leaves the view Qt's empty model.
    const int rows = model() ? model()->rowCount() : -1;
    const bool sortOnly = m_sortPending && m_layoutCurrent && rows == m_laidOutRows;
    m_sortPending = false;
    if (sortOnly) {
        // Row i is still row i of the same height: what a layout does beyond the rows.
        QAbstractItemView::doItemsLayout();
        return;
    }
    QTreeView::doItemsLayout();
    m_laidOutRows = rows;
    m_layoutCurrent = true;
}

void ListView::changeEvent(QEvent* event)
{
    // A new font or style gives the rows another height.
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        m_layoutCurrent = false;
    QTreeView::changeEvent(event);
}

void ListView::keyPressEvent(QKeyEvent* event)
{
    if (!offerKeyDown(*event, [this](int& keyCode, int shift) { emit KeyDown(keyCode, shift); })) {
        event->accept();
        return;
    }
    // Space toggles the current row's mark whichever cell has the focus.
    const QModelIndex current = currentIndex();
    if (LegacyKeyCode(*event) == vbKeySpace && Checkboxes() && current.isValid()) {
        const QModelIndex box = m_model->index(current.row(), 0);
        m_model->setData(box, m_model->checked(m_model->idAt(current.row())) ? Qt::Unchecked : Qt::Checked,
                         Qt::CheckStateRole);
        event->accept();
        return;
    }
    QTreeView::keyPressEvent(event);
}

void ListView::mousePressEvent(QMouseEvent* event)
{
    const QPoint inList = event->position().toPoint() + viewport()->pos();
    const bool derecho = event->button() == Qt::RightButton;
    if (derecho)
        SeleccionarBajoElPuntero(event->position().toPoint());
    emit MouseDown(legacyButton(event->button()), LegacyShift(event->modifiers()), PxToTwips(inList.x()),
                   PxToTwips(inList.y()));
    // The right button's selection is made; what its handler did (a menu, a reload) is not undone by the press
    // arriving at the view afterwards.
    if (derecho) {
        event->accept();
        return;
    }
    QTreeView::mousePressEvent(event);
}

void ListView::SeleccionarBajoElPuntero(const QPoint& enVista)
{
    // As list views do: a line outside the selection becomes the selection alone, a line inside it keeps it,
    // and below the last line nothing is selected.
    m_model->sync();
    const QModelIndex bajo = indexAt(enVista);
    QItemSelectionModel* seleccion = selectionModel();
    if (!bajo.isValid()) {
        seleccion->clearSelection();
        return;
    }
    if (seleccion->isRowSelected(bajo.row(), {}))
        return;
    seleccion->setCurrentIndex(m_model->index(bajo.row(), 0),
                               QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void ListView::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTreeView::mouseDoubleClickEvent(event);
    emit DblClick();
}

void ListView::focusInEvent(QFocusEvent* event)
{
    QTreeView::focusInEvent(event);
    emit GotFocus();
}

} // namespace ui
