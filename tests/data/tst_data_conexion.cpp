// Opening the shared connection: connection texts, the administrator flag, the connection dialog and the retry
// loop, with scripted operator answers; and closing it as the program ends.
#include "BaseDePrueba.h"
#include "data/frmAcceso.h"
#include "platform/ui/ScriptedDialogs.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <sqlite3.h>
#include <unistd.h>

using ui::ScriptedDialogs;

namespace {

// The operator fills the dialog and presses a button.
auto Rellenar(const QString& servidor, const QString& base, int plataforma = 0, bool aceptar = true)
{
    return [=](frmAcceso& f) {
        f.TxtServidor->setText(servidor);
        f.TxtDbName->setText(base);
        f.CboPlataformaDB->setCurrentIndex(plataforma);
        (aceptar ? f.bcAceptar : f.bcCancelar)->click();
        return f.result();
    };
}

// The company file opened by the administrator as a program does, the dashboard (soloLee) opening what it
// cannot write read-only: the state the connection is left in, closed too when the program was not told it
// opened.
ado::ObjectState abiertaPorElAdministrador(const QString& archivo, bool soloLee)
{
    DB_Dll db;
    db.gCnn.WhenUnwritable = soloLee ? ado::UnwritableFile::OpenReadOnly : ado::UnwritableFile::Refuse;
    db.gServidor = QStringLiteral("sqlite");
    db.gDBName = archivo;
    db.gUsuario = QStringLiteral("admin");
    db.OpenServerADODB(false, 3, QString(), true);
    return db.gOpenFlag || db.gCnn.State() == ado::adStateOpen ? ado::adStateOpen : ado::adStateClosed;
}

} // namespace

class TstConexion : public QObject {
    Q_OBJECT
private slots:
    void administrador_data()
    {
        QTest::addColumn<QString>("usuario");
        QTest::addColumn<bool>("validaAdmin");
        QTest::addColumn<bool>("esAdmin");
        QTest::newRow("administrator") << "admin" << true << true;
        QTest::newRow("administrator, blanks") << "  admin " << true << true;
        QTest::newRow("operator") << "operador" << true << false;
        QTest::newRow("flag other than 1") << "otro" << true << false;
        QTest::newRow("unknown user") << "nadie" << true << false;
        QTest::newRow("user with a quote") << "o'neil" << true << false;
        QTest::newRow("no check makes everyone administrator") << "operador" << false << true;
    }
    void administrador()
    {
        QFETCH(QString, usuario);
        QFETCH(bool, validaAdmin);
        QFETCH(bool, esAdmin);
        BaseDePrueba base;
        ScriptedDialogs d;
        DB_Dll db;
        db.gServidor = QStringLiteral("sqlite");
        db.gDBName = base.archivo;
        db.gUsuario = usuario;
        db.OpenServerADODB(false, 3, QString(), validaAdmin);
        QVERIFY(db.gOpenFlag);
        QCOMPARE(db.gEsAdmin, esAdmin);
        QVERIFY(!db.HuboError());
        QVERIFY(d.verifyDone());
    }

    void sinTablaDeUsuariosElIndicadorNoCambia()
    {
        BaseDePrueba base;
        {
            ado::Connection cnn;
            cnn.Open(QStringLiteral("Provider=SQLOLEDB;Server=sqlite;Database=") + base.archivo);
            cnn.Execute(QStringLiteral("DROP TABLE ta_usuarios"));
        }
        ScriptedDialogs d;
        DB_Dll db;
        db.gServidor = QStringLiteral("SQLite");
        db.gDBName = base.archivo;
        db.gUsuario = QStringLiteral("x");
        db.gEsAdmin = true;
        db.OpenServerADODB(false, 3, QString(), true);
        QVERIFY(db.gOpenFlag);
        QVERIFY(db.gEsAdmin);
        QVERIFY(d.verifyDone());
    }

