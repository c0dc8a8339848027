#include "PresupuestoTiempo.h"

#include <QCoreApplication>

namespace suite {

PresupuestoTiempo::PresupuestoTiempo(int intervaloMs, Reloj reloj)
    : m_intervalo(intervaloMs)
    , m_reloj(std::move(reloj))
{
    if (!m_reloj)
        m_maquina.start();
}

qint64 PresupuestoTiempo::ahora() const
{
    return m_reloj ? m_reloj() : m_maquina.elapsed();
}

bool PresupuestoTiempo::Vencido()
{
    const qint64 t = ahora();
    if (m_ultimo && t - *m_ultimo < m_intervalo)
        return false;
    m_ultimo = t;
    return true;
}

void DoEvents()
{
    static PresupuestoTiempo presupuesto;
    if (presupuesto.Vencido())
        QCoreApplication::processEvents();
}

} // namespace suite
