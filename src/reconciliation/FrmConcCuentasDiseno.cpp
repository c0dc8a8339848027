// The workbench's controls and their layout: the command bar on top, the tabs below it; on the first tab the
// header, the filters, the band of totals and buttons, and the two lists side by side; on the second the
// comparison settings. The window always works maximised and each resize gives both lists half its width.

#include "FrmConcCuentas.h"

#include "platform/suite/Brakmo.h"
#include "platform/suite/PictureBox.h"
#include "platform/ui/Units.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>

namespace {

QLabel* etiqueta(const QString& texto, QWidget* padre, const char* nombre = nullptr)
{
    auto* l = new QLabel(texto, padre);
    l->setTextFormat(Qt::PlainText);   // labels show database texts (account descriptions) as written
    if (nombre)
        l->setObjectName(QString::fromLatin1(nombre));
    return l;
}

QPushButton* boton(QStyle::StandardPixmap icono, const QString& ayuda, QWidget* padre, const char* nombre)
{
    auto* b = new QPushButton(padre);
    b->setObjectName(QString::fromLatin1(nombre));
    b->setIcon(padre->style()->standardIcon(icono));
    b->setIconSize(QSize(20, 20));
    b->setToolTip(ayuda);
    b->setFixedSize(ui::TwipsToPx(675), ui::TwipsToPx(465));
    b->setAutoDefault(false);
    return b;
}

// A total label: an amount right-aligned in a sunken box.
QLabel* total(QWidget* padre, const char* nombre)
{
    QLabel* l = etiqueta(QString(), padre, nombre);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setFrameShape(QFrame::StyledPanel);
    l->setFrameShadow(QFrame::Sunken);
    l->setMinimumWidth(ui::TwipsToPx(1425));
    return l;
}

// Icon 1 a tick, 106 (an unmarked line) a grey ring, 2..105 a coloured disc per link group.
QIcon iconoDeFila(int numero)
{
    QPixmap imagen(16, 16);
    imagen.fill(Qt::transparent);
    QPainter p(&imagen);
    p.setRenderHint(QPainter::Antialiasing);
    if (numero == 1) {
        p.setPen(QPen(QColor(0, 128, 0), 2.5));
        p.drawPolyline(QPolygonF({QPointF(3, 8.5), QPointF(6.5, 12), QPointF(13, 4)}));
    } else if (numero == 106) {
        p.setPen(QPen(QColor(150, 150, 150), 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(4.5, 4.5, 7, 7));
    } else {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor::fromHsv((numero * 47) % 360, 200, 220));
        p.drawEllipse(QRectF(2.5, 2.5, 11, 11));
    }
    return QIcon(imagen);
}

} // namespace

void FrmConcCuentas::CrearIconos()
{
    ImageList1.Clear();
    for (int i = 1; i <= conciliacion::kIconoSinMarcar; ++i)
        ImageList1.Add(iconoDeFila(i));
}

QLineEdit* FrmConcCuentas::CrearCampo(int index, const QString& dataField, const QString& tag, int maxLength)
{
    auto* campo = new QLineEdit(this);
    txtFields.Load(index, campo);
    suite::SetDataField(campo, dataField);
    suite::SetTag(campo, tag);
    campo->setMaxLength(maxLength);
    return campo;
}

void FrmConcCuentas::CrearControles()
{
    setObjectName(QStringLiteral("FrmConcCuentas"));
    setWindowTitle(QStringLiteral("Brenquil"));
    CrearIconos();

    Brakmo1 = new suite::Brakmo(this);
    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    SSTab1->addTab(CrearPestanaMovimientos(), QStringLiteral("Movimientos a Conciliar"));
    SSTab1->addTab(CrearPestanaConfiguracion(), QStringLiteral("Configuracion"));

    auto* principal = new QVBoxLayout(this);
    principal->setContentsMargins(4, 0, 4, 4);
    principal->setSpacing(2);
    principal->addWidget(Brakmo1);
    principal->addWidget(SSTab1, 1);

    // Tab order of the header: number, date, account, observations, then the filters.
    static const char* const kOrden[] = {"IdConciliacion", "Fecha", "CUENTA", "OBS", "FechaD", "FechaH",
                                         "UNegocio", "Usuario"};
    for (size_t i = 1; i < std::size(kOrden); ++i)
        setTabOrder(Campo(QString::fromLatin1(kOrden[i - 1])), Campo(QString::fromLatin1(kOrden[i])));
    setTabOrder(Campo(QStringLiteral("Usuario")), CmdEjecutar);
}

