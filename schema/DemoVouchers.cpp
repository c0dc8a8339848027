// Three months of the demo company's business. Every voucher gets its document rows and its journal entry;
// the bank account (kBankAccount) collects the debit and credit lines that the workbench reconciles:
//   - cash sales collected by transfer (debit "Cobro") and deposited a few days later under the same voucher
//     (credit "Depósito"): they pair by voucher and amount, a few deposits differ by some cents, and one sale
//     a month is deposited under an accounting voucher of its own (same amount, another voucher);
//   - receipts of credit sales (debit, cheque) with their deposits (credit), also pairing;
//   - payments to suppliers and the bank's fee (credits), the opening entry and adjustments (debits): unpaired.

#include "DemoCatalog.h"
#include "DemoDatabase.h"
#include "DemoDocuments.h"
#include "DemoSteps.h"

#include <QHash>
#include <QRandomGenerator>
#include <algorithm>

namespace schema::demo {

namespace {

QString text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// A weekday of the same month, moving forward over a weekend (backward at the month's end); never past
// the demo's last day.
QDate workingDay(QDate date)
{
    date = std::min(date, DemoLastDay());
    QDate forward = date;
    while (forward.dayOfWeek() > 5)
        forward = forward.addDays(1);
    if (forward.month() == date.month() && forward <= DemoLastDay())
        return forward;
    while (date.dayOfWeek() > 5)
        date = date.addDays(-1);
    return date;
}

// The name of the demo's month 1..kDemoMonths.
QString monthName(int month)
{
    static const char* names[] = {"enero", "febrero", "marzo", "abril", "mayo", "junio", "julio", "agosto",
                                  "septiembre", "octubre", "noviembre", "diciembre"};
    return text(names[DemoDay(month, 1).month() - 1]);
}

struct Pending {
    JournalEntry entry;
    QChar accion;               // history row of the voucher; null for a second entry of a recorded voucher
    bool modified = false;      // also a modification the next day
};

class Story {
public:
    Story(const QSqlDatabase& db, quint32 seed) : m_rng(seed), m_documents(db) {}

    void run()
    {
        opening();
        for (int month = 1; month <= kDemoMonths; ++month)
            businessOf(month);
    }

    // Entries are numbered in date order; the vouchers' histories name their entry numbers.
    void flush(JournalWriter& journal)
    {
        std::stable_sort(m_pending.begin(), m_pending.end(),
                         [](const Pending& a, const Pending& b) { return a.entry.fecha < b.entry.fecha; });
        int minute = 0;
        for (const Pending& p : m_pending) {
            const int number = journal.write(p.entry);
            if (p.accion.isNull())
                continue;
            const JournalEntry& e = p.entry;
            const QString id = e.sucursal + e.numero + e.letra;
            const QDateTime when(e.fecha, QTime(9, 0).addSecs(60 * (minute++ % 480)));
            m_documents.writeAction(e.tc, id, number, p.accion, when, e.usuario);
            if (p.modified)
                m_documents.writeAction(e.tc, id, number, QLatin1Char('M'), when.addDays(1),
                                        QString::fromLatin1(kAdminUser));
        }
    }

private:
    int pick(int bound) { return int(m_rng.bounded(bound)); }

    QString nextNumber(const QString& tc, const QString& sucursal, int first)
    {
        int& last = m_numbers[tc + sucursal];
        if (last == 0)
            last = first - 1;
        return QStringLiteral("%1").arg(++last, 8, 10, QLatin1Char('0'));
    }

    QString nextUser()
    {
        m_toggle = !m_toggle;
        return QString::fromLatin1(m_toggle ? kAdminUser : kOperatorUser);
    }

    Document voucher(const QString& tc, const QString& sucursal, const QString& letra, int firstNumber,
                     const QDate& fecha, const Party* party)
    {
        Document d;
        d.tc = tc;
        d.sucursal = sucursal;
        d.letra = letra;
        d.numero = nextNumber(tc, sucursal, firstNumber);
        d.fecha = fecha;
        d.party = party;
        d.unegocio = QString::fromLatin1(kBusinessUnit);
        return d;
    }

    JournalEntry entryOf(const Document& d, const QString& detalle)
    {
        JournalEntry e;
        e.fecha = d.fecha;
        e.tc = d.tc;
        e.sucursal = d.sucursal;
        e.numero = d.numero;
        e.letra = d.letra;
        e.detalle = detalle;
        e.cabCuenta = d.party ? text(d.party->cuenta) : QString();
        e.tcOrigen = d.tc;
        e.cpteOrigen = d.idComprobante();
        e.unegocio = d.unegocio;
        e.usuario = nextUser();
        return e;
    }

