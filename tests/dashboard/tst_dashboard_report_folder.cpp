// The folder the dashboard writes its reports into keeps the rule of every temporary folder: with TEMP naming
// a folder others share, nothing is written into it and the operator is told which folder and why.

#include "dashboard/CarpetaInformes.h"
#include "platform/ado/Error.h"
#include "platform/suite/Estacion.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

class TstDashboardReportFolder : public QObject {
    Q_OBJECT
private slots:
    void reportFolder_data()
    {
        QTest::addColumn<int>("modo");
        QTest::addColumn<QString>("falla");   // "" when used
        QTest::newRow("a folder of this user's") << 0700 << "";
        QTest::newRow("a shared folder") << 0777 << "está abierta a otros usuarios (permisos 0777)";
    }
    void reportFolder()
    {
        QFETCH(int, modo);
        QFETCH(QString, falla);
        QTemporaryDir dir;
        QVERIFY(::chmod(QFile::encodeName(dir.path()).constData(), mode_t(modo)) == 0);
        qputenv("TEMP", dir.path().toUtf8());
        const QString propia = dir.filePath("conccuentas-" + suite::Estacion::UsuarioEstacion().toLower());
        suite::CarpetaDeVentana ventana;
        QString mensaje;
        try {
            ventana = tablero::CarpetaInformes();
        } catch (const ado::Error& e) {
            mensaje = e.Description;
        }
        qunsetenv("TEMP");
        const QString carpeta = ventana.Ruta();
        if (falla.isEmpty()) {
            // The window's own folder, inside this process's, inside the user's private folder.
            QVERIFY2(carpeta.startsWith(propia + "/p"), qPrintable(carpeta));
            QVERIFY(QFileInfo(carpeta).isDir());
        } else {
            QVERIFY(carpeta.isEmpty());
            QVERIFY2(mensaje.startsWith("La carpeta temporal " + dir.path() + ", que nombra TEMP, " + falla),
                     qPrintable(mensaje));
            QVERIFY(QDir(dir.path()).isEmpty());
        }
    }
};

QTEST_GUILESS_MAIN(TstDashboardReportFolder)
#include "tst_dashboard_report_folder.moc"
