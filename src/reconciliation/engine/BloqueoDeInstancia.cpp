#include "BloqueoDeInstancia.h"

#include "platform/ado/Error.h"
#include "platform/suite/base/CarpetaTemporalPrivada.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <sys/stat.h>

namespace conciliacion {

BloqueoDeInstancia::BloqueoDeInstancia() = default;

BloqueoDeInstancia::~BloqueoDeInstancia()
{
    Soltar();
}

namespace {

constexpr qint64 kErrorDeAcceso = 75;

[[noreturn]] void fallo(const QString& texto)
{
    throw ado::Error(kErrorDeAcceso, QStringLiteral("No se pudo registrar esta instancia del programa. ") + texto);
}

// The one folder every instance of this user on the station looks in: the station's private temporary folder.
// A relative or missing temporary folder is refused there, never taken as the working folder: two instances
// started from different folders would not see each other.
QString carpetaDeBloqueos()
{
    try {
        return suite::CarpetaTemporalDeLaEstacion();
    } catch (const ado::Error& e) {
        fallo(e.Description);
    }
}

} // namespace

bool BloqueoDeInstancia::Tomar(const QString& clave)
{
    Soltar();
    const QString carpeta = carpetaDeBloqueos();
    const QByteArray hash = QCryptographicHash::hash(clave.toUtf8(), QCryptographicHash::Sha1).toHex();
    auto archivo = std::make_unique<QLockFile>(carpeta + QStringLiteral("instancia-") + QString::fromLatin1(hash)
                                               + QStringLiteral(".lock"));
    // Held for as long as the reconciliation is open, however long: only a holder that is gone is stale.
    archivo->setStaleLockTime(0);
    if (!archivo->tryLock(0)) {
        if (archivo->error() == QLockFile::LockFailedError)
            return false;
        fallo(QStringLiteral("No se pudo escribir el archivo de bloqueo en la carpeta temporal %1.")
                  .arg(QDir::toNativeSeparators(carpeta)));
    }
    m_archivo = std::move(archivo);
    return true;
}

void BloqueoDeInstancia::Soltar()
{
    if (m_archivo)
        m_archivo->unlock();
    m_archivo.reset();
}

QString IdentidadBaseDeDatos(const QString& servidor, const QString& baseDeDatos)
{
    // An embedded company is its file, whatever name or path reaches it (a hard link, a second mount of its
    // folder): the device and the file's number on it. A server's names ignore letter case.
    if (servidor.trimmed().compare(QLatin1String("sqlite"), Qt::CaseInsensitive) == 0) {
        const QFileInfo archivo(baseDeDatos.trimmed());
        struct stat datos {};
        if (::stat(QFile::encodeName(archivo.absoluteFilePath()).constData(), &datos) == 0)
            return QStringLiteral("sqlite/%1:%2").arg(quint64(datos.st_dev)).arg(quint64(datos.st_ino));
        return QStringLiteral("sqlite/") + QDir::cleanPath(archivo.absoluteFilePath());
    }
    return (servidor.trimmed() + QLatin1Char('/') + baseDeDatos.trimmed()).toLower();
}

QString ClaveDeBloqueo(const QString& baseDeDatos, qint64 numero, const QString& propietario)
{
    return baseDeDatos + QLatin1Char('\n') + QString::number(numero) + QLatin1Char('\n') + propietario.toUpper();
}

} // namespace conciliacion
