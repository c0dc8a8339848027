#pragma once
// A program planted where the suite's programs must never be looked for (the working folder): a shell script
// that, if it is ever run, leaves a mark file.

#include <QFile>
#include <QString>

// Writes the script at `ruta`, executable; run, it creates `marca`.
inline bool PlantarPrograma(const QString& ruta, const QString& marca)
{
    QFile f(ruta);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write(QStringLiteral("#!/bin/sh\necho corrio > '%1'\n").arg(marca).toUtf8());
    f.close();
    return f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
}
