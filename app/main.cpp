// The workbench program: the reconciliation window is the program. Its load handler runs the start-up road
// with the launch string given on the command line.

#include "core/LaunchString.h"
#include "core/Startup.h"
#include "data/DB_Dll.h"
#include "lookup/InstalacionConsultas.h"
#include "platform/browser/WebBrowser.h"
#include "platform/ui/Application.h"
#include "platform/ui/OperatorDialogs.h"
#include "platform/ui/SystemEnd.h"
#include "reconciliation/FrmConcCuentas.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[])
{
    web::WebBrowser::PrepararAplicacion();
    ui::Application app(argc, argv);   // a failure in any handler is shown, not fatal
    QApplication::setApplicationName(QStringLiteral("conccuentas"));
    // The program's own icon, for every window that the station file gives no other, and the desktop entry
    // it belongs to.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/iconos/conccuentas.svg")));
    QGuiApplication::setDesktopFileName(QStringLiteral("conccuentas"));
    ui::installDialogs(nullptr);
    ModGlobal::PrepararProceso(ModGlobal::UsoDeLaEmpresa::Graba);   // the workbench writes in the company
    lookup::InstallHook();
    FrmConcCuentas& ventana = frmConcCuentas();
    // Ended by the system (logout, shutdown, Ctrl+C), from the start-up on: the window's own close, asking
    // nothing.
    ui::OnSystemEnd([&ventana] { ventana.CerrarSinPreguntar(); });
    ventana.Parametros = ModGlobal::TextoDeArgumentos(QApplication::arguments().mid(1));
    ventana.Show();
    const int codigo = app.exec();
    // Ended otherwise than by its window (which closes it first): the connection is closed while the database
    // driver is still loaded, so the engine's journal is not left beside the company.
    gDB().CerrarConexion();
    return codigo;
}
