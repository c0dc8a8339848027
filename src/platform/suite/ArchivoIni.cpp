#include "ArchivoIni.h"

#include "Carpetas.h"
#include "Windows1252.h"

#include <QFile>

namespace suite {

QString ArchivoIni::LeerIni(const QString& archivo, const QString& seccion, const QString& clave,
                            const QString& porDefecto)
{
    QFile f(RutaEnCarpetaDelPrograma(archivo));
    if (!f.open(QIODevice::ReadOnly))
        return porDefecto;
    const QString texto = fromWindows1252(f.readAll());
    return LeerDeTexto(texto, seccion, clave, porDefecto);
}

QString ArchivoIni::LeerDeTexto(const QString& texto, const QString& seccion, const QString& clave,
                                const QString& porDefecto)
{
    const QString seccionBuscada = seccion.trimmed();
    const QString claveBuscada = clave.trimmed();
    bool enSeccion = false;
    for (QStringView linea : QStringView(texto).split(u'\n')) {
        linea = linea.trimmed();  // also drops the CR of CR LF
        if (linea.isEmpty() || linea.front() == u';' || linea.front() == u'#')
            continue;
        if (linea.front() == u'[') {
            const qsizetype cierre = linea.lastIndexOf(u']');
            const QStringView nombre = cierre > 0 ? linea.mid(1, cierre - 1) : linea.mid(1);
            enSeccion = nombre.trimmed().compare(seccionBuscada, Qt::CaseInsensitive) == 0;
            continue;
        }
        if (!enSeccion)
            continue;
        const qsizetype igual = linea.indexOf(u'=');
        if (igual < 0)
            continue;
        if (linea.left(igual).trimmed().compare(claveBuscada, Qt::CaseInsensitive) == 0)
            return linea.mid(igual + 1).trimmed().toString();
    }
    return porDefecto;
}

} // namespace suite
