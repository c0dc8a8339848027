#pragma once
// The start-up road every main window runs from its load handler, the window dressing at load, and the
// shutdown road.

#include <QString>

class QWidget;

namespace ModGlobal {

// What a program does with the company: the workbench writes in it, the dashboard only reads it.
enum class UsoDeLaEmpresa { Graba, SoloLee };

// Sets the process up before its first window. A write past the file-size limit (ulimit -f) fails like a full
// disk, rolled back and with a message, instead of ending the program without a word (its signal, SIGXFSZ, is
// ignored). A company file this user may not write is refused at opening by a program that writes, and opened
// read-only by one that only reads; either says so.
void PrepararProceso(UsoDeLaEmpresa uso);

// First run: reads the launch string (Parametros, or the program's arguments joined by blanks when it is
// ""), opens the one connection through gDB() (the connection dialog when no server is given; the program
// ends when no connection results), sets the command time-out to 360 s and read-uncommitted isolation and
// makes the database user the logged user. A server is given the station file's "TiempoDeConexion" seconds
// (section "<STATION>|<USER>BaseDeDatos", as the station's connection) to accept the login, 15 when unset. Every run with a database name: hands the lookup driver its
// connection and mask file, creates the mask file when missing, and reloads the configuration.
// A failing step is reported through the error dialog and logged; the steps after it still run.
// ConnString, when given, is used unchanged; on an Oracle server ("#...") it is built when empty.
void Inicializar(bool UsarIni, const QString& Parametros, QString& ConnString, int CursorLocation);

// Dresses a window at load: icon (station file section "Iconos", key "IconoDelSistema", when the program
// carries that icon; else the program's own), registration with the station, and the toolbar style of its command bars
// (controls named Brakmo1, TBarRep1, Util0011, property StyleBar). Failing steps are passed over.
void InicializarFormulario(QWidget* Formulario);

// Writes the exit time into this session's access record; nothing when the session has none (gIdAcceso 0).
void RegistrarEgreso();

// Shutdown: the exit time, then the shared objects released (the lookup driver and the data-access object
// stay to the end of the process).
void Finalizar();

QString FormatoFecha();   // "dd/mm/yy"
QString FormatoHora();    // "hh:mm"

// The station's section of the station file: "NAME|USER" in upper case, cut to 50 characters.
QString SeccionEstacion(const QString& nombre, const QString& usuario);

// The launch text the station file gives when UsarIni is set and no launch text came.
QString TextoLanzamientoDeEstacion();

} // namespace ModGlobal
