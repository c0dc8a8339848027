#include "FilasLado.h"

#include "LinkList.h"
#include "WorkbenchGroups.h"

#include <algorithm>

namespace conciliacion {

void AgregarTramo(Tramos& tramos, qsizetype desde, qsizetype hasta)
{
    if (desde == hasta)
        return;
    if (!tramos.empty() && tramos.back().hasta == desde)
        tramos.back().hasta = hasta;
    else
        tramos.push_back({desde, hasta});
}

Tramos TramosDeOrigen(const std::vector<qsizetype>& origen)
{
    Tramos tramos;
    for (qsizetype p : origen)
        AgregarTramo(tramos, p, p + 1);
    return tramos;
}

std::vector<qsizetype> OrigenDeTramos(const Tramos& tramos)
{
    std::vector<qsizetype> origen;
    for (const Tramo& t : tramos)
        for (qsizetype p = t.desde; p < t.hasta; ++p)
            origen.push_back(p);
    return origen;
}

bool SinMover(const Tramos& tramos)
{
    return tramos.empty() || (tramos.size() == 1 && tramos.front().desde == 0);
}

quint8 FilasLado::EstadoDe(const WorkbenchRow& fila)
{
    quint8 e = 0;
    if (fila.Checked)
        e |= kMarcada;
    if (!VinculoVacio(fila.ConciliadoCon))
        e |= kVinculada;
    if (fila.Grupo != 0)
        e |= kEnGrupo;
    if (fila.Orden.isEmpty())
        e |= kOrdenVacio;
    return e;
}

void FilasLado::Escribir(qsizetype lugar, const WorkbenchRow& fila)
{
    m_estado[size_t(lugar)] = EstadoDe(fila);
    m_icono[size_t(lugar)] = fila.SmallIcon >= 0 && fila.SmallIcon < kIconoOtro ? quint8(fila.SmallIcon) : kIconoOtro;
}

FilasLado& FilasLado::operator=(WorkbenchRows filas)
{
    m_enOrdenDeGrupos = false;
    m_filas = std::move(filas);
    m_orden.clear();
    m_posicion.clear();
    m_estado.assign(m_filas.size(), 0);
    m_icono.assign(m_filas.size(), 0);
    for (qsizetype lugar = 0; lugar < qsizetype(m_filas.size()); ++lugar)
        Escribir(lugar, m_filas[size_t(lugar)]);
    IndexarIds();
    return *this;
}

void FilasLado::push_back(WorkbenchRow fila)
{
    const qsizetype lugar = qsizetype(m_filas.size());
    m_enOrdenDeGrupos = false;
    if (!m_porId.empty() && fila.ID < m_porId.back().id)
        m_porIdOrdenado = false;
    m_porId.push_back({fila.ID, lugar});
    m_estado.push_back(0);
    m_icono.push_back(0);
    m_filas.push_back(std::move(fila));
    Escribir(lugar, m_filas.back());
}

void FilasLado::reserve(size_t filas)
{
    m_filas.reserve(filas);
    m_porId.reserve(filas);
    m_estado.reserve(filas);
    m_icono.reserve(filas);
}

void FilasLado::IndexarIds()
{
    m_porId.clear();
    m_porId.reserve(m_filas.size());
    m_porIdOrdenado = true;
    for (qsizetype lugar = 0; lugar < qsizetype(m_filas.size()); ++lugar) {
        const qint64 id = m_filas[size_t(lugar)].ID;
        if (!m_porId.empty() && id < m_porId.back().id)
            m_porIdOrdenado = false;
        m_porId.push_back({id, lugar});
    }
}

void FilasLado::OrdenarIds() const
{
    if (m_porIdOrdenado)
        return;
    std::sort(m_porId.begin(), m_porId.end(),
              [](const PorId& a, const PorId& b) { return a.id != b.id ? a.id < b.id : a.lugar < b.lugar; });
    m_porIdOrdenado = true;
}

std::vector<qsizetype> FilasLado::LugaresDeId(qint64 id) const
{
    OrdenarIds();
    const auto [desde, hasta] = std::equal_range(m_porId.begin(), m_porId.end(), PorId{id, 0},
                                                 [](const PorId& a, const PorId& b) { return a.id < b.id; });
    std::vector<qsizetype> lugares;
    for (auto it = desde; it != hasta; ++it)
        lugares.push_back(it->lugar);
    std::sort(lugares.begin(), lugares.end());
    return lugares;
}

void FilasLado::Asentar(qsizetype lugar) const
{
    quint8& estado = m_estado[size_t(lugar)];
    if (!(estado & kOrdenPendiente))
        return;
    WorkbenchRow& fila = m_filas[size_t(lugar)];
    fila.Orden = TextoOrden(fila.SmallIcon);
    estado &= quint8(~kOrdenPendiente);
}

const WorkbenchRow& FilasLado::DeLugar(qsizetype lugar) const
{
    Asentar(lugar);
    return m_filas[size_t(lugar)];
}

WorkbenchRow& FilasLado::Cambiar(qsizetype lugar)
{
    Asentar(lugar);
    return m_filas[size_t(lugar)];
}

void FilasLado::Sincronizar(qsizetype lugar)
{
    const quint8 icono = m_icono[size_t(lugar)];
    const quint8 texto = m_estado[size_t(lugar)] & (kOrdenVacio | kOrdenPendiente);
    Escribir(lugar, m_filas[size_t(lugar)]);
    if (m_icono[size_t(lugar)] != icono || (m_estado[size_t(lugar)] & (kOrdenVacio | kOrdenPendiente)) != texto)
        m_enOrdenDeGrupos = false;
}

void FilasLado::TextosDeIcono()
{
    for (quint8& estado : m_estado)
        estado = quint8((estado | kOrdenPendiente) & ~kOrdenVacio);
}

void FilasLado::Disponer() const
{
    for (qsizetype lugar = 0; lugar < qsizetype(m_estado.size()); ++lugar)
        Asentar(lugar);
    if (m_orden.empty())
        return;
    // Each row moves once, along the cycles of the permutation; rows appended since it was made are in place.
    const size_t n = m_orden.size();
    std::vector<bool> hecho(n);
    for (size_t p = 0; p < n; ++p) {
        if (hecho[p])
            continue;
        WorkbenchRow pendiente = std::move(m_filas[p]);
        for (size_t q = p;;) {
            hecho[q] = true;
            const size_t origen = size_t(m_orden[q]);
            if (origen == p) {
                m_filas[q] = std::move(pendiente);
                break;
            }
            m_filas[q] = std::move(m_filas[origen]);
            q = origen;
        }
    }
    const std::vector<quint8> estado = m_estado;
    const std::vector<quint8> icono = m_icono;
    for (size_t q = 0; q < n; ++q) {
        m_estado[q] = estado[size_t(m_orden[q])];
        m_icono[q] = icono[size_t(m_orden[q])];
    }
    for (PorId& p : m_porId)
        p.lugar = Posicion(p.lugar);
    m_orden.clear();
    m_posicion.clear();
}

void FilasLado::Permutar(const Tramos& tramos)
{
    m_enOrdenDeGrupos = false;
    if (m_orden.empty() && SinMover(tramos))
        return;
    const qsizetype n = qsizetype(m_filas.size());
    if (m_orden.empty()) {
        // From list order: the slots of each run are consecutive, so the order is written run by run, and the
        // position of every slot run by run in slot order.
        m_orden.reserve(size_t(n));
        std::vector<std::pair<Tramo, qsizetype>> destinos;   // (run, its first position now)
        qsizetype i = 0;
        for (const Tramo& t : tramos) {
            for (qsizetype p = t.desde; p < t.hasta; ++p)
                m_orden.push_back(quint32(p));
            destinos.push_back({t, i});
            i += t.hasta - t.desde;
        }
        std::sort(destinos.begin(), destinos.end(),
                  [](const auto& a, const auto& b) { return a.first.desde < b.first.desde; });
        m_posicion.reserve(size_t(n));
        for (const auto& [t, inicio] : destinos)
            for (qsizetype k = 0; k < t.hasta - t.desde; ++k)
                m_posicion.push_back(quint32(inicio + k));
        return;
    }
    // Rows appended since the last order are in their slots.
    for (qsizetype p = qsizetype(m_orden.size()); p < n; ++p)
        m_orden.push_back(quint32(p));
    OrdenarEnTramos(m_orden, tramos);
    bool identidad = true;
    for (qsizetype i = 0; i < n && identidad; ++i)
        identidad = m_orden[size_t(i)] == quint32(i);
    if (identidad) {
        m_orden.clear();
        m_posicion.clear();
        return;
    }
    // The position of each slot: only the runs that moved change it, unless it is not kept for every slot yet.
    const bool entera = qsizetype(m_posicion.size()) == n;
    m_posicion.resize(size_t(n));
    qsizetype i = 0;
    for (const Tramo& t : tramos) {
        const qsizetype fin = i + (t.hasta - t.desde);
        if (!entera || t.desde != i)
            for (qsizetype q = i; q < fin; ++q)
                m_posicion[size_t(m_orden[size_t(q)])] = quint32(q);
        i = fin;
    }
}

void FilasLado::Quitar(qsizetype desde, qsizetype hasta)
{
    EnOrden();
    m_filas.erase(m_filas.begin() + desde, m_filas.begin() + hasta);
    m_estado.erase(m_estado.begin() + desde, m_estado.begin() + hasta);
    m_icono.erase(m_icono.begin() + desde, m_icono.begin() + hasta);
    IndexarIds();
}

} // namespace conciliacion
