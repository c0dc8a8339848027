#pragma once
// Process-wide state of the application core: the logged user, the station section, the texts handed on to
// the report printer and to sibling programs, field colours, and the shared objects of the suite's utility
// library. The data-access object is gDB() (data/DB_Dll.h).

#include "platform/suite/ArchivoIni.h"
#include "platform/suite/Controles.h"
#include "platform/suite/Utilidades.h"

#include <QString>

namespace suite {
class Estacion;
class Progreso;
class Reporte;
}

namespace ModGlobal {

extern QString gUsuarioLogeado;      // the logged user: the database user once connected
extern QString gSeccionIni;          // "STATION NAME|STATION USER", at most 50 characters
extern QString gCadenaDsn;           // "DSN=<db>; UID=<user>; PWD=<password>" for the report printer
extern QString gCaja;                // launch item "@Caja" ("1" when absent)
extern QString gMenu;                // launch item "@Menu"
extern QString gParametroAdicional;  // launch item "@ParametroAdicional"
extern double gFlatToolbars;         // toolbar style from the station file (default 1)
extern qint32 gColorFondo;           // background of a focused field, a BGR number
extern qint32 gColorLetra;           // text colour of a focused field, a BGR number
extern qint64 gIdAcceso;             // the access record of this session (0: none)

// The utility library's objects. Their operations are static, so these are plain objects; the station, the
// progress window and the report printer hold state and are made on first use.
extern suite::Utilidades gUtil;
extern suite::ArchivoIni gIni;
extern suite::Controles gControles;
suite::Estacion& gForm();
suite::Progreso& gProgreso();
// The report printer; its folder and connection are set by the start-up road.
suite::Reporte& gReporte();

// Releases the station object, the progress window and the report printer (made anew on next use).
void LiberarObjetosCompartidos();

} // namespace ModGlobal
