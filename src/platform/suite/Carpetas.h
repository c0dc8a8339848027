#pragma once
// The program's two folders. Both are created when missing and end in "/".
//  - program folder (lookup masks, column widths, error log, station file): CONCCUENTAS_HOME when set,
//    else the per-user application data folder;
//  - temporary folder: TEMP (trimmed) when it is not blank, else the station's temporary folder.

#include <QString>

namespace suite {

QString CarpetaDelPrograma();
QString CarpetaTemporalDelPrograma();

// A file name of the program folder; an absolute path is kept as given.
QString RutaEnCarpetaDelPrograma(const QString& archivo);

} // namespace suite
