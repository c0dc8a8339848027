#include "WorkbenchTotals.h"

#include "core/base/FormatoMoneda.h"

#include <QLocale>

namespace conciliacion {

int DecimalesEtiquetas(const QString& cantidadDecimales)
{
    return *ModGlobal::DecimalesMoneda(-1, cantidadDecimales);
}

ado::Currency RedondeoEtiqueta(ado::Currency valor, int decimales)
{
    return decimales < 4 ? valor.rounded(decimales) : valor;
}

namespace {

void Sumar(const WorkbenchRows& filas, int decimales, ado::Currency& marcadas, ado::Currency& sinMarcar)
{
    marcadas = sinMarcar = ado::Currency();
    for (const WorkbenchRow& fila : filas) {
        ado::Currency& total = fila.Checked ? marcadas : sinMarcar;
        total = RedondeoEtiqueta(total + fila.ImporteMostrado(), decimales);
    }
}

} // namespace

Totales CalcularTotales(const WorkbenchRows& izquierda, const WorkbenchRows& derecha, int decimales)
{
    Totales t;
    Sumar(izquierda, decimales, t.Conc, t.NConc);
    Sumar(derecha, decimales, t.Conc2, t.NConc2);
    t.Dif = RedondeoEtiqueta(t.Conc - t.Conc2, decimales);
    return t;
}

EtiquetaDiferencia TextoDiferencia(ado::Currency dif, int decimales)
{
    if (dif < ado::Currency()) {
        QString plano = (-dif).toString();
        plano.replace(u'.', QLocale().decimalPoint());
        return {plano, kColorRojo};
    }
    return {TextoTotal(dif, decimales), kColorAzul};
}

QString TextoTotal(ado::Currency total, int decimales)
{
    return ModGlobal::FormatoMoneda(total, decimales);
}

bool TotalesCuadran(ado::Currency conciliadoIzquierda, ado::Currency conciliadoDerecha, ado::Currency tolerancia)
{
    if (conciliadoIzquierda == conciliadoDerecha)
        return true;
    if (tolerancia < ado::Currency())
        return false;
    const ado::Currency diferencia = conciliadoDerecha - conciliadoIzquierda;
    const ado::Currency absoluta = diferencia < ado::Currency() ? -diferencia : diferencia;
    return absoluta <= tolerancia;
}

} // namespace conciliacion
