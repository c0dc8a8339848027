#include "WorkbenchRegroup.h"

#include "WorkbenchGroups.h"

#include <QHash>
#include <algorithm>

namespace conciliacion {

namespace {

// Gives the row in the slot this icon and group when it holds others; a changed icon is told by its list position.
void Poner(FilasLado& lado, qsizetype lugar, IconoGrupo g, std::vector<qsizetype>& iconos)
{
    const bool otroIcono = lado.Icono(lugar) != g.icono;
    if (!otroIcono) {
        const bool enGrupo = lado.Estado(lugar) & FilasLado::kEnGrupo;
        if (g.grupo == 0 ? !enGrupo : lado.DeLugar(lugar).Grupo == g.grupo)
            return;
    }
    WorkbenchRow& fila = lado.Cambiar(lugar);
    fila.SmallIcon = g.icono;
    fila.Grupo = g.grupo;
    fila.Orden = TextoOrden(g.icono);
    lado.Sincronizar(lugar);
    if (otroIcono)
        iconos.push_back(lado.Posicion(lugar));
}

// The rows a mark alone decides (left: unlinked; right: named by no group) that hold another icon or a group.
template <typename Icono>
void IconosDeMarca(FilasLado& lado, const std::vector<bool>& decididas, Icono&& icono, std::vector<qsizetype>& iconos)
{
    for (qsizetype lugar = 0; lugar < qsizetype(lado.size()); ++lugar) {
        if (decididas[size_t(lugar)])
            continue;
        const quint8 estado = lado.Estado(lugar);
        const int propio = icono(estado);
        if (lado.Icono(lugar) != propio || (estado & FilasLado::kEnGrupo))
            Poner(lado, lugar, {propio, 0}, iconos);
    }
}

// List positions stably sorted by the rank of their icon.
std::vector<qsizetype> OrdenPorIconos(const FilasLado& lado)
{
    std::array<int, 256> rango{};
    for (int icono = 0; icono < 256; ++icono)
        rango[size_t(icono)] = RangoIcono(icono);
    const qsizetype n = qsizetype(lado.size());
    const std::vector<quint8>& iconos = lado.Iconos();
    std::vector<qsizetype> inicio(kIconoSinMarcar + 2, 0);
    for (qsizetype p = 0; p < n; ++p)
        ++inicio[size_t(rango[iconos[size_t(lado.Lugar(p))]] + 1)];
    for (size_t r = 1; r < inicio.size(); ++r)
        inicio[r] += inicio[r - 1];
    std::vector<qsizetype> origen(size_t(n), 0);
    for (qsizetype p = 0; p < n; ++p)
        origen[size_t(inicio[size_t(rango[iconos[size_t(lado.Lugar(p))]])]++)] = p;
    return origen;
}

} // namespace

CambiosDeGrupo Reagrupar(FilasLado& izquierda, FilasLado& derecha)
{
    CambiosDeGrupo cambios;

    // The linked left rows in list order, and whether any left row is marked.
    std::vector<qsizetype> vinculadas;
    std::vector<bool> decididas(izquierda.size());
    bool hayMarcadas = false;
    for (qsizetype lugar = 0; lugar < qsizetype(izquierda.size()); ++lugar) {
        const quint8 estado = izquierda.Estado(lugar);
        hayMarcadas = hayMarcadas || (estado & FilasLado::kMarcada);
        if (estado & FilasLado::kVinculada) {
            vinculadas.push_back(lugar);
            decididas[size_t(lugar)] = true;
        }
    }
    if (!izquierda.EnOrdenDeLista())
        std::sort(vinculadas.begin(), vinculadas.end(),
                  [&](qsizetype a, qsizetype b) { return izquierda.Posicion(a) < izquierda.Posicion(b); });
    std::vector<const QString*> vinculos;
    vinculos.reserve(vinculadas.size());
    for (qsizetype lugar : vinculadas)
        vinculos.push_back(&izquierda.DeLugar(lugar).ConciliadoCon);

    // The right rows the heads name, by slot; a later head wins.
    QHash<qsizetype, IconoGrupo> nombradas;
    const std::vector<IconoGrupo> grupos = NumerarGrupos(vinculos, hayMarcadas, [&](qint64 id, IconoGrupo g) {
        for (qsizetype lugar : derecha.LugaresDeId(id))
            nombradas.insert(lugar, g);
    });

    std::vector<qsizetype>& iconosIzquierda = cambios.iconos[0];
    for (size_t k = 0; k < vinculadas.size(); ++k)
        Poner(izquierda, vinculadas[k], grupos[k], iconosIzquierda);
    IconosDeMarca(izquierda, decididas, [](quint8) { return kIconoSinMarcar; }, iconosIzquierda);

    std::vector<qsizetype>& iconosDerecha = cambios.iconos[1];
    std::vector<bool> nombrada(derecha.size());
    for (auto it = nombradas.cbegin(); it != nombradas.cend(); ++it) {
        nombrada[size_t(it.key())] = true;
        Poner(derecha, it.key(), it.value(), iconosDerecha);
    }
    IconosDeMarca(
        derecha, nombrada,
        [](quint8 estado) { return estado & FilasLado::kMarcada ? kIconoMarcado : kIconoSinMarcar; }, iconosDerecha);

    for (FilasLado* lado : {&izquierda, &derecha})
        lado->TextosDeIcono();
    for (size_t i = 0; i < 2; ++i) {
        std::sort(cambios.iconos[i].begin(), cambios.iconos[i].end());
        cambios.origen[i] = OrdenPorIconos(i == 0 ? izquierda : derecha);
    }
    return cambios;
}

} // namespace conciliacion
