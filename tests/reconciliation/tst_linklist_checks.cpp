// The mark handlers of both lists with their link questions, the Shift+arrow toggle, MarcarSel and the
// column-header sort.

#include "FilasDePrueba.h"
#include "reconciliation/engine/LinkListReconcile.h"
#include "reconciliation/engine/WorkbenchChecks.h"
#include "reconciliation/engine/WorkbenchGroups.h"

#include <QTest>

using namespace conciliacion;
using prueba::Filas;
using prueba::PorId;

namespace {

// Reconciles the marked rows as the reconcile button links them, then groups them.
void Vincular(WorkbenchRows& izq, WorkbenchRows& der)
{
    AsignarVinculosNuevos(izq, der, BuscarVinculosNuevos(izq, der));
    AgruparConciliados(izq, der);
}

} // namespace

class LinkListChecksTest : public QObject {
    Q_OBJECT
private slots:
    void question_data();
    void question();
    void leftConfirmedRemovesOnlyItsId();
    void leftRefusedMarksAgain();
    void wholeElementsOnly_data();
    void wholeElementsOnly();
    void rightConfirmedUndoesItsLinkGroup();
    void rightWithoutGroupTouchesNoOtherRightRow();
    void noQuestionChangesNothing();
    void shiftArrowToggle_data();
    void shiftArrowToggle();
    void marcarSel();
    void columnClickFlipsOrder();
};

void LinkListChecksTest::question_data()
{
    QTest::addColumn<bool>("izquierda");
    QTest::addColumn<bool>("marcada");
    QTest::addColumn<QString>("vinculos");
    QTest::addColumn<QString>("texto");
    const QString izquierda = QStringLiteral(
        "Este registro está vinculado con uno o mas registros de la planilla derecha.\r\n"
        "Si lo desmarca se desmarcará el registro vinculado de la planilla de la derecha.\r\n¿Confirma?");
    const QString derecha = QStringLiteral(
        "Este registro está vinculado con uno o mas registros de la planilla izquierda.\r\n"
        "Si lo desmarca se desmarcarán los registros vinculados de la planilla de la Izquierda.\r\n¿Confirma?");
    QTest::newRow("left, unmarked, linked") << true << false << "7" << izquierda;
    QTest::newRow("right, unmarked, linked") << false << false << "1,2" << derecha;
    QTest::newRow("a blank list counts as a link") << true << false << " " << izquierda;
    QTest::newRow("marking asks nothing") << true << true << "7" << "";
    QTest::newRow("unlinked asks nothing") << false << false << "" << "";
}

void LinkListChecksTest::question()
{
    QFETCH(bool, izquierda);
    QFETCH(bool, marcada);
    QFETCH(QString, vinculos);
    QFETCH(QString, texto);
    WorkbenchRow fila;
    fila.Checked = marcada;
    fila.ConciliadoCon = vinculos;
    const std::optional<Pregunta> p = PreguntaItemCheck(izquierda ? Lado::Izquierda : Lado::Derecha, fila);
    QCOMPARE(p.has_value(), !texto.isEmpty());
    if (!p)
        return;
    QCOMPARE(p->texto, texto);
    QCOMPARE(p->titulo, QStringLiteral("ATENCIÓN"));
    QCOMPARE(p->estilo, ui::vbYesNo | ui::vbQuestion | ui::vbDefaultButton1);
}

