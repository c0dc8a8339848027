#include "Matching.h"

#include "MatchingIndex.h"
#include "platform/suite/base/PresupuestoTiempo.h"

#include <limits>

namespace conciliacion {

using detalle::ClaveDerecha;
using detalle::IndiceDerecho;
using detalle::Internador;
using detalle::kNinguna;

std::array<bool, kCantidadCajas> CajasElegidas(const OpcionesComparacion& opciones, bool& todas)
{
    todas = true;
    for (bool elegida : opciones.cajas)
        todas = todas && !elegida;
    if (!todas)
        return opciones.cajas;
    std::array<bool, kCantidadCajas> cajas;
    cajas.fill(true);
    return cajas;
}

const QString& TextoCaja(const WorkbenchRow& fila, int caja)
{
    switch (caja) {
    case cajaFecha: return fila.Fecha;
    case cajaVencimiento: return fila.Vencimiento;
    case cajaTC: return fila.TC;
    case cajaComprobante: return fila.Comprobante;
    default: return fila.Concepto;
    }
}

EstadoComparacion ComprobarListas(const WorkbenchRows& izquierda, const WorkbenchRows& derecha)
{
    if (izquierda.empty())
        return EstadoComparacion::ListaIzquierdaVacia;
    if (derecha.empty())
        return EstadoComparacion::ListaDerechaVacia;
    return EstadoComparacion::Terminada;
}

namespace {

// Texts agree without regard to case exactly when their case-folded forms are equal.
QString ClaveTextos(const WorkbenchRow& fila, const std::vector<int>& cajas)
{
    QString clave;
    for (int caja : cajas) {
        const QString& texto = TextoCaja(fila, caja);
        clave += QString::number(texto.size()) + u':' + texto.toCaseFolded();
    }
    return clave;
}

qint64 Saturado(__int128 valor)
{
    constexpr qint64 kMax = std::numeric_limits<qint64>::max();
    constexpr qint64 kMin = std::numeric_limits<qint64>::min();
    return valor > kMax ? kMax : valor < kMin ? kMin : qint64(valor);
}

// One way of finding right rows that a left row reaches: the right rows' keys and the left rows' queries.
struct Via {
    Internador textos;
    std::vector<ClaveDerecha> claves;   // per right row
    std::vector<int> cajas;             // the text boxes of the key
};

// The matcher's state over one run: the index of full matches, and the indexes that find the rows a left
// row agrees with in part (the amount's candidates when the amount is chosen, else one per text box).
class Emparejador {
public:
    Emparejador(WorkbenchRows& derecha, const std::array<bool, kCantidadCajas>& cajas, ado::Currency tolerancia)
        : m_derecha(derecha), m_importe(cajas[cajaImporte]), m_tolerancia(tolerancia)
    {
        std::vector<int> textos;
        for (int caja : {cajaFecha, cajaVencimiento, cajaTC, cajaComprobante, cajaConcepto})
            if (cajas[caja])
                textos.push_back(caja);
        m_completa.cajas = textos;
        if (m_importe) {
            m_parciales.emplace_back();   // by amount alone
        } else {
            for (int caja : textos) {
                m_parciales.emplace_back();
                m_parciales.back().cajas = {caja};
            }
        }
        std::vector<bool> libres(derecha.size());
        for (qsizetype j = 0; j < qsizetype(derecha.size()); ++j)
            libres[j] = !derecha[j].Checked;
        m_indiceCompleto.emplace(Claves(m_completa), libres, false);
        for (Via& via : m_parciales)
            m_indicesParciales.emplace_back(Claves(via), libres, true);
    }

