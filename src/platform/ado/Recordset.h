#pragma once
// A client-side recordset: Open reads every row into memory, so RecordCount, AbsolutePosition, BOF/EOF and
// every Move are exact whatever the cursor type. Fields are found by name without regard to case; with
// duplicate names the first wins; an unknown name raises Error 3265.

#include "Connection.h"
#include "Variant.h"

#include <QList>
#include <QString>
#include <QVector>

namespace ado {

enum CursorTypeEnum { adOpenForwardOnly = 0, adOpenKeyset = 1, adOpenDynamic = 2, adOpenStatic = 3 };
enum LockTypeEnum { adLockReadOnly = 1, adLockPessimistic = 2, adLockOptimistic = 3 };

struct FieldInfo {
    QString name;
    int definedSize = 0;   // declared width of a text column; 0 when unknown
    int type = 0;          // ADO type number (3 Long, 5 Double, 6 Currency, 7 Date, 11 Boolean, 200 varchar...)
};

struct RowSet {
    QString table;                  // the single table of a simple SELECT, for AddNew/Update
    QList<FieldInfo> fields;
    QVector<QVector<Variant>> rows;
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
    void Close();
    int State() const { return m_open ? adStateOpen : adStateClosed; }

    bool BOF() const;
    bool EOF() const;
    void MoveFirst();
    void MoveLast();
    void MoveNext();
    void MovePrevious();
    qint64 RecordCount() const;        // -1 when closed
    qint64 AbsolutePosition() const;   // 1-based; -2 at BOF, -3 at EOF (as ADO)

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
    const Variant& cell(int index) const;
    void requireOpen() const;

    bool m_open = false;
    QString m_source;
    Connection* m_connection = nullptr;
    RowSet m_data;
    qint64 m_pos = 0;                   // 0-based row index; == rows.size() at EOF; -1 at BOF
    bool m_adding = false;
    QVector<Variant> m_newRow;
    QVector<bool> m_newSet;
};

} // namespace ado
