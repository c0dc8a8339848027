#pragma once
// The list view in report view, with the member names of the control the program was written for.
//
//     ui::ListView lvw;
//     lvw.ColumnHeaders().Add("", "Fecha", 1200);            // widths in twips; 0 hides the column
//     lvw.setCheckboxes(true);
//     ui::ListItem item = lvw.ListItems().Add();            // ListItems(i) and Index are 1-based
//     item.setSubItems(1, "01/02/2024");
//     item.setChecked(true);                                // by code: raises no ItemCheck
//     lvw.setSorted(true); lvw.setSortKey(1); lvw.setSortOrder(1);   // case-insensitive text sort
//
// Items are handles (view, row id): they stay valid through sorting; after Remove or Clear using one
// raises error 35605. Setting Sorted, SortKey or SortOrder sorts at once. Rows added to a sorted list take
// their place when something reads the order (Item(i), Index, selection), and on screen at the next turn of
// the event loop or at Refresh(); so a large load is not re-sorted row by row.
// Key and mouse events are emitted before the list acts on them; KeyDown may set keyCode to 0 to eat the key
// (connect it directly: it passes the code by reference). A right press first selects the line under the
// pointer (alone, unless it is already selected; below the last line, nothing), so that MouseDown's handler acts
// on the line the operator clicked. In-place editing of texts is never offered.
// A sort lays the rows out again only in their texts: the rows are all one height and none has children, so
// the view keeps its row layout (a pass over every row, long at a million rows) and repaints.

#include "EditableListModel.h"
#include "ListModel.h"
#include "StoredListModel.h"

#include <QTreeView>

namespace ui {

class ListView;

// One cell of an item: column 0 is the item's own text, column i its sub-item i.
class ListSubItem {
public:
    QString Text() const;
    void setText(const QString& text);
    bool Bold() const;
    void setBold(bool bold);
    qint32 ForeColor() const;              // BGR; the list's text colour when none was set
    void setForeColor(qint32 bgr);

private:
    friend class ListItem;
    ListSubItem(ListView* view, quint32 id, int column) : m_view(view), m_id(id), m_column(column) {}
    ListView* m_view;
    quint32 m_id;
    int m_column;
};

class ListItem {
public:
    ListItem() = default;                  // Nothing
    bool isNothing() const { return m_view == nullptr; }
    explicit operator bool() const { return !isNothing(); }
    bool operator==(const ListItem& other) const { return m_view == other.m_view && m_id == other.m_id; }

