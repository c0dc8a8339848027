#include "IndiceDerecho.h"

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
    for (qsizetype lugar = 0; lugar < Lugares(); ++lugar)
        m_lugar[size_t(m_entradas[size_t(lugar)].fila)] = qint32(lugar);
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

void IndiceDerecho::BuscarTodas(std::vector<Consulta>& consultas, const std::function<void(qint32, Rango)>& fn) const
{
    std::sort(consultas.begin(), consultas.end(), [](const Consulta& a, const Consulta& b) {
        if (a.cubeta != b.cubeta)
            return a.cubeta < b.cubeta;
        return a.desde != b.desde ? a.desde < b.desde : a.hasta < b.hasta;
    });
    // Slot l's key against (cubeta, monto): below it, and not above it.
    const auto debajo = [this](qsizetype l, quint64 cubeta, qint64 monto) {
        const Entrada& e = m_entradas[size_t(l)];
        return e.cubeta != cubeta ? e.cubeta < cubeta : e.monto < monto;
    };
    const auto hasta = [this](qsizetype l, quint64 cubeta, qint64 monto) {
        const Entrada& e = m_entradas[size_t(l)];
        return e.cubeta != cubeta ? e.cubeta < cubeta : e.monto <= monto;
    };
    // Both ends move forward only: the next query's range begins no earlier, and its end is searched from the
    // last end whenever the slots before that are still within it.
    qsizetype a = 0, b = 0;
    for (const Consulta& c : consultas) {
        a = Galopar(a, Lugares(), [&](qsizetype l) { return debajo(l, c.cubeta, c.desde); });
        const qsizetype inicio = b > a && hasta(b - 1, c.cubeta, c.hasta) ? b : a;
        b = Galopar(inicio, Lugares(), [&](qsizetype l) { return hasta(l, c.cubeta, c.hasta); });
        fn(c.orden, {a, b});
    }
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