    static JournalLine line(const QString& cuenta, bool debe, Amount importe)
    {
        JournalLine l;
        l.cuenta = cuenta;
        l.debe = debe;
        l.importe = importe;
        return l;
    }

    JournalLine bankLine(bool debe, Amount importe, const QString& detalle, const QString& banco,
                         const QString& comprobante, const QDate& vencimiento)
    {
        JournalLine l = line(QString::fromLatin1(kBankAccount), debe, importe);
        l.detalle = detalle;
        l.idBanco = banco;
        l.nroComprobanteBancario = comprobante;
        l.vencimiento = vencimiento;
        return l;
    }

    QString transferNumber(const char* prefix)
    {
        return QStringLiteral("%1%2").arg(QLatin1String(prefix)).arg(100000 + pick(900000));
    }

    void add(const JournalEntry& entry, QChar accion = QChar(), bool modified = false)
    {
        m_pending.append({entry, accion, modified});
    }

    void opening()
    {
        const Document d = voucher(QStringLiteral("AS"), QStringLiteral("0001"), QStringLiteral("X"), 1,
                                   workingDay(DemoFirstDay().addDays(1)), nullptr);
        JournalEntry e = entryOf(d, QStringLiteral("Asiento de apertura del ejercicio %1").arg(d.fecha.year()));
        e.tcOrigen.clear();
        e.cpteOrigen.clear();
        e.lines = {bankLine(true, Pesos(1250000), QStringLiteral("Saldo inicial banco"), text(kOwnBank), {}, {}),
                   line(QString::fromLatin1(kCashAccount), true, Pesos(85000)),
                   line(QStringLiteral("120101"), true, Pesos(4800000)),
                   line(QStringLiteral("120102"), true, Pesos(620000)),
                   line(QStringLiteral("3101"), false, Pesos(5000000)),
                   line(QStringLiteral("3102"), false, Pesos(1755000))};
        add(e, QLatin1Char('A'));
    }

    // Sale of articles, or of services for the transport company (with its vehicle's data).
    Document sale(const QDate& fecha, int index)
    {
        const Party* party = &kCustomers[pick(int(kCustomers.size()))];
        Document d = voucher(QStringLiteral("FC"), QStringLiteral("0001"), QStringLiteral("A"), 1201, fecha, party);
        if (index % 3 == 2)
            d.unegocio = text(kBusinessUnits[1].codigo);
        if (party == &kCustomers[3]) {
            for (int t = 0, n = 1 + pick(2); t < n; ++t)
                d.tasks.append({&kTasks[pick(int(kTasks.size()))], 60 + 30 * pick(5), 0});
            // The service also fits a part.
            d.items.append({&kArticles[6], 2, kArticles[6].precio, 0, 0, 0});
            d.matricula = QStringLiteral("AE%1KL").arg(100 + pick(900));
            d.modelo = QStringLiteral("Iveco Daily 55C");
            d.serie = QStringLiteral("ZCFC%1").arg(5000000 + pick(4000000));
            d.inicio = fecha;
            d.fin = fecha.addMonths(6);
        } else {
            for (int i = 0, n = 1 + pick(3); i < n; ++i) {
                const Article* article = &kArticles[pick(8)];
                d.items.append({article, 1 + pick(12), article->precio, pick(4) == 0 ? 5 : 0, 0, 0});
            }
        }
        if (index % 3 == 0)
            d.observations.append({QStringLiteral("ENTREGA"), QStringLiteral("Entregar en %1, %2")
                                                                  .arg(text(party->domicilio),
                                                                       text(party->localidad))});
        if (index == 5)
            d.porcDescuento = 3;
        PriceDocument(d);
        m_documents.writeSale(d);
        return d;
    }

    static TaxBook taxBookOf(const char* tipo, const Document& d)
    {
        TaxBook book;
        book.tipo = QString::fromLatin1(tipo);
        book.netoGravado = d.neto;
        book.iva = d.iva;
        book.total = d.total;
        return book;
    }

    JournalEntry saleEntry(const Document& d)
    {
        JournalEntry e = entryOf(d, QStringLiteral("Factura %1 %2").arg(d.label(), text(d.party->nombre)));
        e.taxBook = taxBookOf("Ventas", d);
        e.lines = {line(QString::fromLatin1(d.tasks.isEmpty() ? "4101" : "4102"), false, d.neto),
                   line(QStringLiteral("210201"), false, d.iva)};
        return e;
    }

    // Collected at once by transfer into the bank.
    Document cashSale(const QDate& fecha, int index)
    {
        const Document d = sale(fecha, index);
        JournalEntry e = saleEntry(d);
        e.lines.prepend(bankLine(true, d.total, QStringLiteral("Cobro %1").arg(d.label()), text(kOwnBank),
                                 transferNumber("TR"), {}));
        add(e, QLatin1Char('A'), index == 0);
        return d;
    }

