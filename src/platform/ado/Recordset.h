#pragma once
// A client-side recordset: Open reads every row into memory (packed, CellStore.h), so RecordCount,
// AbsolutePosition, BOF/EOF and every Move are exact whatever the cursor type. Fields are found by name
// without regard to case; with duplicate names the first wins; an unknown name raises Error 3265.
// As ADO: a closed recordset raises 3704 (RecordCount gives -1); reading a field at BOF or EOF, moving
// past EOF or BOF, MoveFirst/MoveLast on an empty result and GetRows at EOF raise 3021. Opening an open
// recordset closes it first; a failed Open leaves it closed.
// Writing (lock type other than read-only, query on a single table): AddNew then Fields(x).setValue(...)
// then Update sends one INSERT; setValue on the current row then Update sends one UPDATE of the columns
// set, found by the table's primary key (or, without one, by every column read except amounts and
// doubles). A Move, AddNew or Close with a change pending: the Move and AddNew save it first, Close drops it.

#include "CellStore.h"
#include "Connection.h"
#include "Variant.h"

// The C library's EOF macro would swallow the method EOF(): take it in first (its header is guarded, so it
// is not defined again), then remove it. Code that includes this header uses std::char_traits<char>::eof().
#include <cstdio>
#undef EOF

#include <QHash>
#include <QList>
#include <QString>
#include <QVector>

namespace ado {

class QueryWait;

enum CursorTypeEnum { adOpenForwardOnly = 0, adOpenKeyset = 1, adOpenDynamic = 2, adOpenStatic = 3 };
enum LockTypeEnum { adLockReadOnly = 1, adLockPessimistic = 2, adLockOptimistic = 3 };

struct FieldInfo {
    QString name;
    int definedSize = 0;   // declared width of a text column (2147483647 unbounded, 255 for an expression);
                           // the storage size of others (4 Long, 8 Double/Currency, 16 Date, 2 Boolean)
    int type = 0;          // ADO type number (3 Long, 5 Double, 6 Currency, 7 Date, 11 Boolean, 200 varchar...);
                           // 0 for a column of an expression that gave only Nulls
};

struct RowSet {
    QString table;                  // the single table of a simple SELECT, for AddNew/Update
    QList<FieldInfo> fields;
    QVector<QVector<Variant>> rows;
};

// The same rows in one compact store, as a recordset holds them.
struct StoredRows {
    QString table;
    QList<FieldInfo> fields;
    CellStore rows;
};

class Recordset;

class Field {
public:
    QString Name() const;
    int DefinedSize() const;
    int Type() const;
    Variant Value() const;          // raises 3021 at BOF/EOF
    void setValue(const Variant& v); // only on a row being added or edited
    // Shorthands used all over the program.
    operator Variant() const { return Value(); }

private:
    friend class Recordset;
    Field(Recordset* rs, int index) : m_rs(rs), m_index(index) {}
    Recordset* m_rs;
    int m_index;
};

class Recordset {
public:
    Recordset() = default;

    void Open(const QString& source, Connection* connection, int cursorType = adOpenForwardOnly,
              int lockType = adLockReadOnly, int options = -1);
    // The wait for the reads of this recordset's Open (QueryWait.h); nullptr, as it starts, for none. It stays
    // until it is set again.
    void setQueryWait(QueryWait* wait) { m_wait = wait; }
    void Close();
    int State() const { return m_open ? adStateOpen : adStateClosed; }

    bool BOF() const;
    bool EOF() const;
    void MoveFirst();
    void MoveLast();
    void MoveNext();
    void MovePrevious();
    qint64 RecordCount() const;        // -1 when closed
    qint64 AbsolutePosition() const;   // 1-based; -2 at BOF, -3 at EOF, -1 when empty (as ADO)

    int FieldCount() const;
    Field Fields(const QString& name);
    Field Fields(int index);
    Variant operator[](const QString& name) { return Fields(name).Value(); }
    int FieldIndex(const QString& name) const;   // -1 when missing

    // A (field, row) matrix of the rows from the current one on, at most `rows` of them (-1: all); moves to EOF.
    QVector<QVector<Variant>> GetRows(qint64 rows = -1);

    // Adding a row to the single table of the query, written by Update as one INSERT.
    void AddNew();
    void Update();

    int CursorType = adOpenForwardOnly;
    int LockType = adLockReadOnly;
    QString Source() const { return m_source; }

private:
    friend class Field;
    Variant cell(int index) const;
    void setCell(int index, const Variant& value);
    void requireOpen() const;
    void requireRow() const;
    void requireUpdatable() const;
    void savePending();
    QStringList updateKey(QVector<Variant>* keyValues);

    bool m_open = false;
    QString m_source;
    Connection* m_connection = nullptr;
    QueryWait* m_wait = nullptr;
    StoredRows m_data;
    qint64 m_pos = 0;                   // 0-based row index; == rows.size() at EOF; -1 at BOF
    bool m_adding = false;
    bool m_editing = false;
    QVector<Variant> m_newRow;
    QVector<bool> m_newSet;
    QHash<QString, int> m_fieldIndex;   // case-folded name -> first field of that name
    // The cells of the row last read from, so that reading its fields one after another walks it once.
    mutable CellStore::RowCells m_cells;
    mutable qint64 m_cellsRow = -1;
};

} // namespace ado
