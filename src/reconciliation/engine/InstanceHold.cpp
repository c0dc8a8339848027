#include "InstanceHold.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLockFile>

namespace conciliacion {

BloqueoDeInstancia::BloqueoDeInstancia() = default;

BloqueoDeInstancia::~BloqueoDeInstancia()
{
    Soltar();
}

bool BloqueoDeInstancia::Tomar(const QString& clave)
{
    Soltar();
    const QByteArray hash = QCryptographicHash::hash(clave.toUtf8(), QCryptographicHash::Sha1).toHex();
    auto archivo = std::make_unique<QLockFile>(QDir(QDir::tempPath()).filePath(
        QStringLiteral("conccuentas-") + QString::fromLatin1(hash) + QStringLiteral(".lock")));
    // Held for as long as the reconciliation is open, however long: only a holder that is gone is stale.
    archivo->setStaleLockTime(0);
    if (!archivo->tryLock(0))
        return false;
    m_archivo = std::move(archivo);
    return true;
}

void BloqueoDeInstancia::Soltar()
{
    if (m_archivo)
        m_archivo->unlock();
    m_archivo.reset();
}

QString ClaveDeBloqueo(const QString& baseDeDatos, qint64 numero, const QString& propietario)
{
    return baseDeDatos + QLatin1Char('\n') + QString::number(numero) + QLatin1Char('\n') + propietario.toUpper();
}

} // namespace conciliacion
