// The workbench window: construction, the load handler (the program's start-up road), the reset for a new
// reconciliation, the list columns and the switch between header entry and detail.

#include "FrmConcCuentas.h"

#include "EntornoPrograma.h"
#include "core/Configuration.h"
#include "core/Globals.h"
#include "core/Money.h"
#include "core/Startup.h"
#include "data/DB_Dll.h"
#include "platform/ado/Error.h"
#include "platform/suite/Brakmo.h"
#include "platform/suite/Controles.h"
#include "platform/suite/Utilidades.h"
#include "platform/ui/Routine.h"
#include "platform/ui/Units.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDate>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

using conciliacion::kCantidadColumnas;
using conciliacion::kColumnasLista;

namespace {

QString hoy()
{
    return FrmConcCuentas::Hoy().toString(QStringLiteral("dd/MM/yyyy"));
}

// LblDif2's design colours: white on navy until the marks give it a value.
void diferenciaInicial(QLabel* etiqueta)
{
    QPalette paleta = etiqueta->palette();
    paleta.setColor(QPalette::Window, ui::FromBgr(0x800000));
    paleta.setColor(QPalette::WindowText, Qt::white);
    etiqueta->setPalette(paleta);
    etiqueta->setText(QStringLiteral("0.00"));
}

} // namespace

std::function<QDate()> FrmConcCuentas::Hoy = [] { return QDate::currentDate(); };

FrmConcCuentas::FrmConcCuentas(QWidget* parent)
    : QWidget(parent), m_sesion(conciliacion::DecimalesPrograma()),
      m_store(gDB().gCnn, false, conciliacion::EntornoPrograma()),
      m_eventosCampos(*this)
{
    CrearControles();
    ConectarEventos();
    // The window sees the keys before its controls do.
    qApp->installEventFilter(this);
}

FrmConcCuentas::~FrmConcCuentas()
{
    qApp->removeEventFilter(this);
    // The lists' models read the session, which goes before the child widgets do: the views let go of them
    // first.
    for (conciliacion::ModeloLado*& modelo : m_modelos) {
        delete modelo;
        modelo = nullptr;
    }
}

FrmConcCuentas& frmConcCuentas()
{
    static QPointer<FrmConcCuentas> instancia;
    if (!instancia)
        instancia = new FrmConcCuentas;
    return *instancia;
}

void FrmConcCuentas::Show()
{
    if (!m_cargado) {
        m_cargado = true;
        Form_Load();
    }
    showMaximized();
}

void FrmConcCuentas::Form_Load()
{
    m_cargado = true;
    ui::Routine r{QString()};
    QString conexion;
    r.steps({
        [&] { ModGlobal::Inicializar(false, Parametros, conexion, 3); },
        [&] {
            const DB_Dll& db = gDB();
            m_store.setAdministrador(db.gEsAdmin);
            FConexion.DbName = db.gDBName;
            FConexion.Servidor = db.gServidor;
            FConexion.Usuario = db.gUsuario;
            FConexion.Password = db.gUserPassWord;
            FConexion.Conectar();
            FConexion.Seccion = ModGlobal::gSeccionIni;
        },
        [&] {
            suite::Utilidades::ConfigurarFormulario(this, 0);
            ModGlobal::InicializarFormulario(this);
        },
        [&] { FTablaReporte.clear(); },
        [&] {
            Campo(QStringLiteral("FechaD"))->setText(hoy());
            Campo(QStringLiteral("FechaH"))->setText(hoy());
        },
        [&] { Inicializa(); },
        [&] { frmHelp->setVisible(false); },
        [&] {
            // Nothing that needs an open reconciliation is offered at start-up (see Brakmo.h for the numbers).
            for (qint64 id : {0x68030008, 0x68030007, 0x68030004, 0x68030001, 0x68030003})
                Brakmo1->setFlagPorId(id, false);
        },
        [&] {
            // Money like the amounts it is compared with: "0.01" is exactly one cent.
            const QString texto = ModGlobal::Cfg(QStringLiteral("ToleranciaRedondeo"));
            if (const std::optional<ado::Currency> exacta = ado::Currency::parse(texto)) {
                FTolerancia = *exacta;
                return;
            }
            bool ok = false;
            const double valor = suite::Utilidades::TextoADoble(texto, &ok);
            if (texto.trimmed().isEmpty() || !ok)
                throw ado::Error(ado::kErrTypeMismatch, QStringLiteral("Type mismatch"));
            FTolerancia = ado::Currency::fromDouble(valor);
        },
    });
}

