#pragma once
// The workbench's working state without widgets: both sides' rows as typed values (exact amounts, marks,
// link lists, group numbers) in the order the lists show them, the rows changed since the last save and the
// running totals of marked and unmarked amounts. The lists are views over it: every change goes through the
// session, which tells its observers which rows changed, were added, removed or reordered.
//
// The reconcile step (new rows found, linked, saved and grouped) reads and writes only the rows it changes, so
// that it takes the same time on lists of any length; the operations that hand out all rows at once lay them
// out in list order first (see FilasLado.h).

#include "LinkListReconcile.h"
#include "Matching.h"
#include "StoreTypes.h"
#include "WorkbenchChecks.h"
#include "FilasLado.h"
#include "WorkbenchTotals.h"

#include <QSet>
#include <array>
#include <functional>
#include <vector>

namespace conciliacion {

// What a view of the session hears, before and after each change, so that it can keep its own bookkeeping
// in step. Positions are display positions of the side.
class ObservadorSesion {
public:
    virtual ~ObservadorSesion() = default;
    virtual void reemplazando(Lado) {}
    virtual void reemplazadas(Lado) {}
    virtual void agregando(Lado, qsizetype /*desde*/, qsizetype /*cantidad*/) {}
    virtual void agregadas(Lado) {}
    virtual void quitando(Lado, qsizetype /*desde*/, qsizetype /*cantidad*/) {}
    virtual void quitadas(Lado) {}
    virtual void reordenando(Lado) {}
    // The new order in runs of the positions before (see FilasLado.h).
    virtual void reordenadas(Lado, const Tramos& /*tramos*/) {}
    // Rows whose mark, link list, colour or icon changed, ascending.
    virtual void cambiadas(Lado, const std::vector<qsizetype>& /*posiciones*/) {}
};

class SesionConciliacion {
public:
    // Totals are rounded to the money decimals the totals are shown with (DecimalesEtiquetas).
    explicit SesionConciliacion(int decimales);

    void AgregarObservador(ObservadorSesion* observador);
    void QuitarObservador(ObservadorSesion* observador);

    // All rows of the side in list order.
    const WorkbenchRows& Filas(Lado lado) const { return m_lados[indice(lado)].filas.EnOrden(); }
    qsizetype Cantidad(Lado lado) const { return qsizetype(m_lados[indice(lado)].filas.size()); }
    const WorkbenchRow& Fila(Lado lado, qsizetype posicion) const { return m_lados[indice(lado)].filas.En(posicion); }

    // ---- rows in and out ----
    // The side shows these rows (a load); its changed rows are forgotten.
    void Reemplazar(Lado lado, WorkbenchRows filas);
    // Rows added at the end of the side (a load that lists a panel after the saved lines).
    void Agregar(Lado lado, WorkbenchRows filas);
    // Room for this many more rows on the side, made once before a load adds them a block at a time.
    void Reservar(Lado lado, size_t mas);
    // A load has added its last rows to the side: what the reconcile step looks up is made ready now.
    void CargaTerminada(Lado lado);
    // Rows taken off the side (released lines), by ID.
    void Quitar(Lado lado, const QSet<qint64>& ids);
    // Both sides empty, nothing changed.
    void Vaciar();

    // ---- the operator's work ----
    // The operator changed the mark of one row (by hand or Shift+arrow): the row is recorded as changed.
    void CambiarMarca(Lado lado, qsizetype posicion, bool marcada);
    // The rest of a mark handler once its question was answered (see ResolverItemCheck).
    void ResolverMarca(Lado lado, qsizetype posicion, bool confirmado);
    // Marks the rows at these positions.
    void MarcarSeleccion(Lado lado, const std::vector<qsizetype>& posiciones);
    // "Comparar" on both sides.
    ResultadoComparacion Comparar(const OpcionesComparacion& opciones, const AvanceComparacion& avance = {});
    // Icons and link groups of both sides, both sorted by group.
    void Agrupar();
    // The reconcile step's new rows (marked, link list blank) of both sides, in list order.
    VinculosNuevos BuscarVinculosNuevos() const;
    // Gives each new left row the right rows' IDs as its link list and each new right row the left rows' IDs.
    void AsignarVinculosNuevos(const VinculosNuevos& nuevos);
    // The IDs of the rows at these positions, in that order.
    std::vector<qint64> Ids(Lado lado, const std::vector<qsizetype>& posiciones) const;
    // Sorts a side stably by a column's text without regard to case, descending or not.
    void Ordenar(Lado lado, int columna, bool descendente);
    // Applies any change to a side's rows; the rows whose shown state changed are told and, when their mark
    // or link list changed, recorded as changed.
    void Modificar(Lado lado, const std::function<void(WorkbenchRows&)>& cambio);
    void ModificarAmbos(const std::function<void(WorkbenchRows&, WorkbenchRows&)>& cambio);

    // ---- what a save writes ----
    void AnotarCambio(Lado lado, qint64 id) { m_lados[indice(lado)].cambiadas.insert(id); }
    bool Cambiada(Lado lado, qint64 id) const { return m_lados[indice(lado)].cambiadas.contains(id); }
    // The states of the side's changed rows, in display order.
    EstadosFilas EstadosCambiados(Lado lado) const;
    // The same, with the rows at `nuevas` (and any row sharing an ID with one of them) as a save that links them
    // writes them: their mark and `vinculo` as their link list.
    EstadosFilas EstadosCambiados(Lado lado, const std::vector<qsizetype>& nuevas, const QString& vinculo) const;
    // After a save: nothing is left to write.
    void OlvidarCambios();

    // ---- totals ----
    // The four totals and the difference as they are shown, kept as marks change.
    Totales TotalesActuales() const;
    // Money decimals of the shown totals (a session for another locale may set them).
    void setDecimales(int decimales) { m_decimales = decimales; }

private:
    struct Lado_ {
        FilasLado filas;
        QSet<qint64> cambiadas;
        ado::Currency marcadas;     // exact sums of the shown amounts
        ado::Currency sinMarcar;
    };
    // What a change can alter of a row without moving it.
    struct Huella {
        const void* vinculo;
        qsizetype largoVinculo;
        qint32 color;
        int icono;
        bool marcada;
        qint64 grupo;
        const void* orden;
        bool operator==(const Huella&) const = default;
    };
    static size_t indice(Lado lado) { return lado == Lado::Izquierda ? 0 : 1; }
    static Huella HuellaDe(const WorkbenchRow& fila);
    std::vector<Huella> Huellas(Lado lado) const;
    void Diferencias(Lado lado, const std::vector<Huella>& antes);
    // Records a row's change from `antes` (totals, rows to save, its state beside it); true when it shows.
    bool Anotar(Lado lado, qsizetype lugar, const Huella& antes);
    void Sumar(Lado lado);
    void Reordenar(Lado lado, const Tramos& tramos);
    void OrdenarPorTexto(Lado lado, int columna, bool descendente);
    template <typename Fn>
    void Avisar(Fn&& fn);

    std::array<Lado_, 2> m_lados;
    std::vector<ObservadorSesion*> m_observadores;
    int m_decimales;
};

} // namespace conciliacion