    Document creditSale(const QDate& fecha, int index)
    {
        const Document d = sale(fecha, index);
        JournalEntry e = saleEntry(d);
        e.lines.prepend(line(text(d.party->cuenta), true, d.total));
        add(e, QLatin1Char('A'));
        return d;
    }

    // The money of a voucher leaves for the cash desk's deposit account under the same voucher (or, when
    // `under` is given, under that accounting voucher).
    void deposit(const Document& of, const QDate& fecha, Amount importe, const Document* under = nullptr)
    {
        Document d = under ? *under : of;
        d.fecha = fecha;
        JournalEntry e = entryOf(d, QStringLiteral("Depósito %1").arg(of.label()));
        e.tcOrigen = of.tc;
        e.cpteOrigen = of.idComprobante();
        e.lines = {line(QString::fromLatin1(kCashAccount), true, importe),
                   bankLine(false, importe, e.detalle, text(kOwnBank), transferNumber("BD"), {})};
        add(e, under ? QLatin1Char('A') : QChar());
    }

    // A receipt or payment order that cancels an invoice, less the tax withheld (two percent of its net).
    Document settlement(const QString& tc, int firstNumber, const QDate& fecha, const Document& invoice,
                        Amount Document::*withheld)
    {
        Document d = voucher(tc, QStringLiteral("0001"), QStringLiteral("X"), firstNumber, fecha, invoice.party);
        d.total = invoice.total;
        d.neto = invoice.total;
        d.*withheld = Percent(invoice.neto, 2);
        d.comentarios = QStringLiteral("Cancela %1").arg(invoice.label());
        m_documents.writeSale(d);
        m_documents.writeApplication(d, invoice, invoice.total);
        return d;
    }

    // A receipt of a credit sale: a customer's cheque, less the gross-income tax withheld. Returns the
    // receipt with the cheque's amount as its total (what goes to the bank).
    Document receipt(const QDate& fecha, const Document& invoice)
    {
        Document d = settlement(QStringLiteral("CB"), 341, fecha, invoice, &Document::retIBrutos);
        const Amount cheque = d.total - d.retIBrutos;
        JournalEntry e = entryOf(d, QStringLiteral("Recibo %1 %2").arg(d.label(), text(d.party->nombre)));
        e.lines = {bankLine(true, cheque, QStringLiteral("Cobro %1").arg(d.label()),
                            text(kBanks[pick(int(kBanks.size()))].codigo),
                            QString::number(10000000 + pick(80000000)), fecha.addDays(pick(25))),
                   line(QStringLiteral("110402"), true, d.retIBrutos),
                   line(text(d.party->cuenta), false, d.total)};
        add(e, QLatin1Char('A'));
        d.total = cheque;
        return d;
    }

    Document purchase(const QDate& fecha, int supplier)
    {
        static const char* branches[] = {"0003", "0012", "0041"};
        const Party* party = &kSuppliers[supplier];
        Document d = voucher(QStringLiteral("FCC"), text(branches[supplier]), QStringLiteral("A"),
                             2000 + 1500 * supplier, fecha, party);
        auto buy = [&](int article, int percentOfPrice, int cantidad) {
            const Article* a = &kArticles[article];
            d.items.append({a, cantidad, RoundToCents(a->precio * percentOfPrice / 100), 0, 0, 0});
        };
        if (supplier == 0) {
            buy(0, 70, 20 + pick(30));
            buy(4 + pick(2), 70, 5 + pick(10));
        } else if (supplier == 1) {
            buy(2 + pick(2), 75, 2 + pick(5));
            d.tasks.append({&kTasks[2], 120 + 60 * pick(3), 0});
            d.observations.append({QStringLiteral("GARANTIA"), QStringLiteral("Garantía de 6 meses sobre insumos")});
        } else {
            buy(8, 85, 200 + pick(400));
        }
        PriceDocument(d);
        m_documents.writePurchase(d);
        const QString expense = QString::fromLatin1(supplier == 2 ? "5104" : "5102");
        JournalEntry e =
            entryOf(d, QStringLiteral("Factura de compra %1 %2").arg(d.label(), text(party->nombre)));
        e.taxBook = taxBookOf("Compras", d);
        e.lines = {line(expense, true, d.neto), line(QStringLiteral("110401"), true, d.iva),
                   line(text(party->cuenta), false, d.total)};
        if (supplier == 2) {
            e.costShares = {{expense, text(kCostCentres[2].codigo), 100, d.neto}};
        } else {
            const Amount administration = Percent(d.neto, 60);
            e.costShares = {{expense, text(kCostCentres[0].codigo), 60, administration},
                            {expense, text(kCostCentres[1].codigo), 40, d.neto - administration}};
        }
        add(e, QLatin1Char('A'));
        return d;
    }

