// The error log line, byte for byte, and where the log lives.
#include "data/RegistroErrores.h"

#include <QStandardPaths>
#include <QTest>

class TstRegistroErrores : public QObject {
    Q_OBJECT
private slots:
    void nombreRespuesta_data()
    {
        QTest::addColumn<int>("respuesta");
        QTest::addColumn<QString>("nombre");
        QTest::newRow("retry") << 4 << "Reintentar";
        QTest::newRow("ignore") << 5 << "Ignorar";
        QTest::newRow("abort") << 3 << "Abortar";
        QTest::newRow("cancel") << 2 << "Cancelar";
        QTest::newRow("yes") << 6 << QStringLiteral("Sí");
        QTest::newRow("no") << 7 << "No";
        QTest::newRow("ok") << 1 << "";
        QTest::newRow("none") << 0 << "";
    }
    void nombreRespuesta()
    {
        QFETCH(int, respuesta);
        QFETCH(QString, nombre);
        QCOMPARE(registro::NombreRespuesta(respuesta), nombre);
    }

    void linea_data()
    {
        QTest::addColumn<QString>("parteRutina");
        QTest::addColumn<int>("respuesta");
        QTest::addColumn<QString>("esperada");
        QTest::newRow("with routine")
            << " - Cfg" << 4
            << "03-07-2024 09:05:01 Rutina: - Cfg Mensaje Ha ocurrido el Siguiente Error (-2147217900) Falla "
               "Respondió : Reintentar\r\n";
        QTest::newRow("without routine: two blanks")
            << "" << 1
            << "03-07-2024 09:05:01 Rutina:  Mensaje Ha ocurrido el Siguiente Error (-2147217900) Falla Respondió : \r\n";
    }
    void linea()
    {
        QFETCH(QString, parteRutina);
        QFETCH(int, respuesta);
        QFETCH(QString, esperada);
        const QDateTime momento(QDate(2024, 3, 7), QTime(9, 5, 1));
        QCOMPARE(registro::Linea(momento, parteRutina, QStringLiteral("  Ha ocurrido el Siguiente Error (-2147217900) Falla "),
                                 respuesta),
                 esperada);
    }

    void archivoEnWindows1252ConCrLf()
    {
        QTemporaryDir dir;
        const QString archivo = dir.filePath(QStringLiteral("log.txt"));
        const QDateTime momento(QDate(2024, 12, 31), QTime(23, 59, 59));
        QVERIFY(registro::Agregar(archivo, registro::Linea(momento, QString(), QStringLiteral("uno"), 6)));
        QVERIFY(registro::Agregar(archivo, registro::Linea(momento, QStringLiteral(" - X"), QStringLiteral("dos"), 7)));
        QFile f(archivo);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray esperado = QByteArray("12-31-2024 23:59:59 Rutina:  Mensaje uno Respondi\xf3 : S\xed\r\n"
                                               "12-31-2024 23:59:59 Rutina: - X Mensaje dos Respondi\xf3 : No\r\n");
        QCOMPARE(f.readAll(), esperado);
    }

    void archivoQueNoSePuedeEscribir()
    {
        QTemporaryDir dir;
        QVERIFY(!registro::Agregar(dir.filePath(QStringLiteral("no/such/folder/QXERR.LOG")), QStringLiteral("x\r\n")));
    }

    void archivoPorDefectoEnLaCarpetaDelPrograma()
    {
        QTemporaryDir dir;
        const QString carpeta = dir.filePath(QStringLiteral("home/conc"));
        qputenv("CONCCUENTAS_HOME", carpeta.toUtf8());
        QCOMPARE(registro::Archivo(QString()), carpeta + QStringLiteral("/QXERR.LOG"));
        QVERIFY(QFileInfo(carpeta).isDir());   // created when missing
        QCOMPARE(registro::Archivo(QStringLiteral("/tmp/otro.log")), QStringLiteral("/tmp/otro.log"));
        qunsetenv("CONCCUENTAS_HOME");
        QStandardPaths::setTestModeEnabled(true);
        const QString porDefecto = registro::Archivo(QString());
        QCOMPARE(porDefecto, QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation)
                                 + QStringLiteral("/QXERR.LOG"));
        QVERIFY(QFileInfo(QFileInfo(porDefecto).path()).isDir());
    }
};

QTEST_GUILESS_MAIN(TstRegistroErrores)
#include "tst_data_registro_errores.moc"
