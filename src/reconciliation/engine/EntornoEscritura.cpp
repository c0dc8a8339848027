// The machine's clock and free room, and the one installed in their place.

#include "EntornoEscritura.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <sys/statvfs.h>

namespace conciliacion {

namespace {

const EntornoEscritura* g_instalado = nullptr;

} // namespace

EntornoEscritura::~EntornoEscritura() = default;

qint64 EntornoEscritura::Milisegundos() const
{
    static const QElapsedTimer inicio = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return inicio.elapsed();
}

std::optional<qint64> EntornoEscritura::EspacioLibre(const QString& archivo) const
{
    // The folder, not the file: the journal the engine writes beside the file lives there too.
    const QByteArray carpeta = QFile::encodeName(QFileInfo(archivo).absolutePath());
    struct statvfs datos {};
    if (carpeta.isEmpty() || ::statvfs(carpeta.constData(), &datos) != 0)
        return std::nullopt;
    // The blocks an unprivileged user may take, not those kept for the system's administrator.
    return qint64(datos.f_bavail) * qint64(datos.f_frsize);
}

const EntornoEscritura& EntornoEscrituraActual()
{
    static const EntornoEscritura maquina;
    return g_instalado ? *g_instalado : maquina;
}

void InstalarEntornoEscritura(const EntornoEscritura* entorno)
{
    g_instalado = entorno;
}

} // namespace conciliacion
