// The lookup list window: construction, loading the statement, columns, rows, widths.
#include "Lib_FrmCons3.h"

#include "AnchosColumnas.h"
#include "ReglasLista.h"

#include "core/Configuration.h"
#include "platform/suite/Carpetas.h"
#include "data/DB_Dll.h"
#include "platform/suite/Utilidades.h"
#include "platform/ui/Keys.h"
#include "platform/ui/ListView.h"
#include "platform/ui/PaintHold.h"
#include "platform/ui/Routine.h"
#include "platform/ui/Units.h"

#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>

using suite::Utilidades;

namespace {

int anchoPantalla()
{
    const QScreen* pantalla = QGuiApplication::primaryScreen();
    return pantalla ? pantalla->availableGeometry().width() : 1024;
}

// Article lookups show the configured price-class names over the PRECIO1..PRECIO8 columns.
QString tituloDeCampo(const QString& sql, const QString& nombre)
{
    static const QRegularExpression precio(QStringLiteral("^PRECIO([1-8])$"),
                                           QRegularExpression::CaseInsensitiveOption);
    if (!sql.contains(QLatin1String("V_MA_ARTICULOS"), Qt::CaseInsensitive)
        && !sql.contains(QLatin1String("STK_MA_ARTICULOS"), Qt::CaseInsensitive))
        return nombre;
    const QRegularExpressionMatch m = precio.match(nombre);
    return m.hasMatch() ? ModGlobal::Cfg(QStringLiteral("NOM_PCLASE") + m.captured(1)) : nombre;
}

} // namespace

Lib_FrmCons3::Lib_FrmCons3(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Consulta..."));
    resize(ui::TwipsToPx(9000), ui::TwipsToPx(6000));

    picFields = new QWidget(this);
    m_filaBusqueda = new QWidget(picFields);
    ListView1 = new ui::ListView(picFields);
    ListView1->installEventFilter(this);
    cargarCaja(0)->setToolTip(QStringLiteral("F5 realiza nueva busqueda"));
    m_filaBusqueda->setFixedHeight(CmbSearch.at(0)->sizeHint().height());

    auto* panel = new QVBoxLayout(picFields);
    panel->setContentsMargins(0, 0, 0, 0);
    panel->setSpacing(2);
    panel->addWidget(m_filaBusqueda);
    panel->addWidget(ListView1, 1);

    Frame1 = new QWidget(this);
    CmdAceptar = lookup::BotonConsulta(QStringLiteral("&Aceptar"), Frame1);
    cmdCancelar = lookup::BotonConsulta(QStringLiteral("&Cancelar"), Frame1);
    CmdNueva = lookup::BotonConsulta(QStringLiteral("&Nueva Busqueda"), Frame1);
    auto* botones = new QHBoxLayout(Frame1);
    botones->setContentsMargins(0, 0, 0, 0);
    botones->addWidget(CmdAceptar);
    botones->addStretch(1);
    botones->addWidget(cmdCancelar);
    botones->addStretch(1);
    botones->addWidget(CmdNueva);
    for (QPushButton* b : {CmdAceptar, cmdCancelar, CmdNueva})
        b->installEventFilter(this);

    auto* principal = new QVBoxLayout(this);
    principal->addWidget(picFields, 1);
    principal->addWidget(Frame1);

    connect(CmdAceptar, &QPushButton::clicked, this, &Lib_FrmCons3::CmdAceptar_Click);
    connect(cmdCancelar, &QPushButton::clicked, this, &Lib_FrmCons3::cmdCancelar_Click);
    connect(CmdNueva, &QPushButton::clicked, this, &Lib_FrmCons3::CmdNueva_Click);
    connect(ListView1, &ui::ListView::KeyDown, this, &Lib_FrmCons3::ListView1_KeyDown, Qt::DirectConnection);
    connect(ListView1, &ui::ListView::DblClick, this, &Lib_FrmCons3::ListView1_DblClick);
    connect(ListView1, &ui::ListView::ColumnClick, this, &Lib_FrmCons3::ListView1_ColumnClick);
    // The search boxes follow the columns wherever they move.
    QHeaderView* cabecera = ListView1->header();
    connect(cabecera, &QHeaderView::sectionResized, this, &Lib_FrmCons3::alinearCajas);
    connect(cabecera, &QHeaderView::geometriesChanged, this, &Lib_FrmCons3::alinearCajas);
    connect(ListView1->horizontalScrollBar(), &QScrollBar::valueChanged, this, &Lib_FrmCons3::alinearCajas);
}

