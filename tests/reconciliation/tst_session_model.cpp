// The workbench session (typed rows, changed rows, running totals) and the list model over it, run under
// Qt's model tester.

#include "FilasDePrueba.h"
#include "reconciliation/EntornoPrograma.h"
#include "reconciliation/ModeloLado.h"
#include "reconciliation/engine/WorkbenchGroups.h"
#include "reconciliation/engine/WorkbenchTotals.h"
#include "platform/ui/ControlErrors.h"
#include "platform/ui/ListView.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>

#include <QTest>

using namespace conciliacion;
using prueba::Filas;
using prueba::Monto;

namespace {

// n rows with IDs 1..n, amounts 1.00 .. n.00 and concepts that sort in reverse.
WorkbenchRows Numeradas(int n, qint64 primerId = 1)
{
    WorkbenchRows filas;
    for (int i = 0; i < n; ++i) {
        WorkbenchRow f = prueba::Fila({primerId + i, "0"});
        f.Importe = ado::Currency::fromLong(i + 1);
        f.Concepto = QStringLiteral("c%1").arg(n - i, 4, 10, QLatin1Char('0'));
        filas.push_back(f);
    }
    return filas;
}

QList<std::pair<int, int>> Rangos(const QSignalSpy& spy)
{
    QList<std::pair<int, int>> r;
    for (const QList<QVariant>& senal : spy)
        r.append({senal.at(0).toModelIndex().row(), senal.at(1).toModelIndex().row()});
    return r;
}

// The model over a session of 5000 numbered left rows, and the signals it gives from then on.
struct ModeloNumerado {
    SesionConciliacion sesion{DecimalesPrograma()};
    ModeloLado modelo{sesion, Lado::Izquierda};
    QSignalSpy cambios{&modelo, &QAbstractItemModel::dataChanged};
    QSignalSpy reinicios{&modelo, &QAbstractItemModel::modelReset};
    QSignalSpy orden{&modelo, &QAbstractItemModel::layoutChanged};
    ModeloNumerado()
    {
        for (int c = 0; c < kCantidadColumnas; ++c)
            modelo.addColumn({});
        sesion.Reemplazar(Lado::Izquierda, Numeradas(5000));
        for (QSignalSpy* spy : {&cambios, &reinicios, &orden})
            spy->clear();
    }
};

} // namespace

