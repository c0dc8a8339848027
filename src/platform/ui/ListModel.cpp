#include "ListModel.h"

#include "ControlErrors.h"
#include "ImageList.h"
#include "Units.h"

#include <QBrush>
#include <QFont>
#include <algorithm>

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

QString foldedKey(const QString& key)
{
    return key.toCaseFolded();
}

} // namespace

ListModel::ListModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

ListModel::~ListModel() = default;

int ListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_announced;
}

int ListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : columnTotal();
}

QVariant ListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_announced)
        return {};
    const quint32 id = m_order[size_t(index.row())];
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return cell(id, column);
    case Qt::CheckStateRole:
        if (column == 0 && m_checkboxes)
            return row(id).checked ? Qt::Checked : Qt::Unchecked;
        return {};
    case Qt::DecorationRole: {
        if (column != 0 || row(id).smallIcon == 0)
            return {};
        const ImageList* images = m_smallIcons ? m_smallIcons : m_icons;
        return images ? images->Item(row(id).smallIcon) : QVariant();
    }
    case Qt::FontRole:
        if (const CellStyle* s = style(id, column); s && s->bold) {
            QFont font;
            font.setBold(true);
            return font;
        }
        return {};
    case Qt::ForegroundRole:
        if (const CellStyle* s = style(id, column); s && s->hasColor)
            return QBrush(FromBgr(s->color));
        return {};
    case Qt::TextAlignmentRole:
        return column == 0 ? QVariant() : QVariant(qtAlignment(m_columns[size_t(column)].alignment));
    default:
        return {};
    }
}

bool ListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::CheckStateRole || index.column() != 0 || !m_checkboxes || index.row() >= m_announced)
        return false;
    const quint32 id = m_order[size_t(index.row())];
    row(id).checked = value.toInt() == Qt::Checked;
    emit dataChanged(index, index, {Qt::CheckStateRole});
    emit operatorChecked(id);
    return true;
}

