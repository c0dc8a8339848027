#pragma once
// Sales (receipts and payments included) and purchase vouchers of the demo: header, items, tasks,
// observations, applications and the history of actions, in the suite's document tables.

#include "CompanyFile.h"
#include "DemoCatalog.h"

#include <QDate>
#include <QDateTime>
#include <QVector>

namespace schema::demo {

struct ItemLine {
    const Article* article = nullptr;
    int cantidad = 1;
    Amount precio = 0;               // unit price of this voucher
    int porcDescuento = 0;
    Amount importeDescuento = 0;     // the line's discount
    Amount total = 0;                // cantidad * precio - descuento
};

struct TaskLine {
    const Task* task = nullptr;
    int minutos = 60;
    Amount total = 0;
};

struct Document {
    QString tc, sucursal, numero, letra;
    QDate fecha;
    const Party* party = nullptr;
    QString unegocio;
    QString comentarios;
    QVector<ItemLine> items;
    QVector<TaskLine> tasks;
    QVector<QPair<QString, QString>> observations;   // (TIPO_OBS, OBSERVACION)
    int porcDescuento = 0;           // on the whole voucher
    Amount descuento = 0;
    Amount neto = 0;                 // without value-added tax, after discounts
    Amount iva = 0;
    Amount total = 0;
    Amount retGanancias = 0, retIBrutos = 0, retIva = 0;
    // Service of a vehicle (sales only).
    QString matricula, modelo, serie;
    QDate inicio, fin;

    QString idComprobante() const { return sucursal + numero + letra; }
    // "FC A 0001-00000012", as the journal's texts name a voucher.
    QString label() const;
};

// Computes the line totals, the discount, the net amount, the value-added tax at 21 % and the total.
void PriceDocument(Document& document);

class DocumentWriter {
public:
    explicit DocumentWriter(const QSqlDatabase& db);
    // Sales family (V_MV_Cpte...): sales vouchers, receipts and payments.
    void writeSale(const Document& document);
    // Purchase family (C_MV_Cpte...), keyed by the supplier's account.
    void writePurchase(const Document& document);
    // `applying` cancels `applied` for the amount.
    void writeApplication(const Document& applying, const Document& applied, Amount importe);
    void writeAction(const QString& tc, const QString& idComprobante, int numeroAsiento, QChar accion,
                     const QDateTime& when, const QString& usuario);

private:
    QVariantList partyValues(const Document& document) const;
    QVariantList amountValues(const Document& document) const;

    RowWriter m_sales, m_salesItems, m_salesTasks, m_salesObservations;
    RowWriter m_purchases, m_purchaseItems, m_purchaseTasks, m_purchaseObservations;
    RowWriter m_applications, m_actions;
};

} // namespace schema::demo
