#pragma once
// Program configuration: key/value rows of the configuration table, read by key (Cfg), written by key
// (GrabaDfg), and a fixed set of keys plus the logged user's row loaded into globals at every start-up run
// (CargarConfiguracion). A missing key reads as one blank; flags are the texts "SI" and "NO".

#include "platform/ado/Currency.h"

#include <QString>

namespace ado { class Variant; }

namespace ModGlobal {

// The configuration table's name: "ta_configuracion" once loaded; Cfg and GrabaDfg use "TA_CONFIGURACION"
// while it is blank.
extern QString gTablaConfig;

// Loaded by CargarConfiguracion (most are kept for the suite's other programs; FmtMoneda reads
// gCantidadDecimales, the dashboard gPeriodo and the colours of Globals.h).
extern bool gMostrarStockEnConsultas;
extern QString gTituloClientes;
extern QString gTituloProveedores;
extern QString gRutaTareas;
extern bool gExigeClaveConsultaLike;
extern bool gUsaConsultaLike;
extern QString gCantidadDecimales;
extern bool gUsaMultiplesMonedas;
extern bool gUsaFacturaProforma;
extern bool gUsaCentroCosto;
extern bool gUsaStockKg;
extern QString gUNegocio;
extern QString gUnidadM3;
extern QString gUnidadBL;
extern QString gUnidadKG;
extern int gPeriodo;
extern bool gValidaCodigoBarra;
extern bool gModuloOrdenDeTrabajo;
extern bool gVModificaCPrecio;
extern bool gCModificaCPrecio;
extern bool gMaderera;
extern QString gMadTiras, gMadP2, gMadML, gMadM2, gMadHojas, gMadMLP2, gMadM2P2, gMadMLM2;
extern QString gCuentaCtroDist;
extern ado::Currency gMaxDto;
extern ado::Currency gMaxDtoProforma;
extern bool gPideClaveStockNeg;
extern bool gPideClaveMarkUpBase;
extern bool gPideClaveLimiteCredito;
extern bool gBloqueoActivo;
extern bool gUtilizarFechaDia;
extern QString gTopDefault;

// The VALOR text of the row whose CLAVE is the trimmed key (ValorAux receives its ValorAux); " " when the key
// has no row. Errors go to the error dialog with the routine name "Cfg": Ignore goes on, any other answer
// gives "".
QString Cfg(const QString& Clave, QString& ValorAux);
QString Cfg(const QString& Clave);

// Writes one row: inserts it when the key has none, else updates it. VALOR is the value trimmed, CLAVE the key
// trimmed in upper case, ValorAux only when it is not "". Errors go to the error dialog with the routine name
// "GrabaDfg" (Retry runs the step again, Ignore goes on). True only when the row was written.
bool GrabaDfg(const QString& Clave, const ado::Variant& Valor, const QString& ValorAux, int PoliticaNegocio,
              const QString& Grupo);

// Loads the keys above and the logged user's row; every failing step is skipped. `Carpeta` is the program
// folder ending in "/".
void CargarConfiguracion(const QString& Carpeta);

} // namespace ModGlobal
