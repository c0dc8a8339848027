#pragma once
// Opening a report's query while its window stays alive: when the host waits for its reads
// (HostReporte::EsperaLecturas), the engine reads aside and the host's events run meanwhile, its cancel
// stopping the read (platform/ado/QueryWait.h). The busy display is up by then; the window paints it and takes
// the cancel button's click.

#include "HostReporte.h"

#include "platform/ado/Recordset.h"

#include <QString>

namespace report {

enum class Lectura {
    Abierta,     // the recordset holds every row
    Cancelada,   // the operator cancelled while the engine read; nothing was said
    Fallida,     // the query failed; the data layer has told the operator
};

// Opens `sql` on the shared connection (forward-only, read-only) for the report being written for `host`.
Lectura AbrirLectura(const QString& sql, ado::Recordset& rs, HostReporte* host);

} // namespace report
