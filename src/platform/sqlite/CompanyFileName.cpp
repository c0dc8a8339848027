#include "CompanyFileName.h"

#include <QDir>
#include <QFileInfo>

namespace sqlcompat {

CompanyFile ResolveCompanyFile(const QString& name)
{
    const QFileInfo info(name);
    const QString shown = QDir::toNativeSeparators(name);
    if (info.isSymLink()) {
        const QString target = QDir::toNativeSeparators(info.symLinkTarget());
        if (!info.exists())
            return {QString(),
                    QStringLiteral("El archivo de la empresa \"%1\" es un enlace a \"%2\", que no existe.").arg(shown, target)};
        if (info.isDir())
            return {QString(),
                    QStringLiteral("\"%1\" es un enlace a la carpeta \"%2\", no a un archivo de la empresa: indique el "
                                   "archivo de la base de datos.")
                        .arg(shown, target)};
    }
    if (info.isDir())
        return {QString(),
                QStringLiteral("\"%1\" es una carpeta, no un archivo de la empresa: indique el archivo de la base de "
                               "datos.")
                    .arg(shown)};
    if (!info.exists())
        return {QString(), QString(), true};
    if (!info.isFile())
        return {QString(),
                QStringLiteral("\"%1\" no es un archivo común (es un dispositivo, una tubería o un socket): no es una "
                               "base de datos de la empresa.")
                    .arg(shown)};
    const QString real = info.canonicalFilePath();
    if (real.isEmpty())
        return {QString(), QString(), true};
    return {real, QString()};
}

} // namespace sqlcompat
