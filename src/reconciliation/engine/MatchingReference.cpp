#include "MatchingReference.h"

namespace conciliacion {

namespace {

constexpr int kPuntajeDescartado = -999;

bool ImportesConcuerdan(ado::Currency a, ado::Currency b, ado::Currency tolerancia)
{
    if (a == b)
        return true;
    const __int128 diferencia = __int128(a.scaled()) - b.scaled();
    return (diferencia < 0 ? -diferencia : diferencia) <= tolerancia.scaled();
}

} // namespace

ResultadoComparacion CompararReferencia(WorkbenchRows& izquierda, WorkbenchRows& derecha,
                                        const OpcionesComparacion& opciones, Totales& totales, int decimales)
{
    ResultadoComparacion resultado;
    resultado.estado = ComprobarListas(izquierda, derecha);
    if (resultado.estado != EstadoComparacion::Terminada)
        return resultado;
    const std::array<bool, kCantidadCajas> cajas = CajasElegidas(opciones, resultado.todasLasCajas);
    int n = 0;
    for (bool elegida : cajas)
        n += elegida ? 1 : 0;

    for (WorkbenchRow& izq : izquierda) {
        if (izq.Checked)
            continue;
        for (WorkbenchRow& der : derecha) {
            if (der.Checked)
                continue;
            int puntaje = 0;
            for (int caja : {cajaFecha, cajaVencimiento, cajaTC, cajaComprobante, cajaConcepto})
                if (cajas[caja] && TextoCaja(izq, caja).compare(TextoCaja(der, caja), Qt::CaseInsensitive) == 0)
                    ++puntaje;
            const ado::Currency a = izq.ImporteMostrado();
            const ado::Currency b = der.ImporteMostrado();
            if (cajas[cajaImporte])
                puntaje = ImportesConcuerdan(a, b, opciones.tolerancia) ? puntaje + 1 : kPuntajeDescartado;
            if (puntaje == n) {
                izq.Checked = der.Checked = true;
                totales.Conc = RedondeoEtiqueta(totales.Conc + a, decimales);
                totales.NConc = RedondeoEtiqueta(totales.NConc - a, decimales);
                totales.Conc2 = RedondeoEtiqueta(totales.Conc2 + b, decimales);
                totales.NConc2 = RedondeoEtiqueta(totales.NConc2 - b, decimales);
                izq.ForeColor = der.ForeColor = kColorNegro;
                ++resultado.pares;
                break;
            }
            if (puntaje > 0)
                izq.ForeColor = der.ForeColor = kColorRojo;
        }
    }
    return resultado;
}

} // namespace conciliacion
