#pragma once
// The base of the dashboard's window tests. The dashboard is one window per process: the fixture makes the
// company once, then loads the window as the program loads it, with no prompt on the way, before the first
// test. A test class derives from this one and says through the hooks which company it wants (the small one
// with the recording writer unless it says otherwise), how the start-up meets the operator (no prompt unless
// it says otherwise) and what it does to the loaded window.

#include "EmpresaTablero.h"

#include "platform/ui/TreeView.h"

#include <QObject>

class TableroDePrueba : public QObject {
    Q_OBJECT

protected:
    // Makes the company: the small one with the recording writer, unless overridden.
    virtual bool crearEmpresa() { return empresa.crear(); }
    // Creates and loads the window as the program does; by default no prompt may come on the way.
    virtual void arrancar();
    // Runs once the window is loaded, before the first test.
    virtual void alAbrir() {}

    // Nothing being written or loaded, the busy display down and the tree enabled: the window takes commands.
    bool libre() const;
    // The tree's node of an account.
    ui::Node nodoDeCuenta(const char* cuenta) const;

    EmpresaTablero empresa;
    tablero::frmBSC01* w = nullptr;

private slots:
    void initTestCase();
};
