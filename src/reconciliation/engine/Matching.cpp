#include "Matching.h"

#include "MatchingIndex.h"
#include "platform/suite/base/PresupuestoTiempo.h"

#include <algorithm>
#include <limits>
#include <optional>

namespace conciliacion {

using detalle::ClaveDerecha;
using detalle::IndiceDerecho;
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

constexpr quint64 kPrimo = 0x100000001b3ULL;

quint64 HashUnidades(QStringView texto, quint64 h)
{
    for (QChar c : texto)
        h = (h ^ c.unicode()) * kPrimo;
    return h;
}

// Folds into a hash seeded with `h`: the text's code units once case-folded. ASCII is folded here; any other
// text is folded by Qt, so that texts equal without regard to case hash alike.
quint64 HashTexto(const QString& texto, quint64 h)
{
    const quint64 inicial = h;
    for (QChar c : texto) {
        if (c.unicode() >= 0x80)
            return HashUnidades(texto.toCaseFolded(), inicial);
        const char16_t u = c.unicode() >= u'A' && c.unicode() <= u'Z' ? char16_t(c.unicode() + 32) : c.unicode();
        h = (h ^ u) * kPrimo;
    }
    return h;
}

// One way of finding right rows that a left row reaches: the text boxes of its key and its index.
struct Via {
    static quint64 Semilla(quint64 intento) { return 0xcbf29ce484222325ULL + intento * 0x9e3779b97f4a7c15ULL; }

    std::vector<int> cajas;
    quint64 semilla = Semilla(0);
    std::optional<IndiceDerecho> indice;

    quint64 Cubeta(const WorkbenchRow& fila) const
    {
        quint64 h = semilla;
        for (int caja : cajas) {
            h = HashTexto(TextoCaja(fila, caja), h);
            h = (h ^ 0xFFFFu) * kPrimo;   // ends the box: "ab"+"c" and "a"+"bc" differ
        }
        // A final mix, so that close hashes spread over the whole range.
        h ^= h >> 33;
        h *= 0xff51afd7ed558ccdULL;
        h ^= h >> 33;
        return h;
    }
    bool Iguales(const WorkbenchRow& a, const WorkbenchRow& b) const
    {
        for (int caja : cajas)
            if (TextoCaja(a, caja).compare(TextoCaja(b, caja), Qt::CaseInsensitive) != 0)
                return false;
        return true;
    }
};

qint64 Saturado(__int128 valor)
{
    constexpr qint64 kMax = std::numeric_limits<qint64>::max();
    constexpr qint64 kMin = std::numeric_limits<qint64>::min();
    return valor > kMax ? kMax : valor < kMin ? kMin : qint64(valor);
}

// The matcher's state over one run: the index of full matches, and the indexes that find the rows a left
// row agrees with in part (the amount's candidates when the amount is chosen, else one per text box).
class Emparejador {
public:
    Emparejador(WorkbenchRows& derecha, const std::array<bool, kCantidadCajas>& cajas, ado::Currency tolerancia,
                std::vector<qsizetype>* cambiadas)
        : m_derecha(derecha), m_importe(cajas[cajaImporte]), m_tolerancia(tolerancia), m_cambiadas(cambiadas)
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
        // One pass over the right rows for every key, which are then sorted into each via's index.
        const qsizetype n = qsizetype(derecha.size());
        std::vector<bool> libres(static_cast<size_t>(n));
        std::vector<qint64> montos(m_importe ? size_t(n) : 0);
        std::vector<std::vector<quint64>> cubetas(Vias());
        for (size_t v = 0; v < Vias(); ++v)
            if (!Via_(v).cajas.empty())
                cubetas[v].resize(size_t(n));
        for (qsizetype j = 0; j < n; ++j) {
            const WorkbenchRow& fila = derecha[size_t(j)];
            libres[size_t(j)] = !fila.Checked;
            if (!libres[size_t(j)])
                continue;
            if (m_importe)
                montos[size_t(j)] = fila.ImporteMostrado().scaled();
            for (size_t v = 0; v < Vias(); ++v)
                if (!cubetas[v].empty())
                    cubetas[v][size_t(j)] = Via_(v).Cubeta(fila);
        }
        for (size_t v = 0; v < Vias(); ++v)
            Indexar(Via_(v), libres, montos, cubetas[v], v > 0);
    }

