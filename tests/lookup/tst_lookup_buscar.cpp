// The find dialog over another window's list: one hit per step, resuming at the next row, "Todos" or one
// column, the bold hit cell, the found part selected, running off the end and starting over.
#include "lookup/FrmBuscar.h"

#include "platform/ui/ListView.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

// A list like the workbench's: a first column with a blank header, then three named ones.
void llenar(ui::ListView& lista, const QList<QStringList>& filas, const QStringList& titulos = {"", "Fecha",
                                                                                               " Detalle ", "Importe"})
{
    lista.setMultiSelect(true);
    for (const QString& t : titulos)
        lista.ColumnHeaders().Add(QString(), t, 1200);
    for (const QStringList& f : filas) {
        ui::ListItem item = lista.ListItems().Add(f.value(0));
        for (int c = 1; c < f.size(); ++c)
            item.setSubItems(c, f.at(c));
    }
}

bool negrita(ui::ListView& lista, int fila, int columna)
{
    return lista.ListItems().Item(fila).ListSubItems(columna).Bold();
}

} // namespace

class TstLookupBuscar : public QObject {
    Q_OBJECT

    ui::ListView lista;
    ui::ListView otra;
    FrmBuscar* f = nullptr;

    void buscar(const QString& texto, const QString& columna = "Todos")
    {
        f->txtBuscar->setText(texto);
        f->cboBuscar->setCurrentIndex(f->cboBuscar->findText(columna));
    }

private slots:
    void initTestCase()
    {
        llenar(lista, {
                          {"abc", "01/02", "uno", "10"},
                          {"x", "02/02", "dos", "20"},
                          {"x", "03/02", "", "30"},
                          {"x", "04/02", "con abc", "abc 40"},
                          {"x", "05/02", "xxABCxx", "50"},
                      });
        llenar(otra, {{"", "", "abc otra", ""}, {"", "", "abc otra 2", ""}});
        f = &gFrmBuscar();
        f->Lvw = &lista;
        f->Show();
    }

    void opensOnTopWithTheColumnChoices()
    {
        QVERIFY(f->isVisible());
        QVERIFY(f->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(f->windowTitle(), QString("Buscar"));
        QStringList opciones;
        for (int i = 0; i < f->cboBuscar->count(); ++i)
            opciones << f->cboBuscar->itemText(i);
        QCOMPARE(opciones, (QStringList{"Todos", "Fecha", " Detalle ", "Importe"}));
        QCOMPARE(f->cboBuscar->currentText(), QString("Todos"));
        QCOMPARE(f->IndiceSubItem("detalle"), 2);
        QCOMPARE(f->IndiceSubItem("nada"), 0);
    }

    void findsOneHitPerRowFromTheLeft()
    {
        buscar("abc");
        QTest::keyClick(f->txtBuscar, Qt::Key_F3);
        // The first column of row 1 holds "abc" but is not searched under "Todos".
        QCOMPARE(f->UltimaFila(), 4);
        QCOMPARE(f->UltimaColumna(), 2);
        QVERIFY(negrita(lista, 4, 2));
        QVERIFY(!negrita(lista, 4, 3));
        QVERIFY(lista.ListItems().Item(4).Selected());
        QCOMPARE(f->txtResult->text(), QString("con abc"));
        QCOMPARE(f->txtResult->selectionStart(), 4);
        QCOMPARE(f->txtResult->selectedText(), QString("abc"));

        // The next step unbolds that cell and resumes at row 5: column 3 of row 4 is never reported.
        QTest::mouseClick(f->cmdBuscar, Qt::LeftButton);
        QVERIFY(!negrita(lista, 4, 2));
        QCOMPARE(f->UltimaFila(), 5);
        QVERIFY(negrita(lista, 5, 2));
        QCOMPARE(f->txtResult->text(), QString("xxABCxx"));
        QCOMPARE(f->txtResult->selectionStart(), 2);
        QCOMPARE(f->txtResult->selectedText().size(), 3);
        QVERIFY(lista.ListItems().Item(4).Selected());   // earlier hits keep their selection

        // Off the end: the button is disabled, yet Enter still searches; typing starts over.
        QTest::keyClick(f->txtBuscar, Qt::Key_Return);
        QVERIFY(!f->cmdBuscar->isEnabled());
        QCOMPARE(f->UltimaFila(), 6);
        QTest::keyClick(f->txtBuscar, Qt::Key_Return);
        QCOMPARE(f->UltimaFila(), 7);
        QTest::keyClicks(f->txtBuscar, "x");
        QVERIFY(f->cmdBuscar->isEnabled());
        QCOMPARE(f->UltimaFila(), 0);
        QVERIFY(!negrita(lista, 5, 2));
        f->txtBuscar->setText("abc");
        QTest::keyClick(f->txtBuscar, Qt::Key_F3);
        QCOMPARE(f->UltimaFila(), 4);
    }

    void searchesOneColumn()
    {
        buscar("abc", " Detalle ");
        f->cmdBuscar_Click();
        QCOMPARE(f->UltimaFila(), 4);
        QCOMPARE(f->UltimaColumna(), 2);
        buscar("abc", "Importe");
        f->cmdBuscar_Click();
        QCOMPARE(f->UltimaFila(), 4);
        QCOMPARE(f->UltimaColumna(), 3);
        f->cmdBuscar_Click();
        QVERIFY(!f->cmdBuscar->isEnabled());
    }

    void emptyTextFindsTheNextNonEmptyCell()
    {
        buscar("");
        f->cmdBuscar_Click();
        QCOMPARE(f->UltimaFila(), 1);
        QCOMPARE(f->UltimaColumna(), 1);
        QCOMPARE(f->txtResult->text(), QString("01/02"));
        QCOMPARE(f->txtResult->selectedText(), QString());
    }

    void anotherListContinuesAfterTheLastRow()
    {
        buscar("abc");
        f->cmdBuscar_Click();
        QCOMPARE(f->UltimaFila(), 4);
        f->Lvw = &otra;
        f->Show();   // already open: not loaded again
        f->cmdBuscar_Click();
        QVERIFY(!f->cmdBuscar->isEnabled());
        QCOMPARE(f->UltimaFila(), 5);
    }

    void escapeClosesAndOpeningAgainReloads()
    {
        QTest::keyClick(f->txtBuscar, Qt::Key_Escape);
        QVERIFY(!f->isVisible());
        QVERIFY(!f->Cargado());
        ui::ListView sinTitulos;
        llenar(sinTitulos, {{"a", "b"}}, {"", "  "});
        f->Lvw = &sinTitulos;
        f->Show();
        QVERIFY(f->isVisible());
        QCOMPARE(f->cboBuscar->count(), 1);
        QCOMPARE(f->UltimaFila(), 0);
        f->cmdCerrar_Click();
    }
};

QTEST_MAIN(TstLookupBuscar)
#include "tst_lookup_buscar.moc"
