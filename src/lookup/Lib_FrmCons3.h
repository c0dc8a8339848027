#pragma once
// The modal list window of the generic lookup ("Consulta..."): one column and one search box per field of the
// statement, every row of it in the list. The operator searches as he types, filters again on the server with
// F5, sorts by a column, checks rows, and chooses with Enter, a double click or "&Aceptar"; the window then
// hides itself and the lookup driver reads ValorDevuelto, Valores and Cantidades.

#include "MiembrosConsulta.h"

#include "platform/ado/Recordset.h"

#include <QDialog>
#include <QList>
#include <QString>
#include <QStringList>

class QComboBox;
class QPushButton;
class QWidget;

namespace ui {
class ColumnHeader;
class ListView;
}

class Lib_FrmCons3 : public QDialog, public MiembrosConsulta {
    Q_OBJECT
public:
    explicit Lib_FrmCons3(QWidget* parent = nullptr);
    ~Lib_FrmCons3() override;

    // ---- public members besides the common ones; SQL is rewritten by the window itself (load prefix, F5) ----
    QString StkNivel1, StkNivel2, StkNivel3, StkNivel4;
    QString MuestraStock;
    QString ValoresDefault;
    bool CfgUsaConsultaLIKE = false;
    bool GrabarCfg = false;        // save the column widths when the window unloads

    // ---- controls ----
    QWidget* picFields = nullptr;
    ui::ListView* ListView1 = nullptr;
    QList<QComboBox*> CmbSearch;   // box i stands over column i + 1; its property "Tag" holds the field name
    QWidget* Frame1 = nullptr;
    QPushButton* CmdAceptar = nullptr;
    QPushButton* cmdCancelar = nullptr;
    QPushButton* CmdNueva = nullptr;

    // ---- public methods ----
    // 1-based position of the first column whose header (trimmed) is `Columna` (trimmed, any case); 0 for none.
    int IndiceColumna(const QString& Columna) const;
    // 1-based index of the first item whose cell in column `Clave` (the item text below 1, else sub-item Clave)
    // begins with `QueValor` (trimmed, any case); 0 for none.
    int Busqueda(int Clave, const QString& QueValor) const;

    // ---- loading (also run again by F5 and "&Nueva Busqueda") ----
    void Form_Load();
    void Encolumnar();
    void Leer(int Cdesde = 1, int Cuantas = 0);
    void CalcularAncho();
    void Form_Unload();

    // ---- handlers ----
    void CmbSearch_GotFocus(int Index);
    void CmbSearch_LostFocus(int Index);
    void CmbSearch_Change(int Index);
    void CmbSearch_KeyDown(int Index, int& KeyCode, int Shift);
    void ListView1_KeyDown(int& KeyCode, int Shift);
    void ListView1_DblClick();
    void ListView1_ColumnClick(const ui::ColumnHeader& header);
    void Form_KeyDown(int& KeyCode, int Shift);
    void CmdAceptar_Click();
    void cmdCancelar_Click();
    void CmdNueva_Click();
    // Esc and the close box cancel.
    void reject() override;

    // ---- state, read by tests and the driver ----
    const QString& Tabla() const { return m_Tabla; }
    const QString& SQLInicial() const { return m_SQLInicial; }
    int IndiceBusqueda() const { return m_IndiceBusqueda; }
    bool EsArticulos() const { return m_EsArticulos; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QComboBox* cargarCaja(int index);
    void alinearCajas();
    void CargarAnchos();
    void GrabarAnchos();
    QString colorDeFila();
    void leerFila(int campos, int indiceDevuelto, bool colorear);
    // The text of the selected item in the column at 1-based position `columna`; "" without a selection or column.
    QString textoSeleccionado(int columna) const;
    void informarFaltante();
    void cambiarCantidad(int KeyCode, int Shift);

    ado::Recordset RsConsulta;
    bool m_EsArticulos = false;
    int m_ContadorFilas = 0;
    QString m_SQLInicial;
    QString m_SQLBase;
    QString m_OrdenSQL;
    QString m_Tabla;
    int m_IndiceBusqueda = 0;
    QWidget* m_filaBusqueda = nullptr;
};
