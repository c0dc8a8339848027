// The store's transaction: begun on construction, rolled back unless confirmed.

#include "Transaccion.h"

#include "platform/ado/Error.h"

namespace conciliacion::sql {

Transaccion::Transaccion(ado::Connection& cn) : m_cn(cn)
{
    m_cn.BeginTrans();
    m_abierta = true;
}

Transaccion::~Transaccion()
{
    if (!m_abierta)
        return;
    try {
        m_cn.RollbackTrans();
    } catch (const ado::Error&) {
        // The engine already ended it (a failed COMMIT on some engines); nothing is left to undo.
    }
}

void Transaccion::Confirmar()
{
    m_cn.CommitTrans();
    m_abierta = false;
}

} // namespace conciliacion::sql