    // A payment order: a cheque of the company's bank, less the income tax withheld.
    void payment(const QDate& fecha, const Document& invoice)
    {
        const Document d = settlement(QStringLiteral("PG"), 87, fecha, invoice, &Document::retGanancias);
        JournalEntry e = entryOf(d, QStringLiteral("Pago %1 %2").arg(d.label(), text(d.party->nombre)));
        e.lines = {line(text(d.party->cuenta), true, d.total),
                   bankLine(false, d.total - d.retGanancias, e.detalle, text(kOwnBank),
                            QString::number(30000000 + pick(1000000)), fecha.addDays(15 * pick(3))),
                   line(QStringLiteral("210202"), false, d.retGanancias)};
        add(e, QLatin1Char('A'));
    }

    Document accountingVoucher(const QString& tc, const QDate& fecha)
    {
        return voucher(tc, QStringLiteral("0001"), QStringLiteral("X"), 1, fecha, nullptr);
    }

    void bankFee(int month)
    {
        const Document d = accountingVoucher(QStringLiteral("AS"), workingDay(DemoDay(month, 28)));
        const Amount fee = Pesos(4500 + pick(3000), pick(100));
        const Amount iva = Percent(fee, 21);
        JournalEntry e = entryOf(d, QStringLiteral("Comisión mantenimiento de cuenta %1").arg(monthName(month)));
        // The bank's fee bears value-added tax: the entry goes to the purchases tax book.
        TaxBook book;
        book.tipo = QStringLiteral("Compras");
        book.netoGravado = fee;
        book.iva = iva;
        book.total = fee + iva;
        e.taxBook = book;
        e.lines = {line(QStringLiteral("5101"), true, fee), line(QStringLiteral("110401"), true, iva),
                   bankLine(false, fee + iva, e.detalle, text(kOwnBank), {}, {})};
        e.costShares = {{QStringLiteral("5101"), text(kCostCentres[0].codigo), 100, fee}};
        add(e, QLatin1Char('A'));
    }

    // "VJ" vouchers open no document.
    void adjustment(int month)
    {
        const Document d = accountingVoucher(QStringLiteral("VJ"), workingDay(DemoDay(month, 15)));
        const Amount interest = Pesos(100 + pick(900), pick(100));
        JournalEntry e = entryOf(d, QStringLiteral("Intereses acreditados %1").arg(monthName(month)));
        e.lines = {bankLine(true, interest, e.detalle, text(kOwnBank), {}, {}),
                   line(QStringLiteral("4103"), false, interest)};
        add(e, QLatin1Char('A'));
    }

    // A deposit that differs from the collected amount by one to nine cents, either way.
    Amount offByCents(Amount importe)
    {
        const Amount cents = Amount(1 + pick(9)) * (kUnits / 100);
        return pick(2) == 0 ? importe - cents : importe + cents;
    }

    void businessOf(int month)
    {
        for (int i = 0; i < 6; ++i) {
            const QDate fecha = workingDay(DemoDay(month, 3 + 4 * i + pick(2)));
            const Document sold = cashSale(fecha, i);
            const QDate depositDay = workingDay(fecha.addDays(1 + pick(3)));
            if (i == 4) {
                const Document slip = accountingVoucher(QStringLiteral("AS"), depositDay);
                deposit(sold, depositDay, sold.total, &slip);
            } else {
                const bool cents = i == 1 || pick(8) == 0;
                deposit(sold, depositDay, cents ? offByCents(sold.total) : sold.total);
            }
        }
        for (int r = 0; r < 2; ++r) {
            const Document invoice = creditSale(workingDay(DemoDay(month, 5 + 7 * r)), r);
            const QDate collected = workingDay(invoice.fecha.addDays(8 + pick(6)));
            const Document paid = receipt(collected, invoice);
            deposit(paid, workingDay(collected.addDays(1 + pick(2))), paid.total);
        }
        for (int p = 0; p < 2; ++p) {
            const Document bought = purchase(workingDay(DemoDay(month, 2 + 7 * p)), (month + p) % 3);
            payment(workingDay(bought.fecha.addDays(12 + pick(5))), bought);
        }
        adjustment(month);
        bankFee(month);
    }

    QRandomGenerator m_rng;
    DocumentWriter m_documents;
    QVector<Pending> m_pending;
    QHash<QString, int> m_numbers;
    bool m_toggle = false;
};

} // namespace

void WriteVouchers(const QSqlDatabase& db, JournalWriter& journal, quint32 seed)
{
    Story story(db, seed);
    story.run();
    story.flush(journal);
}

} // namespace schema::demo
