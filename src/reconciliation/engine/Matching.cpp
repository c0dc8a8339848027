#include "Matching.h"

#include "IndiceDerecho.h"
#include "MatchingThreads.h"
#include "platform/suite/base/PresupuestoTiempo.h"

#include <algorithm>
#include <limits>
#include <numeric>
#include <optional>

namespace conciliacion {

using detalle::ClaveDerecha;
using detalle::EnHilos;
using detalle::IndiceDerecho;
using detalle::kNinguna;
using detalle::PorTramos;
using detalle::Tramo;
using detalle::CantidadDeTramos;

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

    // The right rows' texts of the via's boxes, each preceded by its length in two units, one row after another:
    // a bucket is checked against a left row here, in one read, instead of through the right row and its texts.
    // Offsets are kept in 32 bits: the texts of a list stay far below four thousand million units.
    std::vector<char16_t> textos;

    // How many units the row's texts take when stored.
    size_t Largo(const WorkbenchRow& fila) const
    {
        size_t largo = 0;
        for (int caja : cajas)
            largo += 2 + size_t(TextoCaja(fila, caja).size());
        return largo;
    }
    // Stores the row's texts at `destino`, which has room for Largo(fila) units.
    void Guardar(const WorkbenchRow& fila, char16_t* destino) const
    {
        for (int caja : cajas) {
            const QString& texto = TextoCaja(fila, caja);
            const auto largo = quint32(texto.size());
            *destino++ = char16_t(largo & 0xFFFFu);
            *destino++ = char16_t(largo >> 16);
            destino = std::copy(texto.utf16(), texto.utf16() + texto.size(), destino);
        }
    }
    // The stored texts at `en`, box by box, and what follows them.
    QStringView Texto(quint32& en) const
    {
        const qsizetype largo = qsizetype(textos[en]) | qsizetype(textos[en + 1]) << 16;
        const QStringView texto(textos.data() + en + 2, largo);
        en += quint32(2 + largo);
        return texto;
    }
    const void* Direccion(quint32 en) const { return textos.data() + en; }
    bool Iguales(const WorkbenchRow& izq, quint32 en) const
    {
        for (int caja : cajas)
            if (Texto(en).compare(TextoCaja(izq, caja), Qt::CaseInsensitive) != 0)
                return false;
        return true;
    }
    bool Iguales(quint32 a, quint32 b) const
    {
        for (size_t k = 0; k < cajas.size(); ++k)
            if (Texto(a).compare(Texto(b), Qt::CaseInsensitive) != 0)
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
    Emparejador(WorkbenchRows& derecha, const std::array<bool, kCantidadCajas>& cajas, ado::Currency tolerancia)
        : m_derecha(derecha), m_importe(cajas[cajaImporte]), m_tolerancia(tolerancia)
    {
        std::vector<int> cajasDeTexto;
        for (int caja : {cajaFecha, cajaVencimiento, cajaTC, cajaComprobante, cajaConcepto})
            if (cajas[caja])
                cajasDeTexto.push_back(caja);
        m_completa.cajas = cajasDeTexto;
        if (m_importe) {
            m_parciales.emplace_back();   // by amount alone
        } else {
            for (int caja : cajasDeTexto) {
                m_parciales.emplace_back();
                m_parciales.back().cajas = {caja};
            }
        }
        // One pass over the right rows for every key, in stretches, which are then sorted into each via's index,
        // the indexes side by side. The texts are stored in list order: a first pass tells where each stretch's
        // begin, so that each stretch writes its own in place.
        const qsizetype n = qsizetype(derecha.size());
        std::vector<quint8> libres(static_cast<size_t>(n));
        std::vector<qint64> montos(m_importe ? size_t(n) : 0);
        std::vector<std::vector<quint64>> cubetas(Vias());
        std::vector<std::vector<quint32>> guardados(Vias());
        m_estado.resize(size_t(n));
        for (size_t v = 0; v < Vias(); ++v) {
            if (!Via_(v).cajas.empty()) {
                cubetas[v].resize(size_t(n));
                guardados[v].resize(size_t(n));
            }
        }
        const qsizetype tramos = CantidadDeTramos(n);
        std::vector<std::vector<size_t>> inicios(Vias(), std::vector<size_t>(size_t(tramos) + 1));
        PorTramos(n, [&](qsizetype tramo, qsizetype desde, qsizetype hasta) {
            for (qsizetype j = desde; j < hasta; ++j) {
                const WorkbenchRow& fila = derecha[size_t(j)];
                m_estado[size_t(j)] = fila.ForeColor == kColorRojo ? kRoja : 0;
                libres[size_t(j)] = !fila.Checked;
                for (size_t v = 0; v < Vias() && libres[size_t(j)]; ++v)
                    inicios[v][size_t(tramo) + 1] += Via_(v).Largo(fila);
            }
        });
        for (size_t v = 0; v < Vias(); ++v) {
            std::partial_sum(inicios[v].begin(), inicios[v].end(), inicios[v].begin());
            Via_(v).textos.resize(inicios[v].back());
        }
        PorTramos(n, [&](qsizetype tramo, qsizetype desde, qsizetype hasta) {
            std::vector<size_t> en(Vias());
            for (size_t v = 0; v < Vias(); ++v)
                en[v] = inicios[v][size_t(tramo)];
            for (qsizetype j = desde; j < hasta; ++j) {
                if (!libres[size_t(j)])
                    continue;
                const WorkbenchRow& fila = derecha[size_t(j)];
                if (m_importe)
                    montos[size_t(j)] = fila.ImporteMostrado().scaled();
                for (size_t v = 0; v < Vias(); ++v) {
                    if (cubetas[v].empty())
                        continue;
                    Via& via = Via_(v);
                    cubetas[v][size_t(j)] = via.Cubeta(fila);
                    guardados[v][size_t(j)] = quint32(en[v]);
                    via.Guardar(fila, via.textos.data() + en[v]);
                    en[v] += via.Largo(fila);
                }
            }
        });
        EnHilos(qsizetype(Vias()), tramos > 1, [&](qsizetype v) {
            Indexar(Via_(size_t(v)), libres, montos, cubetas[size_t(v)], guardados[size_t(v)], v > 0);
        });
    }

    // Where every unmarked left row's searches end, per via, found before the run in passes over the left list:
    // they depend only on the left row and the right rows' keys, which a run does not change, and passes of
    // independent steps let the reads of the long arrays overlap. A left row whose texts are not its bucket's
    // (another text that shares the hash) gets an empty range: the rows of a bucket agree in their texts, so it
    // agrees with none of them.
    void Ubicar(const WorkbenchRows& izquierda)
    {
        const qsizetype n = qsizetype(izquierda.size());
        m_rangos.assign(Vias(), std::vector<RangoCorto>(size_t(n)));
        PorTramos(n, [&](qsizetype, qsizetype desde, qsizetype hasta) { Ubicar(izquierda, desde, hasta); });
    }

    // Left rows [desde, hasta): the reads are shared, each stretch writes only its own ranges. The queries are
    // sorted and answered a batch at a time, so that they take little room beside the lists.
    void Ubicar(const WorkbenchRows& izquierda, qsizetype desde, qsizetype hasta)
    {
        constexpr qsizetype kLote = 1 << 16;
        const auto fila = [&](qsizetype i) -> const WorkbenchRow& { return izquierda[size_t(i)]; };
        std::vector<IndiceDerecho::Consulta> consultas;
        std::vector<quint32> textos;   // by left row of the batch: where its bucket's texts are stored
        for (qsizetype lote = desde; lote < hasta; lote += kLote) {
            const qsizetype fin = std::min(hasta, lote + kLote);
            for (size_t v = 0; v < Vias(); ++v) {
                const Via& via = Via_(v);
                RangoCorto* rangos = m_rangos[v].data();
                consultas.clear();
                for (qsizetype i = lote; i < fin; ++i) {
                    if (fila(i).Checked)
                        continue;
                    const auto [menor, mayor] = RangoMontos(fila(i));
                    consultas.push_back({Cubeta(via, fila(i)), menor, mayor, qint32(i)});
                }
                textos.assign(size_t(fin - lote), 0);
                via.indice->BuscarTodas(consultas, [&](qint32 i, IndiceDerecho::Rango r) {
                    rangos[i] = {qint32(r.desde), qint32(r.hasta)};
                    if (!r.Vacio())
                        textos[size_t(i - lote)] = via.indice->DatoEn(r.desde);
                });
                if (via.cajas.empty())
                    continue;
                for (qsizetype i = lote; i < fin; ++i) {
                    if (i + kAdelantoPasada < fin)
                        __builtin_prefetch(via.Direccion(textos[size_t(i + kAdelantoPasada - lote)]));
                    if (rangos[i].desde < rangos[i].hasta && !via.Iguales(fila(i), textos[size_t(i - lote)]))
                        rangos[i] = {};
                }
            }
        }
    }

    // Looking ahead in the run: the slots that serving left row i will read in the trees (Anticipar), and some
    // rows later the likely partner's slot in every index (AnticiparPareja), asked for before they are needed.
    static constexpr qsizetype kAdelanto = 8;
    static constexpr qsizetype kAdelantoPasada = 32;

    void Anticipar(qsizetype i) const
    {
        for (size_t v = 0; v < Vias(); ++v) {
            const IndiceDerecho::Rango r = Rango(v, i);
            Via_(v).indice->Anticipar(r);
            if (v == 0 && !r.Vacio())
                __builtin_prefetch(m_completa.indice->EntradaEn(r.desde));
        }
    }

    void AnticiparPareja(qsizetype i) const
    {
        const IndiceDerecho::Rango r = Rango(0, i);
        if (r.Vacio())
            return;
        const qsizetype fila = m_completa.indice->FilaEn(r.desde);
        __builtin_prefetch(&m_derecha[size_t(fila)]);
        for (size_t v = 0; v < Vias(); ++v)
            Via_(v).indice->AnticiparFila(fila);
    }

    // Serves unmarked left row i; its partner's position, kNinguna when it found none.
    qsizetype Servir(qsizetype i, WorkbenchRow& izq)
    {
        const qsizetype pareja = PrimeraLibre(0, i);
        bool parcial = false;
        for (size_t v = 1; v < Vias(); ++v) {
            if (PrimeraLibre(v, i) >= pareja)
                continue;
            parcial = true;
            Via_(v).indice->TomarVivas(Rango(v, i), pareja, [&](qsizetype fila) {
                if (!(m_estado[size_t(fila)] & kRoja))
                    m_estado[size_t(fila)] = kRoja | kPintada | kCambiada;
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
        m_estado[size_t(pareja)] |= kCambiada;
        m_completa.indice->QuitarLibre(pareja);
        for (Via& via : m_parciales) {
            via.indice->QuitarLibre(pareja);
            via.indice->QuitarViva(pareja);
        }
        return pareja;
    }

    // The right rows painted red in the run get their colour now, in list order, unless a later left row paired
    // them (then they are black already); the positions of the right rows the run changed, ascending.
    std::vector<qsizetype> Pintar()
    {
        std::vector<qsizetype> cambiadas;
        for (size_t j = 0; j < m_estado.size(); ++j) {
            if (!(m_estado[j] & kCambiada))
                continue;
            if ((m_estado[j] & kPintada) && !m_derecha[j].Checked)
                m_derecha[j].ForeColor = kColorRojo;
            cambiadas.push_back(qsizetype(j));
        }
        return cambiadas;
    }

private:
    // A right row's red: not red, red before the run, or painted in it (written by Pintar).
    // A right row's state in the run: red (before the run or painted in it), painted in the run (written by
    // Pintar), changed in mark or colour.
    enum : quint8 { kRoja = 1, kPintada = 2, kCambiada = 4 };
    struct RangoCorto {
        qint32 desde = 0;
        qint32 hasta = 0;
    };

    size_t Vias() const { return 1 + m_parciales.size(); }
    Via& Via_(size_t v) { return v == 0 ? m_completa : m_parciales[v - 1]; }
    const Via& Via_(size_t v) const { return v == 0 ? m_completa : m_parciales[v - 1]; }
    static quint64 Cubeta(const Via& via, const WorkbenchRow& izq) { return via.cajas.empty() ? 0 : via.Cubeta(izq); }
    IndiceDerecho::Rango Rango(size_t v, qsizetype i) const
    {
        const RangoCorto r = m_rangos[v][size_t(i)];
        return {r.desde, r.hasta};
    }
    // The first free row of left row i's range in via v, kNinguna when there is none.
    qsizetype PrimeraLibre(size_t v, qsizetype i) const
    {
        const IndiceDerecho::Rango r = Rango(v, i);
        return r.Vacio() ? kNinguna : Via_(v).indice->PrimeraLibre(r);
    }

    // The via's index over the right rows. Rows of one bucket must agree in their texts: when two that differ
    // share a hash, the index is made again with another seed.
    void Indexar(Via& via, const std::vector<quint8>& libres, const std::vector<qint64>& montos,
                 std::vector<quint64>& cubetas, const std::vector<quint32>& textos, bool conVivas)
    {
        for (quint64 intento = 0;; ++intento) {
            via.indice.emplace(qsizetype(m_derecha.size()), libres, conVivas, [&](qsizetype j) {
                return ClaveDerecha{cubetas.empty() ? 0 : cubetas[size_t(j)], montos.empty() ? 0 : montos[size_t(j)],
                                    textos.empty() ? 0 : textos[size_t(j)]};
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
                && !via.Iguales(indice.DatoEn(lugar), indice.DatoEn(lugar - 1)))
                return false;
        return true;
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
    std::vector<quint8> m_estado;                     // by right row
    std::vector<std::vector<RangoCorto>> m_rangos;    // by via, then left row
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
    Emparejador emparejador(derecha, cajas, opciones.tolerancia);

    suite::PresupuestoTiempo presupuesto;
    const qsizetype total = qsizetype(izquierda.size());
    const qsizetype derechas = qsizetype(derecha.size());
    emparejador.Ubicar(izquierda);
    int individual = 0;
    for (qsizetype i = 0; i < total; ++i) {
        if (avance && presupuesto.Vencido() && avance(i, total, individual)) {
            resultado.cancelada = true;
            break;
        }
        const qsizetype lejos = i + 2 * Emparejador::kAdelanto;
        if (lejos < total && !izquierda[lejos].Checked)
            emparejador.Anticipar(lejos);
        const qsizetype cerca = i + Emparejador::kAdelanto;
        if (cerca < total && !izquierda[cerca].Checked)
            emparejador.AnticiparPareja(cerca);
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
    std::vector<qsizetype> pintadas = emparejador.Pintar();
    if (cambiadas)
        cambiadas->derecha = std::move(pintadas);
    return resultado;
}

} // namespace conciliacion
