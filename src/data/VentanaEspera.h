#pragma once
// The small window the program shows while it waits for the database: a line saying what it waits for and a
// Cancelar. It shows itself at the first word, blocks the program's other windows meanwhile (nothing else may
// reach the database that waits) and goes when the wait is over.

#include <QDialog>
#include <QPointer>
#include <QString>

class QLabel;

class VentanaEspera {
public:
    // Shows the window (named `nombre`, for tests) when it is not shown, puts the text in it and lets the
    // program's events run. False once the operator pressed Cancelar or closed the window.
    bool Avisar(const QString& nombre, const QString& titulo, const QString& texto);
    // The wait is over: the window goes.
    void Cerrar();

    // The window while it is shown; nullptr otherwise.
    QDialog* Ventana() const { return m_ventana; }

private:
    QPointer<QDialog> m_ventana;
    QLabel* m_texto = nullptr;
    bool m_cancelado = false;
};
