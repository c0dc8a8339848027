#pragma once
// The account reconciliation workbench ("Brenquil"): the program's main window. Its load handler runs the
// start-up road. The header (txtFields) names the reconciliation, its date, the account, the period and two
// optional filters; the left list Lvw holds the account's debit journal lines, the right list Lvw2 its credit
// lines, with the totals of the marked ("Conciliado:") and unmarked ("No Conciliado:") lines under them.
//
// The database work goes through the reconciliation store (Store.h) and the engine's steps (PasoCargar,
// PasoConciliar, PasoLiberar, PasoFinalizar), which the window runs as their operator (OperadorVentana) and
// whose outcome it shows; the lists are views over the rows of the workbench session (SesionConciliacion.h),
// which the handlers change.
//
// Files: FrmConcCuentas.cpp (load, reset, columns, mode), FrmConcCuentasDiseno.cpp (controls and layout),
// FrmConcCuentasCabecera.cpp (header validation), FrmConcCuentasCampos.cpp (field editing and lookups),
// FrmConcCuentasBloqueo.cpp (edit lock), FrmConcCuentasApertura.cpp (opening a saved reconciliation),
// FrmConcCuentasConfiguracion.cpp (comparison settings), FrmConcCuentasCarga.cpp (loading a panel),
// FrmConcCuentasListas.cpp (rows in the lists, totals, groups), FrmConcCuentasMarcas.cpp (mark handlers,
// keys, sort), FrmConcCuentasQuitar.cpp (releasing, reloading, finding), FrmConcCuentasComparar.cpp
// (matching), FrmConcCuentasConciliar.cpp (saving, reconciling), FrmConcCuentasFinalizar.cpp,
// FrmConcCuentasComandos.cpp (command bar, keys, closing), FrmConcCuentasMenu.cpp (line menu).

#include "ModeloLado.h"
#include "core/EventosCampos.h"
#include "reconciliation/engine/BloqueoDeInstancia.h"
#include "reconciliation/engine/Store.h"
#include "reconciliation/engine/SesionConciliacion.h"
#include "reconciliation/engine/WorkbenchRow.h"
#include "platform/ado/Variant.h"
#include "platform/suite/ControlArray.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/ListView.h"

#include <QDate>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <array>
#include <functional>
#include <optional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSplitter;
class QTabWidget;
class QToolButton;

namespace suite {
class Brakmo;
class PictureBox;
}
namespace ui {
class Routine;
}

// The connection data the window hands to the suite's data components at load. Nothing reads it afterwards.
struct DatosConexion {
    QString DbName;
    QString Servidor;
    QString Usuario;
    QString Password;
    QString Seccion;
    bool Conectado = false;
    void Conectar() { Conectado = !DbName.isEmpty(); }
};

class FrmConcCuentas : public QWidget {
    Q_OBJECT
public:
    explicit FrmConcCuentas(QWidget* parent = nullptr);
    ~FrmConcCuentas() override;

    // Today's date as the window reads it (the proposed reconciliation date, period and default filters);
    // the system clock unless replaced.
    static std::function<QDate()> Hoy;

    // The launch string the load handler hands to the start-up road; "" reads the program's arguments.
    QString Parametros;

    // Loads the window the first time (Form_Load), then shows it maximised.
    void Show();
    bool Cargado() const { return m_cargado; }

    // ---------------------------------------------------------------------------------------------------
    // Controls
    suite::Brakmo* Brakmo1 = nullptr;
    QTabWidget* SSTab1 = nullptr;          // 0 "Movimientos a Conciliar", 1 "Configuracion"
    QGroupBox* Frame1 = nullptr;           // header fields
    QGroupBox* FrmFiltros = nullptr;       // "Filtros de busqueda"
    QGroupBox* Frame3 = nullptr;           // "Campos a Comparar "
    QGroupBox* frmHelp = nullptr;          // help panel
    QLabel* LblCpte = nullptr;
    QLabel* LblDescCuenta = nullptr;
    QLabel* Label1 = nullptr;              // "Dif.:"
    QLabel* Label2 = nullptr;              // "$ de Tolerancia"
    QLabel* LblDif2 = nullptr;
    QLabel* lblTitConc = nullptr;
    QLabel* lblTotConc = nullptr;
    QLabel* lblTitNConc = nullptr;
    QLabel* lblTotNConc = nullptr;
    QLabel* lblTitConc2 = nullptr;
    QLabel* lblTotConc2 = nullptr;
    QLabel* lblTitNConc2 = nullptr;
    QLabel* lblTotNConc2 = nullptr;
    QPushButton* CmdEjecutar = nullptr;    // "&Ejecutar Consulta >>>"
    QPushButton* cmdFind = nullptr;
    QPushButton* cmdRefresh = nullptr;
    QPushButton* cmdComparar = nullptr;
    QPushButton* CmdConciliar = nullptr;   // "Aplicar"
    QPushButton* cmdFinalizar = nullptr;
    QPushButton* CmdQuitarI = nullptr;
    QPushButton* CmdQuitarD = nullptr;
    QPushButton* cmdGrabaCfg = nullptr;
    QCheckBox* ChkConciliados = nullptr;   // "&Ver Movimientos Conciliados"
    QLineEdit* txtTolerancia = nullptr;
    QToolButton* PicHelp = nullptr;
    suite::PictureBox* PicImg = nullptr;   // progress strip
    QSplitter* picNivel = nullptr;         // the bar between the lists moves them when released
    ui::ListView* Lvw = nullptr;           // left: debit lines, MV_CONCILIACION
    ui::ListView* Lvw2 = nullptr;          // right: credit lines, MV_CONCILIACION_AUX
    ui::ImageList ImageList1;              // row icons 1..106

