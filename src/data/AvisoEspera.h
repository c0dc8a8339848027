#pragma once
// The window that tells the operator the program is waiting for another station that is writing to the
// company file, with a button to stop waiting. The database layer asks it while it waits; it shows itself
// at the first ask and hides when the wait is over. Blocks the program's other windows meanwhile, so that
// nothing else reaches the database that is waiting.

#include "platform/ado/LockWaitNotice.h"

#include <QPointer>

class QDialog;
class QLabel;

class AvisoEspera final : public ado::LockWaitNotice {
public:
    AvisoEspera();
    ~AvisoEspera() override;

    bool waiting(int elapsedMs) override;
    void finished() override;

    // The window while a wait is shown (for tests); nullptr otherwise.
    QDialog* Ventana() const { return m_ventana; }

private:
    QPointer<QDialog> m_ventana;
    QLabel* m_texto = nullptr;
    bool m_cancelado = false;
};

// Installs the notice for every connection of the program (once; only where there are windows).
void InstalarAvisoEspera();
