// The benchmark account: N debit and N credit lines over the demo's months, in pairs that share an
// accounting voucher and an amount, except one pair in ten whose credit differs by some cents and one in
// twenty whose credit carries another voucher.

#include "DemoDatabase.h"
#include "DemoSteps.h"

#include <QRandomGenerator>

namespace schema::demo {

namespace {

JournalLine benchLine(const QString& cuenta, bool debe, Amount importe, const QString& detalle = {})
{
    JournalLine l;
    l.cuenta = cuenta;
    l.debe = debe;
    l.importe = importe;
    l.detalle = detalle;
    return l;
}

JournalEntry benchEntry(const QDate& fecha, int voucher, const QString& detalle)
{
    JournalEntry e;
    e.fecha = fecha;
    e.tc = QStringLiteral("AS");
    e.sucursal = QStringLiteral("0002");
    e.numero = QStringLiteral("%1").arg(voucher, 8, 10, QLatin1Char('0'));
    e.letra = QStringLiteral("X");
    e.detalle = detalle;
    e.unegocio = QString::fromLatin1(kBusinessUnit);
    e.usuario = QString::fromLatin1(kAdminUser);
    return e;
}

} // namespace

void WriteBenchAccount(JournalWriter& journal, int linesPerSide, quint32 seed)
{
    QRandomGenerator rng(seed ^ 0x9e3779b9u);
    const QString bank = QString::fromLatin1(kBenchAccount);
    const QString cash = QString::fromLatin1(kCashAccount);
    const int days = int(DemoFirstDay().daysTo(DemoLastDay()));
    for (int i = 0; i < linesPerSide; ++i) {
        const QDate debitDay = DemoFirstDay().addDays(qint64(i) * days / linesPerSide);
        const QDate creditDay = std::min(debitDay.addDays(i % 3), DemoLastDay());
        const Amount amount = Pesos(100 + rng.bounded(250000), int(rng.bounded(100)));
        Amount credited = amount;
        if (i % 10 == 3)
            credited += Amount(1 + rng.bounded(9)) * (kUnits / 100);
        const int voucher = i + 1;
        const int creditVoucher = i % 20 == 7 ? linesPerSide + voucher : voucher;

        JournalEntry in = benchEntry(debitDay, voucher, QStringLiteral("Acreditación lote %1").arg(voucher));
        in.lines = {benchLine(bank, true, amount), benchLine(cash, false, amount)};
        journal.write(in);

        JournalEntry out = benchEntry(creditDay, creditVoucher, QStringLiteral("Transferencia lote %1").arg(voucher));
        out.lines = {benchLine(cash, true, credited), benchLine(bank, false, credited)};
        journal.write(out);
    }
}

} // namespace schema::demo
