// AgruparConciliados: mark icons, group icons and their sequence, group numbers, whole-element lookup of the
// right rows and the text order of the icons.

#include "FilasDePrueba.h"
#include "reconciliation/engine/WorkbenchGroups.h"

#include <QTest>

using namespace conciliacion;
using prueba::Filas;
using prueba::PorId;

namespace {

QList<int> Iconos(const WorkbenchRows& filas)
{
    QList<int> iconos;
    for (const WorkbenchRow& f : filas)
        iconos << f.SmallIcon;
    return iconos;
}

// `cantidad` marked left rows 1, 2, ..., each linked (as one reconcile run links it) with its own marked
// right row `desplazamiento` + k.
void GruposDeUno(WorkbenchRows& izq, WorkbenchRows& der, int cantidad, int desplazamiento)
{
    for (int k = 1; k <= cantidad; ++k) {
        izq.push_back(prueba::Fila({k, "1", "", "", true}));
        izq.back().ConciliadoCon = QString::number(desplazamiento + k);
        der.push_back(prueba::Fila({desplazamiento + k, "1", "", "", true}));
        der.back().ConciliadoCon = QString::number(k);
    }
}

} // namespace

class GroupsTest : public QObject {
    Q_OBJECT
private slots:
    void emptyLists();
    void marksWithoutLinks();
    void oneRunGroupsBothSides();
    void groupIconsStartAtOneWithoutMarkedLeftRows();
    void laterGroupWinsARightRow();
    void iconsWrapAfter105();
    void rightRowsByWholeElement();
    void textOrderOfIcons();
    void rowCountsBeyond16Bits();
};

void GroupsTest::emptyLists()
{
    WorkbenchRows izq, der;
    AgruparConciliados(izq, der);
    QVERIFY(izq.empty() && der.empty());
}

void GroupsTest::marksWithoutLinks()
{
    WorkbenchRows izq = Filas({{1, "1", "", "", true}, {2}});
    WorkbenchRows der = Filas({{7, "1", "", "", true}, {8}});
    AgruparConciliados(izq, der);
    QCOMPARE(Iconos(izq), (QList<int>{106, 106}));   // a marked but unlinked left row shows 106
    QCOMPARE(Iconos(der), (QList<int>{1, 106}));
    QCOMPARE(PorId(izq, 1).Grupo, 0);
}

void GroupsTest::oneRunGroupsBothSides()
{
    // A and B linked with X and Y by one run; C with Z by another. B, already in A's group, skips icon 3.
    WorkbenchRows izq = Filas({{1, "1", "", "", true, "7,8"}, {2, "1", "", "", true, "7,8"},
                               {3, "1", "", "", true, "9"}});
    WorkbenchRows der = Filas({{7, "1", "", "", true, "1,2"}, {8, "1", "", "", true, "1,2"},
                               {9, "1", "", "", true, "3"}});
    AgruparConciliados(izq, der);
    for (qint64 id : {1, 2})
        QCOMPARE(PorId(izq, id).SmallIcon, 2);
    for (qint64 id : {7, 8})
        QCOMPARE(PorId(der, id).SmallIcon, 2);
    QCOMPARE(PorId(izq, 3).SmallIcon, 4);
    QCOMPARE(PorId(der, 9).SmallIcon, 4);
    QVERIFY(PorId(izq, 1).Grupo != 0);
    QCOMPARE(PorId(izq, 2).Grupo, PorId(izq, 1).Grupo);
    QCOMPARE(PorId(der, 8).Grupo, PorId(izq, 1).Grupo);
    QVERIFY(PorId(der, 9).Grupo != PorId(der, 7).Grupo);
    QCOMPARE(PorId(izq, 1).Orden, QString(100, u' ') + u'2');
}

void GroupsTest::groupIconsStartAtOneWithoutMarkedLeftRows()
{
    WorkbenchRows izq = Filas({{1, "1", "", "", false, "7"}});
    WorkbenchRows der = Filas({{7, "1", "", "", false, "1"}});
    AgruparConciliados(izq, der);
    QCOMPARE(izq[0].SmallIcon, 1);
    QCOMPARE(der[0].SmallIcon, 1);
}

