#include "WorkbenchGroups.h"

#include "LinkList.h"

#include <QHash>
#include <algorithm>
#include <array>
#include <optional>

namespace conciliacion {

namespace {

// The ID an element names when it is written as an ID is written (plain decimal digits, a minus sign allowed,
// no leading zeros), which is the only way an element can equal one.
std::optional<qint64> IdEscrito(QStringView elemento)
{
    QStringView cifras = elemento.startsWith(u'-') ? elemento.mid(1) : elemento;
    if (cifras.isEmpty() || cifras.size() > 18 || (cifras.size() > 1 && cifras.front() == u'0'))
        return std::nullopt;
    for (QChar c : cifras)
        if (c < u'0' || c > u'9')
            return std::nullopt;
    const qint64 valor = cifras.toLongLong();
    if (elemento.startsWith(u'-'))
        return valor == 0 ? std::nullopt : std::optional<qint64>(-valor);
    return valor;
}

constexpr qint64 kUltimoIconoGrupo = 105;   // after it the counter wraps: 106, then 1

void IconosDeMarca(WorkbenchRows& filas)
{
    for (WorkbenchRow& fila : filas) {
        fila.SmallIcon = fila.Checked ? kIconoMarcado : kIconoSinMarcar;
        fila.Grupo = 0;
    }
}

} // namespace

QString TextoOrden(int icono)
{
    // One shared text per icon: every row of a group holds the same one.
    static const std::array<QString, kIconoSinMarcar + 1> textos = [] {
        std::array<QString, kIconoSinMarcar + 1> t;
        for (int i = 0; i <= kIconoSinMarcar; ++i)
            t[size_t(i)] = QString(100, QLatin1Char(' ')) + QString::number(i);
        return t;
    }();
    if (icono >= 0 && icono <= kIconoSinMarcar)
        return textos[size_t(icono)];
    return QString(100, QLatin1Char(' ')) + QString::number(icono);
}

int RangoIcono(int icono)
{
    // The lists sort their row texts, so icons follow the text order of their numbers.
    static const std::array<int, kIconoSinMarcar + 1> rango = [] {
        std::array<int, kIconoSinMarcar + 1> iconos{};
        for (int i = 0; i <= kIconoSinMarcar; ++i)
            iconos[size_t(i)] = i;
        std::sort(iconos.begin(), iconos.end(),
                  [](int a, int b) { return QString::number(a) < QString::number(b); });
        std::array<int, kIconoSinMarcar + 1> r{};
        for (int k = 0; k <= kIconoSinMarcar; ++k)
            r[size_t(iconos[size_t(k)])] = k;
        return r;
    }();
    return icono >= 0 && icono <= kIconoSinMarcar ? rango[size_t(icono)] : -1;
}

std::vector<qsizetype> OrdenPorIcono(const WorkbenchRows& filas)
{
    // A rank per icon, then a stable counting sort.
    std::vector<qsizetype> porRango[kIconoSinMarcar + 1];
    std::vector<std::pair<QString, qsizetype>> otros;   // icons outside 0..106 (never given here)
    for (qsizetype i = 0; i < qsizetype(filas.size()); ++i) {
        const int rango = RangoIcono(filas[size_t(i)].SmallIcon);
        if (rango >= 0)
            porRango[rango].push_back(i);
        else
            otros.emplace_back(QString::number(filas[size_t(i)].SmallIcon), i);
    }
    std::vector<qsizetype> orden;
    orden.reserve(filas.size());
    for (const std::vector<qsizetype>& grupo : porRango)
        orden.insert(orden.end(), grupo.begin(), grupo.end());
    if (!otros.empty()) {
        // Merged by text with the others, stable.
        std::vector<std::pair<QString, qsizetype>> todas;
        for (qsizetype i : orden)
            todas.emplace_back(QString::number(filas[size_t(i)].SmallIcon), i);
        todas.insert(todas.end(), otros.begin(), otros.end());
        std::stable_sort(todas.begin(), todas.end(), [](const auto& a, const auto& b) {
            return a.first != b.first ? a.first < b.first : a.second < b.second;
        });
        orden.clear();
        for (const auto& t : todas)
            orden.push_back(t.second);
    }
    return orden;
}

void AgruparConciliados(WorkbenchRows& izquierda, WorkbenchRows& derecha)
{
    AsignarGrupos(izquierda, derecha);
    for (WorkbenchRows* filas : {&izquierda, &derecha}) {
        const std::vector<qsizetype> orden = OrdenPorIcono(*filas);
        WorkbenchRows ordenadas;
        ordenadas.reserve(filas->size());
        for (qsizetype i : orden)
            ordenadas.push_back(std::move((*filas)[size_t(i)]));
        *filas = std::move(ordenadas);
    }
}

std::vector<IconoGrupo> NumerarGrupos(const std::vector<const QString*>& vinculos, bool hayMarcadas,
                                      const std::function<void(qint64 id, IconoGrupo)>& nombrar)
{
    // Every row starts with a mark icon (1 or 106); a row whose icon is no longer one of those was taken into an
    // earlier head's group. A group icon that wraps onto 1 or 106 looks like a mark icon, so the next row with
    // the same list opens a group of its own.
    std::vector<IconoGrupo> grupos(vinculos.size());
    // Later rows with the same link list (letter case aside).
    QHash<QString, std::vector<qsizetype>> mismaLista;
    for (qsizetype k = 0; k < qsizetype(vinculos.size()); ++k)
        mismaLista[vinculos[size_t(k)]->toCaseFolded()].push_back(k);

    qint64 contador = hayMarcadas ? kIconoMarcado : 0;
    qint64 grupo = 0;
    for (qsizetype k = 0; k < qsizetype(vinculos.size()); ++k) {
        IconoGrupo& propio = grupos[size_t(k)];
        if (propio.icono != kIconoMarcado && propio.icono != kIconoSinMarcar) {
            ++contador;   // already in an earlier row's group
            continue;
        }
        contador = contador > kUltimoIconoGrupo ? 1 : contador + 1;
        ++grupo;
        const IconoGrupo cabeza{int(contador), grupo};
        propio = cabeza;
        const std::vector<qsizetype>& iguales = mismaLista[vinculos[size_t(k)]->toCaseFolded()];
        for (auto it = std::upper_bound(iguales.begin(), iguales.end(), k); it != iguales.end(); ++it)
            grupos[size_t(*it)] = cabeza;
        RecorrerVinculo(*vinculos[size_t(k)], [&](QStringView elemento) {
            if (const std::optional<qint64> id = IdEscrito(elemento))
                nombrar(*id, cabeza);
        });
    }
    return grupos;
}

void AsignarGrupos(WorkbenchRows& izquierda, WorkbenchRows& derecha)
{
    IconosDeMarca(izquierda);
    IconosDeMarca(derecha);

    QHash<qint64, std::vector<qsizetype>> derechaPorId;
    for (qsizetype j = 0; j < qsizetype(derecha.size()); ++j)
        derechaPorId[derecha[j].ID].push_back(j);
    std::vector<qsizetype> vinculadas;
    std::vector<const QString*> vinculos;
    bool hayMarcadas = false;
    for (qsizetype n = 0; n < qsizetype(izquierda.size()); ++n) {
        WorkbenchRow& fila = izquierda[n];
        hayMarcadas = hayMarcadas || fila.Checked;
        if (VinculoVacio(fila.ConciliadoCon)) {
            fila.SmallIcon = kIconoSinMarcar;
            continue;
        }
        vinculadas.push_back(n);
        vinculos.push_back(&fila.ConciliadoCon);
    }
    const std::vector<IconoGrupo> grupos = NumerarGrupos(vinculos, hayMarcadas, [&](qint64 id, IconoGrupo g) {
        const auto it = derechaPorId.constFind(id);
        if (it == derechaPorId.cend())
            return;
        for (qsizetype j : *it) {
            derecha[j].SmallIcon = g.icono;
            derecha[j].Grupo = g.grupo;
        }
    });
    for (size_t k = 0; k < vinculadas.size(); ++k) {
        izquierda[size_t(vinculadas[k])].SmallIcon = grupos[k].icono;
        izquierda[size_t(vinculadas[k])].Grupo = grupos[k].grupo;
    }

    for (WorkbenchRows* filas : {&izquierda, &derecha})
        for (WorkbenchRow& fila : *filas)
            fila.Orden = TextoOrden(fila.SmallIcon);
}

} // namespace conciliacion
