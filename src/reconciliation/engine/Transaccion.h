#pragma once
// The transaction every operation of the store that writes more than one statement runs in.

#include "platform/ado/Connection.h"

namespace conciliacion::sql {

// A transaction on the connection for the life of the object: Confirmar commits it; leaving the scope
// without it (a raised error, an early return) rolls it back. The store's operations never nest: beginning
// one while the connection has a transaction open raises the engine's error.
//
// On the embedded engine a transaction that reads before it writes cannot wait for another writer, so the
// store's operations make a write their first statement.
class Transaccion {
public:
    explicit Transaccion(ado::Connection& cn);
    ~Transaccion();
    Transaccion(const Transaccion&) = delete;
    Transaccion& operator=(const Transaccion&) = delete;
    void Confirmar();

private:
    ado::Connection& m_cn;
    bool m_abierta = false;
};

} // namespace conciliacion::sql
