#include "VisorDocumento.h"

#include "AccionEnlace.h"
#include "AperturaVisores.h"
#include "core/Startup.h"
#include "core/SuitePrograms.h"
#include "platform/suite/Carpetas.h"
#include "platform/suite/Utilidades.h"
#include "platform/ui/Keys.h"
#include "platform/ui/Routine.h"
#include "report/ClassHTML.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QShortcut>

using suite::Utilidades;

namespace visores {

VisorDocumento::VisorDocumento(Visor tipo, const QString& titulo, const QString& archivo, const QString& prefijo)
    : m_tipo(tipo), m_archivo(archivo), m_prefijo(prefijo)
{
    setWindowTitle(titulo);
    resize(800, 600);
    wbExplorer = new web::WebBrowser(this);
    wbExplorer->setBeforeNavigate2([this](const QString& URL, bool& Cancel) { wbExplorer_BeforeNavigate2(URL, Cancel); });
    // The window sees the Cancel key before its browser does.
    for (const QKeySequence& tecla : {QKeySequence(Qt::Key_Cancel), QKeySequence(Qt::CTRL | Qt::Key_Pause)}) {
        auto* atajo = new QShortcut(tecla, this);
        connect(atajo, &QShortcut::activated, this, [this] { Form_KeyDown(ui::vbKeyCancel, 0); });
    }
    Form_Resize();
}

VisorDocumento::~VisorDocumento() = default;

void VisorDocumento::Form_Load()
{
    QString conexion;
    ModGlobal::Inicializar(false, QString(), conexion, 3);
    Utilidades::ConfigurarFormulario(this);
}

void VisorDocumento::Form_Resize()
{
    if (isMinimized())
        return;
    // The browser takes the whole inside of the window.
    wbExplorer->setGeometry(0, 0, width(), height());
}

void VisorDocumento::Form_KeyDown(int KeyCode, int /*Shift*/)
{
    if (KeyCode != ui::vbKeyCancel)
        return;
    int cancelar = 0;
    Form_Unload(cancelar);
}

void VisorDocumento::Form_Unload(int& /*Cancel*/)
{
    hide();
    OlvidarInstancia();
    m_carpetaPropia.Borrar();
}

void VisorDocumento::MostrarDocumento(const Documento& d)
{
    m_documento = d;
    if (!m_carpetaPropia.Existe())
        m_carpetaPropia = suite::NuevaCarpetaDeVentana();
    CarpetaTemporal = m_carpetaPropia.Ruta();
    RutaPagina = CarpetaTemporal + m_archivo;
    setWindowTitle(m_prefijo + d.iTC + QLatin1Char(' ') + d.iSucursal + d.iNumero + d.iLetra);
    report::ClassHTML().writeStyleCSS(CarpetaTemporal);
    UltimoResultado = Generar(RutaPagina, d);
    NavegarArchivo(RutaPagina);
}

void VisorDocumento::NavegarArchivo(const QString& ruta)
{
    wbExplorer->FullScreen = true;
    wbExplorer->Navigate(QStringLiteral("file://") + ruta);
    wbExplorer->TheaterMode = false;
}

QString VisorDocumento::ProgramaArticulos()
{
    return QStringLiteral("articulos");
}

void VisorDocumento::wbExplorer_BeforeNavigate2(const QString& URL, bool& Cancel)
{
    const AccionEnlace accion = AccionDeEnlace(URL, m_tipo);
    Cancel = accion.cancela();
    Ejecutar(accion);
}

void VisorDocumento::Ejecutar(const AccionEnlace& a)
{
    // A window that cannot be filled (an unwritable temporary folder) is reported, never lost in the
    // browser's callback.
    ui::Routine rutina(QStringLiteral("wbExplorer_BeforeNavigate2"));
    rutina.step([&] { EjecutarAccion(a); });
}

void VisorDocumento::EjecutarAccion(const AccionEnlace& a)
{
    using Tipo = AccionEnlace::Tipo;
    switch (a.tipo) {
    case Tipo::AbrirComprobante:
        AbrirVisorNuevo(a.visor, {a.tc, a.sucursal, a.numero, a.letra, a.EsVenta, a.cuenta});
        break;
    case Tipo::AbrirAsiento:
        MostrarAsiento({a.tc, a.sucursal, a.numero, a.letra, true, a.cuenta});
        break;
    case Tipo::IniciarArticulo: {
        // Looked for where the suite's programs are, never in the working folder (a file of that name left
        // where the program was started from is not run), and started by the very file found; the article
        // code goes whole as one argument, whatever blanks or separators it holds.
        const QString programa = ModGlobal::ProgramaDeLaSuite(ProgramaArticulos());
        if (programa.isEmpty())
            break;
        qint64 tarea = 0;
        ModGlobal::IniciarPrograma(programa, {QStringLiteral("@idarticulo=") + Utilidades::FormatoAncho(a.articulo, 25)},
                                   QString(), tarea);
        break;
    }
    case Tipo::Navegar:
    case Tipo::Nada:
        break;
    }
}

void VisorDocumento::keyPressEvent(QKeyEvent* event)
{
    Form_KeyDown(ui::LegacyKeyCode(*event), ui::LegacyShift(event->modifiers()));
    QWidget::keyPressEvent(event);
}

void VisorDocumento::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void VisorDocumento::closeEvent(QCloseEvent* event)
{
    int cancelar = 0;
    Form_Unload(cancelar);
    event->accept();
    deleteLater();
}

} // namespace visores
