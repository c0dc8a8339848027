// The dashboard started on a server that accepts the connection and never answers: it shows that it is
// connecting, gives up at the station's login time-out, and asks whether to try again, naming the server.

#include "dashboard/frmBSC01.h"
#include "data/ArranqueSinRespuesta.h"

class TstDashboardSilentServer : public QObject {
    Q_OBJECT
private slots:
    void startsOnASilentServer()
    {
        tablero::frmBSC01& w = tablero::Tablero();   // made before the clock starts: it is not the connection
        ArrancarSinRespuesta([&w](const QString& lanzamiento) {
            w.Parametros = lanzamiento;
            w.Form_Initialize();
        });
    }
};

QTEST_MAIN(TstDashboardSilentServer)
#include "tst_dashboard_silent_server.moc"
