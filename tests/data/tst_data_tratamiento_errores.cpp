// The shared error box: what it shows, what it writes to the error log, and what it returns.
#include "data/DB_Dll.h"
#include "platform/ui/ScriptedDialogs.h"

#include <QRegularExpression>
#include <QStringEncoder>
#include <QTest>

using ui::ScriptedDialogs;

namespace {

QByteArray Leer(const QString& archivo)
{
    QFile f(archivo);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

const ui::ErrorInfo kError{ado::kErrOther, QStringLiteral("  Fallo de la red  "), QStringLiteral("Proveedor")};

} // namespace

class TstTratamientoErrores : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
private slots:
    void init() { qputenv("CONCCUENTAS_HOME", dir.path().toUtf8()); QFile::remove(dir.filePath("QXERR.LOG")); }

    void tratamiento_data()
    {
        QTest::addColumn<QString>("rutina");
        QTest::addColumn<int>("botones");
        QTest::addColumn<int>("respuesta");
        QTest::addColumn<QString>("titulo");
        QTest::addColumn<QString>("finDeLinea");
        QTest::newRow("routine Cfg, retry")
            << "Cfg" << 18 << 4 << "Proveedor - Cfg Aviso al operador!!! "
            << " Rutina: - Cfg Mensaje Ha ocurrido el Siguiente Error (-2147467259) Fallo de la red Respondió : Reintentar\r\n";
        QTest::newRow("no routine, ignore")
            << "" << 18 << 5 << "Proveedor Aviso al operador!!! "
            << " Rutina:  Mensaje Ha ocurrido el Siguiente Error (-2147467259) Fallo de la red Respondió : Ignorar\r\n";
        QTest::newRow("OK button logs no answer name")
            << "GrabaDfg" << 0 << 1 << "Proveedor - GrabaDfg Aviso al operador!!! "
            << " Rutina: - GrabaDfg Mensaje Ha ocurrido el Siguiente Error (-2147467259) Fallo de la red Respondió : \r\n";
        QTest::newRow("yes")
            << "X" << 4 << 6 << "Proveedor - X Aviso al operador!!! "
            << " Rutina: - X Mensaje Ha ocurrido el Siguiente Error (-2147467259) Fallo de la red Respondió : Sí\r\n";
    }
    void tratamiento()
    {
        QFETCH(QString, rutina);
        QFETCH(int, botones);
        QFETCH(int, respuesta);
        QFETCH(QString, titulo);
        QFETCH(QString, finDeLinea);
        ScriptedDialogs d;
        d.expectMsgBox(respuesta)
            .withText(QStringLiteral("Ha ocurrido el Siguiente Error (-2147467259) Fallo de la red"))
            .withTitle(titulo)
            .withStyle(botones);
        DB_Dll db;
        QCOMPARE(db.TratamientoErrores(kError, botones, rutina), respuesta);
        QVERIFY(d.verifyDone());
        const QByteArray linea = Leer(dir.filePath(QStringLiteral("QXERR.LOG")));
        QVERIFY(QRegularExpression(QStringLiteral("^\\d\\d-\\d\\d-\\d{4} \\d\\d:\\d\\d:\\d\\d$"))
                    .match(QString::fromLatin1(linea.left(19)))
                    .hasMatch());
        QStringEncoder cp1252("windows-1252");
        QCOMPARE(linea.mid(19), QByteArray(cp1252.encode(finDeLinea)));
    }

    void fechaDelRegistroEsDeHoy()
    {
        ScriptedDialogs d;
        d.expectMsgBox(ui::vbAbort);
        DB_Dll db;
        db.TratamientoErrores(kError);
        const QString hoy = QDate::currentDate().toString(QStringLiteral("MM-dd-yyyy"));
        QVERIFY(Leer(dir.filePath(QStringLiteral("QXERR.LOG"))).startsWith(hoy.toLatin1()));
    }

    void errorCeroNoMuestraNiRegistra()
    {
        ScriptedDialogs d;
        DB_Dll db;
        QCOMPARE(db.TratamientoErrores(ui::ErrorInfo{0, QStringLiteral("nada"), QStringLiteral("x")}), 0);
        QVERIFY(d.verifyDone());
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("QXERR.LOG"))));
    }

    void registroQueNoSePuedeEscribir()
    {
        ScriptedDialogs d;
        d.expectMsgBox(ui::vbIgnore);
        DB_Dll db;
        db.ArchivoErrores(ado::Variant(dir.path()));   // a folder: cannot be opened as a file
        QCOMPARE(db.ArchivoErrores(), dir.path());
        QCOMPARE(db.TratamientoErrores(kError), int(ui::vbIgnore));
        QVERIFY(d.verifyDone());
    }

    void archivoElegido()
    {
        ScriptedDialogs d;
        d.expectMsgBox(ui::vbAbort);
        DB_Dll db;
        const QString archivo = dir.filePath(QStringLiteral("otro.log"));
        db.ArchivoErrores(archivo);
        db.TratamientoErrores(kError, 18, QStringLiteral("Cfg"));
        QVERIFY(Leer(archivo).endsWith("Respondi\xf3 : Abortar\r\n"));
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("QXERR.LOG"))));
    }

    // A routine that reports through the box: Retry runs the step again, Ignore goes on; each answer logged.
    void rutinaConTratamientoErrores()
    {
        ScriptedDialogs d;
        d.expectMsgBox(ui::vbRetry).withTitle(QStringLiteral("Proveedor - VerificaCampos Aviso al operador!!! "));
        d.expectMsgBox(ui::vbIgnore);
        DB_Dll db;
        ui::Routine r(QStringLiteral("VerificaCampos"), db.ConTratamientoErrores());
        int intentos = 0;
        bool siguiente = false;
        r.step([&] {
            ++intentos;
            throw ado::Error(ado::kErrOther, QStringLiteral("Fallo de la red"), QStringLiteral("Proveedor"));
        });
        r.step([&] { siguiente = true; });
        QCOMPARE(intentos, 2);
        QVERIFY(siguiente);
        QVERIFY(d.verifyDone());
        QCOMPARE(QString::fromLatin1(Leer(dir.filePath(QStringLiteral("QXERR.LOG")))).count(QStringLiteral("- VerificaCampos")), 2);
    }
};

QTEST_MAIN(TstTratamientoErrores)
#include "tst_data_tratamiento_errores.moc"