Lib_FrmCons3::~Lib_FrmCons3()
{
    // The children outlive this destructor (QWidget deletes them later) and still signal while they go, e.g.
    // the header's geometries when a shown window is destroyed: none may reach this half-destroyed window.
    for (QObject* hijo : findChildren<QObject*>())
        disconnect(hijo, nullptr, this, nullptr);
}

QComboBox* Lib_FrmCons3::cargarCaja(int index)
{
    while (CmbSearch.size() <= index) {
        const int i = int(CmbSearch.size());
        QComboBox* caja = lookup::CajaBusqueda(m_filaBusqueda);
        // The box has the focus and hands keys on to its text field: watch both.
        caja->installEventFilter(this);
        caja->lineEdit()->installEventFilter(this);
        connect(caja, &QComboBox::editTextChanged, this, [this, i] { CmbSearch_Change(i); });
        connect(caja, &QComboBox::activated, this, [this, i] { CmbSearch_Change(i); });
        if (i > 0)
            QWidget::setTabOrder(CmbSearch.at(i - 1), caja);
        CmbSearch << caja;
    }
    return CmbSearch.at(index);
}

void Lib_FrmCons3::Form_Load()
{
    m_EsArticulos = SQL.contains(QLatin1String("articulos"), Qt::CaseInsensitive);
    Valores.clear();
    Cantidades.clear();
    ListView1->ListItems().Clear();
    if (SQL.trimmed().isEmpty()) {
        Utilidades::ConfigurarFormulario(this, 0);
        return;
    }
    SQL = QLatin1Char(' ') + SQL;
    m_Tabla = lookup::TablaDeSentencia(SQL);
    if (m_SQLInicial.isEmpty())
        m_SQLInicial = SQL;
    m_SQLBase = SQL;

    ui::Routine rutina(QStringLiteral("FORM_LOAD"));
    // A statement that cannot be opened has been reported by the data layer: the list stays empty.
    const bool abierto = gDB().AbrirRecordset(SQL, RsConsulta, nullptr, ado::adOpenForwardOnly,
                                              ado::adLockReadOnly, -1, true);
    ListView1->setCheckboxes(CheckBoxes);
    if (abierto) {
        Encolumnar();
        Leer(1, 0);
    }
    if (OrdenarPorLwv)
        ListView1->setSorted(true);
    if (!FiltroInicial.trimmed().isEmpty())
        CmbSearch.at(0)->setEditText(FiltroInicial);
    else if (ListView1->ListItems().Count() > 0 && ListView1->SelectedItem().isNothing())
        ListView1->setSelectedItem(ListView1->ListItems().Item(1));   // the list control's own first selection
    gDB().CierraRecordset(RsConsulta);
    if (!rutina.step([&] {
            CargarAnchos();
            CalcularAncho();
        }))
        return;
    Utilidades::ConfigurarFormulario(this, 0);
}

