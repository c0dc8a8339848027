#pragma once
// The rows of a ListView kept in memory as cell texts, check marks, icons and cell colours, in vectors.
//
// Storage is indexed by id (ids keep counting up after Clear, so an old handle never names a new row);
// m_order holds the ids in display order. Rows added, and the re-sort that a sorted list owes them, are
// announced to the views in one go (sync()): at the next turn of the event loop, or at once when something
// needs display order.

#include "EditableListModel.h"

#include <QHash>
#include <QStringList>
#include <memory>

namespace ui {

class StoredListModel final : public EditableListModel {
    Q_OBJECT
public:
    explicit StoredListModel(QObject* parent = nullptr);
    ~StoredListModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    int count() const override { return int(m_order.size()); }
    quint32 idAt(int position) override;
    int positionOf(quint32 id) override;
    bool alive(quint32 id) const override;
    quint32 append(const QString& text, const QString& key) override;
    void remove(quint32 id) override;
    void clear() override;
    std::optional<quint32> idOfKey(const QString& key) const override;

    QString cell(quint32 id, int column) const override;
    void setCell(quint32 id, int column, const QString& text) override;
    bool checked(quint32 id) const override;
    void setChecked(quint32 id, bool checked) override;
    int smallIcon(quint32 id) const override;
    void setSmallIcon(quint32 id, int icon) override;
    std::optional<qint32> foreColor(quint32 id, int column) const override;
    void setForeColor(quint32 id, int column, qint32 bgr) override;
    QString key(quint32 id) const override;
    void setKey(quint32 id, const QString& key) override;
    QString tag(quint32 id) const override;
    void setTag(quint32 id, const QString& tag) override;

    void sync() override;

protected:
    void changeSort(bool sorted, int key, int order) override;

private:
    struct CellStyle {
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
    void scheduleSync();
    void announceRows();
    void sortNow();
    void rebuildPositions();

    std::vector<Row> m_rows;            // by id - m_firstId
    quint32 m_firstId = 0;
    std::vector<quint32> m_order;       // ids in display order
    std::vector<int> m_positionOf;      // by id - m_firstId; -1 for removed rows
    int m_announced = 0;                // rows the views know about
    bool m_syncScheduled = false;
    bool m_sortPending = false;
    QHash<QString, quint32> m_keys;     // folded key -> id
};

} // namespace ui
