#include "WorkbenchSideRows.h"

#include "LinkList.h"
#include "WorkbenchGroups.h"

#include <algorithm>

namespace conciliacion {

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

std::vector<qsizetype> FilasLado::LugaresDeId(qint64 id) const
{
    if (!m_porIdOrdenado) {
        std::sort(m_porId.begin(), m_porId.end(),
                  [](const PorId& a, const PorId& b) { return a.id != b.id ? a.id < b.id : a.lugar < b.lugar; });
        m_porIdOrdenado = true;
    }
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
    Escribir(lugar, m_filas[size_t(lugar)]);
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

void FilasLado::Permutar(const std::vector<qsizetype>& origen)
{
    std::vector<qsizetype> orden(origen.size());
    bool identidad = true;
    for (size_t i = 0; i < origen.size(); ++i) {
        orden[i] = Lugar(origen[i]);
        identidad = identidad && orden[i] == qsizetype(i);
    }
    if (identidad) {
        m_orden.clear();
        m_posicion.clear();
        return;
    }
    m_posicion.resize(orden.size());
    for (size_t i = 0; i < orden.size(); ++i)
        m_posicion[size_t(orden[i])] = qsizetype(i);
    m_orden = std::move(orden);
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
