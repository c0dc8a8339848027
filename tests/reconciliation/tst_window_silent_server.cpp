// The workbench started on a server that accepts the connection and never answers: it shows that it is
// connecting, gives up at the station's login time-out, and asks whether to try again, naming the server.

#include "data/ArranqueSinRespuesta.h"
#include "reconciliation/FrmConcCuentas.h"

class TstWindowSilentServer : public QObject {
    Q_OBJECT
private slots:
    void startsOnASilentServer()
    {
        FrmConcCuentas w;   // made before the clock starts: it is not the connection
        ArrancarSinRespuesta([&w](const QString& lanzamiento) {
            w.Parametros = lanzamiento;
            w.Show();
        });
    }
};

QTEST_MAIN(TstWindowSilentServer)
#include "tst_window_silent_server.moc"
