#pragma once
// Index over the free right rows for the matcher: right rows ordered by (bucket, amount, list position), so
// that "the first free right row, in list order, of this bucket whose amount lies in [from, to]" is one range
// query. A bucket is an interned text key (the chosen text fields, or one field); the amount is 0 when
// amounts take no part. Each index keeps the free rows and, when asked, the "live" rows: free rows that
// have not yet been painted red in this run.

#include <QHash>
#include <QString>
#include <limits>
#include <optional>
#include <vector>

namespace conciliacion::detalle {

constexpr qsizetype kNinguna = std::numeric_limits<qsizetype>::max();

// Range minimum over fixed slots, with removal (a removed slot reads kNinguna).
class ArbolMinimo {
public:
    ArbolMinimo() = default;
    explicit ArbolMinimo(const std::vector<qsizetype>& valores);
    void Quitar(qsizetype lugar);
    qsizetype Minimo(qsizetype desde, qsizetype hasta) const;   // over [desde, hasta)

private:
    qsizetype m_n = 0;
    std::vector<qsizetype> m_arbol;
};

// Texts to small numbers; a text seen only on the left gets none.
class Internador {
public:
    qint32 Agregar(const QString& texto);
    qint32 Buscar(const QString& texto) const;   // -1 when never added

private:
    QHash<QString, qint32> m_ids;
};

struct ClaveDerecha {
    qint32 cubeta = 0;
    qint64 monto = 0;
};

class IndiceDerecho {
public:
    struct Rango {
        qsizetype desde = 0;
        qsizetype hasta = 0;
    };

    // One key per right row; rows with incluir false (already marked) are left out.
    IndiceDerecho(const std::vector<ClaveDerecha>& claves, const std::vector<bool>& incluir, bool conVivas);

    Rango Buscar(qint32 cubeta, qint64 desde, qint64 hasta) const;
    qsizetype PrimeraLibre(Rango r) const { return m_libres.Minimo(r.desde, r.hasta); }
    void QuitarLibre(qsizetype fila);
    void QuitarViva(qsizetype fila);

    // Every live row of the range with a position below `limite`, in position order, is handed to fn and
    // leaves the live set.
    template <typename Fn>
    void TomarVivas(Rango r, qsizetype limite, Fn&& fn)
    {
        for (;;) {
            const qsizetype fila = m_vivas->Minimo(r.desde, r.hasta);
            if (fila >= limite)
                return;
            fn(fila);
            QuitarViva(fila);
        }
    }

private:
    std::vector<ClaveDerecha> m_claves;   // by slot, sorted
    std::vector<qsizetype> m_lugar;       // row -> slot, -1 when left out
    ArbolMinimo m_libres;
    std::optional<ArbolMinimo> m_vivas;
};

} // namespace conciliacion::detalle