void Lib_FrmCons3::Encolumnar()
{
    ListView1->ColumnHeaders().Clear();
    ui::Routine rutina(QStringLiteral("Encolumnar"), [](const std::exception_ptr& error, const QString&) {
        ui::dialogs().MsgBox(ui::errorInfoOf(error).description, ui::vbOKOnly);
        return int(ui::vbAbort);
    });
    const QFontMetrics letra(ListView1->font());
    int campos = 0;
    rutina.step([&] { campos = RsConsulta.FieldCount(); });
    for (int i = 0; i < campos && !rutina.left(); ++i) {
        rutina.step([&] {
            const ado::Field campo = RsConsulta.Fields(i);
            const int n = lookup::LetrasDeColumna(campo.DefinedSize());
            QComboBox* caja = cargarCaja(i);
            caja->setProperty("Tag", campo.Name());
            caja->setVisible(true);
            const double ancho = n > 0 ? ui::PxToTwips(letra.horizontalAdvance(QString(n, QLatin1Char('X')))) : 0.0;
            ListView1->ColumnHeaders().Add(QString(), tituloDeCampo(SQL, campo.Name()), ancho);
        });
    }
    // Boxes of an earlier, wider statement have no column to stand over.
    for (qsizetype i = campos; i < CmbSearch.size(); ++i)
        CmbSearch.at(i)->setVisible(false);
}

QString Lib_FrmCons3::colorDeFila()
{
    const int puntoPedido = RsConsulta.FieldIndex(QStringLiteral("PUNTOPEDIDO"));
    const int stock = RsConsulta.FieldIndex(QStringLiteral("Stock"));
    if (puntoPedido < 0 || stock < 0)
        return {};
    const auto importe = [this](int i) {
        return Utilidades::TextoAMoneda(Utilidades::TextoCampo(RsConsulta.Fields(i).Value()));
    };
    switch (lookup::NivelStock(importe(puntoPedido), importe(stock))) {
    case 1: return StkNivel1;
    case 2: return StkNivel2;
    case 3: return StkNivel3;
    default: return StkNivel4;
    }
}

void Lib_FrmCons3::leerFila(int campos, int indiceDevuelto, bool colorear)
{
    const QString color = m_EsArticulos ? colorDeFila() : QString();
    QStringList celdas;
    celdas << Utilidades::TextoCampo(RsConsulta.Fields(0).Value()).trimmed();
    for (int i = 1; i < campos; ++i)
        celdas << Utilidades::FormatoAncho(Utilidades::TextoCampo(RsConsulta.Fields(i).Value()));
    bool marcada = false;
    if (indiceDevuelto >= 0) {
        const ado::Variant valor = RsConsulta.Fields(indiceDevuelto).Value();
        marcada = !valor.isNull() && lookup::EnValoresDefault(Utilidades::TextoCampo(valor), ValoresDefault);
    }

    ui::ListItem item = ListView1->ListItems().Add(celdas.at(0));
    if (marcada)
        item.setChecked(true);
    for (int i = 1; i < campos; ++i)
        item.setSubItems(i, celdas.at(i));
    if (!colorear || color.trimmed().isEmpty() || campos < 2)
        return;
    bool esNumero = false;
    const qint32 bgr = qint32(Utilidades::TextoAEntero(color, &esNumero));
    item.setBold(true);
    if (esNumero)
        item.setForeColor(bgr);
    for (int i = 1; i < campos; ++i) {
        ui::ListSubItem celda = item.ListSubItems(i);
        celda.setBold(true);
        if (esNumero)
            celda.setForeColor(bgr);
    }
}

void Lib_FrmCons3::Leer(int /*Cdesde*/, int /*Cuantas*/)
{
    m_ContadorFilas = 0;
    if (RsConsulta.State() != ado::adStateOpen || RsConsulta.EOF())
        return;
    ui::PaintHold pintura(ListView1);
    ui::Routine rutina(QStringLiteral("FORM_LOAD"));
    const int campos = RsConsulta.FieldCount();
    // A CampoDevuelto that names no field checks no row.
    const int indiceDevuelto = CheckBoxes ? RsConsulta.FieldIndex(CampoDevuelto) : -1;
    const bool colorear = MuestraStock.compare(QLatin1String("SI"), Qt::CaseInsensitive) == 0 && m_EsArticulos;
    while (!RsConsulta.EOF()) {
        ++m_ContadorFilas;
        if (!rutina.step([&] { leerFila(campos, indiceDevuelto, colorear); }))
            return;
        RsConsulta.MoveNext();
    }
}

