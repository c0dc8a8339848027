#pragma once
// What the start-up road asks of the lookup subsystem: point the shared lookup driver at the connection and
// the mask file, and create that file with its default masks when it is missing.

#include <QString>

namespace lookup {

// Installs the core's lookup hook (configure the driver, ensure the mask file). The program calls it once at
// start, before the start-up road runs; tests call it too.
void InstallHook();

} // namespace lookup

namespace ModGlobal {

// Writes the default masks into the file named by the shared driver's gRutaMascaraConsultas, creating it.
// False with the reason when the file cannot be written.
bool CrearMascaraConsultas(QString* error = nullptr);

} // namespace ModGlobal
