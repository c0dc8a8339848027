#include "BloqueoDeInstancia.h"

#include "platform/ado/Error.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>

namespace conciliacion {

BloqueoDeInstancia::BloqueoDeInstancia() = default;

BloqueoDeInstancia::~BloqueoDeInstancia()
{
    Soltar();
}

namespace {

constexpr qint64 kErrorDeAcceso = 75;

[[noreturn]] void fallo(const QString& carpeta, const QString& porque)
{
    throw ado::Error(kErrorDeAcceso, QStringLiteral("No se pudo registrar esta instancia del programa en la carpeta "
                                                    "temporal %1: %2")
                                         .arg(QDir::toNativeSeparators(carpeta), porque));
}

// The one folder every instance of the station looks in. A relative or missing one is an error, never the
// working folder: two instances started from different folders would not see each other there.
QString carpetaDeBloqueos()
{
    // The temporary path comes back empty when the folder named by TMPDIR does not exist.
    const QString pedida = qEnvironmentVariable("TMPDIR", QStringLiteral("/tmp"));
    const QString carpeta = QDir::tempPath();
    if (carpeta.isEmpty() || !QFileInfo(carpeta).isDir())
        fallo(pedida, QStringLiteral("la carpeta no existe."));
    if (QDir::isRelativePath(carpeta))
        fallo(carpeta, QStringLiteral("no es una ruta absoluta."));
    return carpeta;
}

} // namespace

bool BloqueoDeInstancia::Tomar(const QString& clave)
{
    Soltar();
    const QString carpeta = carpetaDeBloqueos();
    const QByteArray hash = QCryptographicHash::hash(clave.toUtf8(), QCryptographicHash::Sha1).toHex();
    auto archivo = std::make_unique<QLockFile>(
        QDir(carpeta).filePath(QStringLiteral("conccuentas-") + QString::fromLatin1(hash) + QStringLiteral(".lock")));
    // Held for as long as the reconciliation is open, however long: only a holder that is gone is stale.
    archivo->setStaleLockTime(0);
    if (!archivo->tryLock(0)) {
        if (archivo->error() == QLockFile::LockFailedError)
            return false;
        fallo(carpeta, archivo->error() == QLockFile::PermissionError
                           ? QStringLiteral("no se puede escribir en ella.")
                           : QStringLiteral("no se pudo escribir el archivo de bloqueo."));
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
    // An embedded company is its file, however its path is spelled; a server's names ignore letter case.
    if (servidor.trimmed().compare(QLatin1String("sqlite"), Qt::CaseInsensitive) == 0) {
        const QFileInfo archivo(baseDeDatos.trimmed());
        const QString canonica = archivo.canonicalFilePath();
        return QStringLiteral("sqlite/") + (canonica.isEmpty() ? QDir::cleanPath(archivo.absoluteFilePath()) : canonica);
    }
    return (servidor.trimmed() + QLatin1Char('/') + baseDeDatos.trimmed()).toLower();
}

QString ClaveDeBloqueo(const QString& baseDeDatos, qint64 numero, const QString& propietario)
{
    return baseDeDatos + QLatin1Char('\n') + QString::number(numero) + QLatin1Char('\n') + propietario.toUpper();
}

} // namespace conciliacion
