#include "StoreRows.h"

#include "StoreSql.h"

namespace conciliacion {

WorkbenchRows FilasDeLineas(const ado::RowSet& datos, Lado lado, bool incluirMarcadas)
{
    const sql::Filas f(datos);
    const DescripcionLado& d = Describir(lado);
    const int id = f.Columna(QStringLiteral("ID"));
    const int fecha = f.Columna(QStringLiteral("FECHAMOV"));
    const int vencimiento = f.Columna(QStringLiteral("VENCIMIENTO"));
    const int tc = f.Columna(QStringLiteral("TC"));
    const int comprobante = f.Columna(QStringLiteral("COMPROBANTE"));
    const int importe = f.Columna(QStringLiteral("IMPORTE"));
    const int concepto = f.Columna(QStringLiteral("CONCEPTO"));
    const int secuencia = f.Columna(QStringLiteral("SECUENCIA"));
    const int mes = f.Columna(QStringLiteral("MES_OPERATIVO"));
    const int asiento = f.Columna(QStringLiteral("NUMERO ASIENTO"));
    const int periodo = f.Columna(QStringLiteral("PERIODO"));
    const int tipoReg = f.Columna(QStringLiteral("TIPO_REG"));
    const int vinculo = f.Columna(d.vinculo);
    const int tcOrigen = f.Columna(QStringLiteral("TC_ORIGEN"));
    const int cpteOrigen = f.Columna(QStringLiteral("CPTE_ORIGEN"));
    const int marca = f.Columna(d.marca);

    WorkbenchRows filas;
    filas.reserve(size_t(f.Cantidad()));
    for (qsizetype i = 0; i < f.Cantidad(); ++i) {
        const bool marcada = f.Verdad(i, marca);
        if (marcada && !incluirMarcadas)
            continue;
        WorkbenchRow r;
        r.Fecha = f.Texto(i, fecha);
        r.Vencimiento = f.Texto(i, vencimiento);
        r.TC = f.Texto(i, tc);
        r.Comprobante = f.Texto(i, comprobante);
        const ado::Variant& monto = f.Valor(i, importe);
        r.Importe = monto.isNull() || monto.isEmpty() ? ado::Currency() : monto.toCurrency();
        r.Concepto = f.Texto(i, concepto);
        r.ID = f.Entero(i, id);
        r.Secuencia = f.Texto(i, secuencia);
        r.MesOperativo = f.Texto(i, mes);
        r.NroAsiento = f.Texto(i, asiento);
        r.Periodo = f.Texto(i, periodo);
        r.Tipo_Reg = f.Texto(i, tipoReg);
        r.ConciliadoCon = f.Texto(i, vinculo);
        r.Tc_Origen = f.Texto(i, tcOrigen);
        r.Cpte_Origen = f.Texto(i, cpteOrigen);
        r.Checked = marcada;
        filas.push_back(std::move(r));
    }
    return filas;
}

} // namespace conciliacion
