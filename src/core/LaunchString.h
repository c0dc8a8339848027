#pragma once
// The launch parameter string the suite's programs hand each other: items "@Name=value" separated by ";".
// Reading splits at ";" and matches each item by its whole name, without regard to case, so "@Usuario" never
// reads "@UsuarioLogeado" and a last item without ";" keeps its whole value. Text that is not an item (the
// suite's "tesp@" marker, a sibling's own arguments) is ignored.

#include <QString>
#include <QStringList>
#include <optional>

namespace ModGlobal {

struct ParametrosLanzamiento {
    QString ParametroAdicional;
    QString Menu;
    QString Servidor;
    QString DbName;
    QString Usuario;
    QString Password;
    QString UsuarioLogeado;
    QString Caja = QStringLiteral("1");
};

// The trimmed value of the first item called `nombre`; std::nullopt when the text has no such item.
std::optional<QString> LeerParametro(const QString& texto, const QString& nombre);

// Every item the start-up road reads, with its default when absent ("" everywhere, "1" for "@Caja").
ParametrosLanzamiento LeerParametros(const QString& texto);

// The string written for a sibling program: every item closed by ";", "@usuario" before "@UsuarioLogeado".
QString ArmarCadenaLanzamiento(const ParametrosLanzamiento& p);

// The launch text on Linux: the program's arguments (without its own name) joined by single blanks.
QString TextoDeArgumentos(const QStringList& argumentosSinPrograma);

// The server name without scheme or port: the text after the first "/", and of that the part before the
// first ":".
QString ObtenerServidor(const QString& servidor);

} // namespace ModGlobal
