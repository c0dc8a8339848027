// The session's regroup, which reads and writes only the rows a regroup changes, against AgruparConciliados on
// plain rows: random lists taken through random sequences of marks, links, reconcile steps, sorts, appended and
// released rows and regroups must leave the same rows, in the same order, with the same icons, groups and row
// texts; the rows told as changed and the new order must be what the plain routines give. The runs a new order
// is told in put values where they say.

#include "reconciliation/engine/LinkListReconcile.h"
#include "reconciliation/engine/WorkbenchGroups.h"
#include "reconciliation/engine/SesionConciliacion.h"

#include <QRandomGenerator>
#include <QTest>

using namespace conciliacion;

Q_DECLARE_METATYPE(conciliacion::Tramos)

namespace {

// Hears what the session tells its lists.
struct Oyente final : ObservadorSesion {
    std::array<std::vector<qsizetype>, 2> iconos;
    std::array<std::vector<qsizetype>, 2> origen;
    void cambiadas(Lado lado, const std::vector<qsizetype>& p) override
    {
        auto& v = iconos[lado == Lado::Izquierda ? 0 : 1];
        v.insert(v.end(), p.begin(), p.end());
    }
    void reordenadas(Lado lado, const Tramos& t) override { origen[lado == Lado::Izquierda ? 0 : 1] = OrigenDeTramos(t); }
    void Olvidar()
    {
        iconos = {};
        origen = {};
    }
};

class Caso {
public:
    explicit Caso(quint32 semilla) : m_azar(semilla) {}

    int Hasta(int n) { return n <= 0 ? 0 : int(m_azar.bounded(n)); }
    bool Moneda(int entre = 2) { return Hasta(entre) == 0; }

    // A link list naming some IDs of the other side (or IDs nobody has), written in the ways a list can be.
    QString Vinculo(const WorkbenchRows& otras)
    {
        QStringList elementos;
        const int n = 1 + Hasta(3);
        for (int k = 0; k < n; ++k) {
            const qint64 id = otras.empty() || Moneda(6) ? 900 + Hasta(5) : otras[size_t(Hasta(int(otras.size())))].ID;
            QString e = QString::number(id);
            if (Moneda(8))
                e = QLatin1Char(' ') + e;
            if (Moneda(12))
                e = QLatin1Char('0') + e;   // not written as an ID
            elementos << e;
        }
        return Moneda(10) ? elementos.join(QLatin1Char(',')).toUpper() + QStringLiteral("a") : elementos.join(QLatin1Char(','));
    }

    WorkbenchRows Filas(int n, qint64 primerId)
    {
        WorkbenchRows filas;
        for (int i = 0; i < n; ++i) {
            WorkbenchRow f;
            // Now and then an ID twice.
            f.ID = primerId + (Moneda(15) && i > 0 ? i - 1 : i);
            f.Concepto = QStringLiteral("c%1").arg(Hasta(5));
            f.Checked = Moneda(3);
            f.SmallIcon = Moneda(3) ? 1 + Hasta(kIconoSinMarcar) : kIconoSinMarcar;
            f.Grupo = Moneda(4) ? 1 + Hasta(3) : 0;
            f.Orden = Moneda(2) ? QString() : TextoOrden(f.SmallIcon);
            filas.push_back(f);
        }
        return filas;
    }

    QRandomGenerator m_azar;
};

void Comparar(const SesionConciliacion& sesion, const WorkbenchRows& esperadas, Lado lado, bool deAUna)
{
    QCOMPARE(sesion.Cantidad(lado), qsizetype(esperadas.size()));
    for (qsizetype p = 0; p < sesion.Cantidad(lado); ++p) {
        // Row by row (as a list reads them) or all at once (as the matcher does).
        const WorkbenchRow& f = deAUna ? sesion.Filas(lado)[size_t(p)] : sesion.Fila(lado, p);
        const WorkbenchRow& e = esperadas[size_t(p)];
        QCOMPARE(f.ID, e.ID);
        QCOMPARE(f.Checked, e.Checked);
        QCOMPARE(f.ConciliadoCon, e.ConciliadoCon);
        QCOMPARE(f.SmallIcon, e.SmallIcon);
        QCOMPARE(f.Grupo, e.Grupo);
        QCOMPARE(f.Orden, e.Orden);
    }
}

// Positions whose icon differs between two copies of the same rows.
std::vector<qsizetype> IconosDistintos(const WorkbenchRows& antes, const WorkbenchRows& despues)
{
    std::vector<qsizetype> p;
    for (size_t i = 0; i < antes.size(); ++i)
        if (antes[i].SmallIcon != despues[i].SmallIcon)
            p.push_back(qsizetype(i));
    return p;
}

} // namespace