QWidget* FrmConcCuentas::CrearPestanaMovimientos()
{
    auto* pestana = new QWidget;
    auto* v = new QVBoxLayout(pestana);
    v->setContentsMargins(4, 4, 4, 4);
    v->setSpacing(4);
    v->addWidget(CrearCabecera());
    v->addWidget(CrearFiltros());
    v->addWidget(CrearBandaTotales());
    PicImg = new suite::PictureBox(pestana);
    PicImg->setObjectName(QStringLiteral("PicImg"));
    PicImg->setFixedHeight(ui::TwipsToPx(255));
    PicImg->setVisible(false);
    v->addWidget(PicImg);
    CrearListas();
    v->addWidget(picNivel, 1);
    CrearAyuda(pestana);
    return pestana;
}

QGroupBox* FrmConcCuentas::CrearCabecera()
{
    Frame1 = new QGroupBox;
    Frame1->setObjectName(QStringLiteral("Frame1"));
    auto* g = new QGridLayout(Frame1);
    g->setContentsMargins(6, 4, 6, 4);
    g->setVerticalSpacing(3);

    LblCpte = etiqueta(QStringLiteral("Conciliación Número....:"), Frame1, "LblCpte");
    const char* titulos[] = {"Fecha de conciliación..:", "Hasta:", "Cuenta a Conciliar........:",
                             "Observaciones.............:", "Fecha :", "U. Negocio:", "Usuario:"};
    for (int i = 0; i < 7; ++i)
        lblTitulo.Load(i, etiqueta(QString::fromUtf8(titulos[i]), Frame1));

    QLineEdit* numero = CrearCampo(0, QStringLiteral("IdConciliacion"), QStringLiteral("TA_COMPROBANTES"), 15);
    QLineEdit* fecha = CrearCampo(1, QStringLiteral("Fecha"), QStringLiteral("fecha"), 10);
    QLineEdit* cuenta = CrearCampo(2, QStringLiteral("CUENTA"), QStringLiteral("MA_CUENTASCTE"), 15);
    cuenta->setToolTip(QStringLiteral("Ingrese el codigo de la cuenta que quiere conciliar"));
    QLineEdit* obs = CrearCampo(3, QStringLiteral("OBS"), QString(), 255);
    for (QLineEdit* corto : {numero, fecha, cuenta})
        corto->setFixedWidth(ui::TwipsToPx(1155));

    LblDescCuenta = etiqueta(QStringLiteral("..."), Frame1, "LblDescCuenta");
    PicHelp = new QToolButton(Frame1);
    PicHelp->setObjectName(QStringLiteral("PicHelp"));
    PicHelp->setIcon(style()->standardIcon(QStyle::SP_MessageBoxQuestion));
    PicHelp->setAutoRaise(true);

    g->addWidget(LblCpte, 0, 0);
    g->addWidget(numero, 0, 1);
    g->addWidget(lblTitulo(0), 0, 2, Qt::AlignRight);
    g->addWidget(fecha, 0, 3);
    g->addWidget(PicHelp, 0, 5, Qt::AlignRight);
    g->addWidget(lblTitulo(2), 1, 0);
    g->addWidget(cuenta, 1, 1);
    g->addWidget(LblDescCuenta, 1, 2, 1, 4);
    g->addWidget(lblTitulo(3), 2, 0);
    g->addWidget(obs, 2, 1, 1, 5);
    g->setColumnStretch(4, 1);
    return Frame1;
}

QGroupBox* FrmConcCuentas::CrearFiltros()
{
    FrmFiltros = new QGroupBox(QStringLiteral("Filtros de busqueda"));
    FrmFiltros->setObjectName(QStringLiteral("FrmFiltros"));
    auto* h = new QHBoxLayout(FrmFiltros);
    h->setContentsMargins(6, 2, 6, 4);
    QLineEdit* desde = CrearCampo(4, QStringLiteral("FechaD"), QStringLiteral("fecha"), 10);
    QLineEdit* hasta = CrearCampo(5, QStringLiteral("FechaH"), QStringLiteral("fecha"), 10);
    QLineEdit* unidad = CrearCampo(6, QStringLiteral("UNegocio"), QStringLiteral("V_TA_UNIDADNEGOCIO"), 4);
    QLineEdit* usuario = CrearCampo(7, QStringLiteral("Usuario"), QStringLiteral("TA_USUARIOS"), 50);
    for (QLineEdit* c : {desde, hasta, unidad})
        c->setFixedWidth(ui::TwipsToPx(1095));
    usuario->setFixedWidth(ui::TwipsToPx(1680));

    CmdEjecutar = new QPushButton(QStringLiteral("&Ejecutar Consulta >>>"), FrmFiltros);
    CmdEjecutar->setObjectName(QStringLiteral("CmdEjecutar"));
    CmdEjecutar->setToolTip(QStringLiteral("[F9] Ejecutar Consulta"));
    CmdEjecutar->setAutoDefault(false);

    h->addWidget(lblTitulo(4));
    h->addWidget(desde);
    h->addSpacing(8);
    h->addWidget(lblTitulo(1));
    h->addWidget(hasta);
    h->addSpacing(16);
    h->addWidget(lblTitulo(5));
    h->addWidget(unidad);
    h->addSpacing(16);
    h->addWidget(lblTitulo(6));
    h->addWidget(usuario);
    h->addSpacing(ui::TwipsToPx(300));
    h->addWidget(CmdEjecutar);
    h->addStretch(1);
    return FrmFiltros;
}

