#pragma once
// One side of the workbench session as the rows of a list view: the cells are the session's typed values
// formatted on display, the operator's check box changes the session, and only the rows the session reports
// as changed are repainted. Items keep their handles through sorting and grouping. Texts, icons and colours
// belong to the session: writing them through an item raises the invalid-property error. The bold type of a
// cell (the find dialog's hit) is the list's own and is not kept in the session.

#include "reconciliation/engine/SesionConciliacion.h"
#include "platform/ui/ListModel.h"

namespace conciliacion {

class ModeloLado final : public ui::ListModel, public ObservadorSesion {
    Q_OBJECT
public:
    ModeloLado(SesionConciliacion& sesion, Lado lado, QObject* parent = nullptr);
    ~ModeloLado() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    int count() const override;
    quint32 idAt(int position) override;
    int positionOf(quint32 id) override;
    bool alive(quint32 id) const override;
    void clear() override;
    std::optional<quint32> idOfKey(const QString& key) const override;
    QString cell(quint32 id, int column) const override;
    bool checked(quint32 id) const override;
    void setChecked(quint32 id, bool checked) override;
    int smallIcon(quint32 id) const override;
    std::optional<qint32> foreColor(quint32 id, int column) const override;
    QString key(quint32 id) const override;
    QString tag(quint32 id) const override;

    // While held, rows the session adds are not announced to the view: a load that adds them a block at a
    // time has them laid out once, when the hold ends (Soltar), instead of the whole list again for every
    // block. Any other change of the side ends the wait first.
    void Retener();
    void Soltar();
    // While held, the rows the session reports as changed are repainted once, when the hold ends, and not at
    // all when a new order or a reload repaints the whole list meanwhile: the reconcile step changes its rows
    // twice (links, then groups) and then moves them.
    void RetenerCambios();
    void SoltarCambios();

    // The session row an item names.
    const WorkbenchRow& Fila(quint32 id) const;
    qsizetype Posicion(quint32 id) const { return m_posicionDe[size_t(id - m_primerId)]; }

protected:
    void changeSort(bool sorted, int key, int order) override;

    // ObservadorSesion
    void reemplazando(Lado lado) override;
    void reemplazadas(Lado lado) override;
    void agregando(Lado lado, qsizetype desde, qsizetype cantidad) override;
    void agregadas(Lado lado) override;
    void quitando(Lado lado, qsizetype desde, qsizetype cantidad) override;
    void quitadas(Lado lado) override;
    void reordenando(Lado lado) override;
    void reordenadas(Lado lado, const Tramos& tramos) override;
    void cambiadas(Lado lado, const std::vector<qsizetype>& posiciones) override;

private:
    void numerar(qsizetype desde);
    // The rows added while held, announced now.
    void anunciar();
    void ordenarAgregadas();
    void pintar(const std::vector<qsizetype>& posiciones);
    // The held changed rows repainted now.
    void pintarRetenidas();

    SesionConciliacion& m_sesion;
    Lado m_lado;
    quint32 m_primerId = 0;                 // handles keep counting after a reload
    std::vector<quint32> m_idEn;            // handle at each position
    std::vector<qsizetype> m_posicionDe;    // by handle - m_primerId; -1 once the row is gone
    QModelIndexList m_persistentesAntes;
    std::vector<std::pair<quint32, int>> m_persistentes;
    bool m_ordenando = false;
    bool m_retenido = false;
    qsizetype m_sinAnunciar = 0;            // session rows at the end the view has not been told of
    bool m_cambiosRetenidos = false;
    std::vector<qsizetype> m_retenidas;     // changed rows to repaint when the hold ends
};

} // namespace conciliacion
