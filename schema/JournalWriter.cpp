#include "JournalWriter.h"

#include "DemoDatabase.h"

namespace schema {

namespace {

const QStringList kLineColumns = {
    QStringLiteral("CUENTA"), QStringLiteral("SECUENCIA"), QStringLiteral("MES_OPERATIVO"),
    QStringLiteral("[NUMERO ASIENTO]"), QStringLiteral("PERIODO"), QStringLiteral("TIPO_REG"),
    QStringLiteral("FECHA"), QStringLiteral("VENCIMIENTO"), QStringLiteral("TC"), QStringLiteral("SUCURSAL"),
    QStringLiteral("NUMERO"), QStringLiteral("LETRA"), QStringLiteral("[DEBE-HABER]"), QStringLiteral("IMPORTE"),
    QStringLiteral("DETALLE"), QStringLiteral("TC_ORIGEN"), QStringLiteral("CPTE_ORIGEN"),
    QStringLiteral("UNEGOCIO"), QStringLiteral("USUARIO_LOGEADO"), QStringLiteral("CABCUENTA"),
    QStringLiteral("NROCOMPROBANTEBANCARIO"), QStringLiteral("IDBANCO"), QStringLiteral("ESRESUMEN")};

const QStringList kTaxColumns = {
    QStringLiteral("LIVA_TIPO"), QStringLiteral("LIVA_ImpNetoGrav"), QStringLiteral("LIVA_ImpNetoNGrav"),
    QStringLiteral("Liva_Exento"), QStringLiteral("Liva_ImpIva"), QStringLiteral("Liva_ImpIvaRec"),
    QStringLiteral("LIVA_Ret_Perc"), QStringLiteral("LIVA_Ret_IBtos"), QStringLiteral("LIVA_Ret_Ganancias"),
    QStringLiteral("Liva_Total"), QStringLiteral("Liva_ImpIva2"), QStringLiteral("Liva_ImpIva3"),
    QStringLiteral("LIVA_ImpIVA4"), QStringLiteral("LIVA_IMPIVA1TERCEROS"), QStringLiteral("LIVA_IMPIVA2TERCEROS"),
    QStringLiteral("liva_aliciva"), QStringLiteral("liva_aliciva2"), QStringLiteral("liva_aliciva3"),
    QStringLiteral("liva_aliciva4"), QStringLiteral("liva_alicivaREC"), QStringLiteral("LIVA_ALICIVA1TERCEROS"),
    QStringLiteral("LIVA_ALICIVA2TERCEROS")};

const QStringList kCostShareColumns = {
    QStringLiteral("PERIODO"), QStringLiteral("MES_OPERATIVO"), QStringLiteral("[NUMERO ASIENTO]"),
    QStringLiteral("TIPO_REG"), QStringLiteral("SECUENCIA"), QStringLiteral("Cuenta"), QStringLiteral("CCosto"),
    QStringLiteral("Porcentaje"), QStringLiteral("Importe")};

QVariantList taxValues(const TaxBook& book)
{
    const QVariant zero = AmountValue(0);
    return {book.tipo,
            AmountValue(book.netoGravado),
            AmountValue(book.netoNoGravado),
            AmountValue(book.exento),
            AmountValue(book.iva),
            zero,
            AmountValue(book.percepciones),
            AmountValue(book.retencionIBrutos),
            AmountValue(book.retencionGanancias),
            AmountValue(book.total),
            zero,
            zero,
            zero,
            zero,
            zero,
            AmountValue(Pesos(book.alicuota)),
            zero,
            zero,
            zero,
            zero,
            zero,
            zero};
}

void checkBalanced(const JournalEntry& entry)
{
    Amount balance = 0;
    for (const JournalLine& line : entry.lines)
        balance += line.debe ? line.importe : -line.importe;
    if (entry.lines.isEmpty() || balance != 0)
        throw GenerationError(QStringLiteral("entry %1 %2%3%4 of %5 does not balance")
                                  .arg(entry.tc, entry.sucursal, entry.numero, entry.letra,
                                       entry.fecha.toString(Qt::ISODate)));
}

} // namespace

JournalWriter::JournalWriter(const QSqlDatabase& db)
    : m_lines(db, QStringLiteral("MV_ASIENTOS"), kLineColumns),
      m_taxLines(db, QStringLiteral("MV_ASIENTOS"), kLineColumns + kTaxColumns),
      m_costShares(db, QStringLiteral("MV_ASIENTOSCCOSTO"), kCostShareColumns)
{
}

QVariant JournalWriter::dateText(const QDate& date)
{
    if (date != m_lastDate) {
        m_lastDate = date;
        m_lastDateText = DateValue(date);
    }
    return m_lastDateText;
}

QVariantList JournalWriter::lineValues(const JournalEntry& entry, const JournalLine& line, int secuencia)
{
    return {line.cuenta,
            secuencia,
            entry.fecha.month(),
            m_lastEntry,
            entry.fecha.year(),
            QString::fromLatin1(kTipoReg),
            dateText(entry.fecha),
            DateValue(line.vencimiento),
            entry.tc,
            entry.sucursal,
            entry.numero,
            entry.letra,
            line.debe ? QStringLiteral("D") : QStringLiteral("H"),
            AmountValue(line.importe),
            line.detalle.isEmpty() ? entry.detalle : line.detalle,
            TextOrNull(entry.tcOrigen),
            TextOrNull(entry.cpteOrigen),
            entry.unegocio,
            entry.usuario,
            TextOrNull(entry.cabCuenta),
            TextOrNull(line.nroComprobanteBancario),
            TextOrNull(line.idBanco),
            0};
}

int JournalWriter::write(const JournalEntry& entry)
{
    checkBalanced(entry);
    ++m_lastEntry;
    int secuencia = 0;
    for (const JournalLine& line : entry.lines) {
        QVariantList values = lineValues(entry, line, ++secuencia);
        if (entry.taxBook) {
            values += taxValues(*entry.taxBook);
            m_taxLines.add(values);
        } else {
            m_lines.add(values);
        }
    }
    int share = 0;
    for (const CostShare& cost : entry.costShares) {
        m_costShares.add({entry.fecha.year(), entry.fecha.month(), m_lastEntry, QString::fromLatin1(kTipoReg), ++share,
                          cost.cuenta, cost.ccosto, AmountValue(Pesos(cost.porcentaje)),
                          AmountValue(cost.importe)});
    }
    return m_lastEntry;
}

} // namespace schema
