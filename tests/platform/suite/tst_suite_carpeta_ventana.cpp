// Each window's own page folder: two windows of one process, and windows of two processes, never share one;
// a window's folder goes with the window, a process's with the program's end, and what a dead process left is
// removed while what a live one holds is not.
#include "platform/ProcesoHijo.h"
#include "platform/suite/Carpetas.h"
#include "platform/suite/base/CarpetaDeVentana.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using suite::CarpetaDeVentana;

namespace {

bool escribir(const QString& ruta, const QByteArray& contenido)
{
    QFile f(ruta);
    return f.open(QIODevice::WriteOnly) && f.write(contenido) == contenido.size();
}

QByteArray leer(const QString& ruta)
{
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

int permisos(const QString& ruta)
{
    struct stat datos {};
    return ::lstat(QFile::encodeName(ruta).constData(), &datos) == 0 ? int(datos.st_mode & 07777) : -1;
}

// The process folders in the private folder.
QStringList procesos(const QString& privada)
{
    return QDir(privada).entryList({QStringLiteral("p*")}, QDir::Dirs | QDir::NoDotAndDotDot);
}

// A process number nobody has: a child's, once it has ended and been reaped.
pid_t numeroLibre()
{
    const pid_t hijo = ::fork();
    if (hijo == 0)
        ::_exit(0);
    int estado = 0;
    ::waitpid(hijo, &estado, 0);
    return hijo;
}

} // namespace

class TstCarpetaVentana : public QObject {
    Q_OBJECT

    QTemporaryDir m_raiz;
    QString m_privada;

private slots:
    void initTestCase()
    {
        QVERIFY(m_raiz.isValid());
        qputenv("TEMP", m_raiz.path().toLocal8Bit());
        m_privada = suite::CarpetaTemporalDelPrograma();
    }

    // Two windows write a page of the same name: each keeps its own, in a private folder of its own inside
    // this process's folder, and each folder goes with its window.
    void dosVentanasDeUnProceso()
    {
        QString primeraRuta;
        {
            CarpetaDeVentana primera = suite::NuevaCarpetaDeVentana();
            CarpetaDeVentana segunda = suite::NuevaCarpetaDeVentana();
            primeraRuta = primera.Ruta();
            QVERIFY(primera.Ruta() != segunda.Ruta());
            for (const CarpetaDeVentana* c : {&primera, &segunda}) {
                QVERIFY2(c->Ruta().startsWith(suite::CarpetaDelProceso(m_privada)), qPrintable(c->Ruta()));
                QVERIFY(c->Ruta().endsWith('/'));
                QCOMPARE(permisos(c->Ruta()), 0700);
            }
            QCOMPARE(permisos(suite::CarpetaDelProceso(m_privada)), 0700);
            QVERIFY(escribir(primera.Ruta() + "BSC01.htm", "A"));
            QVERIFY(escribir(segunda.Ruta() + "BSC01.htm", "B"));
            QCOMPARE(leer(primera.Ruta() + "BSC01.htm"), QByteArray("A"));
            QCOMPARE(leer(segunda.Ruta() + "BSC01.htm"), QByteArray("B"));
            segunda.Borrar();
            QVERIFY(!segunda.Existe());
            QVERIFY(QFileInfo::exists(primera.Ruta() + "BSC01.htm"));
        }
        QVERIFY(!QFileInfo::exists(primeraRuta));
        // The process's folder stays for its next windows.
        QVERIFY(QFileInfo(suite::CarpetaDelProceso(m_privada)).isDir());
        QCOMPARE(procesos(m_privada).size(), 1);
    }

    // Another process of the same user gets a process folder of its own; its windows never land in ours.
    void otroProcesoTieneSuCarpeta()
    {
        const QString nuestra = suite::CarpetaDelProceso(m_privada);
        CarpetaDeVentana propia = suite::NuevaCarpetaDeVentana();
        QVERIFY(escribir(propia.Ruta() + "BSC01.htm", "nuestra"));
        const ProcesoHijo::Fin fin = ProcesoHijo::Ejecutar([] {
            CarpetaDeVentana suya = suite::NuevaCarpetaDeVentana();
            escribir(suya.Ruta() + "BSC01.htm", "suya");
            return suya.Ruta();
        });
        QCOMPARE(fin.codigo, 0);
        QVERIFY2(!fin.texto.startsWith(nuestra), qPrintable(fin.texto));
        QVERIFY2(fin.texto.startsWith(m_privada + "p"), qPrintable(fin.texto));
        QCOMPARE(leer(propia.Ruta() + "BSC01.htm"), QByteArray("nuestra"));
    }

