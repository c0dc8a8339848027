#include "StoredListModel.h"

#include "ControlErrors.h"
#include "Units.h"

#include <QBrush>
#include <algorithm>

namespace ui {

namespace {

QString foldedKey(const QString& key)
{
    return key.toCaseFolded();
}

} // namespace

StoredListModel::StoredListModel(QObject* parent)
    : EditableListModel(parent)
{
}

StoredListModel::~StoredListModel() = default;

int StoredListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_announced;
}

QVariant StoredListModel::data(const QModelIndex& index, int role) const
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
    case Qt::DecorationRole:
        return column == 0 ? iconOf(row(id).smallIcon) : QVariant();
    case Qt::FontRole:
        return fontOf(id, column);
    case Qt::ForegroundRole:
        if (const CellStyle* s = style(id, column); s && s->hasColor)
            return QBrush(FromBgr(s->color));
        return {};
    case Qt::TextAlignmentRole:
        return alignmentOf(column);
    default:
        return {};
    }
}

StoredListModel::Row& StoredListModel::row(quint32 id)
{
    return m_rows[size_t(id - m_firstId)];
}

const StoredListModel::Row& StoredListModel::row(quint32 id) const
{
    return m_rows[size_t(id - m_firstId)];
}

bool StoredListModel::alive(quint32 id) const
{
    return id >= m_firstId && id - m_firstId < m_rows.size() && row(id).alive;
}

quint32 StoredListModel::idAt(int position)
{
    sync();
    return m_order.at(size_t(position));
}

int StoredListModel::positionOf(quint32 id)
{
    sync();
    return alive(id) ? m_positionOf[size_t(id - m_firstId)] : -1;
}

quint32 StoredListModel::append(const QString& text, const QString& key)
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

void StoredListModel::remove(quint32 id)
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

void StoredListModel::clear()
{
    beginResetModel();
    m_firstId += quint32(m_rows.size());
    m_rows.clear();
    m_order.clear();
    m_positionOf.clear();
    m_keys.clear();
    forgetBold();
    m_announced = 0;
    m_sortPending = false;
    endResetModel();
}

std::optional<quint32> StoredListModel::idOfKey(const QString& key) const
{
    const auto it = m_keys.constFind(foldedKey(key));
    if (it == m_keys.cend())
        return std::nullopt;
    return *it;
}

QString StoredListModel::cell(quint32 id, int column) const
{
    return row(id).cells.value(column);
}

void StoredListModel::setCell(quint32 id, int column, const QString& text)
{
    QStringList& cells = row(id).cells;
    while (cells.size() <= column)
        cells.append(QString());
    cells[column] = text;
    cellChanged(id, column, Qt::DisplayRole);
}

bool StoredListModel::checked(quint32 id) const
{
    return row(id).checked;
}

void StoredListModel::setChecked(quint32 id, bool checked)
{
    if (row(id).checked == checked)
        return;
    row(id).checked = checked;
    cellChanged(id, 0, Qt::CheckStateRole);
}

int StoredListModel::smallIcon(quint32 id) const
{
    return row(id).smallIcon;
}

void StoredListModel::setSmallIcon(quint32 id, int icon)
{
    row(id).smallIcon = qint16(icon);
    cellChanged(id, 0, Qt::DecorationRole);
}

StoredListModel::RowExtras& StoredListModel::extras(quint32 id)
{
    std::unique_ptr<RowExtras>& e = row(id).extras;
    if (!e)
        e = std::make_unique<RowExtras>();
    return *e;
}

const StoredListModel::CellStyle* StoredListModel::style(quint32 id, int column) const
{
    const RowExtras* e = row(id).extras.get();
    if (!e || size_t(column) >= e->styles.size())
        return nullptr;
    return &e->styles[size_t(column)];
}

std::optional<qint32> StoredListModel::foreColor(quint32 id, int column) const
{
    const CellStyle* s = style(id, column);
    if (!s || !s->hasColor)
        return std::nullopt;
    return s->color;
}

void StoredListModel::setForeColor(quint32 id, int column, qint32 bgr)
{
    std::vector<CellStyle>& styles = extras(id).styles;
    if (styles.size() <= size_t(column))
        styles.resize(size_t(column) + 1);
    styles[size_t(column)].hasColor = true;
    styles[size_t(column)].color = bgr;
    cellChanged(id, column, Qt::ForegroundRole);
}

QString StoredListModel::key(quint32 id) const
{
    const RowExtras* e = row(id).extras.get();
    return e ? e->key : QString();
}

void StoredListModel::setKey(quint32 id, const QString& key)
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

QString StoredListModel::tag(quint32 id) const
{
    const RowExtras* e = row(id).extras.get();
    return e ? e->tag : QString();
}

void StoredListModel::setTag(quint32 id, const QString& tag)
{
    extras(id).tag = tag;
}

void StoredListModel::cellChanged(quint32 id, int column, int role)
{
    const int position = m_positionOf[size_t(id - m_firstId)];
    if (position < 0 || position >= m_announced || column >= columnTotal())
        return;
    const QModelIndex i = index(position, column);
    emit dataChanged(i, i, {role});
}

// Setting any of the three sorts at once (after the sort owed to rows added before), as the control did.
void StoredListModel::changeSort(bool sorted, int key, int order)
{
    sync();
    m_sorted = sorted;
    m_sortKey = key;
    m_sortOrder = order;
    if (m_sorted)
        sortNow();
}

void StoredListModel::scheduleSync()
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

void StoredListModel::sync()
{
    announceRows();
    if (m_sortPending)
        sortNow();
}

void StoredListModel::announceRows()
{
    if (count() <= m_announced)
        return;
    beginInsertRows({}, m_announced, count() - 1);
    m_announced = count();
    endInsertRows();
}

void StoredListModel::sortNow()
{
    m_sortPending = false;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<std::pair<quint32, int>> saved;
    saved.reserve(size_t(before.size()));
    for (const QModelIndex& i : before)
        saved.emplace_back(m_order[size_t(i.row())], i.column());

    const std::vector<quint32> ids = m_order;
    const std::vector<int> order = sortedPositions(int(ids.size()), [this, &ids](int p) {
        const QStringList& cells = row(ids[size_t(p)]).cells;
        return m_sortKey >= 0 && m_sortKey < cells.size() ? cells[m_sortKey] : QString();
    });
    for (size_t i = 0; i < order.size(); ++i)
        m_order[i] = ids[size_t(order[i])];
    rebuildPositions();

    QModelIndexList after;
    after.reserve(before.size());
    for (const auto& [id, column] : saved)
        after.append(index(m_positionOf[size_t(id - m_firstId)], column));
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void StoredListModel::rebuildPositions()
{
    for (size_t i = 0; i < m_order.size(); ++i)
        m_positionOf[size_t(m_order[i] - m_firstId)] = int(i);
}

} // namespace ui