    // Serves one unmarked left row; its partner's position, kNinguna when it found none.
    qsizetype Servir(WorkbenchRow& izq)
    {
        const auto [desde, hasta] = RangoMontos(izq);
        const qsizetype pareja = Primera(*m_indiceCompleto, m_completa, izq, desde, hasta);
        bool parcial = false;
        for (std::size_t k = 0; k < m_parciales.size(); ++k) {
            const qint32 cubeta = m_parciales[k].textos.Buscar(ClaveTextos(izq, m_parciales[k].cajas));
            if (cubeta < 0)
                continue;
            IndiceDerecho& indice = m_indicesParciales[k];
            const IndiceDerecho::Rango rango = indice.Buscar(cubeta, desde, hasta);
            if (indice.PrimeraLibre(rango) >= pareja)
                continue;
            parcial = true;
            indice.TomarVivas(rango, pareja, [&](qsizetype fila) {
                m_derecha[fila].ForeColor = kColorRojo;
                for (IndiceDerecho& otro : m_indicesParciales)
                    otro.QuitarViva(fila);
            });
        }
        if (parcial)
            izq.ForeColor = kColorRojo;
        if (pareja == kNinguna)
            return kNinguna;
        izq.Checked = m_derecha[pareja].Checked = true;
        izq.ForeColor = m_derecha[pareja].ForeColor = kColorNegro;
        m_indiceCompleto->QuitarLibre(pareja);
        for (IndiceDerecho& indice : m_indicesParciales) {
            indice.QuitarLibre(pareja);
            indice.QuitarViva(pareja);
        }
        return pareja;
    }

private:
    std::vector<ClaveDerecha> Claves(Via& via) const
    {
        std::vector<ClaveDerecha> claves(m_derecha.size());
        for (qsizetype j = 0; j < qsizetype(m_derecha.size()); ++j)
            claves[j] = {via.textos.Agregar(ClaveTextos(m_derecha[j], via.cajas)),
                         m_importe ? m_derecha[j].ImporteMostrado().scaled() : 0};
        return claves;
    }

    // Amounts a left row agrees with: within the tolerance, or only its own amount when the tolerance is
    // negative; every amount (all keys hold 0) when amounts take no part.
    std::pair<qint64, qint64> RangoMontos(const WorkbenchRow& izq) const
    {
        if (!m_importe)
            return {0, 0};
        const qint64 a = izq.ImporteMostrado().scaled();
        const qint64 t = m_tolerancia.scaled();
        if (t < 0)
            return {a, a};
        return {Saturado(__int128(a) - t), Saturado(__int128(a) + t)};
    }

    static qsizetype Primera(const IndiceDerecho& indice, const Via& via, const WorkbenchRow& izq, qint64 desde,
                             qint64 hasta)
    {
        const qint32 cubeta = via.textos.Buscar(ClaveTextos(izq, via.cajas));
        return cubeta < 0 ? kNinguna : indice.PrimeraLibre(indice.Buscar(cubeta, desde, hasta));
    }

    WorkbenchRows& m_derecha;
    bool m_importe;
    ado::Currency m_tolerancia;
    Via m_completa;
    std::vector<Via> m_parciales;
    std::optional<IndiceDerecho> m_indiceCompleto;
    std::vector<IndiceDerecho> m_indicesParciales;
};

} // namespace

ResultadoComparacion Comparar(WorkbenchRows& izquierda, WorkbenchRows& derecha,
                              const OpcionesComparacion& opciones, const AvanceComparacion& avance)
{
    ResultadoComparacion resultado;
    resultado.estado = ComprobarListas(izquierda, derecha);
    if (resultado.estado != EstadoComparacion::Terminada)
        return resultado;
    const std::array<bool, kCantidadCajas> cajas = CajasElegidas(opciones, resultado.todasLasCajas);
    Emparejador emparejador(derecha, cajas, opciones.tolerancia);

    suite::PresupuestoTiempo presupuesto;
    const qsizetype total = qsizetype(izquierda.size());
    const qsizetype derechas = qsizetype(derecha.size());
    int individual = 0;
    for (qsizetype i = 0; i < total; ++i) {
        if (avance && presupuesto.Vencido() && avance(i, total, individual)) {
            resultado.cancelada = true;
            break;
        }
        if (izquierda[i].Checked)
            continue;
        const qsizetype pareja = emparejador.Servir(izquierda[i]);
        if (pareja != kNinguna)
            ++resultado.pares;
        individual = pareja == kNinguna ? 100 : int((pareja + 1) * 100 / derechas);
    }
    return resultado;
}

} // namespace conciliacion
