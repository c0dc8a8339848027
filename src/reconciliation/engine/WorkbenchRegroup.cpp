#include "WorkbenchRegroup.h"

#include "WorkbenchGroups.h"

#include <QHash>
#include <algorithm>
#include <optional>

namespace conciliacion {

namespace {

// A row whose icon changed: its list position before the new order and its icon before.
struct IconoCambiado {
    qsizetype posicion;
    quint8 antes;
};

// Gives the row in the slot this icon and group when it holds others; a changed icon is recorded.
void Poner(FilasLado& lado, qsizetype lugar, IconoGrupo g, std::vector<IconoCambiado>& cambiados)
{
    const quint8 antes = lado.Icono(lugar);
    const bool otroIcono = antes != g.icono;
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
        cambiados.push_back({lado.Posicion(lugar), antes});
}

// The rows a mark alone decides (left: unlinked; right: named by no group) that hold another icon or a group.
// Read from the slots' bytes; `decidida` is asked only of a row that would change.
template <typename Icono, typename Decidida>
void IconosDeMarca(FilasLado& lado, Icono&& icono, Decidida&& decidida, std::vector<IconoCambiado>& cambiados)
{
    const std::vector<quint8>& estados = lado.Estados();
    const std::vector<quint8>& iconos = lado.Iconos();
    for (qsizetype lugar = 0; lugar < qsizetype(estados.size()); ++lugar) {
        const quint8 estado = estados[size_t(lugar)];
        const int propio = icono(estado);
        if ((iconos[size_t(lugar)] != propio || (estado & FilasLado::kEnGrupo)) && !decidida(lugar, estado))
            Poner(lado, lugar, {propio, 0}, cambiados);
    }
}

// Where each icon byte sorts: the rank of its text among icons 0..106, after those outside them (0).
std::array<int, 256> Rangos()
{
    std::array<int, 256> rango{};
    for (int icono = 0; icono < 256; ++icono)
        rango[size_t(icono)] = RangoIcono(icono == FilasLado::kIconoOtro ? -1 : icono) + 1;
    return rango;
}
constexpr size_t kRangos = kIconoSinMarcar + 2;

// Where each rank's block starts in a list sorted by the rank of its icons (and, last, the list's end); nothing
// when the list is not so sorted. Known sorted when a regroup left it so: the blocks are then found by halving.
using Bloques = std::array<qsizetype, kRangos + 1>;
std::optional<Bloques> BloquesPorIcono(const FilasLado& lado, const std::array<int, 256>& rango)
{
    const qsizetype n = qsizetype(lado.size());
    const std::vector<quint8>& iconos = lado.Iconos();
    const auto rangoEn = [&](qsizetype p) { return rango[iconos[size_t(lado.Lugar(p))]]; };
    Bloques inicio{};
    if (lado.EnOrdenDeGrupos()) {
        for (size_t r = 0; r <= kRangos; ++r) {
            qsizetype desde = r == 0 ? 0 : inicio[r - 1], hasta = n;
            while (desde < hasta) {
                const qsizetype medio = desde + (hasta - desde) / 2;
                if (rangoEn(medio) < int(r))
                    desde = medio + 1;
                else
                    hasta = medio;
            }
            inicio[r] = desde;
        }
        return inicio;
    }
    int anterior = 0;
    for (qsizetype p = 0; p < n; ++p) {
        const int r = rangoEn(p);
        if (r < anterior)
            return std::nullopt;
        for (; anterior < r; ++anterior)
            inicio[size_t(anterior + 1)] = p;
    }
    for (size_t r = size_t(anterior) + 1; r <= kRangos; ++r)
        inicio[r] = n;
    return inicio;
}

// Every list position stably sorted by the rank of its icon, in runs.
Tramos OrdenPorIconos(const FilasLado& lado, const std::array<int, 256>& rango)
{
    const qsizetype n = qsizetype(lado.size());
    const std::vector<quint8>& iconos = lado.Iconos();
    std::vector<qsizetype> inicio(kRangos + 1, 0);
    for (qsizetype p = 0; p < n; ++p)
        ++inicio[size_t(rango[iconos[size_t(lado.Lugar(p))]] + 1)];
    for (size_t r = 1; r < inicio.size(); ++r)
        inicio[r] += inicio[r - 1];
    std::vector<qsizetype> origen(size_t(n), 0);
    for (qsizetype p = 0; p < n; ++p)
        origen[size_t(inicio[size_t(rango[iconos[size_t(lado.Lugar(p))]])]++)] = p;
    return TramosDeOrigen(origen);
}

// The same order when the list stood sorted by icon, in the blocks `bloques`, before the rows in `cambiados`
// (ascending positions) took their new icons: the others keep their places in their icon's block, and each
// changed row joins the block of its new icon before or after them, as its position was before or after it.
Tramos MoverCambiados(const FilasLado& lado, const Bloques& bloques, const std::vector<IconoCambiado>& cambiados,
                      const std::array<int, 256>& rango)
{
    std::vector<std::pair<int, qsizetype>> llegan;   // (rank now, position) of the rows that change block
    std::vector<qsizetype> salen;                    // their positions
    for (const IconoCambiado& c : cambiados) {
        const int ahora = rango[lado.Icono(lado.Lugar(c.posicion))];
        if (ahora == rango[c.antes])
            continue;
        llegan.emplace_back(ahora, c.posicion);
        salen.push_back(c.posicion);
    }
    std::sort(llegan.begin(), llegan.end());
    Tramos tramos;
    auto llega = llegan.cbegin();
    auto sale = salen.cbegin();
    for (int r = 0; r < int(kRangos); ++r) {
        const qsizetype inicio = bloques[size_t(r)];
        const qsizetype fin = bloques[size_t(r) + 1];
        for (; llega != llegan.cend() && llega->first == r && llega->second < inicio; ++llega)
            AgregarTramo(tramos, llega->second, llega->second + 1);
        qsizetype desde = inicio;
        for (; sale != salen.cend() && *sale < fin; ++sale) {
            AgregarTramo(tramos, desde, *sale);
            desde = *sale + 1;
        }
        AgregarTramo(tramos, desde, fin);
        for (; llega != llegan.cend() && llega->first == r; ++llega)
            AgregarTramo(tramos, llega->second, llega->second + 1);
    }
    return tramos;
}

} // namespace

CambiosDeGrupo Reagrupar(FilasLado& izquierda, FilasLado& derecha)
{
    // Whether each side stands sorted by icon, before this regroup changes any.
    const std::array<int, 256> rango = Rangos();
    const std::array<std::optional<Bloques>, 2> bloques = {BloquesPorIcono(izquierda, rango),
                                                           BloquesPorIcono(derecha, rango)};

    // The linked left rows in list order, and whether any left row is marked.
    std::vector<qsizetype> vinculadas;
    bool hayMarcadas = false;
    const std::vector<quint8>& estadosIzquierda = izquierda.Estados();
    for (qsizetype lugar = 0; lugar < qsizetype(estadosIzquierda.size()); ++lugar) {
        const quint8 estado = estadosIzquierda[size_t(lugar)];
        hayMarcadas = hayMarcadas || (estado & FilasLado::kMarcada);
        if (estado & FilasLado::kVinculada)
            vinculadas.push_back(lugar);
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

    std::array<std::vector<IconoCambiado>, 2> cambiados;
    for (size_t k = 0; k < vinculadas.size(); ++k)
        Poner(izquierda, vinculadas[k], grupos[k], cambiados[0]);
    IconosDeMarca(
        izquierda, [](quint8) { return kIconoSinMarcar; },
        [](qsizetype, quint8 estado) { return bool(estado & FilasLado::kVinculada); }, cambiados[0]);

    for (auto it = nombradas.cbegin(); it != nombradas.cend(); ++it)
        Poner(derecha, it.key(), it.value(), cambiados[1]);
    IconosDeMarca(
        derecha, [](quint8 estado) { return estado & FilasLado::kMarcada ? kIconoMarcado : kIconoSinMarcar; },
        [&nombradas](qsizetype lugar, quint8) { return nombradas.contains(lugar); }, cambiados[1]);

    CambiosDeGrupo cambios;
    for (size_t i = 0; i < 2; ++i) {
        FilasLado& lado = i == 0 ? izquierda : derecha;
        lado.TextosDeIcono();
        std::sort(cambiados[i].begin(), cambiados[i].end(),
                  [](const IconoCambiado& a, const IconoCambiado& b) { return a.posicion < b.posicion; });
        for (const IconoCambiado& c : cambiados[i])
            cambios.iconos[i].push_back(c.posicion);
        cambios.orden[i] = bloques[i] ? MoverCambiados(lado, *bloques[i], cambiados[i], rango) : OrdenPorIconos(lado, rango);
    }
    return cambios;
}

} // namespace conciliacion
