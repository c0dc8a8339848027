#pragma once
// Writes balanced journal entries into MV_ASIENTOS (and their cost-centre shares into MV_ASIENTOSCCOSTO),
// numbering entries and lines the way the suite keys a journal line.

#include "CompanyFile.h"

#include <QDate>
#include <QString>
#include <QVector>
#include <optional>

namespace schema {

struct JournalLine {
    QString cuenta;
    bool debe = true;
    Amount importe = 0;
    QString detalle;                 // empty: the entry's
    QDate vencimiento;               // invalid: NULL
    QString idBanco;                 // bank lines: the bank and the cheque or transfer number
    QString nroComprobanteBancario;
};

// The tax-book amounts of a sales or purchase voucher, carried by every line of its entry.
struct TaxBook {
    QString tipo;                    // "Ventas" or "Compras"
    Amount netoGravado = 0;
    Amount netoNoGravado = 0;
    Amount exento = 0;
    Amount iva = 0;
    Amount percepciones = 0;
    Amount retencionIBrutos = 0;
    Amount retencionGanancias = 0;
    Amount total = 0;
    int alicuota = 21;
};

struct CostShare {
    QString cuenta;
    QString ccosto;
    int porcentaje = 100;
    Amount importe = 0;
};

struct JournalEntry {
    QDate fecha;
    QString tc, sucursal, numero, letra;
    QString detalle;
    QString cabCuenta;               // the party account of a sales or purchase voucher
    QString tcOrigen, cpteOrigen;
    QString unegocio;
    QString usuario;
    std::optional<TaxBook> taxBook;
    QVector<JournalLine> lines;
    QVector<CostShare> costShares;
};

class JournalWriter {
public:
    // Every line's PERIODO is the year of its entry's date.
    explicit JournalWriter(const QSqlDatabase& db);
    // Raises GenerationError when the entry does not balance or a row cannot be written.
    // Returns the entry's [NUMERO ASIENTO].
    int write(const JournalEntry& entry);
    int entriesWritten() const { return m_lastEntry; }

private:
    QVariantList lineValues(const JournalEntry& entry, const JournalLine& line, int secuencia);
    // The text of a date, kept from one line to the next (most lines share their entry's date).
    QVariant dateText(const QDate& date);

    RowWriter m_lines;
    RowWriter m_taxLines;
    RowWriter m_costShares;
    int m_lastEntry = 0;
    QDate m_lastDate;
    QVariant m_lastDateText;
};

} // namespace schema
