// Windows' own page folders: made, removed with their window, removed with their process, and swept when their
// process died without removing them.

#include "CarpetaDeVentana.h"

#include "platform/ado/Error.h"

#include <QDir>
#include <QFile>
#include <QMutex>
#include <QRegularExpression>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace suite {

namespace {

constexpr qint64 kErrorDeAcceso = 75;   // path/file access error

[[noreturn]] void fallar(const QString& carpeta, int numero)
{
    throw ado::Error(kErrorDeAcceso, QStringLiteral("No se pudo crear la carpeta temporal %1 de la ventana: %2.")
                                         .arg(QDir::toNativeSeparators(carpeta),
                                              QString::fromLocal8Bit(std::strerror(numero))));
}

struct CarpetaDeProceso {
    QString privada;   // the private folder it is in
    QString ruta;      // ends in "/"
    int bloqueo = -1;  // the open folder holding the lock
};

// This process's folders. A child made by fork starts with none of its own: its parent's are its parent's.
struct Registro {
    QMutex mutex;
    pid_t pid = 0;
    std::vector<CarpetaDeProceso> carpetas;
    int ventanas = 0;

    void Adoptar()
    {
        if (pid == ::getpid())
            return;
        for (const CarpetaDeProceso& c : carpetas)
            ::close(c.bloqueo);
        carpetas.clear();
        ventanas = 0;
        pid = ::getpid();
    }
    void BorrarTodas()
    {
        if (pid != ::getpid())
            return;
        for (const CarpetaDeProceso& c : carpetas) {
            QDir(c.ruta).removeRecursively();
            ::close(c.bloqueo);
        }
        carpetas.clear();
    }
    // The program's end.
    ~Registro() { BorrarTodas(); }
};

Registro& registro()
{
    static Registro r;
    return r;
}

QString conBarra(const QString& carpeta)
{
    return carpeta.endsWith(QLatin1Char('/')) ? carpeta : carpeta + QLatin1Char('/');
}

bool procesoVive(pid_t pid)
{
    return pid > 0 && (::kill(pid, 0) == 0 || errno == EPERM);
}

// Opens the folder `ruta` itself (never a link in its place) and takes its lock without waiting; -1 when it is
// not a folder or somebody holds it.
int abrirYBloquear(const QByteArray& ruta)
{
    const int fd = ::open(ruta.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return -1;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

CarpetaDeProceso crearCarpetaDeProceso(const QString& privada)
{
    QByteArray plantilla = QFile::encodeName(privada + QStringLiteral("p%1-XXXXXX").arg(::getpid()));
    if (::mkdtemp(plantilla.data()) == nullptr)
        fallar(QFile::decodeName(plantilla), errno);
    const int fd = abrirYBloquear(plantilla);
    if (fd < 0) {
        const int numero = errno;
        ::rmdir(plantilla.constData());
        fallar(QFile::decodeName(plantilla), numero);
    }
    return CarpetaDeProceso{privada, QFile::decodeName(plantilla) + QLatin1Char('/'), fd};
}

} // namespace

QString CarpetaDelProceso(const QString& privadaDada)
{
    const QString privada = conBarra(privadaDada);
    Registro& r = registro();
    QString ruta;
    {
        QMutexLocker cerrado(&r.mutex);
        r.Adoptar();
        for (const CarpetaDeProceso& c : r.carpetas)
            if (c.privada == privada)
                return c.ruta;
        r.carpetas.push_back(crearCarpetaDeProceso(privada));
        ruta = r.carpetas.back().ruta;
    }
    BorrarCarpetasAbandonadas(privada);
    return ruta;
}

void BorrarCarpetasAbandonadas(const QString& privada)
{
    static const QRegularExpression nombre(QStringLiteral("^p([1-9][0-9]*)-[A-Za-z0-9]{6}$"));
    QDir carpeta(privada);
    const QStringList entradas = carpeta.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    for (const QString& entrada : entradas) {
        const QRegularExpressionMatch m = nombre.match(entrada);
        if (!m.hasMatch())
            continue;
        bool ok = false;
        const qint64 pid = m.captured(1).toLongLong(&ok);
        if (!ok || pid > std::numeric_limits<pid_t>::max() || procesoVive(pid_t(pid)))
            continue;
        const QString ruta = carpeta.filePath(entrada);
        const QByteArray nativa = QFile::encodeName(ruta);
        struct stat datos {};
        if (::lstat(nativa.constData(), &datos) != 0 || !S_ISDIR(datos.st_mode) || datos.st_uid != ::geteuid())
            continue;
        // Whoever still holds the lock lives, whatever its number says here.
        const int fd = abrirYBloquear(nativa);
        if (fd < 0)
            continue;
        QDir(ruta).removeRecursively();
        ::close(fd);
    }
}

void BorrarCarpetasDelProceso()
{
    Registro& r = registro();
    QMutexLocker cerrado(&r.mutex);
    r.BorrarTodas();
}

CarpetaDeVentana::CarpetaDeVentana(const QString& privada)
{
    const QString proceso = CarpetaDelProceso(privada);
    Registro& r = registro();
    QMutexLocker cerrado(&r.mutex);
    for (;;) {
        const QString ruta = proceso + QStringLiteral("v%1").arg(++r.ventanas);
        if (::mkdir(QFile::encodeName(ruta).constData(), 0700) == 0) {
            m_ruta = ruta + QLatin1Char('/');
            m_pid = ::getpid();
            return;
        }
        if (errno != EEXIST)
            fallar(ruta, errno);
    }
}

CarpetaDeVentana::~CarpetaDeVentana()
{
    Borrar();
}

CarpetaDeVentana::CarpetaDeVentana(CarpetaDeVentana&& otra) noexcept
    : m_ruta(std::exchange(otra.m_ruta, QString())), m_pid(otra.m_pid)
{
}

CarpetaDeVentana& CarpetaDeVentana::operator=(CarpetaDeVentana&& otra) noexcept
{
    if (this != &otra) {
        Borrar();
        m_ruta = std::exchange(otra.m_ruta, QString());
        m_pid = otra.m_pid;
    }
    return *this;
}

void CarpetaDeVentana::Borrar()
{
    if (m_ruta.isEmpty())
        return;
    // A child made by fork leaves its parent's windows alone.
    if (m_pid == ::getpid())
        QDir(m_ruta).removeRecursively();
    m_ruta.clear();
}

} // namespace suite
