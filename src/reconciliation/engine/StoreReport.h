#pragma once
// What the reconciliation report reads through the store: a reconciliation's header, its account's
// description, and the left lines that the report's conditions keep, in date order, read a block at a time so
// that the operator hears how far the reading got and may stop it.

#include "StoreTypes.h"

#include "platform/ado/Currency.h"
#include "platform/ado/Variant.h"

#include <QList>
#include <QString>
#include <functional>
#include <stdexcept>

namespace conciliacion {

// One condition of the report: the column of MV_CONCILIACION (restricts the lines) or of MV_CONCILIACION_CAB
// (restricts the header) equals the value (a text, a Boolean or a number).
struct CondicionReporte {
    QString tabla;
    QString campo;
    ado::Variant valor;
};

// A condition on a table or column the report does not read.
struct CondicionDesconocida : std::runtime_error {
    CondicionDesconocida(QString tabla_, QString campo_)
        : std::runtime_error("condicion desconocida"), tabla(std::move(tabla_)), campo(std::move(campo_)) {}
    QString tabla;
    QString campo;   // "" when the table itself is unknown
};

// Told the lines read so far and how many there are; true stops the reading (LecturaCancelada).
using AvanceLectura = std::function<bool(qsizetype leidas, qsizetype total)>;

// The operator stopped the reading.
struct LecturaCancelada : std::runtime_error {
    LecturaCancelada() : std::runtime_error("lectura cancelada") {}
};

struct LineaReporte {
    QString fecha;          // day/month/year
    QString vencimiento;
    QString tc;
    QString comprobante;
    QString concepto;
    ado::Currency importe;  // as stored; Null reads as 0
    QString conciliadoCon;
};

struct DatosReporte {
    Cabecera cabecera;
    QString descripcionCuenta;   // "" when the chart has no such account
    QList<LineaReporte> lineas;
    ado::Currency total() const;
};

} // namespace conciliacion