void FrmConcCuentas::Inicializa()
{
    ui::Routine r(QStringLiteral("Inicializa"));
    r.steps({
        // Leaving a reconciliation, by whatever road, gives its edit lock back.
        [&] { SoltarBloqueo(); },
        [&] { suite::Controles::LimpiarControles(this, txtFields.Nombre()); },
        [&] { diferenciaInicial(LblDif2); },
        [&] { Campo(QStringLiteral("Fecha"))->setText(hoy()); },
        [&] {
            for (const char* campo : {"CUENTA", "FechaD", "FechaH"})
                Campo(QString::fromLatin1(campo))->setEnabled(true);
        },
        [&] { CmdEjecutar->setEnabled(true); },
        // Cleared before the mode switch, which derives the commands' state from it.
        [&] { FFinalizada = false; },
        [&] { DetalleOn(false); },
        [&] { Lvw->setAllColumnsShowFocus(true); },
        [&] { Lvw->ColumnHeaders().Clear(); },
        [&] { SSTab1->setCurrentIndex(0); },
        [&] { LblDescCuenta->setText(QStringLiteral("...")); },
        [&] { ProximaConciliacion(); },
        [&] { ArmarColumnas(true, true); },
    });
}

void FrmConcCuentas::ArmarColumnas(bool Izquierda, bool Derecha)
{
    const QFontMetrics metricas(font());
    const QString cero = ModGlobal::FmtMoneda(QStringLiteral("0"), -1);
    for (conciliacion::Lado lado : {conciliacion::Lado::Izquierda, conciliacion::Lado::Derecha}) {
        const bool izquierda = lado == conciliacion::Lado::Izquierda;
        if (!(izquierda ? Izquierda : Derecha))
            continue;
        ui::ListView& lista = Lista(lado);
        lista.ListItems().Clear();
        lista.ColumnHeaders().Clear();
        for (int c = 0; c < kCantidadColumnas; ++c) {
            const conciliacion::DefinicionColumna& d = kColumnasLista[size_t(c)];
            const double ancho =
                d.anchoX > 0 ? ui::PxToTwips(metricas.horizontalAdvance(QString(d.anchoX, QLatin1Char('X')))) : 0;
            lista.ColumnHeaders().Add(QString(), QString::fromUtf8(izquierda ? d.titulo : d.tituloDerecha), ancho,
                                      d.alineadaDerecha ? 1 : 0);
        }
        (izquierda ? lblTotConc : lblTotConc2)->setText(cero);
        (izquierda ? lblTotNConc : lblTotNConc2)->setText(cero);
    }
}

void FrmConcCuentas::ProximaConciliacion()
{
    Campo(QStringLiteral("IdConciliacion"))->setText(QString::number(m_store.ProximaConciliacion()));
}

void FrmConcCuentas::DetalleOn(bool Off)
{
    // Flags 1, 3, 6, 7 (delete, report, cancel, save) need an open reconciliation; 2 and 8 (lookup, new) are
    // for choosing one. 4 and 5 are not switched.
    for (int flag : {1, 3, 6, 7})
        Brakmo1->setFlag(flag, Off);
    for (int flag : {2, 8})
        Brakmo1->setFlag(flag, !Off);
    SSTab1->setTabEnabled(1, Off);
    cmdFinalizar->setEnabled(Off);
    ChkConciliados->setEnabled(Off);
    // The commands that change the lines need an open reconciliation that is not finalized: in header mode
    // there is none (the proposed number has no header yet), and closing a finalized one gives them back to
    // the next.
    for (QPushButton* b : {cmdComparar, CmdConciliar, cmdRefresh, CmdQuitarI, CmdQuitarD})
        b->setEnabled(Off && !FFinalizada);
    ArmarColumnas(true, true);
    Campo(QStringLiteral("IdConciliacion"))->setEnabled(!Off);
}