    QString Text() const;
    void setText(const QString& text);
    QString SubItems(int index) const;     // 1 .. columns - 1; error 380 outside
    void setSubItems(int index, const QString& text);
    ListSubItem ListSubItems(int index) const;
    bool Checked() const;
    void setChecked(bool checked);         // raises no ItemCheck
    bool Selected() const;
    void setSelected(bool selected);       // other rows keep their selection when MultiSelect is on
    int SmallIcon() const;
    void setSmallIcon(int icon);
    bool Bold() const;
    void setBold(bool bold);
    qint32 ForeColor() const;
    void setForeColor(qint32 bgr);
    QString Key() const;
    void setKey(const QString& key);
    QString Tag() const;
    void setTag(const QString& tag);
    int Index() const;                     // 1-based position in the list's current order
    void EnsureVisible();

private:
    friend class ListView;
    friend class ListItemCollection;
    friend class ListSubItem;
    ListItem(ListView* view, quint32 id) : m_view(view), m_id(id) {}
    ListModel& model() const;              // error 35605 when the row is gone
    EditableListModel& editable() const;   // and error 380 when the list only shows rows kept elsewhere
    ListView* m_view = nullptr;
    quint32 m_id = 0;
};

class ColumnHeader {
public:
    ColumnHeader() = default;              // Nothing
    QString Text() const;
    void setText(const QString& text);
    QString Key() const;
    double Width() const;                  // twips
    void setWidth(double twips);           // 0 hides the column
    double Left() const;                   // twips from the list's left edge (before scrolling)
    int Alignment() const;                 // 0 left, 1 right, 2 centre
    void setAlignment(int alignment);
    int Index() const { return m_index + 1; }

private:
    friend class ColumnHeaderCollection;
    friend class ListView;
    ColumnHeader(ListView* view, int index0) : m_view(view), m_index(index0) {}
    ListView* m_view = nullptr;
    int m_index = 0;
};

class ColumnHeaderCollection {
public:
    // width in twips; a negative width takes the default 1440.
    ColumnHeader Add(const QString& key, const QString& text, double width = -1, int alignment = 0);
    int Count() const;
    ColumnHeader Item(int index) const;    // 1-based; error 35600 outside
    ColumnHeader operator()(int index) const { return Item(index); }
    void Clear();

private:
    friend class ListView;
    explicit ColumnHeaderCollection(ListView* view) : m_view(view) {}
    ListView* m_view;
};

class ListItemCollection {
public:
    ListItem Add(const QString& text = {}, const QString& key = {});   // a repeated key raises 35602
    int Count() const;
    ListItem Item(int index) const;        // 1-based; error 35600 outside
    ListItem Item(const QString& key) const;   // error 35601 when no item has the key (any case)
    ListItem operator()(int index) const { return Item(index); }
    void Remove(int index);
    void Clear();

private:
    friend class ListView;
    explicit ListItemCollection(ListView* view) : m_view(view) {}
    ListView* m_view;
};

class ListView : public QTreeView {
    Q_OBJECT
public:
    explicit ListView(QWidget* parent = nullptr);
    // Over rows kept elsewhere (the model outlives the view).
    ListView(ListModel* rows, QWidget* parent);
    ~ListView() override;

    ListItemCollection& ListItems() { return m_items; }
    ColumnHeaderCollection& ColumnHeaders() { return m_headers; }

    ListItem SelectedItem() const;         // the current row when selected, else the first selected row
    void setSelectedItem(const ListItem& item);   // selects it alone and makes it current; Nothing clears

    bool Sorted() const { return m_model->sorted(); }
    void setSorted(bool sorted);
    int SortKey() const { return m_model->sortKey(); }       // 0 the item text, n sub-item n
    void setSortKey(int key);
    int SortOrder() const { return m_model->sortOrder(); }   // 0 ascending, 1 descending
    void setSortOrder(int order);
    bool Checkboxes() const { return m_model->checkboxes(); }
    void setCheckboxes(bool on);
    bool MultiSelect() const { return m_multiSelect; }
    void setMultiSelect(bool on);
    void setIcons(const ImageList* images);
    void setSmallIcons(const ImageList* images);
    // Brings the screen up to date with rows added or re-sorted from code.
    void Refresh();

    ListModel& listModel() { return *m_model; }

    void doItemsLayout() override;

signals:
    void ItemCheck(ui::ListItem item);     // only when the operator changes a check box
    void ColumnClick(ui::ColumnHeader header);
    void ItemClick(ui::ListItem item);
    void DblClick();
    void KeyDown(int& keyCode, int shift);
    void MouseDown(int button, int shift, double x, double y);   // button 1 left, 2 right, 4 middle; twips
    void GotFocus();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    friend class ListItem;
    friend class ListSubItem;
    friend class ColumnHeader;
    friend class ColumnHeaderCollection;
    friend class ListItemCollection;
    void applyColumnWidth(int index0);
    // A right press: the line under the pointer (a point of the viewport) becomes the one acted on.
    void SeleccionarBajoElPuntero(const QPoint& enVista);
    ListItem itemAtRow(int row) const;

    ListModel* m_model;
    ListItemCollection m_items{this};
    ColumnHeaderCollection m_headers{this};
    const ImageList* m_icons = nullptr;
    const ImageList* m_smallIcons = nullptr;
    bool m_multiSelect = false;
    bool m_applyingWidth = false;
    // The row layout as the last full one left it: its row count, whether only sorts came since, and whether
    // one did.
    int m_laidOutRows = -1;
    bool m_layoutCurrent = false;
    bool m_sortPending = false;
};

} // namespace ui
