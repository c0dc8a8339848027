#include "ModeloLado.h"

#include "platform/ui/ControlErrors.h"
#include "platform/ui/Units.h"

#include <QBrush>
#include <algorithm>

namespace conciliacion {

ModeloLado::ModeloLado(SesionConciliacion& sesion, Lado lado, QObject* parent)
    : ui::ListModel(parent), m_sesion(sesion), m_lado(lado)
{
    numerar(0);
    m_sesion.AgregarObservador(this);
}

ModeloLado::~ModeloLado()
{
    m_sesion.QuitarObservador(this);
}

int ModeloLado::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : count();
}

QVariant ModeloLado::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const WorkbenchRow& f = m_sesion.Fila(m_lado, index.row());
    const int columna = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return f.Texto(columna);
    case Qt::CheckStateRole:
        if (columna == 0 && m_checkboxes)
            return f.Checked ? Qt::Checked : Qt::Unchecked;
        return {};
    case Qt::DecorationRole:
        return columna == 0 ? iconOf(f.SmallIcon) : QVariant();
    case Qt::FontRole:
        return fontOf(m_idEn[size_t(index.row())], columna);
    case Qt::ForegroundRole:
        return f.ForeColor != kColorNegro ? QVariant(QBrush(ui::FromBgr(f.ForeColor))) : QVariant();
    case Qt::TextAlignmentRole:
        return alignmentOf(columna);
    default:
        return {};
    }
}

int ModeloLado::count() const
{
    return int(m_sesion.Cantidad(m_lado) - m_sinAnunciar);
}

void ModeloLado::Retener()
{
    m_retenido = true;
}

void ModeloLado::Soltar()
{
    m_retenido = false;
    anunciar();
}

void ModeloLado::RetenerCambios()
{
    m_cambiosRetenidos = true;
}

void ModeloLado::SoltarCambios()
{
    m_cambiosRetenidos = false;
    pintarRetenidas();
}

void ModeloLado::pintarRetenidas()
{
    if (m_retenidas.empty())
        return;
    std::sort(m_retenidas.begin(), m_retenidas.end());
    m_retenidas.erase(std::unique(m_retenidas.begin(), m_retenidas.end()), m_retenidas.end());
    const std::vector<qsizetype> posiciones = std::move(m_retenidas);
    m_retenidas.clear();
    pintar(posiciones);
}

void ModeloLado::anunciar()
{
    if (m_sinAnunciar == 0)
        return;
    const qsizetype desde = qsizetype(m_idEn.size());
    beginInsertRows({}, int(desde), int(desde + m_sinAnunciar - 1));
    m_sinAnunciar = 0;
    numerar(desde);
    endInsertRows();
    ordenarAgregadas();
}

quint32 ModeloLado::idAt(int position)
{
    return m_idEn.at(size_t(position));
}

int ModeloLado::positionOf(quint32 id)
{
    return alive(id) ? int(Posicion(id)) : -1;
}

bool ModeloLado::alive(quint32 id) const
{
    return id >= m_primerId && id - m_primerId < m_posicionDe.size() && Posicion(id) >= 0;
}

const WorkbenchRow& ModeloLado::Fila(quint32 id) const
{
    return m_sesion.Fila(m_lado, Posicion(id));
}

void ModeloLado::clear() { m_sesion.Reemplazar(m_lado, {}); }
std::optional<quint32> ModeloLado::idOfKey(const QString&) const { return std::nullopt; }

QString ModeloLado::cell(quint32 id, int column) const
{
    return Fila(id).Texto(column);
}


bool ModeloLado::checked(quint32 id) const
{
    return Fila(id).Checked;
}

void ModeloLado::setChecked(quint32 id, bool checked)
{
    m_sesion.CambiarMarca(m_lado, Posicion(id), checked);
}

int ModeloLado::smallIcon(quint32 id) const
{
    return Fila(id).SmallIcon;
}

std::optional<qint32> ModeloLado::foreColor(quint32 id, int) const
{
    return Fila(id).ForeColor;
}

QString ModeloLado::key(quint32) const { return {}; }

QString ModeloLado::tag(quint32 id) const
{
    const qint64 grupo = Fila(id).Grupo;
    return grupo != 0 ? QString::number(grupo) : QString();
}


void ModeloLado::changeSort(bool sorted, int key, int order)
{
    m_sorted = sorted;
    m_sortKey = key;
    m_sortOrder = order;
    if (m_sorted)
        m_sesion.Ordenar(m_lado, key, order == 1);
}

void ModeloLado::numerar(qsizetype desde)
{
    const qsizetype n = m_sesion.Cantidad(m_lado);
    m_idEn.resize(size_t(n));
    for (qsizetype p = desde; p < n; ++p) {
        const quint32 id = m_primerId + quint32(m_posicionDe.size());
        m_posicionDe.push_back(p);
        m_idEn[size_t(p)] = id;
    }
}

