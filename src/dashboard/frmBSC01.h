#pragma once
// The control dashboard ("Tablero de Control"): the chart of accounts as a tree on the left, the HTML ledger
// or balance report of the chosen account in a browser on the right, filter boxes across the top, the
// business-unit and cost-centre lists and the report kind along the bottom. It is the main window of its
// own program: its load connects and loads the tree, the lists and the period and writes the first report;
// closing it runs the shutdown and ends the program.
//
// The report writer works the window through report::HostReporte: cancel flag, last report (FCuenta,
// FTitulo, FEsHoja) and busy display. Only one report is written at a time: a request that arrives while
// one is being written (the writer lets events run) is refused. From the request on, the busy display is up
// and the window takes events while the engine reads the report's query, so Cancelar stops the reading too.
// A long report comes in parts: the first is shown as soon as it is written, and the busy display stays until
// the writer is done; a part the operator asks for meanwhile loads before the writer goes on. The status bar
// says " Listo ..." only once the page is on show.
//
// Files: frmBSC01.cpp (creation, load, keys, layout, splitter, check buttons, cancel, close),
// frmBSC01Diseno.cpp (controls), frmBSC01Arbol.cpp (tree, lists, period), frmBSC01Pedidos.cpp (report
// requests), frmBSC01Campos.cpp (filter boxes), frmBSC01Enlaces.cpp (report links).

#include "DisenoTablero.h"
#include "EscritorInformes.h"
#include "PartesDelInforme.h"
#include "PedidoInforme.h"
#include "core/EventosCampos.h"
#include "platform/ado/Recordset.h"
#include "platform/suite/ControlArray.h"
#include "platform/suite/base/CarpetaDeVentana.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/TreeView.h"
#include "report/HostReporte.h"

#include <QPointer>
#include <QWidget>
#include <memory>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QStatusBar;
class QToolButton;

namespace suite { class PictureBox; }
namespace web { class WebBrowser; }

namespace tablero {

// The status bar while a report is read from the database, while it is written, and once it is on show.
inline constexpr char kEstadoLeyendo[] = " Leyendo el informe ...";
inline constexpr char kEstadoGenerando[] = " Generando ...";
inline constexpr char kEstadoListo[] = " Listo ...";
// The window's report file, in its own folder.
inline constexpr char kArchivoInforme[] = "BSC01.htm";

class frmBSC01 : public QWidget, public report::HostReporte {
    Q_OBJECT
public:
    explicit frmBSC01(QWidget* parent = nullptr);
    ~frmBSC01() override;

    // The launch string handed to the start-up road; "" reads the program's arguments.
    QString Parametros;

    // Creation: loads the window (once) and shows the report of the selected node; then shows the window.
    void Form_Initialize();
    bool Cargado() const { return m_cargado; }

    // ---------------------------------------------------------------------------------------------------
    // Controls
    QFrame* Frmbotones = nullptr;
    suite::ControlArray<QToolButton> ChkRama{QStringLiteral("ChkRama")};   // 0 expand/collapse, 1 pane
    QToolButton* CmdActualizar = nullptr;
    QToolButton* cmdClose = nullptr;
    ui::ImageList ImageList1;                                             // tree pictures 1 root, 2 account
    QFrame* Frame1 = nullptr;
    suite::ControlArray<QLineEdit> txtFields{QStringLiteral("txtFields")};
    suite::ControlArray<QLabel> lblFields{QStringLiteral("lblFields")};
    QCheckBox* ChkIVA = nullptr;
    QCheckBox* chkResumido = nullptr;
    ui::TreeView* TreeV = nullptr;
    QFrame* picNivel = nullptr;
    web::WebBrowser* wbExplorer = nullptr;
    suite::PictureBox* Pic = nullptr;
    QPushButton* cmdCancelar = nullptr;
    QFrame* FrmPie = nullptr;
    QGroupBox* frmUnidadDeNegocio = nullptr;
    QListWidget* lstUnidadNegocio = nullptr;
    QGroupBox* frmCentroCostos = nullptr;
    QListWidget* lstCentroCostos = nullptr;
    QGroupBox* frmOption = nullptr;
    suite::ControlArray<QRadioButton> OptTipoListado{QStringLiteral("OptTipoListado")};
    QStatusBar* StatusBar1 = nullptr;
    QLabel* StatusPanel1 = nullptr;

    // ---------------------------------------------------------------------------------------------------
    // What the report writer reads and writes
    QString FCuenta;
    QString FTitulo;
    bool FEsHoja = false;

    void setCancelado(bool valor) override { m_cancelado = valor; }
    bool Cancelado() const override { return m_cancelado; }
    void setUltimoReporte(const QString& cuenta, const QString& titulo, bool esHoja) override;
    void MostrarOcupado() override;
    void DibujarProgreso(double Porcentaje) override;
    // Also lets a part the operator asked for meanwhile load before the writer goes on; no other load holds
    // the writer.
    void ProcesarEventos() override;
    bool EsperaLecturas() const override { return true; }
    void ParteTerminada(int numero, const QString& ruta) override;
    // Busy display down: picture and cancel button hidden, tree enabled; a status the busy display set is
    // put back as it was before.
    void OcultarOcupado();

