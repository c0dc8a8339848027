#include "CarpetaTemporalPrivada.h"

#include "platform/ado/Error.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace suite {

namespace {

constexpr qint64 kErrorDeAcceso = 75;   // path/file access error

QString textoDelSistema(int numero)
{
    return QString::fromLocal8Bit(std::strerror(numero));
}

QString permisos(mode_t modo)
{
    return QStringLiteral("0%1").arg(modo & 07777, 3, 8, QLatin1Char('0'));
}

[[noreturn]] void rechazar(const QString& carpeta, const QString& variable, const QString& falla)
{
    const QString nombrada = variable.isEmpty() ? QString() : QStringLiteral(", que nombra %1,").arg(variable);
    throw ado::Error(kErrorDeAcceso, QStringLiteral("La carpeta temporal %1%2 %3. El programa no escribe allí sus "
                                                    "archivos temporales.")
                                         .arg(QDir::toNativeSeparators(carpeta), nombrada, falla));
}

bool seEscribe(const QByteArray& ruta)
{
    return ::faccessat(AT_FDCWD, ruta.constData(), W_OK | X_OK, AT_EACCESS) == 0;
}

// The folder the environment names: the program makes nothing here, it only needs it to be a place where the
// private folder can be made and where nobody else can take that folder away or put another in its place. It is
// resolved once (links and "." and ".." segments) and the folder checked is the folder used: a name like
// "<open folder>/link/.." reaches one folder through the system and another as text. Returns the resolved
// folder.
QString revisarBase(const QString& base, const QString& variable)
{
    if (!QDir::isAbsolutePath(base))
        rechazar(base, variable, QStringLiteral("no es una ruta absoluta"));
    char* resuelta = ::realpath(QFile::encodeName(base).constData(), nullptr);
    if (resuelta == nullptr) {
        const int numero = errno;
        rechazar(base, variable, numero == ENOENT || numero == ENOTDIR
                                     ? QStringLiteral("no existe")
                                     : QStringLiteral("no se puede leer: %1").arg(textoDelSistema(numero)));
    }
    const QByteArray ruta(resuelta);
    std::free(resuelta);
    const QString real = QFile::decodeName(ruta);
    // The message names the folder as given, and where it leads when that is elsewhere.
    const QString nombrada = real == QDir::cleanPath(base)
                                 ? base
                                 : QStringLiteral("%1 (que lleva a %2)").arg(base, QDir::toNativeSeparators(real));
    struct stat datos {};
    if (::stat(ruta.constData(), &datos) != 0)
        rechazar(nombrada, variable, QStringLiteral("no se puede leer: %1").arg(textoDelSistema(errno)));
    if (!S_ISDIR(datos.st_mode))
        rechazar(nombrada, variable, QStringLiteral("no es una carpeta: hay un archivo con ese nombre"));
    if (!seEscribe(ruta))
        rechazar(nombrada, variable, QStringLiteral("no permite escribir a este usuario"));
    if ((datos.st_mode & (S_IWGRP | S_IWOTH)) != 0 && (datos.st_mode & S_ISVTX) == 0)
        rechazar(nombrada, variable,
                 QStringLiteral("está abierta a otros usuarios (permisos %1) sin el bit que les impide borrar o "
                                "reemplazar lo que no es suyo (sticky)")
                     .arg(permisos(datos.st_mode)));
    if (datos.st_uid != ::geteuid() && datos.st_uid != 0)
        rechazar(nombrada, variable, QStringLiteral("pertenece a otro usuario, que podría reemplazar lo que el "
                                                    "programa deja en ella"));
    return real;
}

// This user's own folder: made private; one that is already there is used only when it is a real folder of this
// user that nobody else can write in, since whoever could have put links or files of their own in it.
void asegurarPrivada(const QString& carpeta)
{
    const QByteArray ruta = QFile::encodeName(carpeta);
    if (::mkdir(ruta.constData(), 0700) != 0 && errno != EEXIST)
        rechazar(carpeta, QString(), QStringLiteral("no se pudo crear: %1").arg(textoDelSistema(errno)));
    struct stat datos {};
    if (::lstat(ruta.constData(), &datos) != 0)
        rechazar(carpeta, QString(), QStringLiteral("no se puede leer: %1").arg(textoDelSistema(errno)));
    if (S_ISLNK(datos.st_mode))
        rechazar(carpeta, QString(), QStringLiteral("es un enlace, no una carpeta"));
    if (!S_ISDIR(datos.st_mode))
        rechazar(carpeta, QString(), QStringLiteral("es un archivo, no una carpeta"));
    if (datos.st_uid != ::geteuid())
        rechazar(carpeta, QString(), QStringLiteral("pertenece a otro usuario"));
    if ((datos.st_mode & (S_IWGRP | S_IWOTH)) != 0)
        rechazar(carpeta, QString(),
                 QStringLiteral("está abierta a otros usuarios (permisos %1)").arg(permisos(datos.st_mode)));
    // Ours and only readable by others: closed.
    if ((datos.st_mode & 077) != 0 && ::chmod(ruta.constData(), 0700) != 0)
        rechazar(carpeta, QString(),
                 QStringLiteral("no se pudo cerrar a otros usuarios: %1").arg(textoDelSistema(errno)));
    if (!seEscribe(ruta))
        rechazar(carpeta, QString(), QStringLiteral("no permite escribir a este usuario"));
}

} // namespace

QString UsuarioDelSistema()
{
    for (const char* variable : {"USER", "LOGNAME", "USERNAME"}) {
        const QString usuario = qEnvironmentVariable(variable).trimmed();
        if (!usuario.isEmpty())
            return usuario.toUpper();
    }
    return QDir::home().dirName().toUpper();
}

QString CarpetaTemporalDelSistema()
{
    const QString nombrada = qEnvironmentVariable("TMPDIR").trimmed();
    return nombrada.isEmpty() ? QStringLiteral("/tmp") : nombrada;
}

QString CarpetaTemporalPrivada(const QString& base, const QString& variable)
{
    const QString carpeta = QDir(revisarBase(base, variable)).filePath(QStringLiteral("conccuentas-")
                                                                 + UsuarioDelSistema().toLower());
    asegurarPrivada(carpeta);
    return carpeta + QLatin1Char('/');
}

QString CarpetaTemporalDeLaEstacion()
{
    const bool nombrada = !qEnvironmentVariable("TMPDIR").trimmed().isEmpty();
    return CarpetaTemporalPrivada(CarpetaTemporalDelSistema(), nombrada ? QStringLiteral("TMPDIR") : QString());
}

} // namespace suite
