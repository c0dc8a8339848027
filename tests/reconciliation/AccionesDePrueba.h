#pragma once
// What the window tests do to the workbench and read back from it, as the operator would: header fields
// confirmed, the operator's ticks and selections in the lists, rows found by their concept, the state of the
// reconciliation tables, and the road of one reconciliation up to its load and up to its first "Aplicar".

#include "EmpresaDePrueba.h"

#include "reconciliation/engine/WorkbenchRow.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QTabWidget>
#include <algorithm>
#include <functional>

// Types a header field and confirms it with Enter, as the operator does.
inline void confirmar(FrmConcCuentas& w, const char* campo, const QString& texto)
{
    const QString nombre = QString::fromLatin1(campo);
    w.Campo(nombre)->setText(texto);
    w.txtFields_KeyDown(w.IndiceCampo(nombre), 13, 0);
}

// A sub-item of the list row at a 1-based position, trimmed.
inline QString celda(ui::ListView& lista, int fila, int subItem)
{
    ui::ListItem item = lista.ListItems()(fila);
    return (subItem == 0 ? item.Text() : item.SubItems(subItem)).trimmed();
}

// A sub-item of every row of a list, in display order.
inline QStringList columna(ui::ListView& lista, int subItem)
{
    QStringList textos;
    for (int i = 1; i <= lista.ListItems().Count(); ++i)
        textos << celda(lista, i, subItem);
    return textos;
}

// Steps 1 to 5 of the road: number 1, the account, the March period, the observation, and the load.
inline void cargarMarzo(FrmConcCuentas& w, const QString& numero = QStringLiteral("1"),
                        const QString& cuenta = QStringLiteral("1101"))
{
    confirmar(w, "IdConciliacion", numero);
    confirmar(w, "Fecha", w.TextoCampo(QStringLiteral("Fecha")));
    confirmar(w, "CUENTA", cuenta);
    w.Campo(QStringLiteral("FechaD"))->setText(QStringLiteral("01/03/2026"));
    w.Campo(QStringLiteral("FechaH"))->setText(QStringLiteral("31/03/2026"));
    w.Campo(QStringLiteral("OBS"))->setText(QStringLiteral("Marzo"));
    w.CmdEjecutar_Click();
}

// Concepts of the fixture's lines: D1..D3 on the left, C1..C3 on the right.
inline const QString kD1 = QStringLiteral("Cobro FC 10");
inline const QString kD2 = QStringLiteral("Cobro FC 11");
inline const QString kD3 = QStringLiteral("Ajuste");
inline const QString kC1 = QStringLiteral("Deposito 10");
inline const QString kC2 = QStringLiteral("Deposito 11");
inline const QString kC3 = QStringLiteral("Comision");

// The 1-based row of the line with that concept; 0 when the list does not show it.
inline int fila(ui::ListView& lista, const QString& concepto)
{
    for (int i = 1; i <= lista.ListItems().Count(); ++i)
        if (celda(lista, i, conciliacion::colConcepto) == concepto)
            return i;
    return 0;
}

inline ui::ListItem item(ui::ListView& lista, const QString& concepto)
{
    const int i = fila(lista, concepto);
    return i > 0 ? lista.ListItems()(i) : ui::ListItem();
}

