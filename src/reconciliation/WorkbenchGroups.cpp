#include "WorkbenchGroups.h"

#include "LinkList.h"

#include <QHash>
#include <algorithm>

namespace conciliacion {

namespace {

constexpr qint64 kUltimoIconoGrupo = 105;   // after it the counter wraps: 106, then 1

void IconosDeMarca(WorkbenchRows& filas)
{
    for (WorkbenchRow& fila : filas) {
        fila.SmallIcon = fila.Checked ? kIconoMarcado : kIconoSinMarcar;
        fila.Grupo = 0;
    }
}

// The lists sort their row texts, so icons follow the text order of their numbers.
void OrdenarPorIcono(WorkbenchRows& filas)
{
    std::vector<std::pair<QString, qsizetype>> claves;
    claves.reserve(filas.size());
    for (qsizetype i = 0; i < qsizetype(filas.size()); ++i) {
        filas[i].Orden = TextoOrden(filas[i].SmallIcon);
        claves.emplace_back(QString::number(filas[i].SmallIcon), i);
    }
    std::stable_sort(claves.begin(), claves.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    WorkbenchRows ordenadas;
    ordenadas.reserve(filas.size());
    for (const auto& clave : claves)
        ordenadas.push_back(std::move(filas[clave.second]));
    filas = std::move(ordenadas);
}

} // namespace

QString TextoOrden(int icono)
{
    return QString(100, QLatin1Char(' ')) + QString::number(icono);
}

void AgruparConciliados(WorkbenchRows& izquierda, WorkbenchRows& derecha)
{
    IconosDeMarca(izquierda);
    IconosDeMarca(derecha);

    // Later left rows with the same link list (letter case aside), and right rows by ID.
    QHash<QString, std::vector<qsizetype>> mismaLista;
    for (qsizetype n = 0; n < qsizetype(izquierda.size()); ++n)
        if (!VinculoVacio(izquierda[n].ConciliadoCon))
            mismaLista[izquierda[n].ConciliadoCon.toCaseFolded()].push_back(n);
    QHash<QString, std::vector<qsizetype>> derechaPorId;
    for (qsizetype j = 0; j < qsizetype(derecha.size()); ++j)
        derechaPorId[QString::number(derecha[j].ID)].push_back(j);

    const bool hayMarcadas = std::any_of(izquierda.begin(), izquierda.end(),
                                         [](const WorkbenchRow& f) { return f.Checked; });
    qint64 contador = hayMarcadas ? kIconoMarcado : 0;
    qint64 grupo = 0;
    for (qsizetype n = 0; n < qsizetype(izquierda.size()); ++n) {
        WorkbenchRow& fila = izquierda[n];
        if (VinculoVacio(fila.ConciliadoCon)) {
            fila.SmallIcon = kIconoSinMarcar;
            continue;
        }
        if (fila.SmallIcon != kIconoMarcado && fila.SmallIcon != kIconoSinMarcar) {
            ++contador;   // already in an earlier row's group
            continue;
        }
        contador = contador > kUltimoIconoGrupo ? 1 : contador + 1;
        ++grupo;
        const int icono = int(contador);
        fila.SmallIcon = icono;
        fila.Grupo = grupo;
        const std::vector<qsizetype>& iguales = mismaLista[fila.ConciliadoCon.toCaseFolded()];
        for (auto it = std::upper_bound(iguales.begin(), iguales.end(), n); it != iguales.end(); ++it) {
            izquierda[*it].SmallIcon = icono;
            izquierda[*it].Grupo = grupo;
        }
        RecorrerVinculo(fila.ConciliadoCon, [&](QStringView elemento) {
            const auto it = derechaPorId.constFind(elemento.toString().toCaseFolded());
            if (it == derechaPorId.cend())
                return;
            for (qsizetype j : *it) {
                derecha[j].SmallIcon = icono;
                derecha[j].Grupo = grupo;
            }
        });
    }

    OrdenarPorIcono(izquierda);
    OrdenarPorIcono(derecha);
}

} // namespace conciliacion
