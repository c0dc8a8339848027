#pragma once
// The rows of a ListView as the view sees them: column headers, check boxes, icons, the sort settings and the
// bold type of cells are kept here; the rows themselves are kept by a subclass. ListModel only reads rows (and
// takes the operator's check marks and the bold type): a program that keeps its own typed rows gives the view
// such a read-only subclass that formats them on display. EditableListModel adds what a list filled item by item
// needs (adding rows, setting cells, icons, keys); StoredListModel keeps those cell texts in memory.
//
// The model sorts its rows itself rather than through a proxy: the control's API is by display position
// (ListItems(i), Index) and by ids that stay with their rows, which the model keeps in one order; a proxy would
// translate every call, and a list over a session of a million rows would pay a second index for it.
//
// Rows have ids that stay with them through sorting; a ListItem handle is (view, id). An id never names a
// later row once its row is gone.

#include <QAbstractTableModel>
#include <QSet>
#include <QString>
#include <optional>
#include <vector>

namespace ui {

class ImageList;

struct ListColumn {
    QString key;
    QString text;
    double width = 1440;   // twips
    int alignment = 0;     // 0 left, 1 right, 2 centre
};

class ListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ListModel(QObject* parent = nullptr);
    ~ListModel() override;

    // Qt model: columns, flags and the operator's check box (the rows' data comes from the subclass).
    int columnCount(const QModelIndex& parent = {}) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;  // operator edits
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Columns.
    int columnTotal() const { return int(m_columns.size()); }
    const ListColumn& column(int index0) const { return m_columns.at(index0); }
    void addColumn(const ListColumn& column);
    void setColumn(int index0, const ListColumn& column);
    void clearColumns();

    // Rows by position (0-based, display order) and by id.
    virtual int count() const = 0;
    virtual quint32 idAt(int position) = 0;              // syncs
    virtual int positionOf(quint32 id) = 0;              // syncs; -1 when the row is gone
    virtual bool alive(quint32 id) const = 0;
    virtual void clear() = 0;
    virtual std::optional<quint32> idOfKey(const QString& key) const = 0;

    // Cells: column 0 is the item's text, column i its sub-item i.
    virtual QString cell(quint32 id, int column) const = 0;
    virtual bool checked(quint32 id) const = 0;
    virtual void setChecked(quint32 id, bool checked) = 0;   // by code: no ItemCheck
    virtual int smallIcon(quint32 id) const = 0;
    virtual std::optional<qint32> foreColor(quint32 id, int column) const = 0;
    virtual QString key(quint32 id) const = 0;
    virtual QString tag(quint32 id) const = 0;

    // Bold type, kept by cell id for every list alike: a list of rows kept elsewhere takes it too (the find
    // dialog marks its hit in any list), and the mark stays with its row through sorting. Ids are never
    // reused, so a mark left on a row that is gone names nothing.
    bool bold(quint32 id, int column) const;
    void setBold(quint32 id, int column, bool bold);

    // Sorting: stable, by the texts of one column, without regard to case. Setting any of the three sorts a
    // sorted list at once.
    bool sorted() const { return m_sorted; }
    int sortKey() const { return m_sortKey; }
    int sortOrder() const { return m_sortOrder; }
    void setSorted(bool sorted);
    void setSortKey(int key);
    void setSortOrder(int order);

    void setCheckboxes(bool on);
    bool checkboxes() const { return m_checkboxes; }
    void setImageLists(const ImageList* icons, const ImageList* smallIcons);

    // Brings the views up to date (rows added from code, a pending sort).
    virtual void sync() {}

signals:
    void operatorChecked(quint32 id);

protected:
    // Applies the sort settings (already stored) to the rows.
    virtual void changeSort(bool sorted, int key, int order) = 0;
    // The roles every list answers alike for a cell.
    QVariant alignmentOf(int column) const;
    QVariant iconOf(int smallIcon) const;
    QVariant fontOf(quint32 id, int column) const;
    // Every row is gone (a reload): their bold marks go with them.
    void forgetBold() { m_boldCells.clear(); }
    // Orders positions [0, n) stably by the texts text(position) of the sort column, keys folded once.
    template <typename TextAt>
    std::vector<int> sortedPositions(int n, TextAt&& text) const;

    std::vector<ListColumn> m_columns;
    bool m_sorted = false;
    int m_sortKey = 0;
    int m_sortOrder = 0;
    bool m_checkboxes = false;
    const ImageList* m_icons = nullptr;
    const ImageList* m_smallIcons = nullptr;

private:
    std::vector<int> stableOrderByFolded(std::vector<QString>& folded) const;
    static quint64 cellKey(quint32 id, int column) { return (quint64(id) << 32) | quint32(column); }

    QSet<quint64> m_boldCells;
};

template <typename TextAt>
std::vector<int> ListModel::sortedPositions(int n, TextAt&& text) const
{
    std::vector<QString> folded;
    folded.reserve(size_t(n));
    for (int p = 0; p < n; ++p)
        folded.push_back(text(p).toCaseFolded());
    return stableOrderByFolded(folded);
}

} // namespace ui
