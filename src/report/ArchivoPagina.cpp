#include "ArchivoPagina.h"

#include "platform/ado/Error.h"
#include "platform/suite/Windows1252.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace report {

namespace {

constexpr qint64 kErrorDeAcceso = 75;   // path/file access error
constexpr qsizetype kBloque = 64 * 1024;   // written in blocks of about this size

// Why a file could not be written, as the operator reads it.
QString causa(int numero)
{
    switch (numero) {
    case EFBIG:
        return QStringLiteral("el archivo llegó al tamaño máximo que el sistema permite a este programa");
    case ENOSPC:
        return QStringLiteral("no queda lugar en el disco");
    case EDQUOT:
        return QStringLiteral("este usuario llegó a su cuota de disco");
    case EACCES:
    case EPERM:
        return QStringLiteral("este usuario no tiene permiso");
    case EROFS:
        return QStringLiteral("el disco es de solo lectura");
    case EIO:
        return QStringLiteral("el disco no respondió");
    default:
        return QStringLiteral("el sistema no lo permitió");
    }
}

} // namespace

ArchivoPagina::ArchivoPagina(const QString& ruta) : m_ruta(ruta)
{
    m_fd = ::open(QFile::encodeName(ruta).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (m_fd < 0)
        Fallar("crear", errno);
    m_creado = true;
    m_pendiente.reserve(kBloque + kBloque / 4);
}

ArchivoPagina::~ArchivoPagina()
{
    try {
        Cerrar();
    } catch (...) {
        // The failure was the caller's to hear about while writing; here the cut file is gone already.
    }
}

void ArchivoPagina::Linea(const QString& texto)
{
    if (m_fd < 0)
        Fallar("escribir", EBADF);
    m_pendiente += suite::toWindows1252(texto);
    m_pendiente += "\r\n";
    if (m_pendiente.size() >= kBloque)
        Vaciar();
}

void ArchivoPagina::Cerrar()
{
    if (m_fd < 0)
        return;
    Vaciar();
    // Some file systems say only here that what was written did not reach the disk.
    const int cerrado = ::close(std::exchange(m_fd, -1));
    if (cerrado != 0 && errno != EINTR)
        Fallar("escribir", errno);
    m_creado = false;
}

void ArchivoPagina::Vaciar()
{
    qsizetype escrito = 0;
    while (escrito < m_pendiente.size()) {
        const ssize_t n = ::write(m_fd, m_pendiente.constData() + escrito, size_t(m_pendiente.size() - escrito));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            Fallar("escribir", n < 0 ? errno : ENOSPC);
        // A short write is followed by another, which says why the rest did not go.
        escrito += n;
    }
    m_pendiente.resize(0);   // keeps its room for the next block
}

void ArchivoPagina::Fallar(const char* que, int numero)
{
    if (m_fd >= 0)
        ::close(std::exchange(m_fd, -1));
    m_pendiente.clear();
    QString borrado;
    if (std::exchange(m_creado, false) && ::unlink(QFile::encodeName(m_ruta).constData()) == 0)
        borrado = QStringLiteral(" El archivo incompleto se borró.");
    throw ado::Error(kErrorDeAcceso, QStringLiteral("No se puede %1 el archivo %2: %3 (%4).%5")
                                         .arg(QString::fromLatin1(que), QDir::toNativeSeparators(m_ruta),
                                              causa(numero), QString::fromLocal8Bit(std::strerror(numero)), borrado));
}

} // namespace report
