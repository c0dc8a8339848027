#pragma once
// The folder the dashboard and its popup write their reports into: the program's temporary folder, under the
// one rule of every temporary folder (platform/suite/Carpetas.h); always ending in "/".

#include <QString>

namespace tablero {

QString CarpetaInformes();

} // namespace tablero
