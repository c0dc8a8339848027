#pragma once
// One side's rows as the workbench session keeps them. Each row stays where it was added (its slot); the order
// the list shows is a permutation of the slots, so that a regroup or a sort moves positions of eight bytes
// instead of rows of several hundred. Beside the rows it keeps a byte of state and the icon of each slot, and
// the slots by ID, so that the reconcile step can find its new rows and regroup reading only the rows that
// change. The rows are laid out in list order again (and the row texts of a regroup written) only when a
// caller asks for all of them at once.
//
// Whoever changes a row through Cambiar tells Sincronizar afterwards; IDs never change once a row is in.

#include "WorkbenchRow.h"

#include <algorithm>
#include <vector>

namespace conciliacion {

// A new list order as runs of the positions before: the rows at positions [desde, hasta) come next, in their
// order. A regroup that moves a few rows is a few runs, whatever the length of the list.
struct Tramo {
    qsizetype desde;
    qsizetype hasta;
    bool operator==(const Tramo&) const = default;
};
using Tramos = std::vector<Tramo>;
// The runs of an order given position by position (origen[i] is the position before of the row now at i).
Tramos TramosDeOrigen(const std::vector<qsizetype>& origen);
// That order position by position.
std::vector<qsizetype> OrigenDeTramos(const Tramos& tramos);
// Whether the runs leave every row where it was.
bool SinMover(const Tramos& tramos);
// Adds the run [desde, hasta) at the end, joined to the last one when they meet.
void AgregarTramo(Tramos& tramos, qsizetype desde, qsizetype hasta);

// Puts the values of a vector in the new order. A few runs are moved in place, each rotated into its place:
// no second vector is made for a list of a million rows when a handful of rows moved.
template <typename T>
void OrdenarEnTramos(std::vector<T>& valores, const Tramos& tramos)
{
    constexpr size_t kTramosEnSitio = 8;
    if (tramos.size() > kTramosEnSitio) {
        std::vector<T> nuevos;
        nuevos.reserve(valores.size());
        for (const Tramo& t : tramos)
            nuevos.insert(nuevos.end(), valores.begin() + t.desde, valores.begin() + t.hasta);
        valores = std::move(nuevos);
        return;
    }
    // The runs not yet in place lie after the ones that are, each still whole: a rotation brings the next one
    // forward and moves the others it passes further on.
    std::vector<qsizetype> inicio;
    for (const Tramo& t : tramos)
        inicio.push_back(t.desde);
    qsizetype i = 0;
    for (size_t j = 0; j < tramos.size(); ++j) {
        const qsizetype largo = tramos[j].hasta - tramos[j].desde;
        const qsizetype desde = inicio[j];
        if (desde != i) {
            std::rotate(valores.begin() + i, valores.begin() + desde, valores.begin() + desde + largo);
            for (size_t k = j + 1; k < tramos.size(); ++k)
                if (inicio[k] >= i && inicio[k] < desde)
                    inicio[k] += largo;
        }
        i += largo;
    }
}

class FilasLado {
public:
    // Bits of a slot's state, kept equal to its row.
    enum : quint8 {
        kMarcada = 1,           // Checked
        kVinculada = 2,         // a link list that is not blank
        kEnGrupo = 4,           // Grupo != 0
        kOrdenPendiente = 8,    // the row text is its icon's text (TextoOrden), not yet written into the row
        kOrdenVacio = 16,       // the row text is empty (and none is pending)
    };
    static constexpr quint8 kIconoOtro = 255;   // an icon outside 0..254

    // ---- as the load uses a vector of rows in list order ----
    FilasLado& operator=(WorkbenchRows filas);
    void push_back(WorkbenchRow fila);
    // Room for this many rows in all, made once before a large load.
    void reserve(size_t filas);
    size_t size() const { return m_filas.size(); }
    bool empty() const { return m_filas.empty(); }

    // ---- list order ----
    qsizetype Lugar(qsizetype posicion) const
    {
        return posicion < qsizetype(m_orden.size()) ? qsizetype(m_orden[size_t(posicion)]) : posicion;
    }
    qsizetype Posicion(qsizetype lugar) const
    {
        return lugar < qsizetype(m_posicion.size()) ? qsizetype(m_posicion[size_t(lugar)]) : lugar;
    }
    bool EnOrdenDeLista() const { return m_orden.empty(); }
    // The row at a list position, or in a slot, with its row text up to date.
    const WorkbenchRow& En(qsizetype posicion) const { return DeLugar(Lugar(posicion)); }
    const WorkbenchRow& DeLugar(qsizetype lugar) const;
    // A row to change in place; Sincronizar(lugar) must follow.
    WorkbenchRow& Cambiar(qsizetype lugar);
    void Sincronizar(qsizetype lugar);
    // Every row in list order, laid out so (rows move only if the order changed since the last call) and with
    // its row text written.
    const WorkbenchRows& EnOrden() const
    {
        Disponer();
        return m_filas;
    }
    WorkbenchRows& EnOrden()
    {
        Disponer();
        return m_filas;
    }
    // The new list order.
    void Permutar(const Tramos& tramos);
    // Whether the rows stand as a regroup left them: in the order of their icons' texts, each row text its
    // icon's text. A regroup says so after its new order; a sort, rows added or an icon or row text changed
    // since say otherwise.
    bool EnOrdenDeGrupos() const { return m_enOrdenDeGrupos; }
    void OrdenadaPorGrupos() { m_enOrdenDeGrupos = true; }
    // Takes the rows at positions [desde, hasta) out.
    void Quitar(qsizetype desde, qsizetype hasta);

    // ---- what the regroup reads and writes without the rows ----
    quint8 Estado(qsizetype lugar) const { return m_estado[size_t(lugar)]; }
    const std::vector<quint8>& Estados() const { return m_estado; }
    quint8 Icono(qsizetype lugar) const { return m_icono[size_t(lugar)]; }
    const std::vector<quint8>& Iconos() const { return m_icono; }
    // A regroup gave every row its icon's text as its row text (written into a row when it is read).
    void TextosDeIcono();
    // The slots whose row has this ID, ascending.
    std::vector<qsizetype> LugaresDeId(qint64 id) const;
    // The rows by ID put in order now (a load's end) rather than at the first search, which is the reconcile
    // step the operator waits for.
    void OrdenarIds() const;

private:
    struct PorId {
        qint64 id;
        qsizetype lugar;
    };
    static quint8 EstadoDe(const WorkbenchRow& fila);
    void Escribir(qsizetype lugar, const WorkbenchRow& fila);
    void IndexarIds();
    void Asentar(qsizetype lugar) const;
    void Disponer() const;

    mutable WorkbenchRows m_filas;              // by slot
    // Laying the rows out in list order changes none of what the class shows, so the members are mutable.
    // Four bytes a row: a new order writes them all, and at a million rows that is memory the system must hand
    // over first.
    mutable std::vector<quint32> m_orden;       // slot at each list position; empty when they agree
    mutable std::vector<quint32> m_posicion;    // list position of each slot; empty when they agree
    mutable std::vector<quint8> m_estado;       // by slot
    mutable std::vector<quint8> m_icono;        // by slot
    mutable std::vector<PorId> m_porId;     // sorted by ID once m_porIdOrdenado
    mutable bool m_porIdOrdenado = true;
    bool m_enOrdenDeGrupos = false;
};

} // namespace conciliacion
