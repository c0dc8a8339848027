#pragma once
// The folder the dashboard and its popup write their reports into: TEMP as it stands unless it is blank,
// else the station's temporary folder; always ending in "/".

#include <QString>

namespace tablero {

QString CarpetaInformes();

} // namespace tablero
