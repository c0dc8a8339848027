// The dashboard program: the control dashboard is the program. Creating its window runs the start-up road
// with the launch string given on the command line and shows the report of the whole chart; closing it ends
// the program.

#include "core/LaunchString.h"
#include "core/Startup.h"
#include "data/DB_Dll.h"
#include "dashboard/frmBSC01.h"
#include "lookup/InstalacionConsultas.h"
#include "platform/browser/WebBrowser.h"
#include "platform/ui/Application.h"
#include "platform/ui/OperatorDialogs.h"
#include "platform/ui/SystemEnd.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[])
{
    web::WebBrowser::PrepararAplicacion();
    ui::Application app(argc, argv);   // a failure in any handler is shown, not fatal
    // The same program folder (lookup masks, error log) as the workbench.
    QApplication::setApplicationName(QStringLiteral("conccuentas"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/iconos/conccuentas-tablero.svg")));
    QGuiApplication::setDesktopFileName(QStringLiteral("conccuentas-tablero"));
    ui::installDialogs(nullptr);
    ModGlobal::PrepararProceso(ModGlobal::UsoDeLaEmpresa::SoloLee);   // the dashboard only reads the company
    lookup::InstallHook();
    tablero::frmBSC01& ventana = tablero::Tablero();
    // Ended by the system (logout, shutdown, Ctrl+C), from the start-up on: as "Cerrar" closes it, which asks
    // nothing.
    ui::OnSystemEnd([&ventana] { ventana.cmdClose_Click(); });
    ventana.Parametros = ModGlobal::TextoDeArgumentos(QApplication::arguments().mid(1));
    ventana.Form_Initialize();
    const int codigo = app.exec();
    // Ended otherwise than by its window (which closes it first): the connection is closed while the database
    // driver is still loaded, so the engine's journal is not left beside the company.
    gDB().CerrarConexion();
    return codigo;
}
