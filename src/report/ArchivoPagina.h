#pragma once
// A generated page on disk: lines in the suite's Western code page, each ended by CR LF, as the Windows
// programs of the suite write and read them. Failures raise ado::Error (number 75) naming the file and the
// cause in the operator's words, then the system's; a page that could not be written to its end (a full disk,
// the size limit of the program's files) is removed, so nobody ever opens a cut page for a whole one.

#include <QByteArray>
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
    bool Abierto() const { return m_fd >= 0; }

private:
    // Writes what is kept; on failure removes the file and raises.
    void Vaciar();
    [[noreturn]] void Fallar(const char* que, int numero);

    QString m_ruta;
    int m_fd = -1;
    bool m_creado = false;    // the file is ours and not yet whole
    QByteArray m_pendiente;   // lines not yet on disk
};

} // namespace report
