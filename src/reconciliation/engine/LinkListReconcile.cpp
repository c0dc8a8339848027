#include "LinkListReconcile.h"

#include "EspacioVinculos.h"
#include "LinkList.h"

#include <QLocale>

namespace conciliacion {

namespace {

std::vector<qsizetype> FilasNuevas(const WorkbenchRows& filas, QString& texto)
{
    std::vector<qsizetype> posiciones;
    std::vector<qint64> ids;
    for (qsizetype i = 0; i < qsizetype(filas.size()); ++i) {
        if (filas[i].Checked && VinculoVacio(filas[i].ConciliadoCon)) {
            posiciones.push_back(i);
            ids.push_back(filas[i].ID);
        }
    }
    texto = UnirVinculo(ids);
    return posiciones;
}

} // namespace

VinculosNuevos BuscarVinculosNuevos(const WorkbenchRows& izquierda, const WorkbenchRows& derecha)
{
    VinculosNuevos nuevos;
    nuevos.izquierda = FilasNuevas(izquierda, nuevos.textoIzquierda);
    nuevos.derecha = FilasNuevas(derecha, nuevos.textoDerecha);
    return nuevos;
}

void AsignarVinculosNuevos(WorkbenchRows& izquierda, WorkbenchRows& derecha, const VinculosNuevos& nuevos)
{
    for (qsizetype i : nuevos.izquierda)
        izquierda[i].ConciliadoCon = nuevos.textoDerecha;
    for (qsizetype j : nuevos.derecha)
        derecha[j].ConciliadoCon = nuevos.textoIzquierda;
}

void RecorrerParesNuevos(const VinculosNuevos& nuevos, const WorkbenchRows& izquierda,
                         const WorkbenchRows& derecha, const std::function<void(qint64, qint64)>& fn)
{
    for (qsizetype i : nuevos.izquierda)
        for (qsizetype j : nuevos.derecha)
            fn(izquierda[i].ID, derecha[j].ID);
}

std::optional<Pregunta> PreguntaVinculosNuevos(const VinculosNuevos& nuevos, std::optional<qint64> espacio)
{
    if (nuevos.Cantidad() <= kVinculosSinPreguntar)
        return std::nullopt;
    const QLocale locale;
    Pregunta p;
    p.texto = QStringLiteral("Se vincularán %1 registros de la planilla izquierda con %2 registros de la "
                             "planilla derecha, cada uno con cada uno: se grabarán %3 vínculos")
                  .arg(locale.toString(qint64(nuevos.izquierda.size())),
                       locale.toString(qint64(nuevos.derecha.size())), locale.toString(nuevos.Cantidad()));
    if (espacio)
        p.texto += QStringLiteral(", que necesitan unos %1 libres en el disco").arg(TextoEspacio(*espacio));
    p.texto += QStringLiteral(".\r\n¿Confirma?");
    p.estilo = ui::vbYesNo | ui::vbQuestion | ui::vbDefaultButton2;
    p.titulo = kTituloAtencion;
    return p;
}

QString MensajeConciliacionGrabada(qint64 vinculos)
{
    return QStringLiteral("La conciliación se grabó con sus %1 vínculos.").arg(QLocale().toString(vinculos));
}

} // namespace conciliacion
