#pragma once
// The rows of a ListView: cell texts, check marks, icons and cell styles, kept in vectors.
//
// Rows have ids that stay with them through sorting; a ListItem handle is (view, id). Storage is indexed
// by id (ids keep counting up after Clear, so an old handle never names a new row); m_order holds the ids
// in display order. Rows added, and the re-sort that a sorted list owes them, are announced to the views
// in one go (sync()): at the next turn of the event loop, or at once when something needs display order.

#include <QAbstractTableModel>
#include <QColor>
#include <QHash>
#include <QIcon>
#include <QStringList>
#include <memory>
#include <vector>

namespace ui {

class ImageList;

struct ListColumn {
    QString key;
    QString text;
    double width = 1440;   // twips
    int alignment = 0;     // 0 left, 1 right, 2 centre
};

class ListModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ListModel(QObject* parent = nullptr);
    ~ListModel() override;

    // Qt model.
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
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
    int count() const { return int(m_order.size()); }
    quint32 idAt(int position);              // syncs
    int positionOf(quint32 id);              // syncs; -1 when the row is gone
    bool alive(quint32 id) const;
    quint32 append(const QString& text, const QString& key);   // throws on a repeated key
    void remove(quint32 id);
    void clear();
    std::optional<quint32> idOfKey(const QString& key) const;

    // Cells: column 0 is the item's text, column i its sub-item i.
    QString cell(quint32 id, int column) const;
    void setCell(quint32 id, int column, const QString& text);
    bool checked(quint32 id) const;
    void setChecked(quint32 id, bool checked);   // by code: no ItemCheck
    int smallIcon(quint32 id) const;
    void setSmallIcon(quint32 id, int icon);
    bool bold(quint32 id, int column) const;
    void setBold(quint32 id, int column, bool bold);
    std::optional<qint32> foreColor(quint32 id, int column) const;
    void setForeColor(quint32 id, int column, qint32 bgr);
    QString key(quint32 id) const;
    void setKey(quint32 id, const QString& key);
    QString tag(quint32 id) const;
    void setTag(quint32 id, const QString& tag);

    // Sorting: stable, by the texts of one column, without regard to case.
    bool sorted() const { return m_sorted; }
    int sortKey() const { return m_sortKey; }
    int sortOrder() const { return m_sortOrder; }
    void setSorted(bool sorted);
    void setSortKey(int key);
    void setSortOrder(int order);

    void setCheckboxes(bool on);
    bool checkboxes() const { return m_checkboxes; }
    void setImageLists(const ImageList* icons, const ImageList* smallIcons);

    // Brings the views up to date: announces added rows and applies a pending sort.
    void sync();

signals:
    void operatorChecked(quint32 id);

private:
    struct CellStyle {
        bool bold = false;
        bool hasColor = false;
        qint32 color = 0;
    };
    struct RowExtras {
        QString key;
        QString tag;
        std::vector<CellStyle> styles;
    };
    struct Row {
        QStringList cells;
        std::unique_ptr<RowExtras> extras;
        qint16 smallIcon = 0;
        bool checked = false;
        bool alive = true;
    };

    Row& row(quint32 id);
    const Row& row(quint32 id) const;
    RowExtras& extras(quint32 id);
    const CellStyle* style(quint32 id, int column) const;
    void cellChanged(quint32 id, int column, int role);
    void changeSort(bool sorted, int key, int order);
    void scheduleSync();
    void announceRows();
    void sortNow();
    void rebuildPositions();

    std::vector<ListColumn> m_columns;
    std::vector<Row> m_rows;            // by id - m_firstId
    quint32 m_firstId = 0;
    std::vector<quint32> m_order;       // ids in display order
    std::vector<int> m_positionOf;      // by id - m_firstId; -1 for removed rows
    int m_announced = 0;                // rows the views know about
    bool m_syncScheduled = false;
    bool m_sortPending = false;
    QHash<QString, quint32> m_keys;     // folded key -> id
    bool m_sorted = false;
    int m_sortKey = 0;
    int m_sortOrder = 0;
    bool m_checkboxes = false;
    const ImageList* m_icons = nullptr;
    const ImageList* m_smallIcons = nullptr;
};

} // namespace ui