QWidget* FrmConcCuentas::CrearBandaTotales()
{
    auto* banda = new QWidget;
    auto* g = new QGridLayout(banda);
    g->setContentsMargins(0, 0, 0, 0);
    g->setVerticalSpacing(1);

    lblTitNConc = etiqueta(QStringLiteral("No Conciliado:"), banda, "lblTitNConc");
    lblTotNConc = total(banda, "lblTotNConc");
    lblTitConc = etiqueta(QStringLiteral("Conciliado:"), banda, "lblTitConc");
    lblTotConc = total(banda, "lblTotConc");
    Label1 = etiqueta(QStringLiteral("Dif.:"), banda, "Label1");
    LblDif2 = total(banda, "LblDif2");
    LblDif2->setAutoFillBackground(true);
    lblTitNConc2 = etiqueta(QStringLiteral("No Conciliado:"), banda, "lblTitNConc2");
    lblTotNConc2 = total(banda, "lblTotNConc2");
    lblTitConc2 = etiqueta(QStringLiteral("Conciliado:"), banda, "lblTitConc2");
    lblTotConc2 = total(banda, "lblTotConc2");

    cmdFind = boton(QStyle::SP_FileDialogContentsView, QStringLiteral("[Ctrol + F] Buscar"), banda, "cmdFind");
    cmdRefresh = boton(QStyle::SP_BrowserReload, QStringLiteral("Actualizar"), banda, "cmdRefresh");
    cmdComparar = boton(QStyle::SP_FileDialogDetailedView, QStringLiteral("Comparar"), banda, "cmdComparar");
    CmdQuitarI = boton(QStyle::SP_ArrowLeft, QStringLiteral("Quitar movimientos no conciliados en ventana izquierda"),
                       banda, "CmdQuitarI");
    CmdConciliar = boton(QStyle::SP_DialogApplyButton, QStringLiteral("Aplicar"), banda, "CmdConciliar");
    CmdQuitarD = boton(QStyle::SP_ArrowRight, QStringLiteral("Quitar movimientos no conciliados en ventana derecha"),
                       banda, "CmdQuitarD");
    cmdFinalizar = boton(QStyle::SP_DialogYesButton, QStringLiteral("Finalizar Conciliación"), banda, "cmdFinalizar");
    ChkConciliados = new QCheckBox(QStringLiteral("&Ver Movimientos Conciliados"), banda);
    ChkConciliados->setObjectName(QStringLiteral("ChkConciliados"));

    auto* izquierda = new QGridLayout;
    izquierda->addWidget(lblTitNConc, 0, 0);
    izquierda->addWidget(lblTotNConc, 0, 1);
    izquierda->addWidget(lblTitConc, 1, 0);
    izquierda->addWidget(lblTotConc, 1, 1);
    izquierda->addWidget(Label1, 1, 2);
    izquierda->addWidget(LblDif2, 1, 3);

    auto* herramientas = new QHBoxLayout;
    for (QPushButton* b : {cmdFind, cmdRefresh, cmdComparar})
        herramientas->addWidget(b);

    // The three middle buttons stay centred on the window.
    auto* centro = new QHBoxLayout;
    centro->setSpacing(ui::TwipsToPx(100));
    for (QPushButton* b : {CmdQuitarI, CmdConciliar, CmdQuitarD})
        centro->addWidget(b);

    auto* finales = new QHBoxLayout;
    finales->addWidget(cmdFinalizar);
    finales->addWidget(ChkConciliados);

    auto* derecha = new QGridLayout;
    derecha->addWidget(lblTitNConc2, 0, 0);
    derecha->addWidget(lblTotNConc2, 0, 1);
    derecha->addWidget(lblTitConc2, 1, 0);
    derecha->addWidget(lblTotConc2, 1, 1);

    auto* lateralIzquierdo = new QHBoxLayout;
    lateralIzquierdo->addLayout(izquierda);
    lateralIzquierdo->addSpacing(12);
    lateralIzquierdo->addLayout(herramientas);
    lateralIzquierdo->addStretch(1);
    auto* lateralDerecho = new QHBoxLayout;
    lateralDerecho->addStretch(1);
    lateralDerecho->addLayout(finales);
    lateralDerecho->addSpacing(12);
    lateralDerecho->addLayout(derecha);

    g->addLayout(lateralIzquierdo, 0, 0);
    g->addLayout(centro, 0, 1);
    g->addLayout(lateralDerecho, 0, 2);
    g->setColumnStretch(0, 1);
    g->setColumnStretch(2, 1);
    return banda;
}

