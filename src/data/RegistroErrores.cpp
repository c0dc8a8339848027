#include "RegistroErrores.h"

#include "platform/suite/Carpetas.h"
#include "platform/suite/Windows1252.h"

#include <QFile>

namespace registro {

QString NombreRespuesta(int respuesta)
{
    switch (respuesta) {
    case 4: return QStringLiteral("Reintentar");
    case 5: return QStringLiteral("Ignorar");
    case 3: return QStringLiteral("Abortar");
    case 2: return QStringLiteral("Cancelar");
    case 6: return QStringLiteral("Sí");
    case 7: return QStringLiteral("No");
    default: return QString();
    }
}

QString Linea(const QDateTime& momento, const QString& parteRutina, const QString& mensaje, int respuesta)
{
    return momento.toString(QStringLiteral("MM-dd-yyyy HH:mm:ss")) + QStringLiteral(" Rutina: ")
        + parteRutina.trimmed() + QStringLiteral(" Mensaje ") + mensaje.trimmed() + QStringLiteral(" Respondió : ")
        + NombreRespuesta(respuesta) + QStringLiteral("\r\n");
}

QString Archivo(const QString& archivo)
{
    if (!archivo.isEmpty())
        return archivo;
    return suite::RutaEnCarpetaDelPrograma(kArchivoPorDefecto);
}

bool Agregar(const QString& archivo, const QString& linea)
{
    QFile f(archivo);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    const QByteArray bytes = suite::toWindows1252(linea);
    return f.write(bytes) == bytes.size();
}

} // namespace registro
