#pragma once
// The find dialog ("Buscar"): finds a text in the rows of another window's list, one hit at a time, each step
// resuming at the row after the previous hit. It stays on top while the operator works on; the hit cell turns
// bold, its row is selected and scrolled to, and the whole cell text is shown with the found part selected.
// It works on any list, whoever keeps its rows: the bold type is the list's own, not the rows'. The bold goes
// off the cell it was put on when the search moves on or starts over, even after the list was sorted or the
// caller pointed the dialog at its other list.
//
//     FrmBuscar& f = gFrmBuscar();
//     f.Lvw = Lvw;          // the list to search
//     f.Show();             // modeless; loads the dialog the first time (and again after it was closed)

#include "platform/ui/ListView.h"

#include <QDialog>
#include <QPointer>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class FrmBuscar : public QDialog {
    Q_OBJECT
public:
    explicit FrmBuscar(QWidget* parent = nullptr);

    QPointer<ui::ListView> Lvw;    // set by the caller before showing the dialog

    QLabel* Label1 = nullptr;
    QLineEdit* txtBuscar = nullptr;
    QGroupBox* Frame1 = nullptr;
    QComboBox* cboBuscar = nullptr;
    QPushButton* cmdBuscar = nullptr;
    QPushButton* cmdCerrar = nullptr;
    QLineEdit* txtResult = nullptr;

    // Loads the dialog when it is not loaded (topmost, column choices, search restarted), then shows it.
    void Show();
    bool Cargado() const { return m_cargado; }

    void Form_Load();
    void CargarColumnas();
    // The sub-item number of the column whose header (trimmed) is `Columna` (trimmed, any case); 0 for none.
    int IndiceSubItem(const QString& Columna) const;
    void cmdBuscar_Click();
    void cmdCerrar_Click();

    // The 1-based row examined last (0: the next step starts at the first row) and the hit column.
    int UltimaFila() const { return m_ultimaFila; }
    int UltimaColumna() const { return m_ultimaColumna; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void reiniciar();
    void marcar(int fila, int columna);
    void desmarcar();
    bool celda(int fila, int columna, QString* texto) const;
    void mostrarHallazgo();
    // True when the key was one of the dialog's own.
    bool teclaDelDialogo(int keyCode);

    int m_ultimaFila = 0;
    int m_ultimaColumna = 0;
    bool m_cargado = false;
    // The cell the last hit bolded: its list, its row's handle (it stays with the row through sorting) and
    // its sub-item.
    QPointer<ui::ListView> m_listaMarcada;
    ui::ListItem m_itemMarcado;
    int m_columnaMarcada = 0;
};

// The dialog's one instance, created on first use.
FrmBuscar& gFrmBuscar();
