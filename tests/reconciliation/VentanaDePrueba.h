#pragma once
// The base of every test of the workbench window. The company is made once per test program (the start-up
// road connects once per process); before each test a fresh window is loaded as the program loads it, on a
// company emptied of what earlier tests wrote; after each test the window is closed and the temporary
// triggers and tables the test made to force a failure are dropped, so every test starts from the same place.
// Tests that only look at one window share it for the whole program instead.
//
// A test class derives from this one and adds what it needs through the hooks: another company or user,
// rows of its own, the window shown or a period loaded.

#include "AccionesDePrueba.h"
#include "EmpresaDePrueba.h"

#include <QObject>
#include <memory>

class VentanaDePrueba : public QObject {
    Q_OBJECT

public:
    // How long a window lives: one per test, or one for every test of the program.
    enum class Vida { PorPrueba, PorPrograma };

protected:
    explicit VentanaDePrueba(Vida vida = Vida::PorPrueba) : m_vida(vida) {}

    // Makes the company and opens the process's connection: the small company, as oper1, unless overridden.
    virtual bool crearEmpresa();
    // Runs on each new window, once it is loaded, before the tests that use it.
    virtual void alAbrir() {}
    // Runs after the window is closed.
    virtual void alCerrar() {}

    // The window on screen and active, as the operator sees it.
    void mostrar();
    // March of account 1101 loaded as reconciliation 1, with no prompt on the way.
    void cargarMarzoSinPreguntas();

    EmpresaDePrueba empresa;
    std::unique_ptr<FrmConcCuentas> w;

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

private:
    void abrir();
    void cerrar();
    static void borrarTemporales();

    const Vida m_vida;
};