void FrmConcCuentas::CrearListas()
{
    picNivel = new QSplitter(Qt::Horizontal);
    picNivel->setObjectName(QStringLiteral("picNivel"));
    picNivel->setOpaqueResize(false);   // the lists move when the bar is released
    picNivel->setChildrenCollapsible(false);
    picNivel->setHandleWidth(ui::TwipsToPx(120));
    // The lists show the session's rows.
    m_modelos[0] = new conciliacion::ModeloLado(m_sesion, conciliacion::Lado::Izquierda, this);
    m_modelos[1] = new conciliacion::ModeloLado(m_sesion, conciliacion::Lado::Derecha, this);
    Lvw = new ui::ListView(m_modelos[0], picNivel);
    Lvw->setObjectName(QStringLiteral("Lvw"));
    Lvw2 = new ui::ListView(m_modelos[1], picNivel);
    Lvw2->setObjectName(QStringLiteral("Lvw2"));
    for (ui::ListView* l : {Lvw, Lvw2}) {
        l->setCheckboxes(true);
        l->setMultiSelect(true);
        l->setSmallIcons(&ImageList1);
        l->setAllColumnsShowFocus(true);
        // Cells hold padded texts (the order column 100 blanks and an icon number, amounts 14 wide) so that
        // they sort as texts; clipping instead of an ellipsis shows what matters of them.
        l->setTextElideMode(Qt::ElideNone);
        picNivel->addWidget(l);
    }
}

void FrmConcCuentas::CrearAyuda(QWidget* pestana)
{
    frmHelp = new QGroupBox(pestana);
    frmHelp->setObjectName(QStringLiteral("frmHelp"));
    frmHelp->setAutoFillBackground(true);
    frmHelp->setFixedSize(ui::TwipsToPx(2490) + 60, ui::TwipsToPx(1365) + 30);
    auto* v = new QVBoxLayout(frmHelp);
    lblTitulo.Load(7, etiqueta(QStringLiteral("Los Iconos que se muestran en las listas, son meramente Informativos y "
                                              "le ayudan a identificar las Relaciones entre los comprobantes Conciliados "),
                               frmHelp));
    lblTitulo(7)->setWordWrap(true);
    auto* leyenda = new QHBoxLayout;
    auto* icono = new QLabel(frmHelp);
    icono->setPixmap(ImageList1.Item(conciliacion::kIconoSinMarcar).pixmap(16, 16));
    lblTitulo.Load(8, etiqueta(QStringLiteral("= No Conciliado"), frmHelp));
    leyenda->addWidget(icono);
    leyenda->addWidget(lblTitulo(8));
    leyenda->addStretch(1);
    v->addWidget(lblTitulo(7));
    v->addLayout(leyenda);
    frmHelp->setVisible(false);
}

QWidget* FrmConcCuentas::CrearPestanaConfiguracion()
{
    auto* pestana = new QWidget;
    Frame3 = new QGroupBox(QStringLiteral("Campos a Comparar "), pestana);
    Frame3->setObjectName(QStringLiteral("Frame3"));
    auto* g = new QGridLayout(Frame3);
    const char* cajas[] = {"Fecha", "Vencimiento", "TC", "Comprobante", "Importe", "Concepto"};
    for (int i = 0; i < 6; ++i) {
        auto* caja = new QCheckBox(QString::fromLatin1(cajas[i]), Frame3);
        chkCamposComp.Load(i, caja);
        g->addWidget(caja, i % 3, i / 3);
    }
    Label2 = etiqueta(QStringLiteral("$ de Tolerancia"), Frame3, "Label2");
    txtTolerancia = new QLineEdit(QStringLiteral("0"), Frame3);
    txtTolerancia->setObjectName(QStringLiteral("txtTolerancia"));
    txtTolerancia->setFixedWidth(ui::TwipsToPx(1425));
    g->addWidget(Label2, 3, 0);
    g->addWidget(txtTolerancia, 3, 1);
    cmdGrabaCfg = new QPushButton(QStringLiteral("<<< &Guardar Configuración >>>"), pestana);
    cmdGrabaCfg->setObjectName(QStringLiteral("cmdGrabaCfg"));
    cmdGrabaCfg->setAutoDefault(false);

    auto* v = new QVBoxLayout(pestana);
    v->addWidget(Frame3, 0, Qt::AlignLeft);
    v->addWidget(cmdGrabaCfg, 0, Qt::AlignLeft);
    v->addStretch(1);
    return pestana;
}

