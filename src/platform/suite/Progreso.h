#pragma once
// The suite's progress window (`gProgreso`): a caption, a title and two lines of text, and a cancel
// button whose press the loop learns from its next `Avanzar`. Texts are shown and window events let run on a time
// budget, so a loop may call `Avanzar` for every row. The window grows to show each line whole.
//
//     gProgreso.Iniciar("Comparando", true);
//     for (...) { gProgreso.Avanzar(cancelar, "Realizando Comparación", general, parcial); if (cancelar) break; }
//     gProgreso.Terminar();

#include "platform/suite/base/PresupuestoTiempo.h"

#include <QDialog>
#include <QPointer>

class QLabel;
class QPushButton;

namespace suite {

class Progreso : public QDialog {
    Q_OBJECT
public:
    explicit Progreso(QWidget* parent = nullptr);

    // Opens (or reopens) the window with this caption, in front and active so that the operator's Escape
    // reaches it, and forgets an earlier cancel.
    void Iniciar(const QString& Caption, bool PermiteCancelar = true);
    // Shows the texts and lets window events run when the budget allows, or at once when the title changed;
    // sets Cancelar to True once the operator has asked to cancel (leaves it alone otherwise).
    void Avanzar(bool& Cancelar, const QString& Titulo, const QString& Texto1, const QString& Texto2);
    // The work can no longer be stopped (it is confirming what it did): shows these texts at once and turns
    // Cancelar off until the next Iniciar, so that a press, a close or an Escape from now on asks nothing. Window
    // events are let run once, so the texts are painted before the wait.
    void SinVuelta(const QString& Titulo, const QString& Texto1, const QString& Texto2 = QString());
    // Closes the window and gives the activation back to the window that had it; harmless when it was never
    // opened. After SinVuelta, the operator's input that came during the wait reaches this window first, and
    // is ignored, rather than the window behind it.
    void Terminar();

    bool CancelacionPedida() const { return m_cancelado; }

    // For tests: the n-th call of Avanzar from now presses the cancel button before it reports (0: never).
    void CancelarEnAvance(int n) { m_cancelarEn = n; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void PedirCancelar();
    void MostrarTextos();
    void AjustarAlTexto();

    QLabel* m_titulo;
    QLabel* m_texto1;
    QLabel* m_texto2;
    QPushButton* m_cancelar;
    QString m_pendientes[3];
    bool m_cancelado = false;
    bool m_sinVuelta = false;       // since SinVuelta, until the next Iniciar
    int m_cancelarEn = 0;
    PresupuestoTiempo m_presupuesto;
    QPointer<QWidget> m_anterior;   // the active window when it opened
};

} // namespace suite
