#pragma once
// What the dashboard's status bar says once a report has been written, by how the writing ended: the whole
// report, a report the operator stopped while the engine was still reading its rows (nothing was written
// from them and nothing failed), one stopped while it was being written, and one that failed (the failure has
// been shown already). And what the busy picture shows while the rows are read: that they are being read, as
// no percentage is known yet.

#include "report/ClassHTML.h"

#include <QString>

namespace suite { class PictureBox; }

namespace tablero {

// `alLeer`: the writer had not yet reached the rows when it ended.
QString AvisoDelInforme(report::ResultadoListado resultado, bool alLeer);

// The busy picture while the report's rows are read from the database.
void DibujarLectura(suite::PictureBox& cuadro);

} // namespace tablero