void FrmConcCuentas::ConectarEventos()
{
    using ui::ListView;
    connect(Brakmo1, &suite::Brakmo::click, this, &FrmConcCuentas::Brakmo1_Click);
    connect(CmdEjecutar, &QPushButton::clicked, this, &FrmConcCuentas::CmdEjecutar_Click);
    connect(cmdGrabaCfg, &QPushButton::clicked, this, &FrmConcCuentas::cmdGrabaCfg_Click);
    connect(PicHelp, &QToolButton::clicked, this, &FrmConcCuentas::PicHelp_Click);
    connect(cmdFind, &QPushButton::clicked, this, &FrmConcCuentas::cmdFind_Click);
    connect(cmdRefresh, &QPushButton::clicked, this, &FrmConcCuentas::cmdRefresh_Click);
    connect(cmdComparar, &QPushButton::clicked, this, &FrmConcCuentas::cmdComparar_Click);
    connect(CmdConciliar, &QPushButton::clicked, this, &FrmConcCuentas::CmdConciliar_Click);
    connect(cmdFinalizar, &QPushButton::clicked, this, &FrmConcCuentas::cmdFinalizar_Click);
    connect(CmdQuitarI, &QPushButton::clicked, this, &FrmConcCuentas::CmdQuitarI_Click);
    connect(CmdQuitarD, &QPushButton::clicked, this, &FrmConcCuentas::CmdQuitarD_Click);
    connect(ChkConciliados, &QCheckBox::clicked, this, &FrmConcCuentas::ChkConciliados_Click);
    connect(Lvw, &ListView::ItemCheck, this, &FrmConcCuentas::Lvw_ItemCheck);
    connect(Lvw2, &ListView::ItemCheck, this, &FrmConcCuentas::Lvw2_ItemCheck);
    connect(Lvw, &ListView::ColumnClick, this, &FrmConcCuentas::Lvw_ColumnClick);
    connect(Lvw2, &ListView::ColumnClick, this, &FrmConcCuentas::Lvw2_ColumnClick);
    connect(Lvw, &ListView::KeyDown, this, &FrmConcCuentas::Lvw_KeyDown, Qt::DirectConnection);
    connect(Lvw2, &ListView::KeyDown, this, &FrmConcCuentas::Lvw2_KeyDown, Qt::DirectConnection);
    connect(Lvw, &ListView::MouseDown, this, &FrmConcCuentas::Lvw_MouseDown);
    connect(Lvw2, &ListView::MouseDown, this, &FrmConcCuentas::Lvw2_MouseDown);
    connect(Lvw, &ListView::GotFocus, this, &FrmConcCuentas::Lvw_GotFocus);
    connect(Lvw2, &ListView::GotFocus, this, &FrmConcCuentas::Lvw2_GotFocus);
}

void FrmConcCuentas::PicHelp_Click()
{
    frmHelp->setVisible(!frmHelp->isVisible());
    if (frmHelp->isVisible()) {
        UbicarAyuda();
        frmHelp->raise();
    }
}

// The help panel hangs from the help icon's right edge, over the header.
void FrmConcCuentas::UbicarAyuda()
{
    QWidget* pestana = frmHelp->parentWidget();
    const QPoint icono = PicHelp->mapTo(pestana, QPoint(PicHelp->width(), PicHelp->height()));
    frmHelp->move(std::max(0, icono.x() - frmHelp->width()), icono.y());
}

void FrmConcCuentas::ListasEnMitades()
{
    const int mitad = std::max(1, (picNivel->width() - picNivel->handleWidth()) / 2);
    picNivel->setSizes({mitad, mitad});
}

void FrmConcCuentas::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (isMinimized())
        return;
    ListasEnMitades();
    if (frmHelp->isVisible())
        UbicarAyuda();
}

void FrmConcCuentas::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    // The workbench works maximised: a window restored to its normal size maximises again.
    if (event->type() == QEvent::WindowStateChange && isVisible()
        && !(windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen)))
        QMetaObject::invokeMethod(this, [this] { setWindowState(windowState() | Qt::WindowMaximized); },
                                  Qt::QueuedConnection);
}
