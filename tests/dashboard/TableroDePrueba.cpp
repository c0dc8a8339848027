// The dashboard window tests' start-up, in one place.

#include "TableroDePrueba.h"

void TableroDePrueba::initTestCase()
{
    QVERIFY(crearEmpresa());
    ui::ScriptedDialogs sinPreguntas;
    w = &tablero::Tablero();
    w->Parametros = empresa.lanzamiento;
    w->Form_Initialize();
    QVERIFY(sinPreguntas.verifyDone());
    alAbrir();
}
