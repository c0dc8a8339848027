#include "ListModel.h"

#include "ImageList.h"

#include <QFont>

#include <algorithm>
#include <numeric>

namespace ui {

namespace {

Qt::Alignment qtAlignment(int alignment)
{
    switch (alignment) {
    case 1: return Qt::AlignRight | Qt::AlignVCenter;
    case 2: return Qt::AlignHCenter | Qt::AlignVCenter;
    default: return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

} // namespace

ListModel::ListModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

ListModel::~ListModel() = default;

int ListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : columnTotal();
}

bool ListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::CheckStateRole || !index.isValid() || index.column() != 0 || !m_checkboxes
        || index.row() >= rowCount())
        return false;
    const quint32 id = idAt(index.row());
    setChecked(id, value.toInt() == Qt::Checked);
    emit operatorChecked(id);
    return true;
}

Qt::ItemFlags ListModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;   // the root takes no rows dropped or selected
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (m_checkboxes && index.column() == 0)
        f |= Qt::ItemIsUserCheckable;
    return f;
}

QVariant ListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columnTotal())
        return {};
    if (role == Qt::DisplayRole)
        return m_columns[size_t(section)].text;
    if (role == Qt::TextAlignmentRole)
        return QVariant(qtAlignment(section == 0 ? 0 : m_columns[size_t(section)].alignment));
    return {};
}

QVariant ListModel::alignmentOf(int column) const
{
    if (column <= 0 || column >= columnTotal())
        return {};
    return QVariant(qtAlignment(m_columns[size_t(column)].alignment));
}

QVariant ListModel::iconOf(int smallIcon) const
{
    if (smallIcon == 0)
        return {};
    const ImageList* images = m_smallIcons ? m_smallIcons : m_icons;
    return images ? images->Item(smallIcon) : QVariant();
}

QVariant ListModel::fontOf(quint32 id, int column) const
{
    if (!bold(id, column))
        return {};
    QFont font;
    font.setBold(true);
    return font;
}

bool ListModel::bold(quint32 id, int column) const
{
    return m_boldCells.contains(cellKey(id, column));
}

void ListModel::setBold(quint32 id, int column, bool bold)
{
    if (bold == this->bold(id, column))
        return;
    if (bold)
        m_boldCells.insert(cellKey(id, column));
    else
        m_boldCells.remove(cellKey(id, column));
    const int position = positionOf(id);
    if (position >= 0 && position < rowCount() && column < columnTotal())
        emit dataChanged(index(position, column), index(position, column), {Qt::FontRole});
}

void ListModel::addColumn(const ListColumn& column)
{
    beginInsertColumns({}, columnTotal(), columnTotal());
    m_columns.push_back(column);
    endInsertColumns();
}

void ListModel::setColumn(int index0, const ListColumn& column)
{
    m_columns[size_t(index0)] = column;
    emit headerDataChanged(Qt::Horizontal, index0, index0);
}

void ListModel::clearColumns()
{
    if (m_columns.empty())
        return;
    beginRemoveColumns({}, 0, columnTotal() - 1);
    m_columns.clear();
    endRemoveColumns();
}

void ListModel::setSorted(bool sorted) { changeSort(sorted, m_sortKey, m_sortOrder); }
void ListModel::setSortKey(int key) { changeSort(m_sorted, key, m_sortOrder); }
void ListModel::setSortOrder(int order) { changeSort(m_sorted, m_sortKey, order); }

void ListModel::setCheckboxes(bool on)
{
    if (m_checkboxes == on)
        return;
    m_checkboxes = on;
    if (rowCount() > 0 && columnTotal() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, 0), {Qt::CheckStateRole});
}

void ListModel::setImageLists(const ImageList* icons, const ImageList* smallIcons)
{
    m_icons = icons;
    m_smallIcons = smallIcons;
    if (rowCount() > 0 && columnTotal() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, 0), {Qt::DecorationRole});
}

std::vector<int> ListModel::stableOrderByFolded(std::vector<QString>& folded) const
{
    std::vector<int> order(folded.size());
    std::iota(order.begin(), order.end(), 0);
    const bool descending = m_sortOrder == 1;
    std::stable_sort(order.begin(), order.end(), [&folded, descending](int a, int b) {
        const int c = QString::compare(folded[size_t(a)], folded[size_t(b)], Qt::CaseSensitive);
        return descending ? c > 0 : c < 0;
    });
    return order;
}

} // namespace ui
