#include "Recordset.h"

#include "ColumnType.h"

namespace ado {

namespace {

[[noreturn]] void raise(qint64 number, const char* description)
{
    throw Error(number, QString::fromLatin1(description), QStringLiteral("ADODB.Recordset"));
}

[[noreturn]] void raiseNoCurrentRecord()
{
    raise(kErrNoCurrentRecord,
          "Either BOF or EOF is True, or the current record has been deleted. Requested operation requires a "
          "current record.");
}

} // namespace

// ---- Field

QString Field::Name() const
{
    return m_rs->m_data.fields.at(m_index).name;
}

int Field::DefinedSize() const
{
    return m_rs->m_data.fields.at(m_index).definedSize;
}

int Field::Type() const
{
    return m_rs->m_data.fields.at(m_index).type;
}

Variant Field::Value() const
{
    return m_rs->cell(m_index);
}

void Field::setValue(const Variant& v)
{
    m_rs->setCell(m_index, v);
}

// ---- Recordset

void Recordset::Open(const QString& source, Connection* connection, int cursorType, int lockType, int)
{
    if (m_open)
        Close();
    if (!connection)
        raise(kErrConnectionUnusable, "The connection cannot be used to perform this operation. It is either "
                                      "closed or invalid in this context.");
    m_data = connection->QueryStored(source, m_wait);
    m_cellsRow = -1;
    m_source = source;
    m_connection = connection;
    CursorType = cursorType;
    LockType = lockType;
    m_pos = 0;
    m_fieldIndex.clear();
    for (int i = 0; i < m_data.fields.size(); ++i) {
        const QString key = m_data.fields.at(i).name.toCaseFolded();
        if (!m_fieldIndex.contains(key))
            m_fieldIndex.insert(key, i);
    }
    m_open = true;
}

void Recordset::Close()
{
    m_open = false;
    m_adding = false;
    m_editing = false;
    m_newRow.clear();
    m_newSet.clear();
    m_data = StoredRows();
    m_cellsRow = -1;
    m_fieldIndex.clear();
    m_pos = 0;
}

void Recordset::requireOpen() const
{
    if (!m_open)
        raise(kErrObjectClosed, "Operation is not allowed when the object is closed.");
}

void Recordset::requireRow() const
{
    requireOpen();
    if (m_pos < 0 || m_pos >= m_data.rows.size())
        raiseNoCurrentRecord();
}

bool Recordset::BOF() const
{
    requireOpen();
    return m_pos < 0 || m_data.rows.isEmpty();
}

bool Recordset::EOF() const
{
    requireOpen();
    return m_pos >= m_data.rows.size();
}

void Recordset::MoveFirst()
{
    requireOpen();
    savePending();
    if (m_data.rows.isEmpty())
        raiseNoCurrentRecord();
    m_pos = 0;
}

void Recordset::MoveLast()
{
    requireOpen();
    savePending();
    if (m_data.rows.isEmpty())
        raiseNoCurrentRecord();
    m_pos = m_data.rows.size() - 1;
}

void Recordset::MoveNext()
{
    requireOpen();
    savePending();
    if (EOF())
        raiseNoCurrentRecord();
    ++m_pos;
}

void Recordset::MovePrevious()
{
    requireOpen();
    savePending();
    if (BOF())
        raiseNoCurrentRecord();
    --m_pos;
}

qint64 Recordset::RecordCount() const
{
    return m_open ? m_data.rows.size() : -1;
}

qint64 Recordset::AbsolutePosition() const
{
    requireOpen();
    if (m_data.rows.isEmpty())
        return -1;
    if (m_pos < 0)
        return -2;
    if (m_pos >= m_data.rows.size())
        return -3;
    return m_pos + 1;
}

int Recordset::FieldCount() const
{
    requireOpen();
    return m_data.fields.size();
}

int Recordset::FieldIndex(const QString& name) const
{
    return m_fieldIndex.value(name.toCaseFolded(), -1);
}

Field Recordset::Fields(const QString& name)
{
    requireOpen();
    const int i = FieldIndex(name);
    if (i < 0)
        raise(kErrItemNotFound, "Item cannot be found in the collection corresponding to the requested name or "
                                "ordinal.");
    return Field(this, i);
}

Field Recordset::Fields(int index)
{
    requireOpen();
    if (index < 0 || index >= m_data.fields.size())
        raise(kErrItemNotFound, "Item cannot be found in the collection corresponding to the requested name or "
                                "ordinal.");
    return Field(this, index);
}

Variant Recordset::cell(int index) const
{
    requireOpen();
    if (m_adding || m_editing)
        return m_newRow.at(index);
    requireRow();
    if (m_cellsRow != m_pos) {
        m_cells = m_data.rows.cells(m_pos);
        m_cellsRow = m_pos;
    }
    return m_data.rows.value(m_cells, index);
}

QVector<QVector<Variant>> Recordset::GetRows(qint64 rows)
{
    requireOpen();
    savePending();
    requireRow();
    const qint64 available = m_data.rows.size() - m_pos;
    const qint64 count = rows < 0 ? available : qMin(rows, available);
    const int fields = m_data.fields.size();
    QVector<QVector<Variant>> matrix(fields);
    for (int f = 0; f < fields; ++f)
        matrix[f].reserve(count);
    for (qint64 r = 0; r < count; ++r) {
        const QVector<Variant> row = m_data.rows.row(m_pos + r);
        for (int f = 0; f < fields; ++f)
            matrix[f].append(row.at(f));
    }
    m_pos += count;
    return matrix;
}

// ---- Writing

void Recordset::requireUpdatable() const
{
    requireOpen();
    if (LockType == adLockReadOnly || m_data.table.isEmpty() || !m_connection)
        raise(kErrNotUpdatable, "Current Recordset does not support updating. This may be a limitation of the "
                                "provider, or of the selected locktype.");
}

void Recordset::AddNew()
{
    requireUpdatable();
    savePending();
    m_newRow = QVector<Variant>(m_data.fields.size(), Variant::Null());
    m_newSet = QVector<bool>(m_data.fields.size(), false);
    m_adding = true;
}

void Recordset::setCell(int index, const Variant& value)
{
    requireUpdatable();
    if (!m_adding && !m_editing) {
        requireRow();
        m_newRow = m_data.rows.row(m_pos);
        m_newSet = QVector<bool>(m_data.fields.size(), false);
        m_editing = true;
    }
    m_newRow[index] = value;
    m_newSet[index] = true;
}

void Recordset::savePending()
{
    if (m_adding || m_editing)
        Update();
}

QStringList Recordset::updateKey(QVector<Variant>* keyValues)
{
    const QVector<Variant> original = m_data.rows.row(m_pos);
    QStringList key;
    const QStringList primary = m_connection->PrimaryKey(m_data.table);
    bool primaryRead = !primary.isEmpty();
    for (const QString& column : primary)
        primaryRead = primaryRead && FieldIndex(column) >= 0;
    if (primaryRead) {
        for (const QString& column : primary) {
            key << column;
            keyValues->append(original.at(FieldIndex(column)));
        }
        return key;
    }
    // No key read: every column whose value reads back exactly.
    for (int i = 0; i < m_data.fields.size(); ++i) {
        const VarType t = original.at(i).type();
        if (t == VarType::Double || t == VarType::Currency || FieldIndex(m_data.fields.at(i).name) != i)
            continue;
        key << m_data.fields.at(i).name;
        keyValues->append(original.at(i));
    }
    return key;
}

void Recordset::Update()
{
    requireOpen();
    if (!m_adding && !m_editing)
        return;
    QStringList columns;
    QVector<Variant> values;
    for (int i = 0; i < m_data.fields.size(); ++i) {
        if (m_newSet.at(i)) {
            columns << m_data.fields.at(i).name;
            values << m_newRow.at(i);
        }
    }
    m_cellsRow = -1;   // the store is about to change
    if (m_adding) {
        m_connection->InsertRow(m_data.table, columns, values);
        m_data.rows.appendRow(m_newRow);
        m_pos = m_data.rows.size() - 1;
    } else if (!columns.isEmpty()) {
        QVector<Variant> keyValues;
        const QStringList key = updateKey(&keyValues);
        m_connection->UpdateRow(m_data.table, columns, values, key, keyValues);
        m_data.rows.setRow(m_pos, m_newRow);
    }
    m_adding = false;
    m_editing = false;
    m_newRow.clear();
    m_newSet.clear();
}

} // namespace ado