    // Members found by their data-field name: IdConciliacion, Fecha, CUENTA, OBS, FechaD, FechaH, UNegocio,
    // Usuario (indices 0..7).
    suite::ControlArray<QLineEdit> txtFields{QStringLiteral("txtFields")};
    suite::ControlArray<QLabel> lblTitulo{QStringLiteral("lblTitulo")};
    // Fecha, Vencimiento, TC, Comprobante, Importe, Concepto (indices 0..5).
    suite::ControlArray<QCheckBox> chkCamposComp{QStringLiteral("chkCamposComp")};

    // ---------------------------------------------------------------------------------------------------
    // Window state
    bool FHayError = false;                // the last header validation (or save) failed
    bool FGrabando = false;                // the save key is validating the header
    bool FEjecutando = false;              // the load command is validating the header
    bool FFinalizada = false;              // the open reconciliation is finalized
    ado::Currency FTolerancia;             // "ToleranciaRedondeo": the reconcile button's balance tolerance
    QPointer<QLineEdit> FCampoActual;      // the header field that last got the focus or a click
    QPointer<ui::ListView> FListaActiva;   // the list that last got the focus
    QString FTablaReporte;                 // table of the report's selection formula
    DatosConexion FConexion;
    ado::Variant FAbortar;                 // abort request of the saved-reconciliation loader (never raised)
    // The number whose edit lock this window holds; released whenever the window leaves it.
    std::optional<qint64> FBloqueo;

    conciliacion::ReconciliationStore& Store() { return m_store; }

    // ---------------------------------------------------------------------------------------------------
    // Start-up, reset, columns and mode (FrmConcCuentas.cpp)
    void Form_Load();
    void Inicializa();
    void ArmarColumnas(bool Izquierda, bool Derecha);
    void ProximaConciliacion();
    void DetalleOn(bool Off);
    QString DescripcionCuenta(const QString& Codigo);

    // Header (FrmConcCuentasCabecera.cpp)
    void CampoValida(QLineEdit* Texto);
    bool DatosValidos();
    // The member of txtFields with that data-field name (letter case aside); nullptr when none.
    QLineEdit* Campo(const QString& dataField) const;
    int IndiceCampo(const QString& dataField) const;
    QString TextoCampo(const QString& dataField) const;
    // The number in the IdConciliacion field; 0 when it holds none.
    qint64 NumeroConciliacion() const;
    // The header as the fields show it.
    conciliacion::Cabecera CabeceraDeCampos() const;

    // Field editing and lookups (FrmConcCuentasCampos.cpp)
    void txtFields_GotFocus(int Index);
    void txtFields_LostFocus(int Index);
    void txtFields_MouseDown(int Index);
    void txtFields_KeyPress(int Index, int& KeyAscii);
    void txtFields_KeyDown(int Index, int KeyCode, int Shift);
    void CmdConsultar();
    // The position (1-based) of the first left row whose text (Clave < 1) or sub-item Clave begins with
    // QueValor, letter case and blanks aside; 0 when none does.
    int Busqueda(int Clave, const QString& QueValor);
    // Clears the binding of a control named "TxtEdit2" (data field, tag, length limit); others are left alone.
    static void TextPropiedades(QWidget* Texto, int Columna);

