#include "DialogoArchivo.h"

#include "platform/ui/OperatorDialogs.h"

#include <QStringList>

namespace suite {

void DialogoArchivo::Mostrar()
{
    NombreArchivo = ui::dialogs().OpenFileName(Titulo, Carpeta, FiltroQt(Filtro));
    Cancelado = NombreArchivo.isEmpty();
}

QString DialogoArchivo::FiltroQt(const QString& filtro)
{
    if (!filtro.contains(u'|'))
        return filtro;
    const QStringList partes = filtro.split(u'|');
    QStringList qt;
    for (qsizetype i = 0; i + 1 < partes.size(); i += 2) {
        QString patrones = partes.at(i + 1).trimmed();
        patrones.replace(u';', u' ');
        qt << partes.at(i).trimmed() + QStringLiteral(" (") + patrones + u')';
    }
    return qt.join(QStringLiteral(";;"));
}

} // namespace suite
