#include "SesionConciliacion.h"

#include "LinkList.h"
#include "WorkbenchGroups.h"
#include "WorkbenchRegroup.h"

#include <QHash>
#include <algorithm>
#include <numeric>

namespace conciliacion {

SesionConciliacion::SesionConciliacion(int decimales)
    : m_decimales(decimales)
{
}

void SesionConciliacion::AgregarObservador(ObservadorSesion* observador)
{
    m_observadores.push_back(observador);
}

void SesionConciliacion::QuitarObservador(ObservadorSesion* observador)
{
    m_observadores.erase(std::remove(m_observadores.begin(), m_observadores.end(), observador),
                         m_observadores.end());
}

template <typename Fn>
void SesionConciliacion::Avisar(Fn&& fn)
{
    for (ObservadorSesion* o : m_observadores)
        fn(*o);
}

SesionConciliacion::Huella SesionConciliacion::HuellaDe(const WorkbenchRow& fila)
{
    // A link list is compared by identity: an untouched one keeps its data, an assigned one has other data.
    return {fila.ConciliadoCon.constData(), fila.ConciliadoCon.size(), fila.ForeColor, fila.SmallIcon,
            fila.Checked, fila.Grupo, fila.Orden.constData()};
}

std::vector<SesionConciliacion::Huella> SesionConciliacion::Huellas(Lado lado) const
{
    const WorkbenchRows& filas = m_lados[indice(lado)].filas.EnOrden();
    std::vector<Huella> h;
    h.reserve(filas.size());
    for (const WorkbenchRow& f : filas)
        h.push_back(HuellaDe(f));
    return h;
}

bool SesionConciliacion::Anotar(Lado lado, qsizetype lugar, const Huella& a)
{
    Lado_& l = m_lados[indice(lado)];
    const WorkbenchRow& f = l.filas.DeLugar(lugar);
    const Huella d = HuellaDe(f);
    if (a == d)
        return false;
    l.filas.Sincronizar(lugar);
    if (a.marcada != d.marcada) {
        const ado::Currency importe = f.ImporteMostrado();
        (a.marcada ? l.marcadas : l.sinMarcar) -= importe;
        (d.marcada ? l.marcadas : l.sinMarcar) += importe;
    }
    if (a.marcada != d.marcada || a.vinculo != d.vinculo || a.largoVinculo != d.largoVinculo)
        l.cambiadas.insert(f.ID);
    return true;
}

void SesionConciliacion::Diferencias(Lado lado, const std::vector<Huella>& antes)
{
    // Called right after the rows were handed out in list order: slots and positions agree.
    std::vector<qsizetype> cambiadas;
    for (qsizetype p = 0; p < Cantidad(lado); ++p)
        if (Anotar(lado, p, antes[size_t(p)]))
            cambiadas.push_back(p);
    if (!cambiadas.empty())
        Avisar([&](ObservadorSesion& o) { o.cambiadas(lado, cambiadas); });
}

void SesionConciliacion::Sumar(Lado lado)
{
    Lado_& l = m_lados[indice(lado)];
    l.marcadas = l.sinMarcar = ado::Currency();
    for (qsizetype lugar = 0; lugar < qsizetype(l.filas.size()); ++lugar) {
        const WorkbenchRow& f = l.filas.DeLugar(lugar);
        (f.Checked ? l.marcadas : l.sinMarcar) += f.ImporteMostrado();
    }
}

void SesionConciliacion::Reemplazar(Lado lado, WorkbenchRows filas)
{
    Avisar([&](ObservadorSesion& o) { o.reemplazando(lado); });
    Lado_& l = m_lados[indice(lado)];
    l.filas = std::move(filas);
    l.cambiadas.clear();
    Sumar(lado);
    Avisar([&](ObservadorSesion& o) { o.reemplazadas(lado); });
}

void SesionConciliacion::Agregar(Lado lado, WorkbenchRows filas)
{
    if (filas.empty())
        return;
    Lado_& l = m_lados[indice(lado)];
    const qsizetype desde = qsizetype(l.filas.size());
    Avisar([&](ObservadorSesion& o) { o.agregando(lado, desde, qsizetype(filas.size())); });
    // No exact reserve: the rows arrive a block at a time, and reserving each block's exact new size would copy
    // the whole list again for every block (a load growing with the square of its size). push_back grows
    // geometrically.
    for (WorkbenchRow& f : filas) {
        (f.Checked ? l.marcadas : l.sinMarcar) += f.ImporteMostrado();
        l.filas.push_back(std::move(f));
    }
    Avisar([&](ObservadorSesion& o) { o.agregadas(lado); });
}

void SesionConciliacion::Reservar(Lado lado, size_t mas)
{
    FilasLado& filas = m_lados[indice(lado)].filas;
    filas.reserve(filas.size() + mas);
}

void SesionConciliacion::CargaTerminada(Lado lado)
{
    m_lados[indice(lado)].filas.OrdenarIds();
}

void SesionConciliacion::Quitar(Lado lado, const QSet<qint64>& ids)
{
    Lado_& l = m_lados[indice(lado)];
    // Runs of rows, last first, so that earlier positions stay valid.
    qsizetype fin = qsizetype(l.filas.size());
    while (fin > 0) {
        while (fin > 0 && !ids.contains(l.filas.En(fin - 1).ID))
            --fin;
        qsizetype inicio = fin;
        while (inicio > 0 && ids.contains(l.filas.En(inicio - 1).ID))
            --inicio;
        if (inicio == fin)
            break;
        Avisar([&](ObservadorSesion& o) { o.quitando(lado, inicio, fin - inicio); });
        for (qsizetype p = inicio; p < fin; ++p) {
            const WorkbenchRow& f = l.filas.En(p);
            (f.Checked ? l.marcadas : l.sinMarcar) -= f.ImporteMostrado();
            l.cambiadas.remove(f.ID);
        }
        l.filas.Quitar(inicio, fin);
        Avisar([&](ObservadorSesion& o) { o.quitadas(lado); });
        fin = inicio;
    }
}

void SesionConciliacion::Vaciar()
{
    for (Lado lado : {Lado::Izquierda, Lado::Derecha})
        Reemplazar(lado, {});
}

void SesionConciliacion::Modificar(Lado lado, const std::function<void(WorkbenchRows&)>& cambio)
{
    const std::vector<Huella> antes = Huellas(lado);
    cambio(m_lados[indice(lado)].filas.EnOrden());
    Diferencias(lado, antes);
}

void SesionConciliacion::ModificarAmbos(const std::function<void(WorkbenchRows&, WorkbenchRows&)>& cambio)
{
    const std::vector<Huella> antesI = Huellas(Lado::Izquierda);
    const std::vector<Huella> antesD = Huellas(Lado::Derecha);
    cambio(m_lados[0].filas.EnOrden(), m_lados[1].filas.EnOrden());
    Diferencias(Lado::Izquierda, antesI);
    Diferencias(Lado::Derecha, antesD);
}

void SesionConciliacion::CambiarMarca(Lado lado, qsizetype posicion, bool marcada)
{
    Lado_& l = m_lados[indice(lado)];
    if (posicion < 0 || posicion >= qsizetype(l.filas.size()))
        return;
    const qsizetype lugar = l.filas.Lugar(posicion);
    WorkbenchRow& f = l.filas.Cambiar(lugar);
    // The operator touched the row: it is written at the next save even when the mark comes back.
    l.cambiadas.insert(f.ID);
    if (f.Checked == marcada)
        return;
    const ado::Currency importe = f.ImporteMostrado();
    (f.Checked ? l.marcadas : l.sinMarcar) -= importe;
    f.Checked = marcada;
    (f.Checked ? l.marcadas : l.sinMarcar) += importe;
    l.filas.Sincronizar(lugar);
    Avisar([&](ObservadorSesion& o) { o.cambiadas(lado, {posicion}); });
}

void SesionConciliacion::ResolverMarca(Lado lado, qsizetype posicion, bool confirmado)
{
    ModificarAmbos([&](WorkbenchRows& izquierda, WorkbenchRows& derecha) {
        ResolverItemCheck(lado, izquierda, derecha, posicion, confirmado);
    });
}

void SesionConciliacion::MarcarSeleccion(Lado lado, const std::vector<qsizetype>& posiciones)
{
    Modificar(lado, [&](WorkbenchRows& filas) { conciliacion::MarcarSel(filas, posiciones); });
}

ResultadoComparacion SesionConciliacion::Comparar(const OpcionesComparacion& opciones,
                                                  const AvanceComparacion& avance)
{
    // The matcher says which rows it changed: only those are recorded and told.
    FilasComparadas cambiadas;
    const ResultadoComparacion resultado = conciliacion::Comparar(
        m_lados[0].filas.EnOrden(), m_lados[1].filas.EnOrden(), opciones, avance, &cambiadas);
    for (Lado lado : {Lado::Izquierda, Lado::Derecha}) {
        Lado_& l = m_lados[indice(lado)];
        const std::vector<qsizetype>& posiciones = lado == Lado::Izquierda ? cambiadas.izquierda : cambiadas.derecha;
        // Room once for what may be recorded, rather than the set growing step by step over a long list.
        l.cambiadas.reserve(l.cambiadas.size() + qsizetype(posiciones.size()));
        for (qsizetype p : posiciones) {
            // The rows are in list order, so position and slot agree; the slot's state still holds the mark.
            const WorkbenchRow& f = l.filas.DeLugar(p);
            if (bool(l.filas.Estado(p) & FilasLado::kMarcada) != f.Checked) {
                const ado::Currency importe = f.ImporteMostrado();
                (f.Checked ? l.sinMarcar : l.marcadas) -= importe;
                (f.Checked ? l.marcadas : l.sinMarcar) += importe;
                l.cambiadas.insert(f.ID);
            }
            l.filas.Sincronizar(p);
        }
        if (!posiciones.empty())
            Avisar([&](ObservadorSesion& o) { o.cambiadas(lado, posiciones); });
    }
    return resultado;
}

void SesionConciliacion::Reordenar(Lado lado, const Tramos& tramos)
{
    if (SinMover(tramos))
        return;
    Avisar([&](ObservadorSesion& o) { o.reordenando(lado); });
    m_lados[indice(lado)].filas.Permutar(tramos);
    Avisar([&](ObservadorSesion& o) { o.reordenadas(lado, tramos); });
}

void SesionConciliacion::Agrupar()
{
    const CambiosDeGrupo cambios = Reagrupar(m_lados[0].filas, m_lados[1].filas);
    for (Lado lado : {Lado::Izquierda, Lado::Derecha})
        if (!cambios.iconos[indice(lado)].empty())
            Avisar([&](ObservadorSesion& o) { o.cambiadas(lado, cambios.iconos[indice(lado)]); });
    for (Lado lado : {Lado::Izquierda, Lado::Derecha}) {
        Reordenar(lado, cambios.orden[indice(lado)]);
        m_lados[indice(lado)].filas.OrdenadaPorGrupos();
    }
}

VinculosNuevos SesionConciliacion::BuscarVinculosNuevos() const
{
    // From each slot's state: marked and not linked.
    VinculosNuevos nuevos;
    for (Lado lado : {Lado::Izquierda, Lado::Derecha}) {
        const FilasLado& filas = m_lados[indice(lado)].filas;
        std::vector<qsizetype>& posiciones = lado == Lado::Izquierda ? nuevos.izquierda : nuevos.derecha;
        const std::vector<quint8>& estados = filas.Estados();
        for (qsizetype lugar = 0; lugar < qsizetype(estados.size()); ++lugar)
            if ((estados[size_t(lugar)] & (FilasLado::kMarcada | FilasLado::kVinculada)) == FilasLado::kMarcada)
                posiciones.push_back(filas.Posicion(lugar));
        std::sort(posiciones.begin(), posiciones.end());
        (lado == Lado::Izquierda ? nuevos.textoIzquierda : nuevos.textoDerecha) = UnirVinculo(Ids(lado, posiciones));
    }
    return nuevos;
}

std::vector<qint64> SesionConciliacion::Ids(Lado lado, const std::vector<qsizetype>& posiciones) const
{
    std::vector<qint64> ids;
    ids.reserve(posiciones.size());
    for (qsizetype p : posiciones)
        ids.push_back(Fila(lado, p).ID);
    return ids;
}

void SesionConciliacion::AsignarVinculosNuevos(const VinculosNuevos& nuevos)
{
    for (Lado lado : {Lado::Izquierda, Lado::Derecha}) {
        FilasLado& filas = m_lados[indice(lado)].filas;
        const QString& vinculo = lado == Lado::Izquierda ? nuevos.textoDerecha : nuevos.textoIzquierda;
        std::vector<qsizetype> cambiadas;
        for (qsizetype p : lado == Lado::Izquierda ? nuevos.izquierda : nuevos.derecha) {
            const qsizetype lugar = filas.Lugar(p);
            const Huella antes = HuellaDe(filas.DeLugar(lugar));
            filas.Cambiar(lugar).ConciliadoCon = vinculo;
            if (Anotar(lado, lugar, antes))
                cambiadas.push_back(p);
        }
        if (!cambiadas.empty())
            Avisar([&](ObservadorSesion& o) { o.cambiadas(lado, cambiadas); });
    }
}

void SesionConciliacion::Ordenar(Lado lado, int columna, bool descendente)
{
    const FilasLado& l = m_lados[indice(lado)].filas;
    // Rows as a regroup left them are already in this order (the window sorts by group after every regroup).
    if (columna == colOrden && !descendente && l.EnOrdenDeGrupos())
        return;
    if (columna == colOrden && !descendente) {
        // The row text is blank (before any grouping) or the group text of the row's icon, which sorts as the
        // icon's rank: blank rows first, in their order, then the others by icon. Read from the slots' state.
        const auto blanca = [&l](qsizetype lugar) {
            return (l.Estado(lugar) & (FilasLado::kOrdenVacio | FilasLado::kOrdenPendiente)) == FilasLado::kOrdenVacio;
        };
        std::vector<std::vector<qsizetype>> porRango(kIconoSinMarcar + 1);
        std::vector<qsizetype> origen;
        origen.reserve(l.size());
        for (qsizetype p = 0; p < qsizetype(l.size()); ++p) {
            const qsizetype lugar = l.Lugar(p);
            if (blanca(lugar)) {
                origen.push_back(p);
                continue;
            }
            const int rango = RangoIcono(l.Icono(lugar));
            if (rango < 0) {
                OrdenarPorTexto(lado, columna, descendente);
                return;
            }
            porRango[size_t(rango)].push_back(p);
        }
        for (const std::vector<qsizetype>& grupo : porRango)
            origen.insert(origen.end(), grupo.begin(), grupo.end());
        Reordenar(lado, TramosDeOrigen(origen));
        return;
    }
    OrdenarPorTexto(lado, columna, descendente);
}

void SesionConciliacion::OrdenarPorTexto(Lado lado, int columna, bool descendente)
{
    const WorkbenchRows& filas = Filas(lado);
    std::vector<QString> claves;
    claves.reserve(filas.size());
    for (const WorkbenchRow& f : filas)
        claves.push_back(f.Texto(columna).toCaseFolded());
    std::vector<qsizetype> origen(filas.size());
    std::iota(origen.begin(), origen.end(), qsizetype(0));
    std::stable_sort(origen.begin(), origen.end(), [&claves, descendente](qsizetype a, qsizetype b) {
        const int c = QString::compare(claves[size_t(a)], claves[size_t(b)], Qt::CaseSensitive);
        return descendente ? c > 0 : c < 0;
    });
    Reordenar(lado, TramosDeOrigen(origen));
}

EstadosFilas SesionConciliacion::EstadosCambiados(Lado lado) const
{
    return EstadosCambiados(lado, {}, QString());
}

EstadosFilas SesionConciliacion::EstadosCambiados(Lado lado, const std::vector<qsizetype>& nuevas,
                                                  const QString& vinculo) const
{
    // The rows by ID through the side's index, then put in list order.
    const Lado_& l = m_lados[indice(lado)];
    QSet<qint64> idsNuevos;
    for (qsizetype p : nuevas)
        idsNuevos.insert(Fila(lado, p).ID);
    std::vector<std::pair<qsizetype, qsizetype>> filas;   // (position, slot)
    const auto agregar = [&](qint64 id) {
        for (qsizetype lugar : l.filas.LugaresDeId(id))
            filas.emplace_back(l.filas.Posicion(lugar), lugar);
    };
    for (qint64 id : idsNuevos)
        agregar(id);
    for (qint64 id : l.cambiadas)
        if (!idsNuevos.contains(id))
            agregar(id);
    std::sort(filas.begin(), filas.end());
    EstadosFilas estados;
    estados.reserve(filas.size());
    for (const auto& [posicion, lugar] : filas) {
        const WorkbenchRow& f = l.filas.DeLugar(lugar);
        estados.push_back({f.ID, f.Checked, idsNuevos.contains(f.ID) ? vinculo : f.ConciliadoCon});
    }
    return estados;
}

void SesionConciliacion::OlvidarCambios()
{
    for (Lado_& l : m_lados)
        l.cambiadas.clear();
}

Totales SesionConciliacion::TotalesActuales() const
{
    if (m_decimales < 2)
        // Totals shown with fewer decimals than the amounts round every partial sum: add them up in order.
        return CalcularTotales(Filas(Lado::Izquierda), Filas(Lado::Derecha), m_decimales);
    Totales t;
    t.Conc = RedondeoEtiqueta(m_lados[0].marcadas, m_decimales);
    t.NConc = RedondeoEtiqueta(m_lados[0].sinMarcar, m_decimales);
    t.Conc2 = RedondeoEtiqueta(m_lados[1].marcadas, m_decimales);
    t.NConc2 = RedondeoEtiqueta(m_lados[1].sinMarcar, m_decimales);
    t.Dif = RedondeoEtiqueta(t.Conc - t.Conc2, m_decimales);
    return t;
}

} // namespace conciliacion