    // What processes that no longer run left behind goes; a running process's folder stays, and so does one
    // whose lock is held, whatever number it carries; so does anything that is not a process folder.
    void restosDeProcesosTerminados()
    {
        const QString nuestra = suite::CarpetaDelProceso(m_privada);
        CarpetaDeVentana propia = suite::NuevaCarpetaDeVentana();
        QVERIFY(escribir(propia.Ruta() + "BSC01.htm", "nuestra"));

        // A process that ended without removing its folder (the child leaves by _exit).
        const ProcesoHijo::Fin muerto = ProcesoHijo::Ejecutar([] {
            CarpetaDeVentana suya = suite::NuevaCarpetaDeVentana();
            escribir(suya.Ruta() + "BSC01.htm", "suya");
            return suite::CarpetaDelProceso(suite::CarpetaTemporalDelPrograma());
        });
        QVERIFY(QFileInfo(muerto.texto).isDir());

        // A running process: it holds its folder until told to go.
        ProcesoHijo::Vivo vivo([this] { return suite::CarpetaDelProceso(m_privada); });
        QVERIFY(vivo.pid() > 0);
        const QString delVivo = vivo.texto();
        QVERIFY(!delVivo.isEmpty());

        // A folder with a free number whose lock is held (a process seen under another number) and another
        // that nobody holds; a link named like a process folder, to a folder of ours.
        const pid_t libre = numeroLibre();
        const QString retenida = m_privada + QStringLiteral("p%1-aaaaaa").arg(libre);
        const QString suelta = m_privada + QStringLiteral("p%1-bbbbbb").arg(libre);
        QVERIFY(QDir().mkdir(retenida) && QDir().mkdir(suelta));
        QVERIFY(escribir(suelta + "/BSC01.htm", "x"));
        const int fd = ::open(QFile::encodeName(retenida).constData(), O_RDONLY | O_DIRECTORY);
        QVERIFY(fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0);
        QTemporaryDir ajena;
        QVERIFY(escribir(ajena.filePath("guardado.txt"), "guardado"));
        const QString enlace = m_privada + QStringLiteral("p%1-cccccc").arg(libre);
        QVERIFY(QFile::link(ajena.path(), enlace));
        QVERIFY(QDir().mkdir(m_privada + "otra-cosa"));

        suite::BorrarCarpetasAbandonadas(m_privada);
        QVERIFY(!QFileInfo::exists(muerto.texto));
        QVERIFY(!QFileInfo::exists(suelta));
        QVERIFY(QFileInfo(delVivo).isDir());
        QVERIFY(QFileInfo(retenida).isDir());
        QVERIFY(QFileInfo(nuestra).isDir());
        QCOMPARE(leer(propia.Ruta() + "BSC01.htm"), QByteArray("nuestra"));
        QCOMPARE(leer(ajena.filePath("guardado.txt")), QByteArray("guardado"));
        QVERIFY(QFileInfo(m_privada + "otra-cosa").isDir());

        // Once they are gone, so are their folders.
        vivo.Terminar();
        ::close(fd);
        suite::BorrarCarpetasAbandonadas(m_privada);
        QVERIFY(!QFileInfo::exists(delVivo));
        QVERIFY(!QFileInfo::exists(retenida));
        QVERIFY(QFileInfo(nuestra).isDir());
        QFile::remove(enlace);
    }

    // A check that fails while a live child waits leaves the test function at once: the child still ends with
    // it and is reaped, instead of running on with the test's output open until the run is stopped.
    void unHijoVivoNoSobreviveASuPrueba()
    {
        pid_t hijo = -1;
        {
            ProcesoHijo::Vivo vivo([] { return QStringLiteral("listo"); });
            hijo = vivo.pid();
            QCOMPARE(vivo.texto(), QStringLiteral("listo"));
            // The test function is left here, as a failed check leaves it.
        }
        QVERIFY(hijo > 0);
        errno = 0;
        QCOMPARE(::waitpid(hijo, nullptr, WNOHANG), pid_t(-1));   // reaped already: no such child
        QCOMPARE(errno, ECHILD);
    }

    // A new process sweeps on its first window; the program's end removes all of its own.
    void elFinDelProgramaLoBorraTodo()
    {
        const ProcesoHijo::Fin fin = ProcesoHijo::Ejecutar([] {
            CarpetaDeVentana* olvidada = new CarpetaDeVentana(suite::NuevaCarpetaDeVentana());   // never let go
            escribir(olvidada->Ruta() + "Style.css", "css");
            std::exit(0);
            return QString();
        });
        QCOMPARE(fin.codigo, 0);
        // Only ours is left.
        QCOMPARE(procesos(m_privada), QStringList{QFileInfo(suite::CarpetaDelProceso(m_privada).chopped(1)).fileName()});
        suite::BorrarCarpetasDelProceso();
        QVERIFY(procesos(m_privada).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TstCarpetaVentana)
#include "tst_suite_carpeta_ventana.moc"
