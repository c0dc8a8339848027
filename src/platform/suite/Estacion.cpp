#include "Estacion.h"

#include "Utilidades.h"
#include "platform/ui/OperatorDialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSysInfo>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace suite {

QString Estacion::NombreEstacion()
{
    const QString nombre = QSysInfo::machineHostName().trimmed();
    return (nombre.isEmpty() ? QStringLiteral("localhost") : nombre).toUpper();
}

QString Estacion::UsuarioEstacion()
{
    for (const char* variable : {"USER", "LOGNAME", "USERNAME"}) {
        const QString usuario = qEnvironmentVariable(variable).trimmed();
        if (!usuario.isEmpty())
            return usuario.toUpper();
    }
    return QDir::home().dirName().toUpper();
}

namespace {

constexpr qint64 kErrorDeAcceso = 75;

[[noreturn]] void rechazar(const QString& texto)
{
    throw ui::ErrorInfo{kErrorDeAcceso, texto, QCoreApplication::applicationName()};
}

// The folder is made private to this user; one that is there already is used only when it is a real folder of
// this user, since anyone may make a folder of that name under the shared temporary folder first and read or
// swap the pages written into it.
void asegurarPrivada(const QString& carpeta)
{
    const QByteArray ruta = QFile::encodeName(carpeta);
    if (::mkdir(ruta.constData(), 0700) != 0 && errno != EEXIST)
        rechazar(QStringLiteral("No se pudo crear la carpeta temporal %1: %2")
                     .arg(carpeta, QString::fromLocal8Bit(std::strerror(errno))));
    struct stat datos {};
    if (::lstat(ruta.constData(), &datos) != 0)
        rechazar(QStringLiteral("No se pudo leer la carpeta temporal %1: %2")
                     .arg(carpeta, QString::fromLocal8Bit(std::strerror(errno))));
    if (!S_ISDIR(datos.st_mode))
        rechazar(QStringLiteral("En lugar de la carpeta temporal %1 hay un enlace o un archivo: "
                                "el programa no escribe sus páginas allí.")
                     .arg(carpeta));
    if (datos.st_uid != ::geteuid())
        rechazar(QStringLiteral("La carpeta temporal %1 pertenece a otro usuario: "
                                "el programa no escribe sus páginas allí.")
                     .arg(carpeta));
    // Ours but open to others (made by an earlier version): closed.
    if ((datos.st_mode & 077) != 0 && ::chmod(ruta.constData(), 0700) != 0)
        rechazar(QStringLiteral("No se pudo hacer privada la carpeta temporal %1: %2")
                     .arg(carpeta, QString::fromLocal8Bit(std::strerror(errno))));
}

} // namespace

QString Estacion::CarpetaTemporal()
{
    const QString carpeta = QDir::tempPath() + QStringLiteral("/conccuentas-") + UsuarioEstacion().toLower();
    asegurarPrivada(carpeta);
    return Utilidades::NormalizarCarpeta(carpeta);
}

void Estacion::RegistrarFormulario(QWidget* formulario)
{
    m_formularios.removeIf([](const QPointer<QWidget>& f) { return f.isNull(); });
    if (formulario && !FormulariosRegistrados().contains(formulario))
        m_formularios.append(formulario);
}

QList<QWidget*> Estacion::FormulariosRegistrados() const
{
    QList<QWidget*> vivos;
    for (const QPointer<QWidget>& f : m_formularios)
        if (f)
            vivos.append(f.data());
    return vivos;
}

} // namespace suite