class TstSessionRegroup : public QObject {
    Q_OBJECT

private slots:
    // A new order given in runs of the positions before puts each value where the runs say, moved in place or
    // copied.
    void runsPutValuesInTheirNewOrder_data()
    {
        QTest::addColumn<Tramos>("tramos");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("nothing moves") << Tramos{{0, 10}} << "abcdefghij";
        QTest::newRow("the first rows to the end") << Tramos{{3, 10}, {0, 3}} << "defghijabc";
        QTest::newRow("one row to the front") << Tramos{{7, 8}, {0, 7}, {8, 10}} << "habcdefgij";
        QTest::newRow("rows into the middle, from both ends")
            << Tramos{{2, 4}, {0, 1}, {9, 10}, {4, 6}, {1, 2}, {6, 9}} << "cdajefbghi";
        QTest::newRow("more runs than are moved in place")
            << Tramos{{9, 10}, {8, 9}, {7, 8}, {6, 7}, {5, 6}, {4, 5}, {3, 4}, {2, 3}, {1, 2}, {0, 1}} << "jihgfedcba";
    }

    void runsPutValuesInTheirNewOrder()
    {
        QFETCH(Tramos, tramos);
        QFETCH(QString, esperado);
        std::vector<QChar> valores;
        for (QChar c : QStringLiteral("abcdefghij"))
            valores.push_back(c);
        OrdenarEnTramos(valores, tramos);
        QCOMPARE(QString(valores.data(), qsizetype(valores.size())), esperado);
    }

    // Lists that come in sorted by group, as a regroup leaves them (groups before and after the rows that will
    // change), long enough that each new group moves rows past thousands of others: a few rows marked anywhere,
    // linked by the reconcile step and regrouped, round after round, end as the plain routines leave them.
    void regroupOfListsInGroupOrder_data()
    {
        QTest::addColumn<quint32>("semilla");
        for (quint32 s = 1; s <= 4; ++s)
            QTest::addRow("seed %u", s) << s;
    }

    void regroupOfListsInGroupOrder()
    {
        QFETCH(quint32, semilla);
        Caso caso(semilla);
        WorkbenchRows izquierda = caso.Filas(5000, 1);
        WorkbenchRows derecha = caso.Filas(5000, 100000);
        for (WorkbenchRow& f : izquierda)
            if (caso.Moneda(3))
                f.ConciliadoCon = caso.Vinculo(derecha);
        AgruparConciliados(izquierda, derecha);
        SesionConciliacion sesion(2);
        sesion.Reemplazar(Lado::Izquierda, izquierda);
        sesion.Reemplazar(Lado::Derecha, derecha);
        for (int ronda = 0; ronda < 4; ++ronda) {
            for (int k = 0; k < 6; ++k) {
                for (Lado lado : {Lado::Izquierda, Lado::Derecha}) {
                    WorkbenchRows& filas = lado == Lado::Izquierda ? izquierda : derecha;
                    const qsizetype p = caso.Hasta(int(filas.size()));
                    sesion.CambiarMarca(lado, p, true);
                    filas[size_t(p)].Checked = true;
                }
            }
            sesion.AsignarVinculosNuevos(sesion.BuscarVinculosNuevos());
            AsignarVinculosNuevos(izquierda, derecha, BuscarVinculosNuevos(izquierda, derecha));
            sesion.Agrupar();
            AgruparConciliados(izquierda, derecha);
            Comparar(sesion, izquierda, Lado::Izquierda, ronda % 2 == 0);
            Comparar(sesion, derecha, Lado::Derecha, ronda % 2 == 1);
            if (QTest::currentTestFailed())
                QFAIL(qPrintable(QStringLiteral("after round %1").arg(ronda)));
        }
    }

    void regroupAgreesWithThePlainRoutine_data()
    {
        QTest::addColumn<quint32>("semilla");
        QTest::addColumn<int>("filas");
        for (quint32 s = 1; s <= 60; ++s)
            QTest::addRow("seed %u", s) << s << int(s % 3 == 0 ? 400 : 12 + s % 25);
    }

