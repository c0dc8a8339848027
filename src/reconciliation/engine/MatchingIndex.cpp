#include "MatchingIndex.h"

#include <algorithm>

namespace conciliacion::detalle {

void ArbolMinimo::Completar()
{
    for (qsizetype i = m_n - 1; i > 0; --i)
        m_arbol[size_t(i)] = std::min(m_arbol[size_t(2 * i)], m_arbol[size_t(2 * i + 1)]);
}

void ArbolMinimo::Quitar(qsizetype lugar)
{
    qsizetype i = lugar + m_n;
    if (m_arbol[size_t(i)] == kVacio)
        return;
    m_arbol[size_t(i)] = kVacio;
    // Up only while the minimum changes: above that the node's value no longer depends on this slot.
    for (i /= 2; i > 0; i /= 2) {
        const qint32 minimo = std::min(m_arbol[size_t(2 * i)], m_arbol[size_t(2 * i + 1)]);
        if (m_arbol[size_t(i)] == minimo)
            break;
        m_arbol[size_t(i)] = minimo;
    }
}

qsizetype ArbolMinimo::Minimo(qsizetype desde, qsizetype hasta) const
{
    qint32 minimo = kVacio;
    for (qsizetype a = desde + m_n, b = hasta + m_n; a < b; a /= 2, b /= 2) {
        if (a & 1)
            minimo = std::min(minimo, m_arbol[size_t(a++)]);
        if (b & 1)
            minimo = std::min(minimo, m_arbol[size_t(--b)]);
    }
    return minimo == kVacio ? kNinguna : qsizetype(minimo);
}

IndiceDerecho::IndiceDerecho(qsizetype filas, const std::vector<quint8>& incluir, bool conVivas,
                             const std::function<ClaveDerecha(qsizetype)>& clave)
    : m_lugar(size_t(filas), -1)
{
    m_entradas.reserve(size_t(std::count_if(incluir.begin(), incluir.end(), [](quint8 i) { return i != 0; })));
    for (qsizetype j = 0; j < filas; ++j) {
        if (incluir[size_t(j)]) {
            const ClaveDerecha c = clave(j);
            m_entradas.push_back({c.cubeta, c.monto, qint32(j), c.dato});
        }
    }
    // Rows with equal keys stay in list order.
    std::sort(m_entradas.begin(), m_entradas.end(), [](const Entrada& a, const Entrada& b) {
        if (a.cubeta != b.cubeta)
            return a.cubeta < b.cubeta;
        return a.monto != b.monto ? a.monto < b.monto : a.fila < b.fila;
    });
    const bool unaCubeta = !m_entradas.empty() && m_entradas.front().cubeta == m_entradas.back().cubeta;
    for (qsizetype lugar = 0; lugar < Lugares(); ++lugar) {
        const Entrada& e = m_entradas[size_t(lugar)];
        m_lugar[size_t(e.fila)] = qint32(lugar);
        if (lugar % kPaso != 0)
            continue;
        if (unaCubeta)
            m_muestraMonto.push_back(e.monto);
        else
            m_muestraCubeta.push_back(e.cubeta);
    }
    const auto fila = [this](qsizetype lugar) { return m_entradas[size_t(lugar)].fila; };
    m_libres = ArbolMinimo(Lugares(), fila);
    if (conVivas)
        m_vivas.emplace(Lugares(), fila);
}

namespace {

// The first slot in [desde, hasta) at which `antes` no longer holds, searched from `desde` outwards: a short run
// costs a few steps whatever the length of the list.
template <typename Antes>
qsizetype Galopar(qsizetype desde, qsizetype hasta, Antes&& antes)
{
    qsizetype fin = desde;
    for (qsizetype paso = 1; fin < hasta && antes(fin); paso *= 2)
        fin = std::min(fin + paso, hasta);
    // The answer lies in [desde, fin]: fin is the end or already past the run.
    qsizetype a = desde, b = fin;
    while (a < b) {
        const qsizetype m = a + (b - a) / 2;
        if (antes(m))
            a = m + 1;
        else
            b = m;
    }
    return a;
}

} // namespace

template <typename T, typename Campo>
qsizetype IndiceDerecho::Inferior(const std::vector<T>& muestra, T x, Campo&& campo) const
{
    // The sample's first key not below x is at most kPaso slots past the answer.
    const qsizetype k = std::lower_bound(muestra.begin(), muestra.end(), x) - muestra.begin();
    const qsizetype hasta = std::min(k * kPaso, Lugares());
    return Galopar(std::max<qsizetype>(0, hasta - kPaso), hasta, [&](qsizetype l) { return campo(l) < x; });
}

IndiceDerecho::Rango IndiceDerecho::Buscar(quint64 cubeta, qint64 desde, qint64 hasta) const
{
    // The bucket's slots, then its amounts within [desde, hasta].
    const auto cubetaEn = [this](qsizetype l) { return m_entradas[size_t(l)].cubeta; };
    const auto montoEn = [this](qsizetype l) { return m_entradas[size_t(l)].monto; };
    if (!m_muestraMonto.empty()) {
        // One bucket: the amounts are sorted over all slots.
        if (cubeta != m_entradas.front().cubeta)
            return {};
        const qsizetype d = Inferior(m_muestraMonto, desde, montoEn);
        return {d, Galopar(d, Lugares(), [&](qsizetype l) { return montoEn(l) <= hasta; })};
    }
    const qsizetype a = Inferior(m_muestraCubeta, cubeta, cubetaEn);
    const qsizetype b = Galopar(a, Lugares(), [&](qsizetype l) { return cubetaEn(l) == cubeta; });
    const qsizetype d = Galopar(a, b, [&](qsizetype l) { return montoEn(l) < desde; });
    const qsizetype h = Galopar(d, b, [&](qsizetype l) { return montoEn(l) <= hasta; });
    return {d, h};
}

void IndiceDerecho::Anticipar(quint64 cubeta, qint64 desde) const
{
    const std::vector<quint64>& muestra = m_muestraCubeta;
    qsizetype k;
    if (!m_muestraMonto.empty())
        k = std::lower_bound(m_muestraMonto.begin(), m_muestraMonto.end(), desde) - m_muestraMonto.begin();
    else
        k = std::lower_bound(muestra.begin(), muestra.end(), cubeta) - muestra.begin();
    const qsizetype hasta = std::min(k * kPaso, Lugares());
    const char* inicio = reinterpret_cast<const char*>(m_entradas.data() + std::max<qsizetype>(0, hasta - kPaso));
    const char* fin = reinterpret_cast<const char*>(m_entradas.data() + hasta);
    for (const char* p = inicio; p <= fin; p += 64)
        __builtin_prefetch(p);
}

void IndiceDerecho::Anticipar(Rango r) const
{
    if (r.Vacio())
        return;
    m_libres.Anticipar(r.desde);
    if (m_vivas)
        m_vivas->Anticipar(r.desde);
}

void IndiceDerecho::QuitarLibre(qsizetype fila)
{
    if (m_lugar[size_t(fila)] >= 0)
        m_libres.Quitar(m_lugar[size_t(fila)]);
}

void IndiceDerecho::QuitarViva(qsizetype fila)
{
    if (m_vivas && m_lugar[size_t(fila)] >= 0)
        m_vivas->Quitar(m_lugar[size_t(fila)]);
}

} // namespace conciliacion::detalle