QString FrmConcCuentas::DescripcionCuenta(const QString& Codigo)
{
    const QString descripcion =
        gDB().DatosTabla(QStringLiteral("MA_CUENTAS"), Codigo, QStringLiteral("DESCRIPCION"), QStringLiteral("CODIGO"),
                         ado::Variant(8),
                         QStringLiteral("CODIGO = ") + DB_Dll::SQLValue(Codigo, QStringLiteral("'"))
                             + QStringLiteral(" AND TITULO = 0 "),
                         true);
    return descripcion.trimmed().isEmpty() ? QStringLiteral("...") : descripcion;
}

FrmConcCuentas::Ocupado::Ocupado(FrmConcCuentas& ventana) : m_ventana(ventana)
{
    if (m_ventana.m_ocupado++ == 0) {
        QWidget* foco = QApplication::focusWidget();
        m_ventana.m_focoAntes = foco && foco->window() == &m_ventana ? foco : nullptr;
        m_ventana.m_focoPedido = nullptr;
        m_ventana.Brakmo1->setEnabled(false);
        m_ventana.SSTab1->setEnabled(false);
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
}

FrmConcCuentas::Ocupado::~Ocupado()
{
    if (--m_ventana.m_ocupado == 0) {
        m_ventana.Brakmo1->setEnabled(true);
        m_ventana.SSTab1->setEnabled(true);
        QApplication::restoreOverrideCursor();
        m_ventana.DevolverFoco();
    }
}

void FrmConcCuentas::PedirFoco(QWidget* control)
{
    if (EstaOcupado())
        m_focoPedido = control;
    else if (control)
        control->setFocus();
}

void FrmConcCuentas::DevolverFoco()
{
    // Disabling the controls took the focus away, and a control the loop wanted focused could not take it:
    // without this the function keys would reach nothing until the operator clicked somewhere.
    const auto usable = [](QWidget* c) { return c && c->isEnabled() && c->isVisible(); };
    QWidget* destino = nullptr;
    if (usable(m_focoPedido))
        destino = m_focoPedido;
    else if (usable(m_focoAntes))
        destino = m_focoAntes;
    else if (usable(FListaActiva))
        destino = FListaActiva;
    else if (usable(Lvw))
        destino = Lvw;
    m_focoAntes = nullptr;
    m_focoPedido = nullptr;
    if (destino)
        destino->setFocus();
}

bool FrmConcCuentas::eventFilter(QObject* watched, QEvent* event)
{
    // While a long loop works on the lists, keys go to the controls as they are (the loop ends first).
    if (event->type() == QEvent::KeyPress && EstaOcupado())
        return QWidget::eventFilter(watched, event);
    if (m_eventosCampos.Filtrar(watched, event))
        return true;
    if (event->type() == QEvent::MouseButtonPress) {
        auto* control = qobject_cast<QWidget*>(watched);
        if (const int index = m_eventosCampos.Indice(watched); index >= 0)
            txtFields_MouseDown(index);
        else if (control && control->window() == this
                 && (control == Frame1 || control == frmHelp || control->objectName() == lblTitulo.Nombre()))
            frmHelp->setVisible(false);   // a click on the header frame, the help panel or a caption
    }
    return QWidget::eventFilter(watched, event);
}

void FrmConcCuentas::closeEvent(QCloseEvent* event)
{
    // A long loop works on the lists until it ends; the window closes after it.
    if (EstaOcupado()) {
        event->ignore();
        return;
    }
    Form_Unload();
    event->accept();
}
