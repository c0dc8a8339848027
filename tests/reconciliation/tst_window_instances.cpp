// Two instances of the program started by one user on one station: the second never edits the reconciliation
// the first holds and never releases the first one's lock; a lock left behind by an instance that ended
// without releasing it is taken again by its own user, however the second spells the company file. A lock that
// cannot be written blames nobody, and a hold that cannot be written says which folder failed and why.

#include "VentanaDePrueba.h"

#include "platform/suite/Estacion.h"
#include "reconciliation/engine/Store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <unistd.h>

namespace {

QString mensajeRetenida()
{
    return QStringLiteral("El usuario: ") + conciliacion::EntornoPrograma().Propietario()
           + QStringLiteral(", esta modificando este comprobante!\r\nNo puede modificarlo!");
}

} // namespace

class TstWindowInstances : public VentanaDePrueba {
    Q_OBJECT

private slots:
    void secondInstanceNeitherOpensNorReleases_data()
    {
        QTest::addColumn<bool>("guardada");
        QTest::newRow("new reconciliation") << false;
        QTest::newRow("saved reconciliation") << true;
    }

    void secondInstanceNeitherOpensNorReleases()
    {
        QFETCH(bool, guardada);
        ui::ScriptedDialogs d;
        cargarMarzo(*w);
        if (guardada) {
            // Saved, then opened again in the first instance.
            w->Brakmo1_Click(QStringLiteral("GRABAR"));
            confirmar(*w, "IdConciliacion", QStringLiteral("1"));
        }
        QCOMPARE(bloqueos(), 1);
        std::unique_ptr<FrmConcCuentas> segunda = empresa.ventana();
        QVERIFY(segunda);
        d.expectMsgBox(ui::vbOK).withText(mensajeRetenida()).withStyle(ui::vbOKOnly + ui::vbCritical);
        confirmar(*segunda, "IdConciliacion", QStringLiteral("1"));
        QVERIFY(d.verifyDone());
        QVERIFY(segunda->FHayError);
        QVERIFY(!segunda->FBloqueo);
        QVERIFY(segunda->Campo(QStringLiteral("IdConciliacion"))->isEnabled());
        QCOMPARE(segunda->Lvw->ListItems().Count(), 0);

        // CANCELAR and closing in the second leave the first one's lock alone.
        segunda->Brakmo1_Click(QStringLiteral("CANCELAR"));
        segunda.reset();
        QCOMPARE(bloqueos(), 1);
        QCOMPARE(w->Lvw->ListItems().Count(), 3);

        // The first gives it back; now another instance may open it.
        w->Brakmo1_Click(QStringLiteral("CANCELAR"));
        QCOMPARE(bloqueos(), 0);
        segunda = empresa.ventana();
        QVERIFY(segunda);
        if (guardada) {
            confirmar(*segunda, "IdConciliacion", QStringLiteral("1"));
            QCOMPARE(segunda->Lvw->ListItems().Count(), 3);
        } else {
            cargarMarzo(*segunda);
        }
        QVERIFY(d.verifyDone());
        QCOMPARE(bloqueos(), 1);
    }

    // The second instance names the same company file another way: it is still the same reconciliation.
    void anotherSpellingOfTheFileIsTheSameCompany_data()
    {
        QTest::addColumn<QString>("forma");
        QTest::newRow("dot") << "./";
        QTest::newRow("dot-dot") << "../";
        QTest::newRow("double slash") << "//";
        QTest::newRow("symbolic link") << "link";
        QTest::newRow("hard link") << "hard link";
        QTest::newRow("server in capitals") << "SQLITE";
    }
    void anotherSpellingOfTheFileIsTheSameCompany()
    {
        QFETCH(QString, forma);
        ui::ScriptedDialogs d;
        cargarMarzo(*w);
        const QFileInfo archivo(empresa.archivo);
        const QString carpeta = archivo.absolutePath();
        QString otra = empresa.archivo;
        QString servidor = gDB().gServidor;
        if (forma == "./")
            otra = carpeta + "/./" + archivo.fileName();
        else if (forma == "../")
            otra = carpeta + "/../" + QDir(carpeta).dirName() + "/" + archivo.fileName();
        else if (forma == "//")
            otra = carpeta + "//" + archivo.fileName();
        else if (forma == "link") {
            otra = carpeta + "/enlace.db";
            QFile::remove(otra);
            QVERIFY(QFile::link(empresa.archivo, otra));
        } else if (forma == "hard link") {
            // Made while the first instance has the company open: the file has two names now.
            otra = carpeta + "/duro.db";
            QFile::remove(otra);
            QVERIFY(::link(QFile::encodeName(empresa.archivo).constData(), QFile::encodeName(otra).constData()) == 0);
        } else {
            servidor = servidor.toUpper();
        }
        const QString antes = gDB().gDBName;
        const QString servidorAntes = gDB().gServidor;
        gDB().gDBName = otra;
        gDB().gServidor = servidor;
        std::unique_ptr<FrmConcCuentas> segunda = empresa.ventana();
        QVERIFY(segunda);
        d.expectMsgBox(ui::vbOK).withText(mensajeRetenida()).withStyle(ui::vbOKOnly + ui::vbCritical);
        confirmar(*segunda, "IdConciliacion", QStringLiteral("1"));
        segunda->Brakmo1_Click(QStringLiteral("CANCELAR"));
        segunda.reset();
        gDB().gDBName = antes;
        gDB().gServidor = servidorAntes;
        if (forma == "hard link")
            QVERIFY(QFile::remove(otra));
        QVERIFY(d.verifyDone());
        // The first one's lock row is still there.
        QCOMPARE(bloqueos(), 1);
        QCOMPARE(w->Lvw->ListItems().Count(), 3);
    }