Qt::ItemFlags ListModel::flags(const QModelIndex& index) const
{
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

ListModel::Row& ListModel::row(quint32 id)
{
    return m_rows[size_t(id - m_firstId)];
}

const ListModel::Row& ListModel::row(quint32 id) const
{
    return m_rows[size_t(id - m_firstId)];
}

bool ListModel::alive(quint32 id) const
{
    return id >= m_firstId && id - m_firstId < m_rows.size() && row(id).alive;
}

quint32 ListModel::idAt(int position)
{
    sync();
    return m_order.at(size_t(position));
}

int ListModel::positionOf(quint32 id)
{
    sync();
    return alive(id) ? m_positionOf[size_t(id - m_firstId)] : -1;
}

quint32 ListModel::append(const QString& text, const QString& key)
{
    if (!key.isEmpty() && m_keys.contains(foldedKey(key)))
        raiseControlError(kErrKeyNotUnique);
    const quint32 id = m_firstId + quint32(m_rows.size());
    m_rows.emplace_back();
    m_rows.back().cells.append(text);
    if (!key.isEmpty()) {
        extras(id).key = key;
        m_keys.insert(foldedKey(key), id);
    }
    m_positionOf.push_back(int(m_order.size()));
    m_order.push_back(id);
    if (m_sorted)
        m_sortPending = true;
    scheduleSync();
    return id;
}

void ListModel::remove(quint32 id)
{
    const int position = positionOf(id);
    if (position < 0)
        raiseControlError(kErrCollectionModified);
    beginRemoveRows({}, position, position);
    m_order.erase(m_order.begin() + position);
    --m_announced;
    Row& r = row(id);
    if (r.extras && !r.extras->key.isEmpty())
        m_keys.remove(foldedKey(r.extras->key));
    r = Row();
    r.alive = false;
    m_positionOf[size_t(id - m_firstId)] = -1;
    rebuildPositions();
    endRemoveRows();
}

void ListModel::clear()
{
    beginResetModel();
    m_firstId += quint32(m_rows.size());
    m_rows.clear();
    m_order.clear();
    m_positionOf.clear();
    m_keys.clear();
    m_announced = 0;
    m_sortPending = false;
    endResetModel();
}

std::optional<quint32> ListModel::idOfKey(const QString& key) const
{
    const auto it = m_keys.constFind(foldedKey(key));
    if (it == m_keys.cend())
        return std::nullopt;
    return *it;
}

QString ListModel::cell(quint32 id, int column) const
{
    return row(id).cells.value(column);
}

void ListModel::setCell(quint32 id, int column, const QString& text)
{
    QStringList& cells = row(id).cells;
    while (cells.size() <= column)
        cells.append(QString());
    cells[column] = text;
    cellChanged(id, column, Qt::DisplayRole);
}

bool ListModel::checked(quint32 id) const
{
    return row(id).checked;
}

void ListModel::setChecked(quint32 id, bool checked)
{
    if (row(id).checked == checked)
        return;
    row(id).checked = checked;
    cellChanged(id, 0, Qt::CheckStateRole);
}

int ListModel::smallIcon(quint32 id) const
{
    return row(id).smallIcon;
}

void ListModel::setSmallIcon(quint32 id, int icon)
{
    row(id).smallIcon = qint16(icon);
    cellChanged(id, 0, Qt::DecorationRole);
}

ListModel::RowExtras& ListModel::extras(quint32 id)
{
    std::unique_ptr<RowExtras>& e = row(id).extras;
    if (!e)
        e = std::make_unique<RowExtras>();
    return *e;
}

const ListModel::CellStyle* ListModel::style(quint32 id, int column) const
{
    const RowExtras* e = row(id).extras.get();
    if (!e || size_t(column) >= e->styles.size())
        return nullptr;
    return &e->styles[size_t(column)];
}

bool ListModel::bold(quint32 id, int column) const
{
    const CellStyle* s = style(id, column);
    return s && s->bold;
}

void ListModel::setBold(quint32 id, int column, bool bold)
{
    std::vector<CellStyle>& styles = extras(id).styles;
    if (styles.size() <= size_t(column))
        styles.resize(size_t(column) + 1);
    styles[size_t(column)].bold = bold;
    cellChanged(id, column, Qt::FontRole);
}

std::optional<qint32> ListModel::foreColor(quint32 id, int column) const
{
    const CellStyle* s = style(id, column);
    if (!s || !s->hasColor)
        return std::nullopt;
    return s->color;
}

void ListModel::setForeColor(quint32 id, int column, qint32 bgr)
{
    std::vector<CellStyle>& styles = extras(id).styles;
    if (styles.size() <= size_t(column))
        styles.resize(size_t(column) + 1);
    styles[size_t(column)].hasColor = true;
    styles[size_t(column)].color = bgr;
    cellChanged(id, column, Qt::ForegroundRole);
}

QString ListModel::key(quint32 id) const
{
    const RowExtras* e = row(id).extras.get();
    return e ? e->key : QString();
}

void ListModel::setKey(quint32 id, const QString& key)
{
    const QString old = this->key(id);
    if (foldedKey(old) == foldedKey(key))
        return;
    if (!key.isEmpty() && m_keys.contains(foldedKey(key)))
        raiseControlError(kErrKeyNotUnique);
    if (!old.isEmpty())
        m_keys.remove(foldedKey(old));
    if (!key.isEmpty())
        m_keys.insert(foldedKey(key), id);
    extras(id).key = key;
}

QString ListModel::tag(quint32 id) const
{
    const RowExtras* e = row(id).extras.get();
    return e ? e->tag : QString();
}

void ListModel::setTag(quint32 id, const QString& tag)
{
    extras(id).tag = tag;
}

void ListModel::cellChanged(quint32 id, int column, int role)
{
    const int position = m_positionOf[size_t(id - m_firstId)];
    if (position < 0 || position >= m_announced || column >= columnTotal())
        return;
    const QModelIndex i = index(position, column);
    emit dataChanged(i, i, {role});
}

// Setting any of the three sorts at once (after the sort owed to rows added before), as the control did.
void ListModel::changeSort(bool sorted, int key, int order)
{
    sync();
    m_sorted = sorted;
    m_sortKey = key;
    m_sortOrder = order;
    if (m_sorted)
        sortNow();
}

void ListModel::setSorted(bool sorted) { changeSort(sorted, m_sortKey, m_sortOrder); }
void ListModel::setSortKey(int key) { changeSort(m_sorted, key, m_sortOrder); }
void ListModel::setSortOrder(int order) { changeSort(m_sorted, m_sortKey, order); }

void ListModel::setCheckboxes(bool on)
{
    if (m_checkboxes == on)
        return;
    m_checkboxes = on;
    if (m_announced > 0 && columnTotal() > 0)
        emit dataChanged(index(0, 0), index(m_announced - 1, 0), {Qt::CheckStateRole});
}

void ListModel::setImageLists(const ImageList* icons, const ImageList* smallIcons)
{
    m_icons = icons;
    m_smallIcons = smallIcons;
    if (m_announced > 0 && columnTotal() > 0)
        emit dataChanged(index(0, 0), index(m_announced - 1, 0), {Qt::DecorationRole});
}

void ListModel::scheduleSync()
{
    if (m_syncScheduled)
        return;
    m_syncScheduled = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_syncScheduled = false;
            sync();
        },
        Qt::QueuedConnection);
}

void ListModel::sync()
{
    announceRows();
    if (m_sortPending)
        sortNow();
}

void ListModel::announceRows()
{
    if (count() <= m_announced)
        return;
    beginInsertRows({}, m_announced, count() - 1);
    m_announced = count();
    endInsertRows();
}

void ListModel::sortNow()
{
    m_sortPending = false;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<std::pair<quint32, int>> saved;
    saved.reserve(size_t(before.size()));
    for (const QModelIndex& i : before)
        saved.emplace_back(m_order[size_t(i.row())], i.column());

    struct Entry {
        const QString* text;
        quint32 id;
    };
    static const QString empty;
    std::vector<Entry> entries;
    entries.reserve(m_order.size());
    for (quint32 id : m_order) {
        const QStringList& cells = row(id).cells;
        entries.push_back({m_sortKey >= 0 && m_sortKey < cells.size() ? &cells[m_sortKey] : &empty, id});
    }
    const bool descending = m_sortOrder == 1;
    std::stable_sort(entries.begin(), entries.end(), [descending](const Entry& a, const Entry& b) {
        const int c = QString::compare(*a.text, *b.text, Qt::CaseInsensitive);
        return descending ? c > 0 : c < 0;
    });
    for (size_t i = 0; i < entries.size(); ++i)
        m_order[i] = entries[i].id;
    rebuildPositions();

    QModelIndexList after;
    after.reserve(before.size());
    for (const auto& [id, column] : saved)
        after.append(index(m_positionOf[size_t(id - m_firstId)], column));
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void ListModel::rebuildPositions()
{
    for (size_t i = 0; i < m_order.size(); ++i)
        m_positionOf[size_t(m_order[i] - m_firstId)] = int(i);
}

} // namespace ui
