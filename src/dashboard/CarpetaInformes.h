#pragma once
// The folder the dashboard or its popup writes its reports into: a folder of the window's own inside the
// program's temporary folder, under the one rule of every temporary folder (platform/suite/Carpetas.h), so no
// other window or program overwrites its parts; removed with the window. Its path always ends in "/".

#include "platform/suite/base/CarpetaDeVentana.h"

namespace tablero {

suite::CarpetaDeVentana CarpetaInformes();

} // namespace tablero
