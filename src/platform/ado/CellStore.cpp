#include "CellStore.h"

#include <algorithm>
#include <cstdlib>
#include <new>
#include <utility>

namespace ado {

namespace {

// A text's length: seven bits a byte, the high bit set on every byte but the last.
char* putLength(char* at, quint64 length)
{
    while (length >= 0x80) {
        *at++ = char(quint8(length) | 0x80);
        length >>= 7;
    }
    *at++ = char(length);
    return at;
}

const char* getLength(const char* at, quint64* length)
{
    quint64 value = 0;
    int shift = 0;
    quint8 byte = 0;
    do {
        byte = quint8(*at++);
        value |= quint64(byte & 0x7f) << shift;
        shift += 7;
    } while (byte & 0x80);
    *length = value;
    return at;
}

template <class T>
T readBytes(const char* at)
{
    T value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

// Codes and short texts are most of what a result holds: copied in a few fixed-size moves, which the
// compiler makes plain loads and stores, rather than through a call.
void copyText(char* to, const char* from, qsizetype bytes)
{
    if (bytes >= 8 && bytes <= 16) {
        std::memcpy(to, from, 8);
        std::memcpy(to + bytes - 8, from + bytes - 8, 8);
    } else if (bytes >= 4 && bytes < 8) {
        std::memcpy(to, from, 4);
        std::memcpy(to + bytes - 4, from + bytes - 4, 4);
    } else if (bytes >= 2 && bytes < 4) {
        std::memcpy(to, from, 2);
        std::memcpy(to + bytes - 2, from + bytes - 2, 2);
    } else if (bytes == 1) {
        *to = *from;
    } else if (bytes > 16) {
        std::memcpy(to, from, size_t(bytes));
    }
}

} // namespace

CellStore::CellStore(const CellStore& other)
    : m_columns(other.m_columns), m_nextColumn(other.m_nextColumn), m_rowStart(other.m_rowStart),
      m_rowStarts(other.m_rowStarts), m_others(other.m_others)
{
    if (other.m_size > 0) {
        reserveBytes(other.m_size);
        std::memcpy(m_bytes, other.m_bytes, size_t(other.m_size));
        m_size = other.m_size;
    }
}

CellStore& CellStore::operator=(const CellStore& other)
{
    if (this != &other) {
        CellStore copy(other);
        swap(copy);
    }
    return *this;
}

CellStore::~CellStore()
{
    std::free(m_bytes);
}

void CellStore::swap(CellStore& other) noexcept
{
    std::swap(m_columns, other.m_columns);
    std::swap(m_nextColumn, other.m_nextColumn);
    std::swap(m_bytes, other.m_bytes);
    std::swap(m_size, other.m_size);
    std::swap(m_capacity, other.m_capacity);
    std::swap(m_rowStart, other.m_rowStart);
    m_rowStarts.swap(other.m_rowStarts);
    m_others.swap(other.m_others);
}

void CellStore::reserveBytes(qsizetype needed)
{
    // Doubling keeps the number of moves small; a large block grows in place (the allocator remaps it).
    const qsizetype capacity = std::max({needed, 2 * m_capacity, qsizetype(64 * 1024)});
    char* bytes = static_cast<char*>(std::realloc(m_bytes, size_t(capacity)));
    if (!bytes)
        throw std::bad_alloc();
    m_bytes = bytes;
    m_capacity = capacity;
}

void CellStore::addDate(const QDateTime& v)
{
    // Dates are naive, held with the UTC spec (DateText.h); any other date is kept as it came.
    if (!v.isValid() || v.timeSpec() != Qt::UTC) {
        m_others.append(Variant(v));
        putBytes(Kind::Other, qint64(m_others.size() - 1));
        return;
    }
    putBytes(Kind::Date, v.toMSecsSinceEpoch());
}

void CellStore::addText(const char* utf8, qsizetype bytes)
{
    put(Kind::Text);
    char* at = grow(10 + bytes);   // the longest length takes ten bytes
    char* end = putLength(at, quint64(bytes));
    copyText(end, utf8, bytes);
    m_size -= (at + 10) - end;     // give back what the length did not use
}

void CellStore::addText(const QString& v)
{
    const QByteArray utf8 = v.toUtf8();
    addText(utf8.constData(), utf8.size());
}

void CellStore::addValue(const Variant& v)
{
    switch (v.type()) {
    case VarType::Null: addNull(); return;
    case VarType::Boolean: addBoolean(v.toBool()); return;
    case VarType::Long: addLong(v.toLong()); return;
    case VarType::Double: addDouble(v.toDouble()); return;
    case VarType::Currency: addCurrency(v.toCurrency()); return;
    case VarType::Date: addDate(v.toDate()); return;
    case VarType::String: addText(v.toString()); return;
    case VarType::Empty: break;
    }
    m_others.append(v);
    putBytes(Kind::Other, qint64(m_others.size() - 1));
}

void CellStore::appendRow(const QVector<Variant>& row)
{
    for (int c = 0; c < m_columns; ++c)
        addValue(row.value(c, Variant::Null()));
}

void CellStore::setRow(qint64 row, const QVector<Variant>& values)
{
    // Rows differ in length, so the new one is written at the end and takes the old one's place in the
    // order; the old bytes stay unused.
    appendRow(values);
    m_rowStarts[row] = m_rowStarts.takeLast();
}

const char* CellStore::skip(Kind kind, const char* at) const
{
    switch (kind) {
    case Kind::Null:
    case Kind::False:
    case Kind::True: return at;
    case Kind::Long32: return at + sizeof(qint32);
    case Kind::Long:
    case Kind::Double:
    case Kind::Currency:
    case Kind::Date:
    case Kind::Other: return at + sizeof(qint64);
    case Kind::Text: {
        quint64 length = 0;
        at = getLength(at, &length);
        return at + length;
    }
    }
    return at;
}

Variant CellStore::decode(Kind kind, const char* at) const
{
    switch (kind) {
    case Kind::Null: return Variant::Null();
    case Kind::False: return Variant(false);
    case Kind::True: return Variant(true);
    case Kind::Long32: return Variant(qint64(readBytes<qint32>(at)));
    case Kind::Long: return Variant(readBytes<qint64>(at));
    case Kind::Double: return Variant(readBytes<double>(at));
    case Kind::Currency: return Variant(Currency::fromScaled(readBytes<qint64>(at)));
    case Kind::Date: return Variant(QDateTime::fromMSecsSinceEpoch(readBytes<qint64>(at), Qt::UTC));
    case Kind::Text: {
        quint64 length = 0;
        at = getLength(at, &length);
        return Variant(QString::fromUtf8(at, qsizetype(length)));
    }
    case Kind::Other: return m_others.at(qsizetype(readBytes<qint64>(at)));
    }
    return Variant();
}

VarType CellStore::type(qint64 row, int column) const
{
    const char* kinds = m_bytes + m_rowStarts.at(row);
    const Kind kind = Kind(kinds[column]);
    switch (kind) {
    case Kind::Null: return VarType::Null;
    case Kind::False:
    case Kind::True: return VarType::Boolean;
    case Kind::Long32:
    case Kind::Long: return VarType::Long;
    case Kind::Double: return VarType::Double;
    case Kind::Currency: return VarType::Currency;
    case Kind::Date: return VarType::Date;
    case Kind::Text: return VarType::String;
    case Kind::Other: break;
    }
    return value(row, column).type();
}

Variant CellStore::value(qint64 row, int column) const
{
    const char* kinds = m_bytes + m_rowStarts.at(row);
    const char* at = kinds + m_columns;
    for (int c = 0; c < column; ++c)
        at = skip(Kind(kinds[c]), at);
    return decode(Kind(kinds[column]), at);
}

QVector<Variant> CellStore::row(qint64 row) const
{
    QVector<Variant> values;
    values.reserve(m_columns);
    const char* kinds = m_bytes + m_rowStarts.at(row);
    const char* at = kinds + m_columns;
    for (int c = 0; c < m_columns; ++c) {
        values.append(decode(Kind(kinds[c]), at));
        at = skip(Kind(kinds[c]), at);
    }
    return values;
}

CellStore::RowCells CellStore::cells(qint64 row) const
{
    RowCells cells;
    cells.m_kinds = m_rowStarts.at(row);
    const char* kinds = m_bytes + cells.m_kinds;
    const char* at = kinds + m_columns;
    cells.m_values.resize(m_columns);
    for (int c = 0; c < m_columns; ++c) {
        cells.m_values[c] = at - m_bytes;
        at = skip(Kind(kinds[c]), at);
    }
    return cells;
}

Variant CellStore::value(const RowCells& cells, int column) const
{
    return decode(Kind(m_bytes[cells.m_kinds + column]), m_bytes + cells.m_values[column]);
}

} // namespace ado
