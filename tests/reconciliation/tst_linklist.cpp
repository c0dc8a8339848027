// Link lists by whole element, each-to-each linking of the newly marked rows, the question before a very
// large linking, and the reconcile button's balance check.

#include "FilasDePrueba.h"
#include "reconciliation/engine/LinkList.h"
#include "reconciliation/engine/LinkListReconcile.h"
#include "reconciliation/engine/WorkbenchTotals.h"

#include <QTest>

using namespace conciliacion;
using prueba::Filas;
using prueba::Monto;

class LinkListTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void contains_data();
    void contains();
    void remove_data();
    void remove();
    void eachToEach();
    void newLeftRowsWithoutNewRightRows();
    void questionBeforeVeryManyLinks();
    void balance_data();
    void balance();
};

void LinkListTest::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Argentina));
}

void LinkListTest::contains_data()
{
    QTest::addColumn<QString>("lista");
    QTest::addColumn<qint64>("id");
    QTest::addColumn<bool>("contiene");
    QTest::newRow("12 is not in 112,5") << "112,5" << qint64(12) << false;
    QTest::newRow("12 is not in 120") << "120" << qint64(12) << false;
    QTest::newRow("12 is not in 1,2") << "1,2" << qint64(12) << false;
    QTest::newRow("last element") << "5,12" << qint64(12) << true;
    QTest::newRow("first element") << "12,5" << qint64(12) << true;
    QTest::newRow("only element") << "12" << qint64(12) << true;
    QTest::newRow("blanks around an element") << " 5 , 12 " << qint64(12) << true;
    QTest::newRow("empty list") << "" << qint64(12) << false;
    QTest::newRow("blank list") << "  " << qint64(12) << false;
}

void LinkListTest::contains()
{
    QFETCH(QString, lista);
    QFETCH(qint64, id);
    QFETCH(bool, contiene);
    QCOMPARE(VinculoContiene(lista, id), contiene);
}

void LinkListTest::remove_data()
{
    QTest::addColumn<QString>("lista");
    QTest::addColumn<qint64>("id");
    QTest::addColumn<QString>("resto");
    QTest::newRow("middle") << "4,5,6" << qint64(5) << "4,6";
    QTest::newRow("first") << "5,4" << qint64(5) << "4";
    QTest::newRow("last") << "4,5" << qint64(5) << "4";
    QTest::newRow("only") << "5" << qint64(5) << "";
    QTest::newRow("a longer ID stays whole") << "112,5" << qint64(12) << "112,5";
    QTest::newRow("every occurrence") << "12,112,12" << qint64(12) << "112";
    QTest::newRow("not there") << "4,6" << qint64(5) << "4,6";
}

void LinkListTest::remove()
{
    QFETCH(QString, lista);
    QFETCH(qint64, id);
    QFETCH(QString, resto);
    QCOMPARE(QuitarDeVinculo(lista, id), resto);
}

void LinkListTest::eachToEach()
{
    // New: A(1), B(2) left and X(7), Y(8), Z(9) right. Row 3 is linked from an earlier run, row 4 unmarked.
    WorkbenchRows izq = Filas({{1, "1", "", "", true}, {3, "1", "", "", true, "5"}, {2, "1", "", "", true}, {4}});
    WorkbenchRows der = Filas({{7, "1", "", "", true}, {5, "1", "", "", true, "3"}, {8, "1", "", "", true},
                               {6}, {9, "1", "", "", true, " "}});
    const VinculosNuevos nuevos = BuscarVinculosNuevos(izq, der);
    QCOMPARE(nuevos.textoIzquierda, QStringLiteral("1,2"));
    QCOMPARE(nuevos.textoDerecha, QStringLiteral("7,8,9"));
    QCOMPARE(nuevos.Cantidad(), 6);

    AsignarVinculosNuevos(izq, der, nuevos);
    QStringList listas;
    for (const WorkbenchRow& f : izq)
        listas << f.ConciliadoCon;
    for (const WorkbenchRow& f : der)
        listas << f.ConciliadoCon;
    QCOMPARE(listas, QStringList({"7,8,9", "5", "7,8,9", "", "1,2", "3", "1,2", "", "1,2"}));

    QList<QPair<qint64, qint64>> pares;
    RecorrerParesNuevos(nuevos, izq, der, [&](qint64 l, qint64 r) { pares.append({l, r}); });
    QCOMPARE(pares, (QList<QPair<qint64, qint64>>{{1, 7}, {1, 8}, {1, 9}, {2, 7}, {2, 8}, {2, 9}}));
}

