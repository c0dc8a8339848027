#include "ArchivoPagina.h"

#include "platform/suite/Windows1252.h"

#include <stdexcept>

namespace report {

namespace {

[[noreturn]] void fallar(const QFile& archivo, const char* que)
{
    throw std::runtime_error(QStringLiteral("No se puede %1 el archivo %2: %3")
                                 .arg(QString::fromLatin1(que), archivo.fileName(), archivo.errorString())
                                 .toStdString());
}

} // namespace

ArchivoPagina::ArchivoPagina(const QString& ruta) : m_archivo(ruta)
{
    if (!m_archivo.open(QIODevice::WriteOnly | QIODevice::Truncate))
        fallar(m_archivo, "crear");
}

ArchivoPagina::~ArchivoPagina()
{
    m_archivo.close();
}

void ArchivoPagina::Linea(const QString& texto)
{
    if (!m_archivo.isOpen())
        fallar(m_archivo, "escribir");
    QByteArray bytes = suite::toWindows1252(texto);
    bytes += "\r\n";
    if (m_archivo.write(bytes) != bytes.size())
        fallar(m_archivo, "escribir");
}

void ArchivoPagina::Cerrar()
{
    if (m_archivo.isOpen() && !m_archivo.flush())
        fallar(m_archivo, "escribir");
    m_archivo.close();
}

} // namespace report
