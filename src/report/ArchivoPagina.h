#pragma once
// A generated page on disk: lines in the suite's Western code page, each ended by CR LF, as the Windows
// programs of the suite write and read them. Failures raise std::runtime_error naming the file.

#include <QFile>
#include <QString>

namespace report {

class ArchivoPagina {
public:
    // Creates or truncates the file.
    explicit ArchivoPagina(const QString& ruta);
    ~ArchivoPagina();
    ArchivoPagina(const ArchivoPagina&) = delete;
    ArchivoPagina& operator=(const ArchivoPagina&) = delete;

    void Linea(const QString& texto);
    void Cerrar();
    bool Abierto() const { return m_archivo.isOpen(); }

private:
    QFile m_archivo;
};

} // namespace report
