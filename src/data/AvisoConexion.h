#pragma once
// The window that tells the operator the program is connecting to a server, naming the server and the
// database, with a Cancelar that stops waiting for it. The database layer asks it while a connection opens;
// it shows itself within a second and goes when the opening is over.

#include "VentanaEspera.h"
#include "platform/ado/ConnectWaitNotice.h"

class AvisoConexion final : public ado::ConnectWaitNotice {
public:
    bool connecting(const QString& server, const QString& database, int elapsedMs) override;
    void finished() override;

    // The window while it is shown (for tests); nullptr otherwise.
    QDialog* Ventana() const { return m_ventana.Ventana(); }

private:
    VentanaEspera m_ventana;
};
