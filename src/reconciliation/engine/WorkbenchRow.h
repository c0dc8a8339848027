#pragma once
// One line of the workbench's left (debit) or right (credit) list: the sixteen columns by sub-item, and the
// row's check mark, text colour, icon and link group. Plain data without widgets: the caller shows them
// in its lists, and the matching, linking, grouping and totals routines work on vectors of them.

#include "platform/ado/Currency.h"

#include <QString>
#include <array>
#include <vector>

namespace conciliacion {

enum class Lado { Izquierda, Derecha };

// Sub-item numbers of the list columns (0 is the item's own text).
enum Columna : int {
    colOrden = 0,       // group sort key: 100 blanks and the icon number
    colFecha,
    colVencimiento,
    colTC,
    colComprobante,     // branch (4) + number (8) + letter (1)
    colImporte,
    colConcepto,
    colID,              // row identity in MV_CONCILIACION (left) or MV_CONCILIACION_AUX (right)
    colSecuencia,
    colMesOperativo,
    colNroAsiento,
    colPeriodo,
    colTipoReg,
    colConciliadoCon,   // the link list: "Conciliado con" on the left, "Concilia" on the right
    colTcOrigen,
    colCpteOrigen,
    kCantidadColumnas
};

struct DefinicionColumna {
    const char* titulo;          // header of the left list
    const char* tituloDerecha;   // header of the right list
    int anchoX;                  // width as a run of this many capital X; 0 hides the column
    bool alineadaDerecha;
};
// Headers, widths and alignment of the sixteen columns, shared by both lists.
extern const std::array<DefinicionColumna, kCantidadColumnas> kColumnasLista;

constexpr int kIconoMarcado = 1;
constexpr int kIconoSinMarcar = 106;   // also the last group icon; icons run 1..106
constexpr qint32 kColorNegro = 0;      // BGR colours, as the list stores them
constexpr qint32 kColorRojo = 0x0000FF;
constexpr qint32 kColorAzul = 0xFF0000;

// The hidden journal-key columns and the origin columns of a line, as shown. They come from the store and
// never change, so they are kept as one text and the ends of its parts: a row of a large list stays small.
class TextosDiario {
public:
    enum Parte { Secuencia, MesOperativo, NroAsiento, Periodo, Tipo_Reg, Tc_Origen, Cpte_Origen, kPartes };
    TextosDiario() = default;
    explicit TextosDiario(const std::array<QString, kPartes>& partes);
    QString Texto(Parte parte) const;

private:
    QString m_texto;
    std::array<quint32, kPartes> m_fin{};
};

struct WorkbenchRow {
    QString Orden;
    QString Fecha;                 // as shown, dd/mm/yyyy
    QString Vencimiento;
    QString TC;
    QString Comprobante;
    ado::Currency Importe;         // as stored; the list shows and computes with ImporteMostrado()
    QString Concepto;
    qint64 ID = 0;
    TextosDiario Diario;           // Secuencia, MesOperativo, NroAsiento, Periodo, Tipo_Reg, Tc_Origen, Cpte_Origen
    QString ConciliadoCon;         // IDs of the linked rows of the other list, joined by ","

    bool Checked = false;
    qint32 ForeColor = kColorNegro;
    int SmallIcon = kIconoSinMarcar;
    // Link group given by AgruparConciliados: one number per group head of a run, 0 for no group. Icons
    // repeat after 106 groups, so they cannot tell groups apart; this number can.
    qint64 Grupo = 0;

    QString Secuencia() const { return Diario.Texto(TextosDiario::Secuencia); }
    QString MesOperativo() const { return Diario.Texto(TextosDiario::MesOperativo); }
    QString NroAsiento() const { return Diario.Texto(TextosDiario::NroAsiento); }
    QString Periodo() const { return Diario.Texto(TextosDiario::Periodo); }
    QString Tipo_Reg() const { return Diario.Texto(TextosDiario::Tipo_Reg); }
    QString Tc_Origen() const { return Diario.Texto(TextosDiario::Tc_Origen); }
    QString Cpte_Origen() const { return Diario.Texto(TextosDiario::Cpte_Origen); }

    // The amount as the list cell shows it, which is what matching and the totals compute with.
    ado::Currency ImporteMostrado() const;
    // The text of a column (0 .. kCantidadColumnas - 1); "" for any other number.
    QString Texto(int subItem) const;
};

using WorkbenchRows = std::vector<WorkbenchRow>;

// An amount rounded as the list's format "###,###,##0.00" rounds it: two decimals, halves away from zero.
ado::Currency ImporteLista(ado::Currency importe);
// The list's amount cell: "###,###,##0.00" with the locale's separators, right-aligned to 14 characters.
QString TextoImporteLista(ado::Currency importe);

} // namespace conciliacion