    // The station's temporary folder cannot hold the instance's hold: the error names the folder and why, and
    // blames no user.
    void unwritableTemporaryFolderSaysWhy_data()
    {
        QTest::addColumn<QString>("forma");
        QTest::addColumn<QString>("falla");
        QTest::newRow("missing") << "missing" << "no existe";
        QTest::newRow("under a file") << "file" << "no existe";
        QTest::newRow("relative") << "relative" << "no es una ruta absoluta";
    }
    void unwritableTemporaryFolderSaysWhy()
    {
        QFETCH(QString, forma);
        QFETCH(QString, falla);
        QTemporaryDir raiz;
        QString carpeta = raiz.filePath("no-existe");
        if (forma == "file") {
            QFile f(raiz.filePath("archivo"));
            QVERIFY(f.open(QIODevice::WriteOnly));
            carpeta = raiz.filePath("archivo/dentro");
        }
        // A folder of that name in the working folder is still not the station's temporary folder.
        const QString trabajo = QDir::currentPath();
        if (forma == "relative") {
            QVERIFY(QDir(raiz.path()).mkdir("relativa"));
            QVERIFY(QDir::setCurrent(raiz.path()));
            carpeta = "relativa";
        }
        const QByteArray antes = qgetenv("TMPDIR");
        qputenv("TMPDIR", carpeta.toLocal8Bit());
        ui::ScriptedDialogs d;
        d.expectErrorDialog(ui::vbAbort)
            .containing("La carpeta temporal " + carpeta + ", que nombra TMPDIR, " + falla + ".");
        confirmar(*w, "IdConciliacion", QStringLiteral("1"));
        qputenv("TMPDIR", antes);
        QDir::setCurrent(trabajo);
        QVERIFY(d.verifyDone());
        QVERIFY(w->FHayError);
        QVERIFY(!w->FBloqueo);
        QCOMPARE(bloqueos(), 0);
        QCOMPARE(QDir(raiz.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 forma == "missing" ? QStringList() : QStringList{forma == "file" ? "archivo" : "relativa"});
        QVERIFY(QDir(raiz.filePath("relativa")).isEmpty());
        QVERIFY(!QFileInfo::exists("/conccuentas-" + suite::Estacion::UsuarioEstacion().toLower()));
    }

    // An instance that ended without giving its lock back (the row stays, nothing on the station holds it):
    // the same user on the same station opens the reconciliation again.
    void lockOfAnInstanceThatEndedIsRetaken()
    {
        ui::ScriptedDialogs d;
        cargarMarzo(*w);
        w->Brakmo1_Click(QStringLiteral("GRABAR"));
        EmpresaDePrueba::ejecutar(QStringLiteral("INSERT INTO V_MV_CTROL_CPTE (TC, SUCURSAL, NUMERO, LETRA, USUARIO) "
                                                 "VALUES ('CCCC', '0001', '00000001', 'X', '%1')")
                                      .arg(conciliacion::EntornoPrograma().Propietario()));
        confirmar(*w, "IdConciliacion", QStringLiteral("1"));
        QVERIFY(d.verifyDone());
        QCOMPARE(w->Lvw->ListItems().Count(), 3);
        QCOMPARE(bloqueos(), 1);
        w->Brakmo1_Click(QStringLiteral("CANCELAR"));
        QCOMPARE(bloqueos(), 0);
    }

    // The lock row cannot be written and the operator answers "Ignorar": the failure was shown, no message
    // blames an empty holder, the number is not taken and nothing is held.
    void failedLockWriteBlamesNobody()
    {
        ui::ScriptedDialogs d;
        QVERIFY(QSqlQuery(gDB().gCnn.database())
                    .exec(QStringLiteral("CREATE TEMP TRIGGER rechazo BEFORE INSERT ON V_MV_CTROL_CPTE BEGIN "
                                         "SELECT RAISE(ABORT, 'rechazado'); END")));
        d.expectErrorDialog(ui::vbIgnore);
        confirmar(*w, "IdConciliacion", QStringLiteral("1"));
        QVERIFY(d.verifyDone());
        QVERIFY(w->FHayError);
        QVERIFY(!w->FBloqueo);
        QCOMPARE(bloqueos(), 0);
        QVERIFY(w->Campo(QStringLiteral("IdConciliacion"))->isEnabled());
    }
};

QTEST_MAIN(TstWindowInstances)
#include "tst_window_instances.moc"
