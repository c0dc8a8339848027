#pragma once
// What a long write of the store reads from the machine: a clock, so that the operator hears how the write goes
// at a steady pace whatever one row costs, and the room left on the disk that holds the company file. The
// program uses the machine's own; a test installs another, so that a write of billions of rows can be tried,
// cancelled or refused in an instant.

#include <QString>
#include <QtGlobal>
#include <optional>

namespace conciliacion {

class EntornoEscritura {
public:
    virtual ~EntornoEscritura();
    // Milliseconds on a clock that only goes forward (its start is of no account).
    virtual qint64 Milisegundos() const;
    // Bytes this user may still write on the file system that holds `archivo` (read from the file's folder);
    // none when it cannot be told.
    virtual std::optional<qint64> EspacioLibre(const QString& archivo) const;
};

// The one in use: the machine's, unless another was installed.
const EntornoEscritura& EntornoEscrituraActual();
// Installs `entorno` (not owned) for the whole process; nullptr puts the machine's back.
void InstalarEntornoEscritura(const EntornoEscritura* entorno);

} // namespace conciliacion
