#pragma once
// The find dialog as the operator drives it over the workbench's lists: opened with Ctrl+F from a list, keys
// and clicks on its own controls, and what the lists show of it (the bold hit cell, the selected row).

#include "AccionesDePrueba.h"

#include "lookup/FrmBuscar.h"

#include <QApplication>
#include <QComboBox>
#include <QFont>
#include <QLineEdit>
#include <QPushButton>

// Ctrl+F on the list, which the window sees first; the dialog it opens over that list.
inline FrmBuscar& abrirBuscar(ui::ListView& lista)
{
    // The operator's window is the active one (a progress window or a closed dialog may have left none).
    lista.window()->activateWindow();
    if (!QTest::qWaitForWindowActive(lista.window()))
        qWarning("the window did not become active");
    lista.setFocus();
    QTest::keyClick(&lista, Qt::Key_F, Qt::ControlModifier);
    FrmBuscar& f = gFrmBuscar();
    if (!QTest::qWaitFor([&] { return f.isVisible(); }, 2000))
        qWarning("the find dialog did not open");
    return f;
}

// The cells the list paints bold, as "row:sub-item" (1-based rows, display order).
inline QStringList celdasEnNegrita(ui::ListView& lista)
{
    QStringList celdas;
    const QAbstractItemModel& m = lista.listModel();
    for (int r = 0; r < m.rowCount(); ++r)
        for (int c = 0; c < m.columnCount(); ++c)
            if (m.index(r, c).data(Qt::FontRole).value<QFont>().bold())
                celdas << QStringLiteral("%1:%2").arg(r + 1).arg(c);
    return celdas;
}

// The selected rows, 1-based, in display order.
inline QList<int> filasSeleccionadas(ui::ListView& lista)
{
    QList<int> filas;
    for (int i = 1; i <= lista.ListItems().Count(); ++i)
        if (lista.ListItems()(i).Selected())
            filas << i;
    return filas;
}

// Chooses a "Buscar en" entry by keys: the list of choices opened, the entry reached with the arrows, Enter.
inline void buscarEn(FrmBuscar& f, const QString& entrada)
{
    const int destino = f.cboBuscar->findText(entrada);
    QVERIFY2(destino >= 0, qPrintable(entrada));
    f.cboBuscar->setFocus();
    while (f.cboBuscar->currentIndex() < destino)
        QTest::keyClick(f.cboBuscar, Qt::Key_Down);
    while (f.cboBuscar->currentIndex() > destino)
        QTest::keyClick(f.cboBuscar, Qt::Key_Up);
}

// Replaces the search text by typing it, as the operator does over a selected text.
inline void teclearBusqueda(FrmBuscar& f, const QString& texto)
{
    f.txtBuscar->setFocus();
    f.txtBuscar->selectAll();
    if (texto.isEmpty())
        QTest::keyClick(f.txtBuscar, Qt::Key_Delete);
    else
        QTest::keyClicks(f.txtBuscar, texto);
}

// The hit shown: that one cell bold in the list, its row selected and on screen, its text in the result
// box with the found part selected.
inline void verHallazgo(FrmBuscar& f, ui::ListView& l, int fila, int subItem, const QString& buscado)
{
    QCOMPARE(celdasEnNegrita(l), QStringList{QStringLiteral("%1:%2").arg(fila).arg(subItem)});
    QVERIFY(filasSeleccionadas(l).contains(fila));
    const QRect renglon = l.visualRect(l.listModel().index(fila - 1, 0));
    QVERIFY(renglon.bottom() >= 0 && renglon.top() < l.viewport()->height());
    const QString texto = celda(l, fila, subItem);
    QCOMPARE(f.txtResult->text().trimmed(), texto);
    QCOMPARE(f.txtResult->selectedText().toCaseFolded(), buscado.toCaseFolded());
    QVERIFY(f.cmdBuscar->isEnabled());
}

// No hit: no cell bold, and the step disabled until the search starts over.
inline void verSinHallazgo(FrmBuscar& f, ui::ListView& l)
{
    QCOMPARE(celdasEnNegrita(l), QStringList());
    QVERIFY(!f.cmdBuscar->isEnabled());
}
