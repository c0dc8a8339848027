#pragma once
// Index over the free right rows for the matcher: right rows ordered by (bucket, amount, list position), so
// that "the first free right row, in list order, of this bucket whose amount lies in [from, to]" is one range
// query. A bucket is a hash of the chosen text fields, letter case aside (0 when no text field takes part); the
// amount is 0 when amounts take no part. The matcher checks that the rows of a bucket agree in their texts (a
// new hash seed when two that differ share one) and that a left row's texts agree with its bucket's. Each index
// keeps the free rows and, when asked, the "live" rows: free rows that have not yet been painted red in this
// run. Positions are kept in 32 bits: lists are far below two thousand million rows.

#include <QtGlobal>
#include <functional>
#include <limits>
#include <optional>
#include <vector>

namespace conciliacion::detalle {

constexpr qsizetype kNinguna = std::numeric_limits<qsizetype>::max();

// Range minimum over fixed slots, with removal (a removed slot reads kNinguna).
class ArbolMinimo {
public:
    ArbolMinimo() = default;
    // n slots; valor(i) the value of slot i.
    template <typename Valor>
    ArbolMinimo(qsizetype n, Valor&& valor) : m_n(n), m_arbol(size_t(2 * n), kVacio)
    {
        for (qsizetype i = 0; i < n; ++i)
            m_arbol[size_t(n + i)] = qint32(valor(i));
        Completar();
    }
    void Quitar(qsizetype lugar);
    qsizetype Minimo(qsizetype desde, qsizetype hasta) const;   // over [desde, hasta)
    void Anticipar(qsizetype lugar) const { __builtin_prefetch(m_arbol.data() + m_n + lugar); }

private:
    static constexpr qint32 kVacio = std::numeric_limits<qint32>::max();
    void Completar();
    qsizetype m_n = 0;
    std::vector<qint32> m_arbol;
};

struct ClaveDerecha {
    quint64 cubeta = 0;
    qint64 monto = 0;
    quint32 dato = 0;   // carried along for the caller; the order ignores it
};

class IndiceDerecho {
public:
    struct Rango {
        qsizetype desde = 0;
        qsizetype hasta = 0;
        bool Vacio() const { return desde >= hasta; }
    };

    // clave(j) is right row j's key; rows with incluir 0 (already marked) are left out.
    IndiceDerecho(qsizetype filas, const std::vector<quint8>& incluir, bool conVivas,
                  const std::function<ClaveDerecha(qsizetype)>& clave);

    // What a left row asks: the rows of a bucket whose amounts lie in [desde, hasta]; `orden` is the caller's.
    struct Consulta {
        quint64 cubeta;
        qint64 desde;
        qint64 hasta;
        qint32 orden;
    };
    // The slots of every query, answered in one walk over the slots once the queries are sorted: fn(orden, rango).
    void BuscarTodas(std::vector<Consulta>& consultas, const std::function<void(qint32, Rango)>& fn) const;
    // Starts reading, without waiting, the lines that the free and live rows of a range will read.
    void Anticipar(Rango r) const;
    void AnticiparFila(qsizetype fila) const { __builtin_prefetch(m_lugar.data() + fila); }
    qsizetype PrimeraLibre(Rango r) const { return m_libres.Minimo(r.desde, r.hasta); }
    void QuitarLibre(qsizetype fila);
    void QuitarViva(qsizetype fila);
    // The right rows in index order: the row at a slot, and how many slots there are.
    qsizetype FilaEn(qsizetype lugar) const { return m_entradas[size_t(lugar)].fila; }
    qsizetype Lugares() const { return qsizetype(m_entradas.size()); }
    quint64 CubetaEn(qsizetype lugar) const { return m_entradas[size_t(lugar)].cubeta; }
    quint32 DatoEn(qsizetype lugar) const { return m_entradas[size_t(lugar)].dato; }
    // The slot's entry, to be read ahead of time.
    const void* EntradaEn(qsizetype lugar) const { return &m_entradas[size_t(lugar)]; }

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
    struct Entrada {
        quint64 cubeta;
        qint64 monto;
        qint32 fila;
        quint32 dato;
    };
    std::vector<Entrada> m_entradas;        // by slot, sorted by bucket, amount and row
    std::vector<qint32> m_lugar;            // row -> slot, -1 when left out
    ArbolMinimo m_libres;
    std::optional<ArbolMinimo> m_vivas;
};

} // namespace conciliacion::detalle