void GroupsTest::laterGroupWinsARightRow()
{
    WorkbenchRows izq = Filas({{1, "1", "", "", true, "7,8"}, {2, "1", "", "", true, "8"}});
    WorkbenchRows der = Filas({{7, "1", "", "", true}, {8, "1", "", "", true}});
    AgruparConciliados(izq, der);
    QCOMPARE(PorId(der, 7).SmallIcon, 2);
    QCOMPARE(PorId(der, 8).SmallIcon, 3);
    QCOMPARE(PorId(der, 8).Grupo, PorId(izq, 2).Grupo);
}

void GroupsTest::iconsWrapAfter105()
{
    // 107 groups of one left and one right row each, all marked: icons 2 .. 106, then 1, then 2.
    WorkbenchRows izq, der;
    GruposDeUno(izq, der, 107, 1000);
    AgruparConciliados(izq, der);
    for (int k = 1; k <= 105; ++k)
        QCOMPARE(PorId(izq, k).SmallIcon, k + 1);
    QCOMPARE(PorId(izq, 105).SmallIcon, 106);
    QCOMPARE(PorId(izq, 106).SmallIcon, 1);
    QCOMPARE(PorId(izq, 107).SmallIcon, 2);
    QCOMPARE(PorId(der, 1107).SmallIcon, 2);
    // Icons repeat; group numbers do not.
    QVERIFY(PorId(izq, 107).Grupo != PorId(izq, 1).Grupo);
}

void GroupsTest::rightRowsByWholeElement()
{
    WorkbenchRows izq = Filas({{1, "1", "", "", true, "112,5"}});
    WorkbenchRows der = Filas({{12, "1", "", "", true}, {112, "1", "", "", true}, {5, "1", "", "", false}});
    AgruparConciliados(izq, der);
    QCOMPARE(PorId(der, 12).SmallIcon, 1);   // its mark icon: no group names it
    QCOMPARE(PorId(der, 12).Grupo, 0);
    QCOMPARE(PorId(der, 112).SmallIcon, 2);
    QCOMPARE(PorId(der, 5).SmallIcon, 2);
}

void GroupsTest::textOrderOfIcons()
{
    // Icons 2, 10 and 11 from groups, 1 and 106 from marks: the lists order them as text.
    WorkbenchRows izq, der;
    GruposDeUno(izq, der, 10, 100);
    der.push_back(prueba::Fila({200, "1", "", "", true}));
    der.push_back(prueba::Fila({201, "1", "", "", false}));
    AgruparConciliados(izq, der);
    QCOMPARE(Iconos(der), (QList<int>{1, 10, 106, 11, 2, 3, 4, 5, 6, 7, 8, 9}));
    QCOMPARE(Iconos(izq), (QList<int>{10, 11, 2, 3, 4, 5, 6, 7, 8, 9}));
}

void GroupsTest::rowCountsBeyond16Bits()
{
    // 40,000 left rows of one group: each already grouped row raises the counter, past 32,767.
    WorkbenchRows izq, der = Filas({{7, "1", "", "", true, "x"}, {8, "1", "", "", true}});
    for (int k = 1; k <= 40000; ++k)
        izq.push_back(prueba::Fila({k, "1", "", "", true, "7"}));
    izq.push_back(prueba::Fila({40001, "1", "", "", true, "8"}));
    AgruparConciliados(izq, der);
    QCOMPARE(PorId(izq, 1).SmallIcon, 2);
    QCOMPARE(PorId(izq, 40000).SmallIcon, 2);
    QCOMPARE(PorId(izq, 40001).SmallIcon, 1);   // the counter went past 105 and wrapped
    QCOMPARE(PorId(der, 8).SmallIcon, 1);
}

QTEST_GUILESS_MAIN(GroupsTest)
#include "tst_groups.moc"
