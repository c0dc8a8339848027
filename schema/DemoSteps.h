#pragma once
// The steps of the demo company's generator, run in this order inside one transaction.

#include "CompanyFile.h"
#include "JournalWriter.h"

namespace schema::demo {

// Configuration, users, chart of accounts, periods, units, centres, banks, voucher types and lookup tables.
void WriteMasterData(const QSqlDatabase& db);

// Three months of vouchers (sales, purchases, receipts, payments, accounting entries) with their documents,
// journal entries and cost-centre shares; the bank account gets its debit and credit lines from them.
void WriteVouchers(const QSqlDatabase& db, JournalWriter& journal, quint32 seed);

// The benchmark account: linesPerSide debit and as many credit lines over the same months.
void WriteBenchAccount(JournalWriter& journal, int linesPerSide, quint32 seed);

} // namespace schema::demo

namespace schema {

// Fills the balance and cost-centre tables anew from the journal.
void FillJournalViews(CompanyFile& file);

} // namespace schema
