#include "WorkbenchSession.h"

#include "WorkbenchGroups.h"

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
            fila.Checked};
}

std::vector<SesionConciliacion::Huella> SesionConciliacion::Huellas(Lado lado) const
{
    const WorkbenchRows& filas = Filas(lado);
    std::vector<Huella> h;
    h.reserve(filas.size());
    for (const WorkbenchRow& f : filas)
        h.push_back(HuellaDe(f));
    return h;
}

void SesionConciliacion::Diferencias(Lado lado, const std::vector<Huella>& antes)
{
    Lado_& l = m_lados[indice(lado)];
    std::vector<qsizetype> cambiadas;
    for (qsizetype p = 0; p < qsizetype(l.filas.size()); ++p) {
        const WorkbenchRow& f = l.filas[size_t(p)];
        const Huella& a = antes[size_t(p)];
        const Huella d = HuellaDe(f);
        if (a == d)
            continue;
        cambiadas.push_back(p);
        if (a.marcada != d.marcada) {
            const ado::Currency importe = f.ImporteMostrado();
            (a.marcada ? l.marcadas : l.sinMarcar) -= importe;
            (d.marcada ? l.marcadas : l.sinMarcar) += importe;
        }
        if (a.marcada != d.marcada || a.vinculo != d.vinculo || a.largoVinculo != d.largoVinculo)
            l.cambiadas.insert(f.ID);
    }
    if (!cambiadas.empty())
        Avisar([&](ObservadorSesion& o) { o.cambiadas(lado, cambiadas); });
}

void SesionConciliacion::Sumar(Lado lado)
{
    Lado_& l = m_lados[indice(lado)];
    l.marcadas = l.sinMarcar = ado::Currency();
    for (const WorkbenchRow& f : l.filas)
        (f.Checked ? l.marcadas : l.sinMarcar) += f.ImporteMostrado();
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
    WorkbenchRows& filas = m_lados[indice(lado)].filas;
    filas.reserve(filas.size() + mas);
}

void SesionConciliacion::Quitar(Lado lado, const QSet<qint64>& ids)
{
    Lado_& l = m_lados[indice(lado)];
    // Runs of rows, last first, so that earlier positions stay valid.
    qsizetype fin = qsizetype(l.filas.size());
    while (fin > 0) {
        while (fin > 0 && !ids.contains(l.filas[size_t(fin - 1)].ID))
            --fin;
        qsizetype inicio = fin;
        while (inicio > 0 && ids.contains(l.filas[size_t(inicio - 1)].ID))
            --inicio;
        if (inicio == fin)
            break;
        Avisar([&](ObservadorSesion& o) { o.quitando(lado, inicio, fin - inicio); });
        for (qsizetype p = inicio; p < fin; ++p) {
            const WorkbenchRow& f = l.filas[size_t(p)];
            (f.Checked ? l.marcadas : l.sinMarcar) -= f.ImporteMostrado();
            l.cambiadas.remove(f.ID);
        }
        l.filas.erase(l.filas.begin() + inicio, l.filas.begin() + fin);
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
    cambio(m_lados[indice(lado)].filas);
    Diferencias(lado, antes);
}

void SesionConciliacion::ModificarAmbos(const std::function<void(WorkbenchRows&, WorkbenchRows&)>& cambio)
{
    const std::vector<Huella> antesI = Huellas(Lado::Izquierda);
    const std::vector<Huella> antesD = Huellas(Lado::Derecha);
    cambio(m_lados[0].filas, m_lados[1].filas);
    Diferencias(Lado::Izquierda, antesI);
    Diferencias(Lado::Derecha, antesD);
}

void SesionConciliacion::CambiarMarca(Lado lado, qsizetype posicion, bool marcada)
{
    Lado_& l = m_lados[indice(lado)];
    if (posicion < 0 || posicion >= qsizetype(l.filas.size()))
        return;
    WorkbenchRow& f = l.filas[size_t(posicion)];
    // The operator touched the row: it is written at the next save even when the mark comes back.
    l.cambiadas.insert(f.ID);
    if (f.Checked == marcada)
        return;
    const ado::Currency importe = f.ImporteMostrado();
    (f.Checked ? l.marcadas : l.sinMarcar) -= importe;
    f.Checked = marcada;
    (f.Checked ? l.marcadas : l.sinMarcar) += importe;
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
    ResultadoComparacion resultado;
    ModificarAmbos([&](WorkbenchRows& izquierda, WorkbenchRows& derecha) {
        resultado = conciliacion::Comparar(izquierda, derecha, opciones, avance);
    });
    return resultado;
}

void SesionConciliacion::Reordenar(Lado lado, const std::vector<qsizetype>& origen)
{
    bool igual = true;
    for (qsizetype i = 0; i < qsizetype(origen.size()) && igual; ++i)
        igual = origen[size_t(i)] == i;
    if (igual)
        return;
    Avisar([&](ObservadorSesion& o) { o.reordenando(lado); });
    WorkbenchRows& filas = m_lados[indice(lado)].filas;
    WorkbenchRows ordenadas;
    ordenadas.reserve(filas.size());
    for (qsizetype i : origen)
        ordenadas.push_back(std::move(filas[size_t(i)]));
    filas = std::move(ordenadas);
    Avisar([&](ObservadorSesion& o) { o.reordenadas(lado, origen); });
}

void SesionConciliacion::Agrupar()
{
    ModificarAmbos([](WorkbenchRows& izquierda, WorkbenchRows& derecha) { AsignarGrupos(izquierda, derecha); });
    for (Lado lado : {Lado::Izquierda, Lado::Derecha})
        Reordenar(lado, OrdenPorIcono(Filas(lado)));
}

void SesionConciliacion::Ordenar(Lado lado, int columna, bool descendente)
{
    const WorkbenchRows& filas = Filas(lado);
    if (columna == colOrden && !descendente) {
        // The row text is blank (before any grouping) or the group text of the row's icon, which sorts as the
        // icon's rank: blank rows first, in their order, then the others by icon.
        std::vector<qsizetype> origen;
        origen.reserve(filas.size());
        for (qsizetype p = 0; p < qsizetype(filas.size()); ++p)
            if (filas[size_t(p)].Orden.isEmpty())
                origen.push_back(p);
        for (qsizetype p : OrdenPorIcono(filas))
            if (!filas[size_t(p)].Orden.isEmpty())
                origen.push_back(p);
        Reordenar(lado, origen);
        return;
    }
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
    Reordenar(lado, origen);
}

EstadosFilas SesionConciliacion::EstadosCambiados(Lado lado) const
{
    const Lado_& l = m_lados[indice(lado)];
    EstadosFilas estados;
    if (l.cambiadas.isEmpty())
        return estados;
    estados.reserve(size_t(l.cambiadas.size()));
    for (const WorkbenchRow& f : l.filas)
        if (l.cambiadas.contains(f.ID))
            estados.push_back({f.ID, f.Checked, f.ConciliadoCon});
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
