#pragma once
// Starting another program of the suite with the current connection handed on in its launch string.

#include <QString>
#include <QStringList>

namespace ModGlobal {

// Direccion is "shell:" followed by the program's name and its own arguments. A name without a folder is
// looked for beside this program's executable (letter case aside, with or without ".exe"). The program gets
// its own arguments and then the launch string as one argument. IdTarea receives the started process's id,
// 0 when none; a failed start goes to the error dialog ("MenuExes": Retry starts again, Ignore goes on) and
// then, with no process, the operator is told "Opcion no Implementada!".
void MenuExes(const QString& Direccion, const QString& ParametroAdicional, qint64& IdTarea);

// The same start for a program already found: `programa` is started by that path, never looked up again, with
// `argumentos` each passed whole (a blank or "/" in one is part of it) and then the launch string.
void IniciarPrograma(const QString& programa, const QStringList& argumentos, const QString& ParametroAdicional,
                     qint64& IdTarea);

// The launch string for a sibling, from the open connection and the process globals; on Oracle the server
// carries its "#" marker.
QString CadenaLanzamientoActual(const QString& ParametroAdicional);

// Where the suite's programs are: beside this program's executable, never the working folder.
QString CarpetaProgramasSuite();

// The suite's program of that name in that folder (letter case aside; a name ending in ".exe" is also found
// without it); empty when it is not there.
QString ProgramaDeLaSuite(const QString& nombre);

// The program and the arguments a "shell:" address starts (before the launch string is added).
struct ProgramaAIniciar {
    QString programa;
    QStringList argumentos;
};
ProgramaAIniciar ProgramaDeDireccion(const QString& Direccion, const QString& carpetaProgramas);

} // namespace ModGlobal
