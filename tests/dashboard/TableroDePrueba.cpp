// The dashboard window tests' start-up, in one place.

#include "TableroDePrueba.h"

#include "platform/browser/WebBrowser.h"
#include "platform/suite/PictureBox.h"

#include <QPushButton>

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

bool TableroDePrueba::libre() const
{
    return !w->Escribiendo() && !w->wbExplorer->Cargando() && !w->Pic->isVisible() && !w->cmdCancelar->isVisible()
           && w->TreeV->isEnabled();
}

ui::Node TableroDePrueba::nodoDeCuenta(const char* cuenta) const
{
    return w->TreeV->Nodes().Item(QStringLiteral("A") + QLatin1String(cuenta));
}