    void regroupAgreesWithThePlainRoutine()
    {
        QFETCH(quint32, semilla);
        QFETCH(int, filas);
        Caso caso(semilla);
        WorkbenchRows izquierda = caso.Filas(filas, 1);
        WorkbenchRows derecha = caso.Filas(filas + caso.Hasta(10), 1000);
        for (WorkbenchRow& f : izquierda)
            if (caso.Moneda(3))
                f.ConciliadoCon = caso.Vinculo(derecha);
        SesionConciliacion sesion(2);
        Oyente oyente;
        sesion.AgregarObservador(&oyente);
        sesion.Reemplazar(Lado::Izquierda, izquierda);
        sesion.Reemplazar(Lado::Derecha, derecha);
        qint64 proximoId = 5000;

        for (int paso = 0; paso < 40; ++paso) {
            const Lado lado = caso.Moneda() ? Lado::Izquierda : Lado::Derecha;
            WorkbenchRows& propias = lado == Lado::Izquierda ? izquierda : derecha;
            const WorkbenchRows& otras = lado == Lado::Izquierda ? derecha : izquierda;
            switch (caso.Hasta(8)) {
            case 0:   // the operator's check box
                if (!propias.empty()) {
                    const qsizetype p = caso.Hasta(int(propias.size()));
                    const bool marcada = caso.Moneda();
                    sesion.CambiarMarca(lado, p, marcada);
                    propias[size_t(p)].Checked = marcada;
                }
                break;
            case 1:   // a change of several rows at once (a link list given or cleared, a mark)
                if (!propias.empty()) {
                    const qsizetype p = caso.Hasta(int(propias.size()));
                    const QString vinculo = caso.Moneda() ? QString() : caso.Vinculo(otras);
                    const bool marcada = caso.Moneda();
                    const auto cambio = [&](WorkbenchRows& f) {
                        f[size_t(p)].ConciliadoCon = vinculo;
                        f[size_t(p)].Checked = marcada;
                    };
                    sesion.Modificar(lado, cambio);
                    cambio(propias);
                }
                break;
            case 2: {   // the reconcile step's linking
                const VinculosNuevos nuevos = sesion.BuscarVinculosNuevos();
                const VinculosNuevos esperados = BuscarVinculosNuevos(izquierda, derecha);
                QCOMPARE(nuevos.izquierda, esperados.izquierda);
                QCOMPARE(nuevos.derecha, esperados.derecha);
                QCOMPARE(nuevos.textoIzquierda, esperados.textoIzquierda);
                QCOMPARE(nuevos.textoDerecha, esperados.textoDerecha);
                sesion.AsignarVinculosNuevos(nuevos);
                AsignarVinculosNuevos(izquierda, derecha, esperados);
                break;
            }
            case 3: {   // a sort by a column, the group column included
                const int columna = caso.Moneda() ? colOrden : caso.Hasta(kCantidadColumnas);
                const bool descendente = caso.Moneda(3);
                sesion.Ordenar(lado, columna, descendente);
                // The list sorts its rows stably by the column's text, letter case aside.
                std::stable_sort(propias.begin(), propias.end(), [&](const WorkbenchRow& a, const WorkbenchRow& b) {
                    const int c = QString::compare(a.Texto(columna), b.Texto(columna), Qt::CaseInsensitive);
                    return descendente ? c > 0 : c < 0;
                });
                break;
            }
            case 4: {   // rows appended by a load
                WorkbenchRows nuevas = caso.Filas(1 + caso.Hasta(4), proximoId);
                proximoId += 10;
                sesion.Agregar(lado, nuevas);
                propias.insert(propias.end(), nuevas.begin(), nuevas.end());
                break;
            }
            case 5:   // released rows
                if (!propias.empty()) {
                    const qint64 id = propias[size_t(caso.Hasta(int(propias.size())))].ID;
                    sesion.Quitar(lado, {id});
                    propias.erase(std::remove_if(propias.begin(), propias.end(),
                                                 [id](const WorkbenchRow& f) { return f.ID == id; }),
                                  propias.end());
                }
                break;
            default: {   // a regroup
                oyente.Olvidar();
                sesion.Agrupar();
                for (int i = 0; i < 2; ++i) {
                    WorkbenchRows& plano = i == 0 ? izquierda : derecha;
                    const WorkbenchRows antes = plano;
                    WorkbenchRows asignadas = plano, otrasAsignadas = i == 0 ? derecha : izquierda;
                    if (i == 0)
                        AsignarGrupos(asignadas, otrasAsignadas);
                    else
                        AsignarGrupos(otrasAsignadas, asignadas);
                    QCOMPARE(oyente.iconos[size_t(i)], IconosDistintos(antes, asignadas));
                    std::vector<qsizetype> origen = OrdenPorIcono(asignadas);
                    bool mueve = false;
                    for (size_t k = 0; k < origen.size(); ++k)
                        mueve = mueve || origen[k] != qsizetype(k);
                    QCOMPARE(oyente.origen[size_t(i)], mueve ? origen : std::vector<qsizetype>());
                }
                AgruparConciliados(izquierda, derecha);
                break;
            }
            }
            Comparar(sesion, izquierda, Lado::Izquierda, paso % 2 == 0);
            Comparar(sesion, derecha, Lado::Derecha, paso % 3 == 0);
            if (QTest::currentTestFailed())
                QFAIL(qPrintable(QStringLiteral("after step %1").arg(paso)));
        }
        sesion.QuitarObservador(&oyente);
    }
};

QTEST_MAIN(TstSessionRegroup)
#include "tst_session_regroup.moc"
