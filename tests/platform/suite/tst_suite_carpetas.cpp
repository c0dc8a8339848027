// The program and temporary folders from the environment, and the station's identity.
#include "platform/ProcesoHijo.h"
#include "platform/ado/Error.h"
#include "platform/suite/Carpetas.h"
#include "platform/suite/Estacion.h"

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

    // TEMP names a temporary folder: the pages go into this user's own folder inside it.
    void tempSeUsaRecortado()
    {
        QTemporaryDir dir;
        qputenv("TEMP", ("  " + dir.path() + "  ").toLocal8Bit());
        QCOMPARE(suite::CarpetaTemporalDelPrograma(), propiaEn(dir.path()) + "/");
        QVERIFY(QFileInfo(propiaEn(dir.path())).isDir());
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
        QTemporaryDir raiz;
        const std::optional<QByteArray> tmpdir = guardar("TMPDIR");
        qputenv("TMPDIR", raiz.path().toLocal8Bit());
        if (definida)
            qputenv("TEMP", "   ");
        else
            qunsetenv("TEMP");
        const QString carpeta = suite::CarpetaTemporalDelPrograma();
        const QString estacion = Estacion::CarpetaTemporal();
        reponer("TMPDIR", tmpdir);
        QCOMPARE(carpeta, estacion);
        QCOMPARE(carpeta, propiaEn(raiz.path()) + "/");
        QVERIFY(QFileInfo(carpeta).isDir());
    }

    // One rule for every temporary folder, whichever variable names it (TMPDIR for the station's folder, TEMP
    // for the pages): the folder named must be absolute, exist, be a folder this user can write that others
    // cannot empty, and this user's own folder inside it must be a real private folder. Otherwise one message
    // names the folder and the fault, and nothing is made anywhere else.
    void unaReglaParaCadaCarpetaTemporal_data()
    {
        QTest::addColumn<QString>("variable");
        QTest::addColumn<QString>("forma");
        QTest::addColumn<QString>("falla");   // "" when the folder is used
        for (const char* variable : {"TMPDIR", "TEMP"}) {
            const auto fila = [&](const char* forma, const char* falla) {
                QTest::addRow("%s: %s", variable, forma) << variable << forma << falla;
            };
            fila("missing", "no existe");
            fila("relative", "no es una ruta absoluta");
            fila("a file in place of the folder", "no es una carpeta");
            fila("not writable", "no permite escribir a este usuario");
            fila("open to all without sticky bit", "está abierta a otros usuarios (permisos 0777)");
            fila("open to all with sticky bit", "");
            fila("another user's", "pertenece a otro usuario");
            fila("own folder missing", "");
            fila("own folder readable by others", "");
            fila("own folder open to all", "está abierta a otros usuarios (permisos 0777)");
            fila("own folder a link", "es un enlace, no una carpeta");
            fila("own folder a file", "es un archivo, no una carpeta");
            fila("own folder another user's", "pertenece a otro usuario");
            // The folder is resolved once: the one checked is the one the pages go into.
            fila("link then .. out of a folder open to all", "");
            fila("link then .. into a folder open to all", "está abierta a otros usuarios (permisos 0777)");
            fila("a link to a safe folder", "");
            fila("a link to a folder open to all", "está abierta a otros usuarios (permisos 0777)");
            fila(". and .. segments", "");
        }
    }
    void unaReglaParaCadaCarpetaTemporal()
    {
        QFETCH(QString, variable);
        QFETCH(QString, forma);
        QFETCH(QString, falla);
        const bool root = ::geteuid() == 0;
        if (forma.contains("another user's") && !root)
            QSKIP("giving a folder to another user needs root");
        QTemporaryDir raiz;
        // Reachable by the user without privileges that writes nothing here.
        QVERIFY(::chmod(QFile::encodeName(raiz.path()).constData(), 0755) == 0);
        QString base = raiz.filePath("base");
        QVERIFY(QDir().mkdir(base));
        QVERIFY(modo(base, 0700));
        const QString propia = propiaEn(base);
        bool sinPrivilegios = false;
        QString nombrada = base;   // the folder the message must name
        QString usada = base;      // the folder the private folder goes into
        const auto carpetaCon = [&](const QString& nombre, mode_t permisos) {
            const QString ruta = raiz.filePath(nombre);
            return QDir().mkpath(ruta) && modo(ruta, permisos) ? ruta : QString();
        };
        const auto enlace = [&](const QString& destino, const QString& nombre) {
            return QFile::link(destino, nombre) ? nombre : QString();
        };
        if (forma == "missing") {
            base = raiz.filePath("no-existe");
            nombrada = base;
        } else if (forma == "relative") {
            QVERIFY(QDir::setCurrent(raiz.path()));
            base = "base";
            nombrada = base;
        } else if (forma == "a file in place of the folder") {
            base = raiz.filePath("archivo");
            nombrada = base;
            QFile f(base);
            QVERIFY(f.open(QIODevice::WriteOnly));
        } else if (forma == "not writable") {
            // Root may write any folder: the piece runs as a user without privileges, to whom it is closed.
            QVERIFY(modo(base, root ? 0755 : 0555));
            sinPrivilegios = true;
        } else if (forma == "open to all without sticky bit") {
            QVERIFY(modo(base, 0777));
        } else if (forma == "open to all with sticky bit") {
            QVERIFY(modo(base, 01777));
        } else if (forma == "another user's") {
            QVERIFY(::chown(QFile::encodeName(base).constData(), ProcesoHijo::kNadie, ProcesoHijo::kNadie) == 0);
        } else if (forma == "link then .. out of a folder open to all") {
            // The text names the open folder; the system reaches the safe one.
            const QString abierta = carpetaCon("abierta", 0777);
            QVERIFY(!carpetaCon("segura/dentro", 0700).isEmpty());
            QVERIFY(!enlace(raiz.filePath("segura/dentro"), abierta + "/lnk").isEmpty());
            base = abierta + "/lnk/..";
            nombrada = base;
            usada = raiz.filePath("segura");
        } else if (forma == "link then .. into a folder open to all") {
            QVERIFY(!carpetaCon("abierta/dentro", 0700).isEmpty());
            QVERIFY(modo(raiz.filePath("abierta"), 0777));
            QVERIFY(!enlace(raiz.filePath("abierta/dentro"), base + "/lnk").isEmpty());
            base = base + "/lnk/..";
            nombrada = base;
        } else if (forma == "a link to a safe folder") {
            base = enlace(base, raiz.filePath("lnk"));
            QVERIFY(!base.isEmpty());
            nombrada = base;
            usada = raiz.filePath("base");
        } else if (forma == "a link to a folder open to all") {
            base = enlace(carpetaCon("abierta", 0777), raiz.filePath("lnk"));
            QVERIFY(!base.isEmpty());
            nombrada = base;
        } else if (forma == ". and .. segments") {
            QVERIFY(!carpetaCon("base/sub", 0700).isEmpty());
            base = base + "/./sub/..";
            nombrada = base;
            usada = raiz.filePath("base");
        } else if (forma.startsWith("own folder")) {
            nombrada = propia;
            const QByteArray ruta = QFile::encodeName(propia);
            if (forma == "own folder readable by others" || forma == "own folder open to all"
                || forma == "own folder another user's") {
                QVERIFY(QDir().mkdir(propia));
                QVERIFY(modo(propia, forma == "own folder readable by others" ? 0755 : 0777));
            }
            if (forma == "own folder another user's")
                QVERIFY(::chown(ruta.constData(), ProcesoHijo::kNadie, ProcesoHijo::kNadie) == 0);
            if (forma == "own folder a link") {
                QVERIFY(QDir().mkdir(raiz.filePath("otra")));
                QVERIFY(QFile::link(raiz.filePath("otra"), propia));
            }
            if (forma == "own folder a file") {
                QFile f(propia);
                QVERIFY(f.open(QIODevice::WriteOnly));
            }
        }
        const QString enLaRaiz = "/" + QFileInfo(propia).fileName();
        const bool habiaEnLaRaiz = QFileInfo::exists(enLaRaiz);
        const std::optional<QByteArray> tmpdir = guardar("TMPDIR");
        if (variable == "TEMP") {
            qputenv("TEMP", base.toLocal8Bit());
        } else {
            qunsetenv("TEMP");
            qputenv("TMPDIR", base.toLocal8Bit());
        }
        // "" and the folder when used, else the message.
        const ProcesoHijo::Fin fin = ProcesoHijo::Ejecutar(
            [] {
                try {
                    return "\n" + suite::CarpetaTemporalDelPrograma();
                } catch (const ado::Error& e) {
                    return QString::number(e.Number) + " " + e.Description;
                }
            },
            sinPrivilegios ? std::function<void()>(ProcesoHijo::SinPrivilegios) : std::function<void()>());
        reponer("TMPDIR", tmpdir);
        QDir::setCurrent(QDir::rootPath());
        QCOMPARE(fin.codigo, 0);
        if (falla.isEmpty()) {
            QCOMPARE(fin.texto, "\n" + propiaEn(usada) + "/");
            struct stat datos {};
            QVERIFY(::lstat(QFile::encodeName(propiaEn(usada)).constData(), &datos) == 0);
            QVERIFY(S_ISDIR(datos.st_mode));
            QCOMPARE(int(datos.st_mode & 07777), 0700);
        } else {
            QVERIFY2(fin.texto.startsWith("75 La carpeta temporal " + nombrada), qPrintable(fin.texto));
            QVERIFY2(fin.texto.contains(falla), qPrintable(fin.texto));
            if (nombrada == base)
                QVERIFY2(fin.texto.contains(", que nombra " + variable + ","), qPrintable(fin.texto));
        }
        // Nothing made in the root of the file system, in the working folder or beside the folder refused.
        QCOMPARE(QFileInfo::exists(enLaRaiz), habiaEnLaRaiz);
        if (!falla.isEmpty() && nombrada == base)
            QVERIFY(!QFileInfo::exists(QDir(raiz.path()).filePath(base + "/" + QFileInfo(propia).fileName())));
        if (forma == "missing")
            QVERIFY(!QFileInfo::exists(base));
        // Nothing in the folder the text names when the system reaches another.
        if (QFileInfo(QDir::cleanPath(base)).canonicalFilePath() != QFileInfo(usada).canonicalFilePath())
            QVERIFY(!QFileInfo::exists(propiaEn(QDir::cleanPath(base))));
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
    static QString propiaEn(const QString& base)
    {
        return QDir(base).filePath("conccuentas-" + Estacion::UsuarioEstacion().toLower());
    }
    static bool modo(const QString& carpeta, mode_t permisos)
    {
        return ::chmod(QFile::encodeName(carpeta).constData(), permisos) == 0;
    }
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