    // A file that is no company database is refused with one message and left byte for byte as it was.
    // A name that reaches no file of the company, given to either program (the dashboard opens what it cannot
    // write read-only): the connection message says what it reaches, in the suite's words.
    void nombreQueNoEsUnArchivo_data()
    {
        QTest::addColumn<QString>("clase");
        QTest::addColumn<bool>("soloLee");
        QTest::addColumn<QString>("motivo");
        for (const bool soloLee : {false, true}) {
            const char* programa = soloLee ? "the dashboard" : "the workbench";
            QTest::addRow("%s, a folder", programa) << QStringLiteral("carpeta") << soloLee
                                                   << QStringLiteral("\"%1\" es una carpeta, no un archivo de la empresa");
            QTest::addRow("%s, a link to nothing", programa)
                << QStringLiteral("roto") << soloLee
                << QStringLiteral("El archivo de la empresa \"%1\" es un enlace a \"%2\", que no existe.");
            QTest::addRow("%s, a link to a folder", programa)
                << QStringLiteral("a carpeta") << soloLee
                << QStringLiteral("\"%1\" es un enlace a la carpeta \"%2\", no a un archivo de la empresa");
        }
    }
    void nombreQueNoEsUnArchivo()
    {
        QFETCH(QString, clase);
        QFETCH(bool, soloLee);
        QFETCH(QString, motivo);
        QTemporaryDir dir;
        const QString archivo = dir.filePath(QStringLiteral("X.db"));
        const QString destino = dir.filePath(QStringLiteral("destino"));
        if (clase == QLatin1String("carpeta") || clase == QLatin1String("a carpeta"))
            QVERIFY(QDir().mkdir(clase == QLatin1String("carpeta") ? archivo : destino));
        if (clase != QLatin1String("carpeta"))
            QVERIFY(QFile::link(destino, archivo));
        ScriptedDialogs d;
        d.expectMsgBox(ui::vbNo)
            .withTitle(QStringLiteral(" Error de Conexion a Base de Datos"))
            .containing(QString(motivo).replace(QLatin1String("%1"), archivo).replace(QLatin1String("%2"), destino));
        QVERIFY(abiertaPorElAdministrador(archivo, soloLee) == ado::adStateClosed);
        QVERIFY(d.verifyDone());
    }

    void archivoQueNoEsDeLaEmpresa_data()
    {
        QTest::addColumn<QString>("clase");
        QTest::addColumn<QString>("motivo");
        QTest::newRow("zero bytes") << QStringLiteral("vacio") << QStringLiteral("vacío");
        QTest::newRow("a text file") << QStringLiteral("texto") << QStringLiteral("no es una base de datos");
        QTest::newRow("a database of something else") << QStringLiteral("otra") << QStringLiteral("TA_CONFIGURACION");
        QTest::newRow("the company's tables but one") << QStringLiteral("incompleta") << QStringLiteral("MV_ASIENTOS");
        // The company with a second name (a hard link), opened by either: two journals would damage it.
        QTest::newRow("a company with two names, by the first") << QStringLiteral("enlace") << QStringLiteral("2 nombres");
        QTest::newRow("a company with two names, by the second") << QStringLiteral("enlace-segundo")
                                                                  << QStringLiteral("2 nombres");
    }