// The operator ticks or clears the row's box, as a click on it does (the list raises its check event).
inline void tildar(ui::ListView& lista, const QString& concepto, bool marcada)
{
    ui::ListModel& m = lista.listModel();
    m.sync();
    m.setData(m.index(fila(lista, concepto) - 1, 0), marcada ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
}

// Arranges a row's state as earlier work would have left it: the rows live in the window's session.
inline void cambiarFila(FrmConcCuentas& w, ui::ListView& lista, const QString& concepto,
                        const std::function<void(conciliacion::WorkbenchRow&)>& cambio)
{
    const conciliacion::Lado lado = &lista == w.Lvw ? conciliacion::Lado::Izquierda : conciliacion::Lado::Derecha;
    w.Sesion().Modificar(lado, [&](conciliacion::WorkbenchRows& filas) {
        for (conciliacion::WorkbenchRow& f : filas)
            if (f.Concepto.trimmed() == concepto)
                cambio(f);
    });
}

inline void ponerVinculo(FrmConcCuentas& w, ui::ListView& lista, const QString& concepto, const QString& vinculo)
{
    cambiarFila(w, lista, concepto, [&](conciliacion::WorkbenchRow& f) { f.ConciliadoCon = vinculo; });
}

inline void ponerImporte(FrmConcCuentas& w, ui::ListView& lista, const QString& concepto, const char* importe)
{
    cambiarFila(w, lista, concepto,
                [&](conciliacion::WorkbenchRow& f) { f.Importe = *ado::Currency::parse(QLatin1String(importe)); });
}

// Exactly these rows selected.
inline void seleccionar(ui::ListView& lista, const QStringList& conceptos)
{
    for (int i = 1; i <= lista.ListItems().Count(); ++i)
        lista.ListItems()(i).setSelected(conceptos.contains(celda(lista, i, conciliacion::colConcepto)));
}

inline QString marcadas(ui::ListView& lista)
{
    QStringList m;
    for (int i = 1; i <= lista.ListItems().Count(); ++i)
        if (lista.ListItems()(i).Checked())
            m << celda(lista, i, conciliacion::colConcepto);
    m.sort();
    return m.join(QLatin1Char(','));
}

inline QString vinculo(ui::ListView& lista, const QString& concepto)
{
    return item(lista, concepto).SubItems(conciliacion::colConciliadoCon);
}

// The ID a line got in a side's table, by its journal sequence (D1..D3 are 1..3, C1..C3 4..6).
inline QString idLinea(const char* tabla, int secuencia)
{
    return EmpresaDePrueba::valor(
        QStringLiteral("SELECT ID FROM %1 WHERE SECUENCIA = %2").arg(QLatin1String(tabla)).arg(secuencia));
}
inline QString idL(int secuencia) { return idLinea("MV_CONCILIACION", secuencia); }
inline QString idR(int secuencia) { return idLinea("MV_CONCILIACION_AUX", secuencia); }

// A link list's elements, sorted (their order follows the lists' order at the time of linking).
inline QString enOrden(const QString& lista)
{
    QStringList e = lista.split(QLatin1Char(','), Qt::SkipEmptyParts);
    std::sort(e.begin(), e.end(), [](const QString& a, const QString& b) { return a.toLongLong() < b.toLongLong(); });
    return e.join(QLatin1Char(','));
}

// Every row of the reconciliation tables and the lock table: what a refused or failed command must leave.
inline QString volcado()
{
    QStringList t;
    for (const char* sql :
         {"SELECT * FROM MV_CONCILIACION_CAB ORDER BY IDCONCILIACION", "SELECT * FROM MV_CONCILIACION ORDER BY ID",
          "SELECT * FROM MV_CONCILIACION_AUX ORDER BY ID",
          "SELECT IdCpte, IdCpteAux FROM MV_CONCILIACION_Cpte_AUX ORDER BY IdCpte, IdCpteAux",
          "SELECT * FROM V_MV_CTROL_CPTE ORDER BY NUMERO, USUARIO"})
        t << EmpresaDePrueba::filasDe(QString::fromLatin1(sql));
    return t.join(QLatin1Char('\n'));
}

inline QStringList enlaces()
{
    return EmpresaDePrueba::filasDe(
        QStringLiteral("SELECT IdCpte, IdCpteAux FROM MV_CONCILIACION_Cpte_AUX ORDER BY IdCpte, IdCpteAux"));
}

inline int bloqueos()
{
    return EmpresaDePrueba::cantidad(QStringLiteral("V_MV_CTROL_CPTE"));
}

// LblDif2's background as a BGR number.
inline qint32 fondoDiferencia(FrmConcCuentas& w)
{
    const QColor c = w.LblDif2->palette().color(QPalette::Window);
    return qint32(c.red()) | (qint32(c.green()) << 8) | (qint32(c.blue()) << 16);
}

// Steps 1 to 8 of the road: reconciliation 1 loaded, D1+D2 against C1+C2 marked and applied.
inline void conciliarMarzo(FrmConcCuentas& w)
{
    cargarMarzo(w);
    tildar(*w.Lvw, kD1, true);
    tildar(*w.Lvw, kD2, true);
    tildar(*w.Lvw2, kC1, true);
    tildar(*w.Lvw2, kC2, true);
    w.CmdConciliar_Click();
}