    // ---------------------------------------------------------------------------------------------------
    // Load, layout and closing (frmBSC01.cpp)
    void Form_Load();
    void Form_Activate();
    void Form_KeyDown(int& KeyCode, int Shift);
    void Form_Resize();
    void Form_Unload();
    void ChkIVA_Click();
    void ChkRama_Click(int Index);
    void picNivel_MouseDown();
    void picNivel_MouseUp(double X);
    void cmdCancelar_Click();
    void cmdClose_Click();
    void Generar(const QString& tabla);
    const DisenoTablero& Diseno() const { return m_diseno; }
    const QString& CarpetaTemporal() const { return m_carpeta; }
    const QString& ArchivoInforme() const { return m_archivo; }

    // Tree, lists and period (frmBSC01Arbol.cpp)
    void ArmarTreeVAutomatico();
    // Fills the unit and centre lists and the period boxes from the configured period's fiscal year; false
    // when the period boxes could not be filled (already said to the operator).
    bool AsignarDatos();
    QString ObtenerTituloListado() const;
    // The width (twips) the tree's widest row takes, with every branch open: indentation, picture and text.
    double AnchoFilasArbol() const;
    // The selected option 0..3; -1 when none is.
    int OpcionTipoListado() const;

    // Report requests (frmBSC01Pedidos.cpp)
    void TreeV_NodeClick(const ui::Node& Node);
    void CmdActualizar_Click();
    void NavegarArchivo(const QString& ruta);
    // The filters of the moment; the unit and centre lists are read as a request reads them (a list with
    // nothing selected gets every item selected and gives no codes).
    EstadoFiltros Estado();
    // True while a report is being written.
    bool Escribiendo() const { return m_escribiendo; }
    // Writes one report unless another is being written, or the period or an amount bound is not valid (the
    // operator is told which). `host` is this window or the popup's stand-in for it. False when nothing was
    // written; when something was, whether it was written to its end is kept for MostrarInforme.
    bool EscribirInforme(EscritorInformes& escritor, const PedidoInforme& pedido, report::HostReporte& host);
    // The window's own writer, made on first use.
    EscritorInformes& Escritor();

    // Filter boxes (frmBSC01Campos.cpp)
    void txtFields_GotFocus(int Index);
    void txtFields_LostFocus(int Index);
    void txtFields_KeyDown(int Index, int KeyCode, int Shift);
    void txtFields_KeyPress(int Index, int& KeyAscii);
    void CampoValida(QLineEdit* Texto);
    void BuscarCampo();
    QLineEdit* Campo(const QString& dataField) const;
    QString TextoCampo(const QString& dataField) const;
    bool ErrorValidacion() const { return m_errorValidacion; }
    int CampoActual() const { return m_campoActual; }

    // Report links (frmBSC01Enlaces.cpp)
    void wbExplorer_BeforeNavigate2(const QString& URL, bool& Cancel);
    void wbExplorer_DownloadComplete();
    // The browser's page process ended before its time.
    void wbExplorer_PaginaPerdida();
    // Says why a part of the report cannot be shown: on the status bar while the writer is at it (a message
    // box would stop it), else in a message.
    void AvisarParte(const ParteNoDisponible& parte);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void CrearControles();
    void ConectarEventos();
    void AplicarDiseno();
    // The codes of a list's selected items; a list with none selected gets all selected and gives none.
    static QStringList CodigosDeLista(QListWidget& lista);
    // The account link, popup link or voucher link, run after the navigation that carried it was cancelled,
    // with the filters read when it was clicked.
    void EjecutarEnlace(const QString& URL, const EstadoFiltros& estado);
    // Shows the report file, and says so when the report did not end well. A report with nothing to show, or
    // whose page does not begin to load, ends here: the busy display goes.
    void MostrarInforme();
    // The window's own folder for its report, made now if the load could not make it; false (the operator told
    // which file cannot be written, and why) when it cannot be made.
    bool PrepararCarpeta();
    // Makes the window's folder with its style sheet and names the report file in it; raises when it cannot.
    void CrearCarpeta();

    bool m_cargado = false;
    bool m_conPeriodo = false;                    // the load filled the period boxes
    bool m_descargado = false;
    bool m_cancelado = false;                     // Cancelado: set by the cancel button, cleared by the writer
    ado::Recordset m_rs;                          // the window's recordset
    suite::CarpetaDeVentana m_carpetaPropia;      // the window's own folder, removed with it
    QString m_carpeta;                            // its path, ends in "/"
    QString m_archivo;                            // the report file
    std::unique_ptr<EscritorInformes> m_escritor;
    DisenoTablero m_diseno;
    bool m_arrastrando = false;                   // splitter pressed
    bool m_guardaRama = false;                    // absorbs the click ChkRama(1) raises on itself
    int m_campoActual = 0;
    bool m_errorValidacion = false;
    report::ResultadoListado m_resultado = report::ResultadoListado::Completo;   // how the last report ended
    bool m_leyendo = false;                       // the writer has not yet reached the report's rows
    bool m_terminoAlLeer = false;                 // the last report ended before its rows were reached
    QString m_avisoInforme = QStringLiteral(" Listo ...");   // the status once the report's page is on show
    PartesDelInforme m_partes;                    // the parts of the window's own report
    bool m_escribiendo = false;
    bool m_esperarParte = false;                  // a part the operator asked for while the writer is at it
    QString m_estadoAntesDeOcupado;               // the status bar before the busy display went up
    core::EventosCampos m_eventosCampos;          // the filter boxes' keys and focus, to their handlers
};

// The window's one instance, made on first use.
frmBSC01& Tablero();
// True when the one instance exists.
bool TableroExiste();

} // namespace tablero