    void archivoQueNoEsDeLaEmpresa()
    {
        QFETCH(QString, clase);
        QFETCH(QString, motivo);
        QTemporaryDir dir;
        QString archivo = dir.filePath(QStringLiteral("empresa.db"));
        if (clase.startsWith(QLatin1String("enlace"))) {
            QVERIFY(QFile::copy(BaseDePrueba::Plantilla(), archivo));
            const QString segundo = dir.filePath(QStringLiteral("duro.db"));
            QVERIFY(::link(QFile::encodeName(archivo).constData(), QFile::encodeName(segundo).constData()) == 0);
            if (clase == QLatin1String("enlace-segundo"))
                archivo = segundo;
        } else if (clase == QLatin1String("vacio") || clase == QLatin1String("texto")) {
            QFile f(archivo);
            QVERIFY(f.open(QIODevice::WriteOnly));
            if (clase == QLatin1String("texto"))
                f.write("Cuentas del mes\r\n1101;Banco\r\n");
        } else {
            // Built by the engine in its plain journal mode, as another program would leave it.
            sqlite3* raw = nullptr;
            QCOMPARE(sqlite3_open(archivo.toUtf8().constData(), &raw), SQLITE_OK);
            const char* sql = clase == QLatin1String("otra")
                ? "CREATE TABLE notas (id INTEGER PRIMARY KEY, texto TEXT); INSERT INTO notas VALUES (1, 'hola');"
                : "CREATE TABLE TA_CONFIGURACION (CLAVE TEXT); CREATE TABLE MA_CUENTAS (CODIGO TEXT);";
            QCOMPARE(sqlite3_exec(raw, sql, nullptr, nullptr, nullptr), SQLITE_OK);
            sqlite3_close(raw);
        }
        QFile antes(archivo);
        QVERIFY(antes.open(QIODevice::ReadOnly));
        const QByteArray bytes = antes.readAll();
        antes.close();
        const QStringList archivosAntes = QDir(dir.path()).entryList(QDir::Files);

        ScriptedDialogs d;
        d.expectMsgBox(ui::vbNo).withTitle(QStringLiteral(" Error de Conexion a Base de Datos")).containing(motivo);
        QVERIFY(abiertaPorElAdministrador(archivo, false) == ado::adStateClosed);
        QVERIFY(d.verifyDone());

        QFile despues(archivo);
        QVERIFY(despues.open(QIODevice::ReadOnly));
        QCOMPARE(despues.readAll(), bytes);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), archivosAntes);
    }

    void cadenaArmadaYPlataforma()
    {
        BaseDePrueba base;
        DB_Dll db;
        base.Abrir(db, QStringLiteral("admin"));
        QCOMPARE(db.gConnString, QStringLiteral("PROVIDER=SQLOLEDB;Server=sqlite;Database =") + base.archivo
                                     + QStringLiteral(";UId=admin;Pwd=;"));
        QCOMPARE(db.gProveedor, QStringLiteral("SQLOLEDB"));
        QCOMPARE(db.gPlataforma, Plataforma::Sqlite);
        QCOMPARE(db.gCnn.CursorLocation, 3);
        QVERIFY(!db.EsOracle());
    }

    void cadenaDadaSeUsaSinCambios()
    {
        BaseDePrueba base;
        ScriptedDialogs d;
        DB_Dll db;
        const QString dada = QStringLiteral("Provider=SQLOLEDB;Data Source=SQLITE;Initial Catalog=") + base.archivo
            + QStringLiteral(";Persist Security Info=False");
        db.gServidor = QStringLiteral("ignorado");
        db.OpenServerADODB(false, 3, dada, false);
        QCOMPARE(db.gConnString, dada);
        QCOMPARE(db.gCnn.State(), int(ado::adStateOpen));
        // The platform is the one the connection opened, not the one the server text names.
        QCOMPARE(db.gPlataforma, Plataforma::Sqlite);
        QVERIFY(d.verifyDone());
    }

    void dialogoReemplazaLaCadenaDada()
    {
        BaseDePrueba base;
        ScriptedDialogs d;
        DB_Dll db;
        db.gServidor = QStringLiteral("antes");
        db.gDBName = QStringLiteral("otra");
        db.gUsuario = QStringLiteral("admin");
        db.gUserPassWord = QStringLiteral("a;b");
        d.onModal<frmAcceso>([&](frmAcceso& f) {
            // The dialog opens on the members and on the first platform.
            [&] {
                QCOMPARE(f.TxtServidor->text(), QStringLiteral("antes"));
                QCOMPARE(f.TxtDbName->text(), QStringLiteral("otra"));
                QCOMPARE(f.TxtUserId->text(), QStringLiteral("admin"));
                QCOMPARE(f.TxtUserPassword->text(), QStringLiteral("a;b"));
                QCOMPARE(f.CboPlataformaDB->currentIndex(), 0);
            }();
            return Rellenar(QStringLiteral("sqlite"), base.archivo)(f);
        });
        db.OpenServerADODB(true, 3, QStringLiteral("Provider=SQLOLEDB;Server=x;"), true);
        QVERIFY(d.verifyDone());
        QVERIFY(db.gOpenFlag);
        QCOMPARE(db.gConnString, QStringLiteral("PROVIDER=SQLOLEDB;Server=sqlite;Database =") + base.archivo
                                     + QStringLiteral(";UId=admin;Pwd={a;b};"));
        QCOMPARE(db.gCnn.State(), int(ado::adStateOpen));
        QVERIFY(db.gEsAdmin);
    }

    void cancelarNoAbreNiMuestraNada()
    {
        ScriptedDialogs d;
        DB_Dll db;
        d.onModal<frmAcceso>(Rellenar(QStringLiteral("sqlite"), QStringLiteral("x.db"), 0, false));
        db.OpenServerADODB(true, 3, QString(), true);
        QVERIFY(d.verifyDone());
        QVERIFY(!db.gOpenFlag);
        QCOMPARE(db.gCnn.State(), int(ado::adStateClosed));
        QCOMPARE(db.gServidor, QString());   // nothing read back from a cancelled dialog
    }

    void oracleElegidoEnElDialogo()
    {
        ScriptedDialogs d;
        DB_Dll db;
        d.onModal<frmAcceso>(Rellenar(QStringLiteral("SRV"), QStringLiteral("ORCL"), 1));
        d.expectMsgBox(ui::vbNo).withTitle(QStringLiteral(" Error de Conexion a Base de Datos"));
        db.gUsuario = QStringLiteral("u");
        db.OpenServerADODB(true, 3, QString(), true);
        QVERIFY(d.verifyDone());
        QCOMPARE(db.gServidor, QStringLiteral("#SRV"));
        QCOMPARE(db.gProveedor, QStringLiteral("OraOLEDB.Oracle.1"));
        QCOMPARE(db.gConnString, QStringLiteral("Provider=OraOLEDB.Oracle.1;Data Source=ORCL;User Id=u;Password=;"));
        QCOMPARE(db.gPlataforma, Plataforma::Oracle);
        QVERIFY(!db.gOpenFlag);
    }

    void sqlServerNoQuitaElNumeral()
    {
        ScriptedDialogs d;
        DB_Dll db;
        db.gServidor = QStringLiteral("#ORA");
        db.gProveedor = QStringLiteral("OraOLEDB.Oracle.1");
        d.onModal<frmAcceso>([](frmAcceso& f) {
            f.bcAceptar->click();
            return f.result();
        });
        d.expectMsgBox(ui::vbNo);
        db.OpenServerADODB(true, 3, QString(), false);
        QVERIFY(d.verifyDone());
        QCOMPARE(db.gServidor, QStringLiteral("#ORA"));
        QCOMPARE(db.gProveedor, QStringLiteral("SQLOLEDB"));
        QVERIFY(db.gConnString.startsWith(QStringLiteral("Provider=OraOLEDB.Oracle.1;")));
    }

    // A failed open offers to try again; Yes opens the dialog, and the corrected settings connect.
    void reintentoSiYLuegoUnServidorBueno()
    {
        BaseDePrueba base;
        ScriptedDialogs d;
        DB_Dll db;
        db.gServidor = QStringLiteral("sqlite");
        db.gDBName = base.dir.filePath(QStringLiteral("no/existe/empresa.db"));
        db.gUsuario = QStringLiteral("admin");
        d.expectMsgBox(ui::vbYes)
            .withTitle(QStringLiteral(" Error de Conexion a Base de Datos"))
            .withStyle(ui::vbYesNo + ui::vbCritical)
            .containing(QStringLiteral("\r - Desea Intentarlo Nuevamente??? "));
        d.onModal<frmAcceso>(Rellenar(QStringLiteral("sqlite"), base.archivo));
        db.OpenServerADODB(false, 3, QString(), true);
        QVERIFY(d.verifyDone());
        QVERIFY(db.gOpenFlag);
        QCOMPARE(db.gCnn.State(), int(ado::adStateOpen));
        QVERIFY(db.gEsAdmin);
        QCOMPARE(db.gCnn.errors().Count(), 0);

        const QString texto = d.log().at(0).text;
        const QStringList lineas = texto.split(QLatin1Char('\r'));
        QCOMPARE(lineas.size(), 5);
        QVERIFY(lineas[0].startsWith(QStringLiteral(" Estado de Sql: ")));
        QCOMPARE(lineas[1], QStringLiteral("Numero de Error: ") + QString::number(ado::kErrOther));
        QVERIFY(lineas[2].startsWith(QStringLiteral("Descripcion: ")));
        QVERIFY(lineas[3].startsWith(QStringLiteral("Codigo Nativo: ")));
        QCOMPARE(lineas[4], QStringLiteral(" - Desea Intentarlo Nuevamente??? "));
    }

    // The operator's road through the retry loop: "si"/"no" answer the retry box, "mala"/"buena" accept the
    // dialog with a database that cannot or can be opened, "cancelar" cancels it.
    void reintento_data()
    {
        QTest::addColumn<QStringList>("respuestas");
        QTest::addColumn<bool>("conectado");
        QTest::newRow("No") << QStringList{"no"} << false;
        QTest::newRow("Yes, then cancel") << QStringList{"si", "cancelar"} << false;
        QTest::newRow("Yes, then a good server") << QStringList{"si", "buena"} << true;
        QTest::newRow("Yes twice") << QStringList{"si", "mala", "si", "buena"} << true;
        QTest::newRow("Yes, then No") << QStringList{"si", "mala", "no"} << false;
    }
    void reintento()
    {
        QFETCH(QStringList, respuestas);
        QFETCH(bool, conectado);
        BaseDePrueba base;
        ScriptedDialogs d;
        DB_Dll db;
        const QString mala = base.dir.filePath(QStringLiteral("no/existe/empresa.db"));
        db.gServidor = QStringLiteral("sqlite");
        db.gDBName = mala;
        for (const QString& r : respuestas) {
            if (r == QLatin1String("si") || r == QLatin1String("no"))
                d.expectMsgBox(r == QLatin1String("si") ? ui::vbYes : ui::vbNo);
            else
                d.onModal<frmAcceso>(Rellenar(QStringLiteral("sqlite"), r == QLatin1String("buena") ? base.archivo : mala, 0,
                                              r != QLatin1String("cancelar")));
        }
        db.OpenServerADODB(false, 3, QString(), false);
        QVERIFY(d.verifyDone());
        QCOMPARE(db.gOpenFlag, conectado);
        QCOMPARE(db.gCnn.State(), int(conectado ? ado::adStateOpen : ado::adStateClosed));
    }

    void aperturaLocal()
    {
        BaseDePrueba base;
        ScriptedDialogs d;
        DB_Dll db;
        const QString cadena = QStringLiteral("Provider=SQLOLEDB;Server=sqlite;Database=") + base.archivo;
        db.OpenLocalADODB(cadena);
        QCOMPARE(db.gCnn.State(), int(ado::adStateOpen));
        QCOMPARE(db.gConnString, cadena);
        QVERIFY(!db.gOpenFlag);   // the local opener leaves the start-up flag alone

        DB_Dll otra;
        d.expectMsgBox(ui::vbOK)
            .withStyle(ui::vbCritical + ui::vbOKOnly)
            .containing(QString::number(ado::kErrOther) + QStringLiteral("  No se puede abrir la base de datos"));
        otra.OpenLocalADODB(QStringLiteral("Provider=SQLOLEDB;Server=sqlite;Database=") + base.dir.filePath(QStringLiteral("no/hay.db")));
        QVERIFY(d.verifyDone());
        QCOMPARE(otra.gCnn.State(), int(ado::adStateClosed));
        QCOMPARE(otra.gConnString, QString());
    }

    void ventanaDeAcceso()
    {
        frmAcceso f;
        QCOMPARE(f.windowTitle(), QStringLiteral("Control de Acceso"));
        QCOMPARE(f.CboPlataformaDB->count(), 2);
        QCOMPARE(f.CboPlataformaDB->itemText(0), QStringLiteral("SQL Server"));
        QCOMPARE(f.CboPlataformaDB->itemText(1), QStringLiteral("ORACLE"));
        QCOMPARE(f.TxtUserPassword->echoMode(), QLineEdit::Password);
        QCOMPARE(f.bcAceptar->text(), QStringLiteral("Aceptar"));
        QCOMPARE(f.bcCancelar->text(), QStringLiteral("Cancelar"));
        QStringList etiquetas;
        for (const QLabel* l : f.framAcceso->findChildren<QLabel*>())
            etiquetas << l->text();
        QCOMPARE(etiquetas, (QStringList{QStringLiteral("&Servidor"), QStringLiteral("&Base de Datos"),
                                         QStringLiteral("&Usuario"), QStringLiteral("&Contraseña")}));
        QCOMPARE(f.findChild<QLabel*>(QString(), Qt::FindChildrenRecursively)->buddy(), f.TxtServidor);

        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        f.bcAceptar->click();
        QVERIFY(f.Aceptar);
        QVERIFY(!f.isVisible());
        f.show();
        QTest::keyClick(&f, Qt::Key_Escape);
        QVERIFY(!f.Aceptar);
        QVERIFY(!f.isVisible());
    }

    void objetoCompartido()
    {
        DB_Dll& a = gDB();
        QCOMPARE(&gDB(), &a);
        QVERIFY(!a.gOpenFlag);
        QCOMPARE(a.gCnn.State(), int(ado::adStateClosed));
        QCOMPARE(a.pSQLOLEDB(), QStringLiteral("SQLOLEDB"));
        QCOMPARE(a.pJETOLEDB40(), QStringLiteral("Microsoft.Jet.OLEDB.4.0"));
        QCOMPARE(a.pJETOLEDB35(), QStringLiteral("Microsoft.Jet.OLEDB.3.51"));
    }

    // The program's end closes the connection: the engine copies its journal into the company and removes it
    // (while another station still has the company open, the journal stays for it, and goes when it closes);
    // what was saved is in the company, and a later start-up road connects again.
    void cerrarAlTerminar_data()
    {
        QTest::addColumn<bool>("otraEstacion");
        QTest::newRow("alone") << false;
        QTest::newRow("another station open") << true;
    }
    void cerrarAlTerminar()
    {
        QFETCH(bool, otraEstacion);
        BaseDePrueba base;
        ScriptedDialogs d;
        DB_Dll db;
        base.Abrir(db, QStringLiteral("admin"));
        sqlite3* otra = nullptr;
        if (otraEstacion) {
            QCOMPARE(sqlite3_open(base.archivo.toUtf8().constData(), &otra), SQLITE_OK);
            QCOMPARE(sqlite3_exec(otra, "SELECT COUNT(*) FROM sqlite_master", nullptr, nullptr, nullptr), SQLITE_OK);
        }
        QVERIFY(db.EjecutaConsultaSQL(QStringLiteral("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('GUARDADA', 'si')")));
        const QString diario = base.archivo + QStringLiteral("-wal");
        QVERIFY(QFileInfo(diario).size() > 0);

        db.CerrarConexion();
        QCOMPARE(db.gCnn.State(), int(ado::adStateClosed));
        QVERIFY(!db.gOpenFlag);
        if (otra) {
            QVERIFY(QFileInfo::exists(diario));
            sqlite3_close(otra);
        }
        QVERIFY(!QFileInfo::exists(diario));
        QVERIFY(!QFileInfo::exists(base.archivo + QStringLiteral("-shm")));

        base.Abrir(db, QStringLiteral("admin"));
        QCOMPARE(db.gCnn.State(), int(ado::adStateOpen));
        QCOMPARE(db.gCnn.Query(QStringLiteral("SELECT VALOR FROM TA_CONFIGURACION WHERE CLAVE = 'GUARDADA'"))
                     .rows.value(0).value(0).toText(),
                 QStringLiteral("si"));
        db.CerrarConexion();
        QVERIFY(d.verifyDone());
    }
};

QTEST_MAIN(TstConexion)
#include "tst_data_conexion.moc"