class TstSessionModel : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    // Every kind of change the session makes, checked by Qt's model tester as it happens.
    void modelKeepsQtsRules()
    {
        SesionConciliacion sesion(DecimalesPrograma());
        ModeloLado izquierda(sesion, Lado::Izquierda);
        ModeloLado derecha(sesion, Lado::Derecha);
        for (ModeloLado* m : {&izquierda, &derecha})
            for (int c = 0; c < kCantidadColumnas; ++c)
                m->addColumn({QString(), QStringLiteral("c%1").arg(c)});
        izquierda.setCheckboxes(true);
        QAbstractItemModelTester t1(&izquierda, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QAbstractItemModelTester t2(&derecha, QAbstractItemModelTester::FailureReportingMode::QtTest);

        sesion.Reemplazar(Lado::Izquierda, Numeradas(20));
        sesion.Reemplazar(Lado::Derecha, Numeradas(10, 100));
        sesion.Agregar(Lado::Izquierda, Numeradas(5, 50));
        QCOMPARE(izquierda.rowCount(), 25);
        QPersistentModelIndex primera = izquierda.index(0, 3);
        izquierda.setSortKey(colConcepto);
        izquierda.setSorted(true);
        QCOMPARE(izquierda.cell(izquierda.idAt(0), colConcepto), QStringLiteral("c0001"));
        // The persistent index follows its row through the sort.
        QCOMPARE(izquierda.data(izquierda.index(primera.row(), colID), Qt::DisplayRole).toString(), QStringLiteral("1"));
        QVERIFY(izquierda.setData(izquierda.index(2, 0), Qt::Checked, Qt::CheckStateRole));
        sesion.Modificar(Lado::Derecha, [](WorkbenchRows& f) { f[3].ConciliadoCon = QStringLiteral("1,2"); });
        sesion.Quitar(Lado::Izquierda, {3, 4, 5, 50});
        QCOMPARE(izquierda.rowCount(), 21);
        sesion.Agrupar();
        sesion.Vaciar();
        QCOMPARE(izquierda.rowCount(), 0);
        QCOMPARE(derecha.rowCount(), 0);
    }

    // A mark changed on one row repaints that row only, whatever the list's length.
    void onlyChangedRowsAreSignalled()
    {
        ModeloNumerado m;
        SesionConciliacion& sesion = m.sesion;
        QSignalSpy& cambios = m.cambios;
        sesion.CambiarMarca(Lado::Izquierda, 4321, true);
        QCOMPARE(Rangos(cambios), (QList<std::pair<int, int>>{{4321, 4321}}));
        cambios.clear();
        sesion.Modificar(Lado::Izquierda, [](WorkbenchRows& f) {
            f[10].ConciliadoCon = QStringLiteral("7");
            f[11].ForeColor = kColorRojo;
            f[900].Checked = true;
        });
        QCOMPARE(Rangos(cambios), (QList<std::pair<int, int>>{{10, 11}, {900, 900}}));
        QCOMPARE(m.reinicios.count(), 0);
        QCOMPARE(m.orden.count(), 0);
    }

    // Changes made while the model holds them are told once, in order, when the hold ends; a new order told
    // meanwhile repaints every row, and then they are not told at all.
    void heldChangesAreToldOnceAtTheEnd()
    {
        ModeloNumerado m;
        SesionConciliacion& sesion = m.sesion;
        ModeloLado& modelo = m.modelo;
        QSignalSpy& cambios = m.cambios;
        const auto cambiar = [&] {
            sesion.CambiarMarca(Lado::Izquierda, 4321, true);
            sesion.Modificar(Lado::Izquierda, [](WorkbenchRows& f) {
                f[11].ForeColor = kColorRojo;
                f[10].ConciliadoCon = QStringLiteral("7");
            });
            sesion.CambiarMarca(Lado::Izquierda, 4321, false);
        };
        modelo.RetenerCambios();
        cambiar();
        QCOMPARE(cambios.count(), 0);
        modelo.SoltarCambios();
        QCOMPARE(Rangos(cambios), (QList<std::pair<int, int>>{{10, 11}, {4321, 4321}}));

        cambios.clear();
        modelo.RetenerCambios();
        cambiar();
        sesion.Ordenar(Lado::Izquierda, colConcepto, false);
        QCOMPARE(m.orden.count(), 1);
        modelo.SoltarCambios();
        QCOMPARE(cambios.count(), 0);
        // Not held: told as they come.
        sesion.CambiarMarca(Lado::Izquierda, 7, true);
        QCOMPARE(Rangos(cambios), (QList<std::pair<int, int>>{{7, 7}}));
    }

    // The cells are the typed values formatted when shown; the rows are written through the session only.
    void cellsAreFormattedOnDisplay()
    {
        SesionConciliacion sesion(DecimalesPrograma());
        ModeloLado modelo(sesion, Lado::Derecha);
        for (int c = 0; c < kCantidadColumnas; ++c)
            modelo.addColumn({});
        WorkbenchRows filas = Filas({{7, "1234.565", "000200000003B", "Deposito"}});
        filas[0].ForeColor = kColorRojo;
        sesion.Reemplazar(Lado::Derecha, filas);
        const quint32 id = modelo.idAt(0);
        QCOMPARE(modelo.data(modelo.index(0, colImporte), Qt::DisplayRole).toString(),
                 TextoImporteLista(Monto("1234.565")));
        QCOMPARE(modelo.cell(id, colImporte).trimmed(), QStringLiteral("1,234.57"));
        QCOMPARE(modelo.cell(id, colID), QStringLiteral("7"));
        QCOMPARE(modelo.foreColor(id, colConcepto), std::optional<qint32>(kColorRojo));
        // The list shows the session's rows: the control refuses to write into them, and to add rows.
        ui::ListView lista(&modelo, nullptr);
        const auto numeroDeError = [](auto&& escribir) {
            try {
                escribir();
            } catch (const ui::ErrorInfo& e) {
                return e.number;
            }
            return qint64(0);
        };
        QCOMPARE(numeroDeError([&] { lista.ListItems()(1).setSubItems(colImporte, QStringLiteral("1")); }), qint64(380));
        QCOMPARE(numeroDeError([&] { lista.ListItems().Add(QStringLiteral("x")); }), qint64(380));
        QCOMPARE(numeroDeError([&] { lista.ListItems()(1).setTag(QStringLiteral("t")); }), qint64(380));
        QCOMPARE(sesion.Fila(Lado::Derecha, 0).Importe, Monto("1234.565"));
        QCOMPARE(modelo.count(), 1);
    }

    // Items keep naming their row through sorting and grouping; a reload makes old items dead.
    void handlesFollowTheirRows()
    {
        SesionConciliacion sesion(DecimalesPrograma());
        ModeloLado modelo(sesion, Lado::Izquierda);
        for (int c = 0; c < kCantidadColumnas; ++c)
            modelo.addColumn({});
        sesion.Reemplazar(Lado::Izquierda, Numeradas(50));
        const quint32 id = modelo.idAt(0);   // ID 1, concept c0050
        sesion.Ordenar(Lado::Izquierda, colConcepto, false);
        QCOMPARE(modelo.positionOf(id), 49);
        sesion.Ordenar(Lado::Izquierda, colConcepto, true);
        QCOMPARE(modelo.positionOf(id), 0);
        sesion.Reemplazar(Lado::Izquierda, Numeradas(50));
        QVERIFY(!modelo.alive(id));
    }

    // Running totals agree with adding up the rows after any sequence of changes.
    void runningTotalsAgreeWithTheRows()
    {
        SesionConciliacion sesion(DecimalesPrograma());
        sesion.setDecimales(2);
        sesion.Reemplazar(Lado::Izquierda, Filas({{1, "100.005"}, {2, "250.10", "x", "x", true}, {3, "-7.50"}}));
        sesion.Reemplazar(Lado::Derecha, Filas({{4, "100.01"}, {5, "3.333"}}));
        const auto comprobar = [&] {
            QCOMPARE(sesion.TotalesActuales(),
                     CalcularTotales(sesion.Filas(Lado::Izquierda), sesion.Filas(Lado::Derecha), 2));
        };
        comprobar();
        QCOMPARE(sesion.TotalesActuales().Conc, Monto("250.10"));
        sesion.CambiarMarca(Lado::Izquierda, 0, true);
        comprobar();
        QCOMPARE(sesion.TotalesActuales().Conc, Monto("350.11"));
        sesion.MarcarSeleccion(Lado::Derecha, {0, 1});
        comprobar();
        sesion.Quitar(Lado::Izquierda, {2});
        comprobar();
        sesion.Agregar(Lado::Derecha, Filas({{6, "1", "x", "x", true}}));
        comprobar();
        QCOMPARE(sesion.TotalesActuales().Dif, Monto("100.01") - Monto("104.34"));
    }

    // A save writes the rows whose mark or link list changed, in list order, and nothing after it.
    void changedRowsAreWhatASaveWrites()
    {
        SesionConciliacion sesion(DecimalesPrograma());
        sesion.Reemplazar(Lado::Izquierda, Numeradas(10));
        sesion.Reemplazar(Lado::Derecha, Numeradas(3, 20));
        QVERIFY(sesion.EstadosCambiados(Lado::Izquierda).empty());
        sesion.CambiarMarca(Lado::Izquierda, 7, true);
        sesion.Modificar(Lado::Izquierda, [](WorkbenchRows& f) {
            f[2].ConciliadoCon = QStringLiteral("20");
            f[5].ForeColor = kColorRojo;   // a colour is not saved
        });
        const EstadosFilas e = sesion.EstadosCambiados(Lado::Izquierda);
        QCOMPARE(e.size(), size_t(2));
        QCOMPARE(e[0].id, qint64(3));
        QCOMPARE(e[0].vinculo, QStringLiteral("20"));
        QCOMPARE(e[1].id, qint64(8));
        QVERIFY(e[1].marcada);
        QVERIFY(sesion.EstadosCambiados(Lado::Derecha).empty());
        sesion.OlvidarCambios();
        QVERIFY(sesion.EstadosCambiados(Lado::Izquierda).empty());
    }

    // Grouping through the session gives the rows and order that grouping plain rows gives.
    void groupingMatchesThePlainRoutine()
    {
        WorkbenchRows izquierda = Filas({{1, "10", "a", "a", true, "11,12"}, {2, "5"}, {3, "4", "a", "a", true, "13"},
                                        {4, "1", "a", "a", true, "11,12"}});
        WorkbenchRows derecha = Filas({{11, "7", "a", "a", true, "1,4"}, {12, "3", "a", "a", true, "1,4"},
                                      {13, "4", "a", "a", true, "3"}, {14, "2"}});
        SesionConciliacion sesion(DecimalesPrograma());
        sesion.Reemplazar(Lado::Izquierda, izquierda);
        sesion.Reemplazar(Lado::Derecha, derecha);
        sesion.Agrupar();
        AgruparConciliados(izquierda, derecha);
        for (Lado lado : {Lado::Izquierda, Lado::Derecha}) {
            const WorkbenchRows& esperadas = lado == Lado::Izquierda ? izquierda : derecha;
            QCOMPARE(sesion.Cantidad(lado), qsizetype(esperadas.size()));
            for (size_t i = 0; i < esperadas.size(); ++i) {
                QCOMPARE(sesion.Filas(lado)[i].ID, esperadas[i].ID);
                QCOMPARE(sesion.Filas(lado)[i].SmallIcon, esperadas[i].SmallIcon);
                QCOMPARE(sesion.Filas(lado)[i].Grupo, esperadas[i].Grupo);
            }
        }
    }
};

QTEST_MAIN(TstSessionModel)
#include "tst_session_model.moc"
