#include "CarpetaPrograma.h"

#include <QDir>
#include <QStandardPaths>

QString CarpetaPrograma()
{
    QString carpeta = qEnvironmentVariable("CONCCUENTAS_HOME").trimmed();
    if (carpeta.isEmpty())
        carpeta = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    carpeta = QDir::cleanPath(carpeta);
    QDir().mkpath(carpeta);
    return carpeta;
}
