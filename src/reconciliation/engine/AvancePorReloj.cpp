// The writer's progress on its clock.

#include "AvancePorReloj.h"

#include <algorithm>

namespace conciliacion {

AvancePorReloj::AvancePorReloj(AvanceEscritura avance, qint64 total, const EntornoEscritura& entorno)
    : m_avance(std::move(avance))
    , m_total(std::max<qint64>(total, 1))
    , m_presupuesto(int(kIntervaloMs), [&entorno] { return entorno.Milisegundos(); })
{
}

bool AvancePorReloj::Sumar(qint64 hecho)
{
    m_hecho = std::min(m_hecho + hecho, m_total);
    if (!m_avance || !m_presupuesto.Vencido())
        return true;
    return contar();
}

bool AvancePorReloj::Terminar()
{
    m_hecho = m_total;
    return !m_avance || contar();
}

bool AvancePorReloj::contar()
{
    return !m_avance(m_hecho, m_total);
}

} // namespace conciliacion