void Lib_FrmCons3::CalcularAncho()
{
    double total = 0;
    ui::ColumnHeaderCollection& columnas = ListView1->ColumnHeaders();
    for (int c = 1; c <= columnas.Count(); ++c)
        total += columnas.Item(c).Width();
    // The list shows every column and its scroll bar; the window fits it unless the screen is too narrow.
    const double lista = total + 360;
    const int pantalla = anchoPantalla();
    const int ancho = ui::TwipsToPx(lista + 360) >= pantalla ? pantalla - ui::TwipsToPx(480)
                                                               : ui::TwipsToPx(lista + 280);
    resize(ancho, height());
    alinearCajas();
}

void Lib_FrmCons3::alinearCajas()
{
    const QHeaderView* cabecera = ListView1->header();
    const int origen = ListView1->viewport()->x();
    const int margen = ui::TwipsToPx(50);
    const int columnas = ListView1->ColumnHeaders().Count();
    for (int c = 0; c < columnas && c < CmbSearch.size(); ++c) {
        const int ancho = cabecera->sectionSize(c);
        QComboBox* caja = CmbSearch.at(c);
        caja->setGeometry(origen + cabecera->sectionViewportPosition(c), 0, qMax(0, ancho - margen),
                          m_filaBusqueda->height());
    }
}

void Lib_FrmCons3::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    alinearCajas();
}

void Lib_FrmCons3::CargarAnchos()
{
    m_Tabla = lookup::ClaveAnchos(m_Tabla);
    const QString archivo = lookup::ArchivoAnchosEn(suite::CarpetaDelPrograma());
    const QList<double> anchos = lookup::LeerAnchos(archivo, m_Tabla);
    ui::ColumnHeaderCollection& columnas = ListView1->ColumnHeaders();
    for (int c = 1; c <= columnas.Count() && c <= anchos.size(); ++c)
        columnas.Item(c).setWidth(anchos.at(c - 1));
}

void Lib_FrmCons3::GrabarAnchos()
{
    QList<double> anchos;
    ui::ColumnHeaderCollection& columnas = ListView1->ColumnHeaders();
    for (int c = 1; c <= columnas.Count(); ++c)
        anchos << columnas.Item(c).Width();
    QString error;
    if (!lookup::GrabarAnchos(suite::CarpetaDelPrograma(), lookup::ClaveAnchos(m_Tabla), anchos, &error))
        ui::dialogs().MsgBox(error, ui::vbCritical, QStringLiteral("Aviso al Operador"));
}

void Lib_FrmCons3::Form_Unload()
{
    if (GrabarCfg)
        GrabarAnchos();
    ListView1->ListItems().Clear();
}

bool Lib_FrmCons3::eventFilter(QObject* watched, QEvent* event)
{
    int caja = -1;
    for (int i = 0; i < CmbSearch.size(); ++i)
        if (watched == CmbSearch.at(i) || watched == CmbSearch.at(i)->lineEdit())
            caja = i;
    if (event->type() == QEvent::KeyPress) {
        auto* tecla = static_cast<QKeyEvent*>(event);
        int KeyCode = ui::LegacyKeyCode(*tecla);
        const int Shift = ui::LegacyShift(tecla->modifiers());
        // The window sees every key before its controls.
        Form_KeyDown(KeyCode, Shift);
        if (KeyCode != 0 && caja >= 0)
            CmbSearch_KeyDown(caja, KeyCode, Shift);
        if (KeyCode == 0)
            return true;
    } else if (caja >= 0) {
        if (event->type() == QEvent::FocusIn)
            CmbSearch_GotFocus(caja);
        else if (event->type() == QEvent::FocusOut)
            CmbSearch_LostFocus(caja);
    }
    return QDialog::eventFilter(watched, event);
}