    // Looking ahead. A left row's searches read a few lines of the long arrays that are not in the cache: the
    // rows some places ahead of the one served have their lines asked for (Anticipar) and then their ranges
    // found (Preparar), so that those reads overlap instead of waiting one after the other. The ranges depend
    // only on the left row and the right rows' keys, which a run does not change.
    static constexpr qsizetype kAdelanto = 8;

    void Anticipar(qsizetype i, const WorkbenchRow& izq)
    {
        Pendiente& p = m_pendientes[size_t(i % qsizetype(m_pendientes.size()))];
        p.fila = i;
        p.listo = false;
        const qint64 desde = RangoMontos(izq).first;
        for (size_t v = 0; v < Vias(); ++v) {
            p.cubetas[v] = Cubeta(Via_(v), izq);
            Via_(v).indice->Anticipar(p.cubetas[v], desde);
        }
    }

    void Preparar(qsizetype i, const WorkbenchRow& izq)
    {
        Pendiente& p = m_pendientes[size_t(i % qsizetype(m_pendientes.size()))];
        if (p.fila != i)
            return;
        const auto [desde, hasta] = RangoMontos(izq);
        for (size_t v = 0; v < Vias(); ++v) {
            p.rangos[v] = Via_(v).indice->Buscar(p.cubetas[v], desde, hasta);
            Via_(v).indice->Anticipar(p.rangos[v]);
        }
        // The likely partner: its row is read to check the texts and its slots are freed in every index.
        if (!p.rangos[0].Vacio()) {
            const qsizetype fila = m_completa.indice->FilaEn(p.rangos[0].desde);
            __builtin_prefetch(&m_derecha[size_t(fila)]);
            for (size_t v = 0; v < Vias(); ++v)
                Via_(v).indice->AnticiparFila(fila);
        }
        p.listo = true;
    }

    // Serves unmarked left row i; its partner's position, kNinguna when it found none.
    qsizetype Servir(qsizetype i, WorkbenchRow& izq)
    {
        const auto [desde, hasta] = RangoMontos(izq);
        const Pendiente& p = m_pendientes[size_t(i % qsizetype(m_pendientes.size()))];
        const bool listo = p.fila == i && p.listo;
        const auto rangoDe = [&](size_t v) {
            return listo ? p.rangos[v] : Via_(v).indice->Buscar(Cubeta(Via_(v), izq), desde, hasta);
        };
        const qsizetype pareja = PrimeraLibre(m_completa, izq, rangoDe(0));
        bool parcial = false;
        for (size_t v = 1; v < Vias(); ++v) {
            Via& via = Via_(v);
            const IndiceDerecho::Rango rango = rangoDe(v);
            IndiceDerecho& indice = *via.indice;
            if (PrimeraLibre(via, izq, rango) >= pareja)
                continue;
            parcial = true;
            indice.TomarVivas(rango, pareja, [&](qsizetype fila) {
                if (m_derecha[fila].ForeColor != kColorRojo) {
                    m_derecha[fila].ForeColor = kColorRojo;
                    Anotar(fila);
                }
                for (Via& otra : m_parciales)
                    otra.indice->QuitarViva(fila);
            });
        }
        if (parcial)
            izq.ForeColor = kColorRojo;
        if (pareja == kNinguna)
            return kNinguna;
        izq.Checked = m_derecha[pareja].Checked = true;
        izq.ForeColor = m_derecha[pareja].ForeColor = kColorNegro;
        Anotar(pareja);
        m_completa.indice->QuitarLibre(pareja);
        for (Via& via : m_parciales) {
            via.indice->QuitarLibre(pareja);
            via.indice->QuitarViva(pareja);
        }
        return pareja;
    }

private:
    // What looking ahead found for a left row: per via (the full one first), its bucket and its range.
    struct Pendiente {
        qsizetype fila = -1;
        bool listo = false;
        std::array<quint64, 1 + kCantidadCajas> cubetas{};
        std::array<IndiceDerecho::Rango, 1 + kCantidadCajas> rangos{};
    };

    size_t Vias() const { return 1 + m_parciales.size(); }
    Via& Via_(size_t v) { return v == 0 ? m_completa : m_parciales[v - 1]; }
    static quint64 Cubeta(const Via& via, const WorkbenchRow& izq) { return via.cajas.empty() ? 0 : via.Cubeta(izq); }

    void Anotar(qsizetype fila)
    {
        if (m_cambiadas)
            m_cambiadas->push_back(fila);
    }