void LinkListChecksTest::leftConfirmedRemovesOnlyItsId()
{
    // Left 5 (now unmarked) with partners holding "5" and "4,5,6"; a right row holding 15 is not a partner.
    WorkbenchRows izq = Filas({{5, "1", "", "", false, "7,8"}, {4, "1", "", "", true, "8"}});
    WorkbenchRows der = Filas({{7, "1", "", "", true, "5"}, {8, "1", "", "", true, "4,5,6"},
                               {9, "1", "", "", true, "15"}});
    const CambiosMarca c = ResolverItemCheck(Lado::Izquierda, izq, der, 0, true);
    QCOMPARE(c.izquierda, std::vector<qsizetype>{0});
    QCOMPARE(c.derecha, (std::vector<qsizetype>{0, 1}));
    QCOMPARE(izq[0].ConciliadoCon, QString());
    QVERIFY(!der[0].Checked);
    QCOMPARE(der[0].ConciliadoCon, QString());
    QVERIFY(!der[1].Checked);
    QCOMPARE(der[1].ConciliadoCon, QStringLiteral("4,6"));
    QVERIFY(der[2].Checked);
    QCOMPARE(der[2].ConciliadoCon, QStringLiteral("15"));
    // The other left row linked to right 8 keeps its mark and list.
    QVERIFY(izq[1].Checked);
    QCOMPARE(izq[1].ConciliadoCon, QStringLiteral("8"));
}

void LinkListChecksTest::leftRefusedMarksAgain()
{
    WorkbenchRows izq = Filas({{5, "1", "", "", false, "7"}});
    WorkbenchRows der = Filas({{7, "1", "", "", true, "5"}});
    const CambiosMarca c = ResolverItemCheck(Lado::Izquierda, izq, der, 0, false);
    QCOMPARE(c.izquierda, std::vector<qsizetype>{0});
    QVERIFY(c.derecha.empty());
    QVERIFY(izq[0].Checked);
    QCOMPARE(izq[0].ConciliadoCon, QStringLiteral("7"));
    QVERIFY(der[0].Checked);
    QCOMPARE(der[0].ConciliadoCon, QStringLiteral("5"));
}

void LinkListChecksTest::wholeElementsOnly_data()
{
    QTest::addColumn<bool>("izquierda");
    QTest::newRow("left row 12") << true;
    QTest::newRow("right row 12") << false;
}

// Row 12 unmarked and confirmed: the other side's row holding "112,5" is no partner; the one holding
// "5,12" is.
void LinkListChecksTest::wholeElementsOnly()
{
    QFETCH(bool, izquierda);
    WorkbenchRows propias = Filas({{12, "1", "", "", false, "112,5"}});
    WorkbenchRows otras = Filas({{1, "1", "", "", true, "112,5"}, {2, "1", "", "", true, "5,12"}});
    WorkbenchRows& izq = izquierda ? propias : otras;
    WorkbenchRows& der = izquierda ? otras : propias;
    ResolverItemCheck(izquierda ? Lado::Izquierda : Lado::Derecha, izq, der, 0, true);
    QVERIFY(otras[0].Checked);
    QCOMPARE(otras[0].ConciliadoCon, QStringLiteral("112,5"));
    QVERIFY(!otras[1].Checked);
    // The left handler takes out only the ID; the right one empties the left row's list.
    QCOMPARE(otras[1].ConciliadoCon, izquierda ? QStringLiteral("5") : QString());
}

void LinkListChecksTest::rightConfirmedUndoesItsLinkGroup()
{
    // One run linked A(1), B(2) with X(7), Y(8), Z(9); another linked C(3) with W(6).
    WorkbenchRows izq = Filas({{1, "1", "", "", true}, {2, "1", "", "", true}});
    WorkbenchRows der = Filas({{7, "1", "", "", true}, {8, "1", "", "", true}, {9, "1", "", "", true}});
    Vincular(izq, der);
    izq.push_back(prueba::Fila({3, "1", "", "", true}));
    der.push_back(prueba::Fila({6, "1", "", "", true}));
    Vincular(izq, der);

    auto x = std::find_if(der.begin(), der.end(), [](const WorkbenchRow& f) { return f.ID == 7; });
    x->Checked = false;
    ResolverItemCheck(Lado::Derecha, izq, der, x - der.begin(), true);
    for (qint64 id : {1, 2}) {
        QVERIFY(!PorId(izq, id).Checked);
        QCOMPARE(PorId(izq, id).ConciliadoCon, QString());
    }
    for (qint64 id : {7, 8, 9}) {
        QVERIFY(!PorId(der, id).Checked);
        QCOMPARE(PorId(der, id).ConciliadoCon, QString());
    }
    QVERIFY(PorId(izq, 3).Checked);
    QCOMPARE(PorId(izq, 3).ConciliadoCon, QStringLiteral("6"));
    QVERIFY(PorId(der, 6).Checked);
    QCOMPARE(PorId(der, 6).ConciliadoCon, QStringLiteral("3"));
}