    // Edit lock (FrmConcCuentasBloqueo.cpp)
    // Takes the lock of the number for this station (beside another owner's row when `deOtro`), first
    // releasing a lock held on another number. False, with the holder, when another station has it.
    bool TomarBloqueo(qint64 numero, bool deOtro, QString* titular = nullptr);
    // Releases the lock this window holds, whatever number the field shows now.
    void SoltarBloqueo();
    // "El usuario: <owner>, esta modificando este comprobante!" and the line after it.
    static QString MensajeBloqueo(const QString& titular, const QString& segundaLinea);

    // Opening a saved reconciliation (FrmConcCuentasApertura.cpp)
    void AbrirConciliacion(bool TomarDeOtro = false);
    void CargarConciliacion(bool Izquierda, bool Derecha);

    // Comparison settings (FrmConcCuentasConfiguracion.cpp)
    void LeerCfg();
    void cmdGrabaCfg_Click();

    // Loading the panels from the journal (FrmConcCuentasCarga.cpp)
    void CmdEjecutar_Click();
    // `Orden` is the command that loads, as the operator knows it: a failure is shown under it.
    void CargarPanel(bool Izquierda, bool Derecha, bool ArmarCols, const QString& Orden);

    // Rows, totals and groups (FrmConcCuentasListas.cpp)
    ui::ListView& Lista(conciliacion::Lado lado) const;
    // The working state both lists show.
    conciliacion::SesionConciliacion& Sesion() { return m_sesion; }
    // The side's rows in display order.
    const conciliacion::WorkbenchRows& FilasDeLista(conciliacion::Lado lado) const { return m_sesion.Filas(lado); }
    // The side's two totals; the difference label is left alone.
    void MostrarTotalesLado(conciliacion::Lado lado);
    // All four totals and the difference label from the marks of both lists.
    void CalcularTotales();
    // Row icons and link groups of both lists, sorted by group.
    void AgruparConciliados();
    // The list sorted by its row text (sub-item 0), ascending: the order of the link groups.
    static void OrdenarPorGrupo(ui::ListView& lista);

    // Layout (FrmConcCuentasDiseno.cpp)
    void PicHelp_Click();

    // While a long loop runs, the window takes no command (the progress window's cancel still works).
    class Ocupado {
    public:
        explicit Ocupado(FrmConcCuentas& ventana);
        ~Ocupado();
        Ocupado(const Ocupado&) = delete;
        Ocupado& operator=(const Ocupado&) = delete;

    private:
        FrmConcCuentas& m_ventana;
    };
    bool EstaOcupado() const { return m_ocupado > 0; }
    // Puts the focus on the control now, or, during a long loop (which disables the controls), once it ends.
    void PedirFoco(QWidget* control);

    // ---------------------------------------------------------------------------------------------------
    // Second half: marking, matching, reconciling, saving, finalizing, the command bar and the line menu.
    // Every command is ignored while a long loop runs (EstaOcupado), so none starts in the middle of another.

    // The lists (FrmConcCuentasMarcas.cpp): mark handlers with their link questions, Shift+arrow toggle,
    // header sort, focus.
    void Lvw_ItemCheck(ui::ListItem Item);
    void Lvw2_ItemCheck(ui::ListItem Item);
    void Lvw_ColumnClick(ui::ColumnHeader ColumnHeader);
    void Lvw2_ColumnClick(ui::ColumnHeader ColumnHeader);
    void Lvw_KeyDown(int& KeyCode, int Shift);
    void Lvw2_KeyDown(int& KeyCode, int Shift);
    void Lvw_GotFocus();
    void Lvw2_GotFocus();
    void MarcarSel(ui::ListView* lv);

    // Releasing, reloading and finding lines (FrmConcCuentasQuitar.cpp).
    void Quitar(bool Izquierda, bool SoloSeleccionados);
    int IndexList(const QString& Titulo);
    void CmdQuitarI_Click();
    void CmdQuitarD_Click();
    void cmdRefresh_Click();
    void ChkConciliados_Click();
    void cmdFind_Click();

    // "Comparar" (FrmConcCuentasComparar.cpp).
    void cmdComparar_Click();

    // Saving and reconciling (FrmConcCuentasConciliar.cpp).
    void ActualizarDatos();
    void CmdConciliar_Click();

    // Finalizing (FrmConcCuentasFinalizar.cpp).
    void cmdFinalizar_Click();

    // The command bar, the window's keys and closing (FrmConcCuentasComandos.cpp).
    void Brakmo1_Click(const QString& key);
    // The window sees every key before its controls; setting KeyCode to 0 uses the key up.
    void Form_KeyDown(int& KeyCode, int Shift);
    // Gives back the edit lock, hides the window and ends the program.
    void Form_Unload();
    // The same close when the system ends the program (a signal, platform/ui/SystemEnd.h): nobody is asked
    // anything and a failure is passed over; a transaction left open by a step the signal came in the middle
    // of is rolled back first, so that nothing that was not saved is written.
    void CerrarSinPreguntar();

