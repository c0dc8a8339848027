#pragma once
// Small builders of workbench rows for the reconciliation tests.

#include "reconciliation/engine/WorkbenchRow.h"

#include <QString>
#include <initializer_list>

namespace prueba {

inline ado::Currency Monto(const char* texto)
{
    return *ado::Currency::parse(QString::fromUtf8(texto));
}

struct DatosFila {
    qint64 id = 0;
    const char* importe = "0";
    const char* comprobante = "000100000001A";
    const char* concepto = "x";
    bool marcada = false;
    const char* vinculos = "";
};

inline conciliacion::WorkbenchRow Fila(const DatosFila& d)
{
    conciliacion::WorkbenchRow f;
    f.ID = d.id;
    f.Fecha = QStringLiteral("05/03/2026");
    f.Vencimiento = QStringLiteral("05/03/2026");
    f.TC = QStringLiteral("FC");
    f.Comprobante = QString::fromUtf8(d.comprobante);
    f.Importe = Monto(d.importe);
    f.Concepto = QString::fromUtf8(d.concepto);
    f.Checked = d.marcada;
    f.ConciliadoCon = QString::fromUtf8(d.vinculos);
    return f;
}

inline conciliacion::WorkbenchRows Filas(std::initializer_list<DatosFila> datos)
{
    conciliacion::WorkbenchRows filas;
    for (const DatosFila& d : datos)
        filas.push_back(Fila(d));
    return filas;
}

// The row with this ID (rows move when grouping sorts them).
inline const conciliacion::WorkbenchRow& PorId(const conciliacion::WorkbenchRows& filas, qint64 id)
{
    for (const conciliacion::WorkbenchRow& f : filas)
        if (f.ID == id)
            return f;
    qFatal("no row with ID %lld", static_cast<long long>(id));
}

} // namespace prueba