void LinkListChecksTest::rightWithoutGroupTouchesNoOtherRightRow()
{
    // Links as loaded, before any grouping: no group numbers yet.
    WorkbenchRows izq = Filas({{1, "1", "", "", true, "7,8"}});
    WorkbenchRows der = Filas({{7, "1", "", "", false, "1"}, {8, "1", "", "", true, "1"}});
    const CambiosMarca c = ResolverItemCheck(Lado::Derecha, izq, der, 0, true);
    QCOMPARE(c.derecha, std::vector<qsizetype>{0});
    QVERIFY(!izq[0].Checked);
    QVERIFY(der[1].Checked);
    QCOMPARE(der[1].ConciliadoCon, QStringLiteral("1"));
}

void LinkListChecksTest::noQuestionChangesNothing()
{
    WorkbenchRows izq = Filas({{1, "1", "", "", true, "7"}, {2}});
    WorkbenchRows der = Filas({{7, "1", "", "", true, "1"}});
    QVERIFY(ResolverItemCheck(Lado::Izquierda, izq, der, 0, true).izquierda.empty());   // marked: nothing asked
    QVERIFY(ResolverItemCheck(Lado::Izquierda, izq, der, 1, true).izquierda.empty());   // unlinked
    QVERIFY(ResolverItemCheck(Lado::Derecha, izq, der, 5, true).izquierda.empty());     // no such row
    QVERIFY(der[0].Checked);
    QCOMPARE(izq[0].ConciliadoCon, QStringLiteral("7"));
}

void LinkListChecksTest::shiftArrowToggle_data()
{
    QTest::addColumn<int>("tecla");
    QTest::addColumn<int>("shift");
    QTest::addColumn<bool>("alterna");
    QTest::newRow("Shift+Down") << 40 << 1 << true;
    QTest::newRow("Shift+Up") << 38 << 1 << true;
    QTest::newRow("Down alone") << 40 << 0 << false;
    QTest::newRow("Ctrl+Shift+Down") << 40 << 3 << false;
    QTest::newRow("Shift+Alt+Up") << 38 << 5 << false;
    QTest::newRow("Shift+Left") << 37 << 1 << false;
}

void LinkListChecksTest::shiftArrowToggle()
{
    QFETCH(int, tecla);
    QFETCH(int, shift);
    QFETCH(bool, alterna);
    QCOMPARE(EsTeclaAlternarMarca(tecla, shift), alterna);
}

void LinkListChecksTest::marcarSel()
{
    WorkbenchRows filas = Filas({{1, "1", "", "", false, "9"}, {2, "1", "", "", true}, {3}, {4}});
    QCOMPARE(MarcarSel(filas, {}), std::vector<qsizetype>{});
    QCOMPARE(MarcarSel(filas, {0, 1, 3}), (std::vector<qsizetype>{0, 3}));
    QVERIFY(filas[0].Checked && filas[1].Checked && !filas[2].Checked && filas[3].Checked);
    QCOMPARE(filas[0].ConciliadoCon, QStringLiteral("9"));   // no link changes
}

void LinkListChecksTest::columnClickFlipsOrder()
{
    OrdenLista orden;
    orden = ClicColumna(orden, 2);
    QVERIFY(orden.Sorted);
    QCOMPARE(orden.SortKey, 1);
    QCOMPARE(orden.SortOrder, 1);
    orden = ClicColumna(orden, 2);
    QCOMPARE(orden.SortOrder, 0);
    orden = ClicColumna(orden, 6);   // another header keeps flipping
    QCOMPARE(orden.SortKey, 5);
    QCOMPARE(orden.SortOrder, 1);
}

QTEST_GUILESS_MAIN(LinkListChecksTest)
#include "tst_linklist_checks.moc"
