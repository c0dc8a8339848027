#include "MatchingIndex.h"

#include <algorithm>
#include <numeric>

namespace conciliacion::detalle {

ArbolMinimo::ArbolMinimo(const std::vector<qsizetype>& valores)
    : m_n(qsizetype(valores.size())), m_arbol(2 * valores.size(), kNinguna)
{
    std::copy(valores.begin(), valores.end(), m_arbol.begin() + m_n);
    for (qsizetype i = m_n - 1; i > 0; --i)
        m_arbol[i] = std::min(m_arbol[2 * i], m_arbol[2 * i + 1]);
}

void ArbolMinimo::Quitar(qsizetype lugar)
{
    qsizetype i = lugar + m_n;
    if (m_arbol[i] == kNinguna)
        return;
    m_arbol[i] = kNinguna;
    for (i /= 2; i > 0; i /= 2)
        m_arbol[i] = std::min(m_arbol[2 * i], m_arbol[2 * i + 1]);
}

qsizetype ArbolMinimo::Minimo(qsizetype desde, qsizetype hasta) const
{
    qsizetype minimo = kNinguna;
    for (qsizetype a = desde + m_n, b = hasta + m_n; a < b; a /= 2, b /= 2) {
        if (a & 1)
            minimo = std::min(minimo, m_arbol[a++]);
        if (b & 1)
            minimo = std::min(minimo, m_arbol[--b]);
    }
    return minimo;
}

qint32 Internador::Agregar(const QString& texto)
{
    auto it = m_ids.constFind(texto);
    if (it == m_ids.cend())
        it = m_ids.insert(texto, qint32(m_ids.size()));
    return *it;
}

qint32 Internador::Buscar(const QString& texto) const
{
    return m_ids.value(texto, -1);
}

namespace {

bool Menor(const ClaveDerecha& a, const ClaveDerecha& b)
{
    return a.cubeta != b.cubeta ? a.cubeta < b.cubeta : a.monto < b.monto;
}

std::vector<qsizetype> OrdenDeFilas(const std::vector<ClaveDerecha>& claves, const std::vector<bool>& incluir)
{
    std::vector<qsizetype> filas;
    for (qsizetype j = 0; j < qsizetype(claves.size()); ++j)
        if (incluir[j])
            filas.push_back(j);
    // Stable: rows with equal keys stay in list order.
    std::stable_sort(filas.begin(), filas.end(),
                     [&](qsizetype a, qsizetype b) { return Menor(claves[a], claves[b]); });
    return filas;
}

} // namespace

IndiceDerecho::IndiceDerecho(const std::vector<ClaveDerecha>& claves, const std::vector<bool>& incluir,
                             bool conVivas)
    : m_lugar(claves.size(), -1)
{
    const std::vector<qsizetype> filas = OrdenDeFilas(claves, incluir);
    m_libres = ArbolMinimo(filas);
    m_claves.reserve(filas.size());
    for (qsizetype lugar = 0; lugar < qsizetype(filas.size()); ++lugar) {
        m_claves.push_back(claves[filas[lugar]]);
        m_lugar[filas[lugar]] = lugar;
    }
    if (conVivas)
        m_vivas.emplace(filas);
}

IndiceDerecho::Rango IndiceDerecho::Buscar(qint32 cubeta, qint64 desde, qint64 hasta) const
{
    const auto inicio = std::lower_bound(m_claves.begin(), m_claves.end(), ClaveDerecha{cubeta, desde}, Menor);
    const auto fin = std::upper_bound(inicio, m_claves.end(), ClaveDerecha{cubeta, hasta}, Menor);
    return {qsizetype(inicio - m_claves.begin()), qsizetype(fin - m_claves.begin())};
}

void IndiceDerecho::QuitarLibre(qsizetype fila)
{
    if (m_lugar[fila] >= 0)
        m_libres.Quitar(m_lugar[fila]);
}

void IndiceDerecho::QuitarViva(qsizetype fila)
{
    if (m_vivas && m_lugar[fila] >= 0)
        m_vivas->Quitar(m_lugar[fila]);
}

} // namespace conciliacion::detalle
