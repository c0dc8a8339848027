#include "DemoDocuments.h"

#include "DemoDatabase.h"

namespace schema::demo {

namespace {

QString text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

const QStringList kPartyColumns = {
    QStringLiteral("CUENTA"),   QStringLiteral("NOMBRE"),   QStringLiteral("DOMICILIO"),
    QStringLiteral("LOCALIDAD"), QStringLiteral("CODIGOPOSTAL"), QStringLiteral("TELEFONO"),
    QStringLiteral("COMENTARIOS"), QStringLiteral("FECHA"),  QStringLiteral("UNEGOCIO")};

const QStringList kAmountColumns = {
    QStringLiteral("importe"),        QStringLiteral("importe_s_iva"),  QStringLiteral("porcdescuento1"),
    QStringLiteral("porcdescuento2"), QStringLiteral("porcdescuento3"), QStringLiteral("porcdescuento4"),
    QStringLiteral("impdescuento1"),  QStringLiteral("impdescuento2"),  QStringLiteral("impdescuento3"),
    QStringLiteral("impdescuento4"),  QStringLiteral("ImporteImpuestosInternos"), QStringLiteral("AlicIva"),
    QStringLiteral("AlicIva2"),       QStringLiteral("AlicIvaRec"),     QStringLiteral("ImporteIva"),
    QStringLiteral("ImporteIva2"),    QStringLiteral("ImporteIvaRec")};

const QStringList kSalesOnlyColumns = {
    QStringLiteral("MATRICULA"),      QStringLiteral("MODELO"),         QStringLiteral("SERIE"),
    QStringLiteral("FECHAESTINICIO"), QStringLiteral("FECHAESTFIN"),    QStringLiteral("AlicIva3"),
    QStringLiteral("AlicIva4"),       QStringLiteral("ImpIVA3"),        QStringLiteral("ImpIVA4"),
    QStringLiteral("RETGAN_Importe"), QStringLiteral("RETIBR_Importe"), QStringLiteral("RETIVA_Importe")};

QStringList salesKey()
{
    return {QStringLiteral("TC"), QStringLiteral("idcomprobante"), QStringLiteral("idcomplemento")};
}

QStringList purchaseKey()
{
    return {QStringLiteral("CUENTA"), QStringLiteral("TC"), QStringLiteral("idcomprobante")};
}

const QStringList kItemColumns = {QStringLiteral("IDARTICULO"), QStringLiteral("DESCRIPCION"),
                                  QStringLiteral("IDUNIDAD"),   QStringLiteral("CANTIDAD"),
                                  QStringLiteral("IMPORTE"),    QStringLiteral("TOTAL")};
const QStringList kTaskColumns = {QStringLiteral("IDTAREA"), QStringLiteral("DESCRIPCION"), QStringLiteral("HORAS"),
                                  QStringLiteral("VALORHORA"), QStringLiteral("TOTAL")};
const QStringList kObservationColumns = {QStringLiteral("TIPO_OBS"), QStringLiteral("OBSERVACION"),
                                         QStringLiteral("IMPORTE")};

QVariantList itemValues(const ItemLine& item)
{
    return {text(item.article->id), text(item.article->descripcion), text(item.article->unidad),
            AmountValue(Pesos(item.cantidad)), AmountValue(item.precio), AmountValue(item.total)};
}

QVariantList taskValues(const TaskLine& task)
{
    return {text(task.task->id), text(task.task->descripcion), task.minutos, AmountValue(task.task->valorHora),
            AmountValue(task.total)};
}

QVariantList observationValues(const QPair<QString, QString>& observation)
{
    return {observation.first, observation.second, AmountValue(0)};
}

} // namespace

QString Document::label() const
{
    return QStringLiteral("%1 %2 %3-%4").arg(tc, letra, sucursal, numero);
}

void PriceDocument(Document& document)
{
    Amount subtotal = 0;
    for (ItemLine& item : document.items) {
        const Amount gross = item.precio * item.cantidad;
        item.importeDescuento = Percent(gross, item.porcDescuento);
        item.total = gross - item.importeDescuento;
        subtotal += item.total;
    }
    for (TaskLine& task : document.tasks) {
        task.total = RoundToCents(task.task->valorHora * task.minutos / 60);
        subtotal += task.total;
    }
    document.descuento = Percent(subtotal, document.porcDescuento);
    document.neto = subtotal - document.descuento;
    document.iva = Percent(document.neto, 21);
    document.total = document.neto + document.iva;
}

DocumentWriter::DocumentWriter(const QSqlDatabase& db)
    : m_sales(db, QStringLiteral("V_MV_Cpte"), salesKey() + kPartyColumns + kAmountColumns + kSalesOnlyColumns),
      m_salesItems(db, QStringLiteral("V_MV_CPTEInsumos"),
                   salesKey() + kItemColumns + QStringList{QStringLiteral("IMPORTEDTO")}),
      m_salesTasks(db, QStringLiteral("V_MV_CPTETareas"), salesKey() + kTaskColumns),
      m_salesObservations(db, QStringLiteral("V_MV_CPTE_Observ"), salesKey() + kObservationColumns),
      m_purchases(db, QStringLiteral("C_MV_Cpte"),
                  QStringList{QStringLiteral("TC"), QStringLiteral("IDCOMPROBANTE")} + kPartyColumns + kAmountColumns),
      m_purchaseItems(db, QStringLiteral("C_mv_CPTEInsumos"), purchaseKey() + kItemColumns),
      m_purchaseTasks(db, QStringLiteral("C_mv_CPTETareas"), purchaseKey() + kTaskColumns),
      m_purchaseObservations(db, QStringLiteral("C_mv_CPTE_Observ"), purchaseKey() + kObservationColumns),
      m_applications(db, QStringLiteral("MV_APLICACION"),
                     {QStringLiteral("TC"), QStringLiteral("SUCURSAL"), QStringLiteral("NUMERO"),
                      QStringLiteral("LETRA"), QStringLiteral("IDCOMPROBANTE"), QStringLiteral("TCO_ORIGEN"),
                      QStringLiteral("SUCURSAL_ORIGEN"), QStringLiteral("NUMERO_ORIGEN"),
                      QStringLiteral("LETRA_ORIGEN"), QStringLiteral("IDCOMPROBANTE_ORIGEN"),
                      QStringLiteral("IMPORTE")}),
      m_actions(db, QStringLiteral("V_MV_CPTEACCIONES"),
                {QStringLiteral("TC"), QStringLiteral("IDCOMPROBANTE"), QStringLiteral("IDCOMPLEMENTO"),
                 QStringLiteral("NUMEROASIENTO"), QStringLiteral("TIPO_ACCION"), QStringLiteral("FECHAHORA"),
                 QStringLiteral("USUARIO"), QStringLiteral("PC"), QStringLiteral("SYSTEMUSER")})
{
}

QVariantList DocumentWriter::partyValues(const Document& d) const
{
    const Party& p = *d.party;
    return {text(p.cuenta), text(p.nombre), text(p.domicilio), text(p.localidad), text(p.codigoPostal),
            text(p.telefono), TextOrNull(d.comentarios), DateValue(d.fecha), d.unegocio};
}

QVariantList DocumentWriter::amountValues(const Document& d) const
{
    const QVariant zero = AmountValue(0);
    return {AmountValue(d.total), AmountValue(d.neto), AmountValue(Pesos(d.porcDescuento)), zero, zero, zero,
            AmountValue(d.descuento), zero, zero, zero, zero, AmountValue(Pesos(d.iva != 0 ? 21 : 0)), zero,
            zero, AmountValue(d.iva), zero, zero};
}

void DocumentWriter::writeSale(const Document& d)
{
    const QVariantList key = {d.tc, d.idComprobante(), 0};
    const QVariant zero = AmountValue(0);
    m_sales.add(key + partyValues(d) + amountValues(d) +
                QVariantList{TextOrNull(d.matricula), TextOrNull(d.modelo), TextOrNull(d.serie), DateValue(d.inicio),
                             DateValue(d.fin), zero, zero, zero, zero, AmountValue(d.retGanancias),
                             AmountValue(d.retIBrutos), AmountValue(d.retIva)});
    for (const ItemLine& item : d.items)
        m_salesItems.add(key + itemValues(item) + QVariantList{AmountValue(item.importeDescuento)});
    for (const TaskLine& task : d.tasks)
        m_salesTasks.add(key + taskValues(task));
    for (const auto& observation : d.observations)
        m_salesObservations.add(key + observationValues(observation));
}

void DocumentWriter::writePurchase(const Document& d)
{
    const QVariantList key = {text(d.party->cuenta), d.tc, d.idComprobante()};
    m_purchases.add(QVariantList{d.tc, d.idComprobante()} + partyValues(d) + amountValues(d));
    for (const ItemLine& item : d.items)
        m_purchaseItems.add(key + itemValues(item));
    for (const TaskLine& task : d.tasks)
        m_purchaseTasks.add(key + taskValues(task));
    for (const auto& observation : d.observations)
        m_purchaseObservations.add(key + observationValues(observation));
}

void DocumentWriter::writeApplication(const Document& applying, const Document& applied, Amount importe)
{
    m_applications.add({applying.tc, applying.sucursal, applying.numero, applying.letra, applying.idComprobante(),
                        applied.tc, applied.sucursal, applied.numero, applied.letra, applied.idComprobante(),
                        AmountValue(importe)});
}

void DocumentWriter::writeAction(const QString& tc, const QString& idComprobante, int numeroAsiento, QChar accion,
                                 const QDateTime& when, const QString& usuario)
{
    m_actions.add({tc, idComprobante, 0, numeroAsiento, QString(accion), DateTimeValue(when), usuario,
                   QString::fromLatin1(kStation), QStringLiteral("conta")});
}

} // namespace schema::demo