    // The line menu and the document behind a line (FrmConcCuentasMenu.cpp).
    void Lvw_MouseDown(int Button, int Shift, double X, double Y);
    void Lvw2_MouseDown(int Button, int Shift, double X, double Y);
    void MostarComprobante(const QString& iTC, const QString& iSucursal, const QString& iNumero,
                           const QString& iLetra, const QString& CuentaFiltro);

private:
    // The end of both closes, with the routine whose handler meets their failures.
    void Cerrar(ui::Routine& r);
    void ItemCheck(conciliacion::Lado lado, const ui::ListItem& Item);
    void KeyDownLista(conciliacion::Lado lado, int KeyCode, int Shift);
    void ColumnClick(conciliacion::Lado lado, const ui::ColumnHeader& ColumnHeader);
    void MouseDownLista(conciliacion::Lado lado, int Button);
    void QuitarConfirmando(conciliacion::Lado lado);
    // After the other side was reloaded: this side keeps only the lines a reload of it would list.
    void SoloLoQueLaRecargaLista(conciliacion::Lado lado);
    // Shows "CONCILIACION FINALIZADA, NO SEPUEDE MODIFICAR" when the open reconciliation is finalized.
    bool AvisoFinalizada();
    // The header validated as the save key validates it (the period is not checked).
    bool ValidarParaGrabar();
    void Grabar();
    void BorrarConciliacion();
    void ImprimirReporte();
    // Resets the window for a new reconciliation (giving back the lock) with the focus on the number.
    void VolverAlNumero();
    // After a write: true when the store wrote it (then nothing is left to save). A reconciliation the store
    // found finalized (from another station meanwhile) is told and taken as finalized; false then.
    bool Escrito(conciliacion::Resultado resultado);
    // Another station finalized the open reconciliation: the change commands go off and the operator is told.
    void TomarComoFinalizada();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // FrmConcCuentasCabecera.cpp: the checks of the number and the account; each returns the message that
    // refuses the field ("" when none, or when it has told the operator itself and set FHayError).
    QString ValidarNumero(QLineEdit* Texto, ui::Routine& r);
    QString ValidarCuenta(QLineEdit* Texto, ui::Routine& r);
    void RechazarPorBloqueo(QLineEdit* Texto, qint64 numero, const QString& titular);

    // FrmConcCuentasDiseno.cpp
    void CrearControles();
    QWidget* CrearPestanaMovimientos();
    QWidget* CrearPestanaConfiguracion();
    QGroupBox* CrearCabecera();
    QGroupBox* CrearFiltros();
    QWidget* CrearBandaTotales();
    void CrearListas();
    void CrearAyuda(QWidget* pestana);
    void CrearIconos();
    QLineEdit* CrearCampo(int index, const QString& dataField, const QString& tag, int maxLength);
    void ConectarEventos();
    void UbicarAyuda();
    void ListasEnMitades();

    // FrmConcCuentasCarga.cpp
    // One load's listing under the progress window, whose rows come in blocks.
    struct ListadoCarga {
        QString titulo;
        size_t total = 0;          // rows of the whole load
        size_t vistas = 0;         // rows the progress window has seen so far
        qint64 porciento = -1;     // the percentage shown, and its text
        QString textoPorciento;
    };
    // Lists a block of the load's rows with progress and cancel; the rows not listed after a confirmed cancel
    // come back.
    conciliacion::WorkbenchRows ListarConProgreso(conciliacion::Lado lado, conciliacion::WorkbenchRows filas,
                                                  ListadoCarga& listado);

    conciliacion::SesionConciliacion m_sesion;
    std::array<conciliacion::ModeloLado*, 2> m_modelos{};
    conciliacion::ReconciliationStore m_store;
    conciliacion::BloqueoDeInstancia m_instancia;   // this instance's hold on the number of FBloqueo
    core::EventosCampos m_eventosCampos;            // the header fields' keys and focus, to their handlers
    bool m_cargado = false;
    int m_ocupado = 0;
    // The focus around a long loop: where it was, and where the loop asked it to go afterwards.
    QPointer<QWidget> m_focoAntes;
    QPointer<QWidget> m_focoPedido;
    void DevolverFoco();
};

// The window's one instance, created on first use.
FrmConcCuentas& frmConcCuentas();
