// The dashboard window tests' start-up, in one place.

#include "TableroDePrueba.h"

void TableroDePrueba::initTestCase()
{
    QVERIFY(crearEmpresa());
    w = &tablero::Tablero();
    w->Parametros = empresa.lanzamiento;
    arrancar();
    alAbrir();
}

void TableroDePrueba::arrancar()
{
    ui::ScriptedDialogs sinPreguntas;
    w->Form_Initialize();
    QVERIFY(sinPreguntas.verifyDone());
}