void ModeloLado::reemplazando(Lado lado)
{
    if (lado != m_lado)
        return;
    m_retenidas.clear();   // the reload repaints every row
    anunciar();
    beginResetModel();
}

void ModeloLado::reemplazadas(Lado lado)
{
    if (lado != m_lado)
        return;
    m_primerId += quint32(m_posicionDe.size());
    m_posicionDe.clear();
    m_idEn.clear();
    forgetBold();
    numerar(0);
    endResetModel();
}

void ModeloLado::agregando(Lado lado, qsizetype desde, qsizetype cantidad)
{
    if (lado != m_lado)
        return;
    if (m_retenido) {
        m_sinAnunciar += cantidad;
        return;
    }
    beginInsertRows({}, int(desde), int(desde + cantidad - 1));
}

void ModeloLado::agregadas(Lado lado)
{
    if (lado != m_lado || m_retenido)
        return;
    numerar(qsizetype(m_idEn.size()));
    endInsertRows();
    ordenarAgregadas();
}

void ModeloLado::ordenarAgregadas()
{
    // A sorted list puts rows added from code in their place, as the list control does.
    if (m_sorted && !m_ordenando) {
        m_ordenando = true;
        m_sesion.Ordenar(m_lado, m_sortKey, m_sortOrder == 1);
        m_ordenando = false;
    }
}

void ModeloLado::quitando(Lado lado, qsizetype desde, qsizetype cantidad)
{
    if (lado != m_lado)
        return;
    anunciar();
    pintarRetenidas();   // their positions are about to change
    beginRemoveRows({}, int(desde), int(desde + cantidad - 1));
    for (qsizetype p = desde; p < desde + cantidad; ++p)
        m_posicionDe[size_t(m_idEn[size_t(p)] - m_primerId)] = -1;
    m_idEn.erase(m_idEn.begin() + desde, m_idEn.begin() + desde + cantidad);
    for (qsizetype p = desde; p < qsizetype(m_idEn.size()); ++p)
        m_posicionDe[size_t(m_idEn[size_t(p)] - m_primerId)] = p;
}

void ModeloLado::quitadas(Lado lado)
{
    if (lado == m_lado)
        endRemoveRows();
}

void ModeloLado::reordenando(Lado lado)
{
    if (lado != m_lado)
        return;
    m_retenidas.clear();   // the new order repaints every row
    anunciar();
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    m_persistentesAntes = persistentIndexList();
    m_persistentes.clear();
    m_persistentes.reserve(size_t(m_persistentesAntes.size()));
    for (const QModelIndex& i : m_persistentesAntes)
        m_persistentes.emplace_back(m_idEn[size_t(i.row())], i.column());
}

void ModeloLado::reordenadas(Lado lado, const Tramos& tramos)
{
    if (lado != m_lado)
        return;
    // The handles run by run; only the handles of runs that moved change position.
    OrdenarEnTramos(m_idEn, tramos);
    qsizetype i = 0;
    for (const Tramo& t : tramos) {
        const qsizetype fin = i + (t.hasta - t.desde);
        if (t.desde != i)
            for (qsizetype p = i; p < fin; ++p)
                m_posicionDe[size_t(m_idEn[size_t(p)] - m_primerId)] = p;
        i = fin;
    }
    QModelIndexList despues;
    despues.reserve(m_persistentesAntes.size());
    for (const auto& [id, columna] : m_persistentes)
        despues.append(index(int(Posicion(id)), columna));
    changePersistentIndexList(m_persistentesAntes, despues);
    m_persistentesAntes.clear();
    m_persistentes.clear();
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void ModeloLado::cambiadas(Lado lado, const std::vector<qsizetype>& posiciones)
{
    if (lado != m_lado)
        return;
    anunciar();
    if (m_cambiosRetenidos)
        m_retenidas.insert(m_retenidas.end(), posiciones.begin(), posiciones.end());
    else
        pintar(posiciones);
}

void ModeloLado::pintar(const std::vector<qsizetype>& posiciones)
{
    if (columnTotal() == 0)
        return;
    // A tree view takes about a microsecond per row told changed, and a fortieth of that per row to lay out the
    // whole list again: very many changed rows (a comparison of long lists) are told as one new layout, in which
    // no row moves.
    if (posiciones.size() > 256 && posiciones.size() * 40 > size_t(rowCount())) {
        emit layoutAboutToBeChanged({}, QAbstractItemModel::NoLayoutChangeHint);
        emit layoutChanged({}, QAbstractItemModel::NoLayoutChangeHint);
        return;
    }
    // One signal per run of neighbouring rows.
    size_t i = 0;
    while (i < posiciones.size()) {
        size_t j = i;
        while (j + 1 < posiciones.size() && posiciones[j + 1] == posiciones[j] + 1)
            ++j;
        emit dataChanged(index(int(posiciones[i]), 0), index(int(posiciones[j]), columnTotal() - 1));
        i = j + 1;
    }
}

} // namespace conciliacion