    // The via's index over the right rows. Rows of one bucket must agree in their texts: when two that differ
    // share a hash, the index is made again with another seed.
    void Indexar(Via& via, const std::vector<bool>& libres, const std::vector<qint64>& montos,
                 std::vector<quint64>& cubetas, bool conVivas)
    {
        for (quint64 intento = 0;; ++intento) {
            via.indice.emplace(qsizetype(m_derecha.size()), libres, conVivas, [&](qsizetype j) {
                return ClaveDerecha{cubetas.empty() ? 0 : cubetas[size_t(j)], montos.empty() ? 0 : montos[size_t(j)]};
            });
            if (via.cajas.empty() || SinChoques(via))
                return;
            via.semilla = Via::Semilla(intento + 1);
            for (qsizetype j = 0; j < qsizetype(m_derecha.size()); ++j)
                if (libres[size_t(j)])
                    cubetas[size_t(j)] = via.Cubeta(m_derecha[size_t(j)]);
        }
    }

    bool SinChoques(const Via& via) const
    {
        const IndiceDerecho& indice = *via.indice;
        for (qsizetype lugar = 1; lugar < indice.Lugares(); ++lugar)
            if (indice.CubetaEn(lugar) == indice.CubetaEn(lugar - 1)
                && !via.Iguales(m_derecha[indice.FilaEn(lugar)], m_derecha[indice.FilaEn(lugar - 1)]))
                return false;
        return true;
    }

    // The first free row of the range, kNinguna when there is none or when the bucket's texts are not the left
    // row's (another text that shares the hash). The rows of a bucket agree in their texts, so the row found
    // stands for all; it is the row the caller goes on to read anyway.
    qsizetype PrimeraLibre(const Via& via, const WorkbenchRow& izq, IndiceDerecho::Rango rango) const
    {
        if (rango.Vacio())
            return kNinguna;
        const qsizetype fila = via.indice->PrimeraLibre(rango);
        if (fila == kNinguna || via.cajas.empty() || via.Iguales(izq, m_derecha[fila]))
            return fila;
        return kNinguna;
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

    WorkbenchRows& m_derecha;
    bool m_importe;
    ado::Currency m_tolerancia;
    Via m_completa;
    std::vector<Via> m_parciales;
    std::vector<qsizetype>* m_cambiadas;
    std::array<Pendiente, 2 * kAdelanto + 1> m_pendientes;   // by row, modulo: the served row's stays
};

} // namespace

ResultadoComparacion Comparar(WorkbenchRows& izquierda, WorkbenchRows& derecha,
                              const OpcionesComparacion& opciones, const AvanceComparacion& avance,
                              FilasComparadas* cambiadas)
{
    ResultadoComparacion resultado;
    resultado.estado = ComprobarListas(izquierda, derecha);
    if (resultado.estado != EstadoComparacion::Terminada)
        return resultado;
    const std::array<bool, kCantidadCajas> cajas = CajasElegidas(opciones, resultado.todasLasCajas);
    Emparejador emparejador(derecha, cajas, opciones.tolerancia, cambiadas ? &cambiadas->derecha : nullptr);

    suite::PresupuestoTiempo presupuesto;
    const qsizetype total = qsizetype(izquierda.size());
    const qsizetype derechas = qsizetype(derecha.size());
    int individual = 0;
    for (qsizetype i = 0; i < total; ++i) {
        if (avance && presupuesto.Vencido() && avance(i, total, individual)) {
            resultado.cancelada = true;
            break;
        }
        const qsizetype lejos = i + 2 * Emparejador::kAdelanto;
        if (lejos < total && !izquierda[lejos].Checked)
            emparejador.Anticipar(lejos, izquierda[lejos]);
        const qsizetype cerca = i + Emparejador::kAdelanto;
        if (cerca < total)
            emparejador.Preparar(cerca, izquierda[cerca]);
        WorkbenchRow& izq = izquierda[i];
        if (izq.Checked)
            continue;
        const qint32 color = izq.ForeColor;
        const qsizetype pareja = emparejador.Servir(i, izq);
        if (cambiadas && (izq.Checked || izq.ForeColor != color))
            cambiadas->izquierda.push_back(i);
        if (pareja != kNinguna)
            ++resultado.pares;
        individual = pareja == kNinguna ? 100 : int((pareja + 1) * 100 / derechas);
    }
    if (cambiadas) {
        // A right row painted red and then paired is told once.
        std::vector<qsizetype>& d = cambiadas->derecha;
        std::sort(d.begin(), d.end());
        d.erase(std::unique(d.begin(), d.end()), d.end());
    }
    return resultado;
}

} // namespace conciliacion
