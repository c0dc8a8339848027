// Connecting to a server that accepts the connection and never answers, from the connection dialog and from
// the launch string: within a second a window says which server and database the program is connecting to,
// with a Cancelar; when the login time-out runs out, or Cancelar is pressed, the connection error of the retry
// question names the server, and declining it leaves the program without a connection.

#include "AvisoConexionVisto.h"
#include "data/DB_Dll.h"
#include "data/frmAcceso.h"
#include "platform/ado/FreeTdsDePrueba.h"
#include "platform/ado/ServidorMudo.h"
#include "platform/ui/ScriptedDialogs.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

class TstConexionEspera : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        const QString porQue = FreeTdsDePrueba::Preparar(m_dir.path());
        if (!porQue.isEmpty())
            QSKIP(qPrintable(porQue));
    }

    void silentServer_data()
    {
        QTest::addColumn<bool>("porDialogo");
        QTest::addColumn<bool>("cancelar");
        QTest::addColumn<QString>("estado");
        QTest::newRow("launch string, time-out") << false << false << "HYT00";
        QTest::newRow("launch string, Cancelar") << false << true << "HY008";
        QTest::newRow("dialog, time-out") << true << false << "HYT00";
        QTest::newRow("dialog, Cancelar") << true << true << "HY008";
    }

    void silentServer()
    {
        QFETCH(bool, porDialogo);
        QFETCH(bool, cancelar);
        QFETCH(QString, estado);
        ServidorMudo mudo;
        QVERIFY(mudo.puerto() != 0);
        const QString servidor = QStringLiteral("127.0.0.1,%1").arg(mudo.puerto());

        ui::ScriptedDialogs d;
        if (porDialogo)
            d.onModal<frmAcceso>([&](frmAcceso& f) {
                f.TxtServidor->setText(servidor);
                f.TxtDbName->setText(QStringLiteral("conta"));
                f.TxtUserId->setText(QStringLiteral("sa"));
                f.CboPlataformaDB->setCurrentIndex(0);
                f.bcAceptar->click();
                return f.result();
            });
        d.expectMsgBox(ui::vbNo).withTitle(QStringLiteral(" Error de Conexion a Base de Datos")).containing(servidor);

        DB_Dll db;
        db.gCnn.ConnectionTimeout = 2;
        db.gServidor = porDialogo ? QString() : servidor;
        db.gDBName = QStringLiteral("conta");
        db.gUsuario = QStringLiteral("sa");
        const AvisoConexionVisto aviso(cancelar);
        db.OpenServerADODB(porDialogo, 3, QString(), true);
        const qint64 fin = aviso.Transcurrido();

        QVERIFY2(aviso.vistoA >= 0 && aviso.vistoA < 1000, qPrintable(QString::number(aviso.vistoA)));
        QVERIFY2(aviso.texto.contains(servidor) && aviso.texto.contains(QStringLiteral("conta")), qPrintable(aviso.texto));
        QVERIFY2(cancelar ? fin < 2000 : fin >= 1500 && fin < 10000, qPrintable(QString::number(fin)));
        QVERIFY(d.verifyDone());
        const QString pregunta = d.log().last().text;
        QVERIFY2(pregunta.contains(QStringLiteral(" Estado de Sql: ") + estado), qPrintable(pregunta));
        QVERIFY2(pregunta.endsWith(QStringLiteral(" - Desea Intentarlo Nuevamente??? ")), qPrintable(pregunta));
        QVERIFY(!db.gOpenFlag);
        QCOMPARE(db.gCnn.State(), int(ado::adStateClosed));
        QVERIFY(mudo.aceptadas() >= 1);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!AvisoConexionVisto::Visible());
    }
};

QTEST_MAIN(TstConexionEspera)
#include "tst_data_conexion_espera.moc"