void LinkListTest::newLeftRowsWithoutNewRightRows()
{
    WorkbenchRows izq = Filas({{1, "1", "", "", true}});
    WorkbenchRows der = Filas({{7, "1", "", "", true, "9"}});
    const VinculosNuevos nuevos = BuscarVinculosNuevos(izq, der);
    QCOMPARE(nuevos.izquierda, std::vector<qsizetype>{0});
    QCOMPARE(nuevos.Cantidad(), 0);
    AsignarVinculosNuevos(izq, der, nuevos);
    QCOMPARE(izq[0].ConciliadoCon, QString());
    QCOMPARE(der[0].ConciliadoCon, QStringLiteral("9"));
    int pares = 0;
    RecorrerParesNuevos(nuevos, izq, der, [&](qint64, qint64) { ++pares; });
    QCOMPARE(pares, 0);
}

void LinkListTest::questionBeforeVeryManyLinks()
{
    VinculosNuevos nuevos;
    nuevos.izquierda.resize(100);
    nuevos.derecha.resize(100);
    QVERIFY(!PreguntaVinculosNuevos(nuevos));   // exactly the limit: no question

    nuevos.izquierda.resize(20000);
    nuevos.derecha.resize(20000);
    const std::optional<Pregunta> p = PreguntaVinculosNuevos(nuevos);
    QVERIFY(p);
    QCOMPARE(nuevos.Cantidad(), qint64(400000000));   // past 32-bit counters
    QVERIFY(p->texto.contains(QStringLiteral("400.000.000")));
    QVERIFY(p->texto.contains(QStringLiteral("20.000")));
    QCOMPARE(p->estilo, ui::vbYesNo | ui::vbQuestion | ui::vbDefaultButton2);
    QCOMPARE(p->titulo, QStringLiteral("ATENCIÓN"));
}

void LinkListTest::balance_data()
{
    QTest::addColumn<QString>("izquierda");
    QTest::addColumn<QString>("derecha");
    QTest::addColumn<QString>("tolerancia");
    QTest::addColumn<bool>("cuadra");
    QTest::newRow("equal") << "350" << "350" << "0.01" << true;
    QTest::newRow("difference equal to the tolerance") << "350" << "350.01" << "0.01" << true;
    QTest::newRow("one cent more") << "350" << "350.02" << "0.01" << false;
    QTest::newRow("left larger, at the tolerance") << "350.01" << "350" << "0.01" << true;
    // In binary floating point 100.03 - 100.02 exceeds 0.01.
    QTest::newRow("exact at the tolerance where doubles fail") << "100.02" << "100.03" << "0.01" << true;
    QTest::newRow("no tolerance, equal") << "0" << "0" << "0" << true;
    QTest::newRow("no tolerance, one cent") << "0" << "0.01" << "0" << false;
    QTest::newRow("negative tolerance, equal") << "10" << "10" << "-0.01" << true;
    QTest::newRow("negative tolerance, one cent") << "10" << "10.01" << "-0.01" << false;
    QTest::newRow("tolerance as large as money goes") << "-900000000" << "900000000" << "922337203685477" << true;
    QTest::newRow("a hundredth of a cent is money too") << "10" << "10.0001" << "0.0001" << true;
}

void LinkListTest::balance()
{
    QFETCH(QString, izquierda);
    QFETCH(QString, derecha);
    QFETCH(QString, tolerancia);
    QFETCH(bool, cuadra);
    QCOMPARE(TotalesCuadran(*ado::Currency::parse(izquierda), *ado::Currency::parse(derecha),
                            *ado::Currency::parse(tolerancia)),
             cuadra);
}

QTEST_GUILESS_MAIN(LinkListTest)
#include "tst_linklist.moc"
