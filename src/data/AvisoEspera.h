#pragma once
// The window that tells the operator the program is waiting for another station that is writing to the
// company file, with a button to stop waiting. The database layer asks it while it waits; it shows itself
// at the first ask and hides when the wait is over.

#include "VentanaEspera.h"
#include "platform/ado/LockWaitNotice.h"

class AvisoEspera final : public ado::LockWaitNotice {
public:
    bool waiting(int elapsedMs) override;
    void finished() override;

    // The window while a wait is shown (for tests); nullptr otherwise.
    QDialog* Ventana() const { return m_ventana.Ventana(); }

private:
    VentanaEspera m_ventana;
};
