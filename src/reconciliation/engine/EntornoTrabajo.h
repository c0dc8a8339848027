#pragma once
// What the workbench's engine takes from the program around it: the station and the logged user that own
// an edit lock, and the configuration table's reader and writer. Handed in by whoever builds the store, so
// the engine reads no program globals and tests give their own.

#include <QString>
#include <functional>

namespace conciliacion {

struct EntornoTrabajo {
    // The station's name.
    QString estacion;
    // The logged user, asked at each use: the program may log in after the store exists.
    std::function<QString()> usuario;
    // The configuration table's value of a key, as the program's reader gives it (" " when the key has no row).
    std::function<QString(const QString& clave)> leerConfiguracion;
    // Writes a key's value under a group; true only when the row was written (the writer has already
    // reported a failure to the operator).
    std::function<bool(const QString& clave, const QString& valor, const QString& grupo)> grabarConfiguracion;

    // The edit lock's owner text of this workstation: the station name, "|" and the logged user.
    QString Propietario() const { return estacion + QLatin1Char('|') + usuario(); }
};

} // namespace conciliacion
