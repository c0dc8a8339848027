// The program and temporary folders from the environment, and the station's identity.
#include "platform/suite/Carpetas.h"
#include "platform/suite/Estacion.h"

#include "platform/ui/OperatorDialogs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

using suite::Estacion;

class TstCarpetas : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_temp = guardar("TEMP");
        m_home = guardar("CONCCUENTAS_HOME");
    }
    void cleanup()
    {
        reponer("TEMP", m_temp);
        reponer("CONCCUENTAS_HOME", m_home);
    }

    void tempSeUsaRecortado()
    {
        QTemporaryDir dir;
        qputenv("TEMP", ("  " + dir.path() + "  ").toLocal8Bit());
        QCOMPARE(suite::CarpetaTemporalDelPrograma(), dir.path() + "/");
    }
    void tempQueFaltaSeCrea()
    {
        QTemporaryDir dir;
        const QString dentro = dir.filePath("a/b");
        qputenv("TEMP", dentro.toLocal8Bit());
        QCOMPARE(suite::CarpetaTemporalDelPrograma(), dentro + "/");
        QVERIFY(QFileInfo(dentro).isDir());
    }
    void tempEnBlancoUsaLaCarpetaDeLaEstacion_data()
    {
        QTest::addColumn<bool>("definida");
        QTest::newRow("unset") << false;
        QTest::newRow("blanks only") << true;
    }
    void tempEnBlancoUsaLaCarpetaDeLaEstacion()
    {
        QFETCH(bool, definida);
        if (definida)
            qputenv("TEMP", "   ");
        else
            qunsetenv("TEMP");
        const QString carpeta = suite::CarpetaTemporalDelPrograma();
        QCOMPARE(carpeta, Estacion::CarpetaTemporal());
        QVERIFY(carpeta.startsWith(QDir::tempPath() + "/"));
        QVERIFY(carpeta.endsWith("/"));
        QVERIFY(!carpeta.endsWith("//"));
        QVERIFY(QFileInfo(carpeta).isDir());
    }

    // The per-user folder under a temporary folder of the test's own (TMPDIR): made private, and refused when
    // someone else's folder or a link stands in its place.
    void carpetaDeLaEstacionPrivada_data()
    {
        QTest::addColumn<QString>("previa");
        QTest::addColumn<bool>("usada");
        QTest::newRow("missing") << "" << true;
        QTest::newRow("ours, open to all") << "open" << true;
        QTest::newRow("another user's") << "foreign" << false;
        QTest::newRow("link to a folder of ours") << "link" << false;
        QTest::newRow("a file") << "file" << false;
    }
    void carpetaDeLaEstacionPrivada()
    {
        QFETCH(QString, previa);
        QFETCH(bool, usada);
        if (previa == "foreign" && ::geteuid() != 0)
            QSKIP("giving a folder to another user needs root");
        QTemporaryDir raiz;
        const QByteArray tmpdir = qgetenv("TMPDIR");
        qputenv("TMPDIR", raiz.path().toLocal8Bit());
        const QString propia = raiz.filePath("conccuentas-" + Estacion::UsuarioEstacion().toLower());
        const QByteArray ruta = QFile::encodeName(propia);
        if (previa == "open" || previa == "foreign") {
            QVERIFY(QDir().mkdir(propia));
            QVERIFY(::chmod(ruta.constData(), 0777) == 0);
        }
        if (previa == "foreign")
            QVERIFY(::chown(ruta.constData(), 65534, 65534) == 0);
        if (previa == "link") {
            QVERIFY(QDir().mkdir(raiz.filePath("otra")));
            QVERIFY(QFile::link(raiz.filePath("otra"), propia));
        }
        if (previa == "file") {
            QFile f(propia);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        std::optional<ui::ErrorInfo> error;
        QString carpeta;
        try {
            carpeta = Estacion::CarpetaTemporal();
        } catch (const ui::ErrorInfo& e) {
            error = e;
        }
        qputenv("TMPDIR", tmpdir);
        QCOMPARE(!error.has_value(), usada);
        if (usada) {
            QCOMPARE(carpeta, propia + "/");
            struct stat datos {};
            QVERIFY(::lstat(ruta.constData(), &datos) == 0);
            QCOMPARE(int(datos.st_mode & 0777), 0700);
        } else {
            QVERIFY2(error->description.contains(propia), qPrintable(error->description));
        }
    }

    void carpetaDelProgramaDesdeElEntorno()
    {
        QTemporaryDir dir;
        const QString home = dir.filePath("datos");
        qputenv("CONCCUENTAS_HOME", home.toLocal8Bit());
        QCOMPARE(suite::CarpetaDelPrograma(), home + "/");
        QVERIFY(QFileInfo(home).isDir());
        QCOMPARE(suite::RutaEnCarpetaDelPrograma("CN000pr.INI"), home + "/CN000pr.INI");
        QCOMPARE(suite::RutaEnCarpetaDelPrograma("/x/y.ini"), "/x/y.ini");
    }

    void identidadDeLaEstacionEnMayusculas()
    {
        const QString nombre = Estacion::NombreEstacion();
        const QString usuario = Estacion::UsuarioEstacion();
        QVERIFY(!nombre.isEmpty());
        QVERIFY(!usuario.isEmpty());
        QCOMPARE(nombre, nombre.toUpper());
        QCOMPARE(usuario, usuario.toUpper());
        const QByteArray antes = qgetenv("USER");
        qputenv("USER", "operador1");
        QCOMPARE(Estacion::UsuarioEstacion(), "OPERADOR1");
        qputenv("USER", antes);
    }

private:
    static std::optional<QByteArray> guardar(const char* variable)
    {
        return qEnvironmentVariableIsSet(variable) ? std::optional(qgetenv(variable)) : std::nullopt;
    }
    static void reponer(const char* variable, const std::optional<QByteArray>& valor)
    {
        if (valor)
            qputenv(variable, *valor);
        else
            qunsetenv(variable);
    }

    std::optional<QByteArray> m_temp;
    std::optional<QByteArray> m_home;
};

QTEST_GUILESS_MAIN(TstCarpetas)
#include "tst_suite_carpetas.moc"
