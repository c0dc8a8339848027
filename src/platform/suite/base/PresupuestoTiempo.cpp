#include "PresupuestoTiempo.h"

#include <QCoreApplication>

namespace suite {

bool PresupuestoTiempo::Vencido()
{
    if (m_reloj.isValid() && m_reloj.elapsed() < m_intervalo)
        return false;
    m_reloj.start();
    return true;
}

void DoEvents()
{
    static PresupuestoTiempo presupuesto;
    if (presupuesto.Vencido())
        QCoreApplication::processEvents();
}

} // namespace suite
