#pragma once
// The program's two folders. Both end in "/".
//  - program folder (lookup masks, column widths, error log, station file): CONCCUENTAS_HOME when set,
//    else the per-user application data folder; created when missing;
//  - temporary folder: this user's private folder inside the folder TEMP names (trimmed) when it is not blank,
//    else the station's temporary folder; either under the rule of base/CarpetaTemporalPrivada.h, which
//    raises ado::Error naming the folder and the fault;
//  - a window's own folder for its pages, inside the temporary folder (base/CarpetaDeVentana.h).

#include "platform/suite/base/CarpetaDeVentana.h"

#include <QString>

namespace suite {

QString CarpetaDelPrograma();
QString CarpetaTemporalDelPrograma();
CarpetaDeVentana NuevaCarpetaDeVentana();

// A file name of the program folder; an absolute path is kept as given.
QString RutaEnCarpetaDelPrograma(const QString& archivo);

} // namespace suite
