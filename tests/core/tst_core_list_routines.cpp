// Selection routines of multi-select list boxes.

#include "core/ListRoutines.h"
#include "platform/ado/Error.h"

#include <QListWidget>
#include <QTest>

class ListRoutinesTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void listaSeleccionados_data();
    void listaSeleccionados();
    void noneSelectedLeavesValues();
    void marcarLista_data();
    void marcarLista();
    void marcarListaOutOfRange();

private:
    QListWidget* m_lista = nullptr;
};

void ListRoutinesTest::init()
{
    m_lista = new QListWidget;
    m_lista->setSelectionMode(QAbstractItemView::MultiSelection);
    m_lista->addItems({" Casa Central  0001", "Sucursal Norte 0002 ", "Deposito 0003", "Oficina 0004"});
}

void ListRoutinesTest::cleanup()
{
    delete m_lista;
}

void ListRoutinesTest::listaSeleccionados_data()
{
    QTest::addColumn<int>("caracteres");
    QTest::addColumn<bool>("recortar");
    QTest::addColumn<QStringList>("esperado");
    QTest::newRow("whole items trimmed") << -1 << false << QStringList{"Casa Central  0001", "Deposito 0003"};
    QTest::newRow("last four") << 4 << true << QStringList{"0001", "0003"};
    QTest::newRow("last five untrimmed") << 5 << false << QStringList{" 0001", " 0003"};
}

void ListRoutinesTest::listaSeleccionados()
{
    QFETCH(int, caracteres);
    QFETCH(bool, recortar);
    QFETCH(QStringList, esperado);
    m_lista->item(2)->setSelected(true);
    m_lista->item(0)->setSelected(true);
    QStringList valores{"viejo"};
    QCOMPARE(ModGlobal::ListaSeleccionados(*m_lista, valores, caracteres, recortar), 2);
    QCOMPARE(valores, esperado);
}

void ListRoutinesTest::noneSelectedLeavesValues()
{
    QStringList valores{"viejo"};
    QCOMPARE(ModGlobal::ListaSeleccionados(*m_lista, valores, -1, false), 0);
    QCOMPARE(valores, QStringList{"viejo"});
}

void ListRoutinesTest::marcarLista_data()
{
    QTest::addColumn<bool>("marcar");
    QTest::addColumn<int>("indice");
    QTest::addColumn<int>("actual");
    QTest::newRow("select all, current kept") << true << -1 << 1;
    QTest::newRow("clear all, current moved") << false << 3 << 3;
}

void ListRoutinesTest::marcarLista()
{
    QFETCH(bool, marcar);
    QFETCH(int, indice);
    QFETCH(int, actual);
    m_lista->setCurrentRow(1, QItemSelectionModel::NoUpdate);
    m_lista->item(2)->setSelected(!marcar);
    ModGlobal::MarcarLista(*m_lista, marcar, indice);
    for (int i = 0; i < m_lista->count(); ++i)
        QCOMPARE(m_lista->item(i)->isSelected(), marcar);
    QCOMPARE(m_lista->currentRow(), actual);
}

void ListRoutinesTest::marcarListaOutOfRange()
{
    QVERIFY_THROWS_EXCEPTION(ado::Error, ModGlobal::MarcarLista(*m_lista, true, 9));
}

QTEST_MAIN(ListRoutinesTest)
#include "tst_core_list_routines.moc"
