// The dashboard's controls at their design positions (twips).

#include "CamposFiltro.h"
#include "frmBSC01.h"
#include "platform/browser/WebBrowser.h"
#include "platform/suite/PictureBox.h"
#include "platform/ui/Units.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QStyle>
#include <QToolButton>

namespace tablero {

namespace {

void poner(QWidget* control, double left, double top, double width, double height)
{
    control->setGeometry(ui::TwipsToPx(left), ui::TwipsToPx(top), ui::TwipsToPx(width), ui::TwipsToPx(height));
}

QToolButton* botonConImagen(QWidget* padre, QStyle::StandardPixmap imagen, const QString& ayuda)
{
    auto* boton = new QToolButton(padre);
    boton->setIcon(padre->style()->standardIcon(imagen));
    boton->setIconSize(QSize(24, 24));
    boton->setToolTip(ayuda);
    boton->setAutoRaise(false);
    return boton;
}

// Where the nine boxes stand: period from, period to, account, amount from in the first row; type, branch,
// number, letter, amount to in the second.
struct Lugar {
    double etiquetaLeft, left, top, width;
};
const Lugar kLugares[] = {
    {60, 1000, 60, 1100},    {2160, 2640, 60, 1100},  {3840, 4500, 60, 1500},
    {6060, 6060, 60, 0},     // type: placed in the second row below
    {1700, 2150, 330, 500},  {0, 2680, 330, 1000},    {0, 3710, 330, 300},
    {6060, 7200, 60, 850},   {6060, 7200, 330, 850},
};

} // namespace

void frmBSC01::CrearControles()
{
    setWindowTitle(QStringLiteral("Tablero de Control"));
    resize(ui::TwipsToPx(11880), ui::TwipsToPx(8250));

    Frmbotones = new QFrame(this);
    Frmbotones->setObjectName(QStringLiteral("Frmbotones"));
    Frmbotones->setFrameShape(QFrame::StyledPanel);
    poner(Frmbotones, 0, -105, 3690, 730);
    ChkRama.Load(0, botonConImagen(Frmbotones, QStyle::SP_FileDialogListView, QStringLiteral("Contraer/Expander")));
    ChkRama.Load(1, botonConImagen(Frmbotones, QStyle::SP_FileDialogDetailedView, QStringLiteral("Normal / Abierto")));
    for (int i : {0, 1}) {
        ChkRama(i)->setCheckable(true);
        ChkRama(i)->setChecked(true);
    }
    poner(ChkRama(0), 30, 120, 705, 585);
    poner(ChkRama(1), 780, 120, 705, 585);
    CmdActualizar = botonConImagen(Frmbotones, QStyle::SP_BrowserReload, QStringLiteral("Actualizar"));
    CmdActualizar->setObjectName(QStringLiteral("CmdActualizar"));
    poner(CmdActualizar, 1515, 120, 720, 585);
    cmdClose = botonConImagen(Frmbotones, QStyle::SP_DialogCloseButton, QStringLiteral("Cerrar"));
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    poner(cmdClose, 2250, 120, 750, 585);
    ImageList1.Add(style()->standardIcon(QStyle::SP_DirHomeIcon));
    ImageList1.Add(style()->standardIcon(QStyle::SP_FileIcon));

    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    poner(Frame1, 3720, 0, 8085, 810);
    const QVector<DefinicionCampo>& campos = CamposFiltro();
    for (int i = 0; i < campos.size(); ++i) {
        const DefinicionCampo& d = campos.at(i);
        auto* campo = new QLineEdit(Frame1);
        txtFields.Load(i, campo);
        suite::SetDataField(campo, QString::fromLatin1(d.dataField));
        suite::SetTag(campo, QString::fromLatin1(d.tag));
        campo->setMaxLength(d.largo);
        Lugar lugar = kLugares[i];
        if (i == 3)
            lugar = {60, 1000, 330, 600};
        poner(campo, lugar.left, lugar.top, lugar.width, 255);
        if (d.etiqueta) {
            auto* etiqueta = new QLabel(QString::fromLatin1(d.etiqueta), Frame1);
            lblFields.Load(i, etiqueta);
            etiqueta->setBuddy(campo);
            poner(etiqueta, lugar.etiquetaLeft, lugar.top + 30, lugar.left - lugar.etiquetaLeft - 40, 225);
        }
    }
    ChkIVA = new QCheckBox(QStringLiteral("&Mostrar Columna libro de iva"), Frame1);
    ChkIVA->setObjectName(QStringLiteral("ChkIVA"));
    poner(ChkIVA, 4200, 600, 2370, 195);
    chkResumido = new QCheckBox(QStringLiteral("Resumido"), Frame1);
    chkResumido->setObjectName(QStringLiteral("chkResumido"));
    poner(chkResumido, 2640, 600, 1050, 195);

    TreeV = new ui::TreeView(this);
    TreeV->setObjectName(QStringLiteral("TreeV"));
    TreeV->setImageList(&ImageList1);
    TreeV->setRootIsDecorated(true);
    picNivel = new QFrame(this);
    picNivel->setObjectName(QStringLiteral("picNivel"));
    picNivel->setCursor(Qt::SplitHCursor);
    picNivel->installEventFilter(this);
    wbExplorer = new web::WebBrowser(this);
    wbExplorer->setObjectName(QStringLiteral("wbExplorer"));

    Pic = new suite::PictureBox(this);
    Pic->setObjectName(QStringLiteral("Pic"));
    poner(Pic, 9555, 840, 1965, 240);
    Pic->setVisible(false);
    cmdCancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
    cmdCancelar->setObjectName(QStringLiteral("cmdCancelar"));
    poner(cmdCancelar, 9555, 1200, 1215, 285);
    cmdCancelar->setVisible(false);

    FrmPie = new QGroupBox(QStringLiteral("Frame2"), this);
    FrmPie->setObjectName(QStringLiteral("FrmPie"));
    frmUnidadDeNegocio = new QGroupBox(QStringLiteral("Unidad De Negocio"), FrmPie);
    poner(frmUnidadDeNegocio, 0, 0, 4335, 1620);
    lstUnidadNegocio = new QListWidget(frmUnidadDeNegocio);
    lstUnidadNegocio->setObjectName(QStringLiteral("lstUnidadNegocio"));
    lstUnidadNegocio->setSelectionMode(QAbstractItemView::MultiSelection);
    poner(lstUnidadNegocio, 105, 255, 4110, 1185);
    frmCentroCostos = new QGroupBox(QStringLiteral("Centro de Costos"), FrmPie);
    poner(frmCentroCostos, 4320, 0, 4335, 1620);
    lstCentroCostos = new QListWidget(frmCentroCostos);
    lstCentroCostos->setObjectName(QStringLiteral("lstCentroCostos"));
    lstCentroCostos->setSelectionMode(QAbstractItemView::MultiSelection);
    poner(lstCentroCostos, 120, 255, 4065, 1185);
    frmOption = new QGroupBox(QStringLiteral("Tipo de Listado"), FrmPie);
    poner(frmOption, 8640, 0, 3255, 1620);
    for (int i = 0; i < 4; ++i) {
        auto* opcion = new QRadioButton(TituloTipoListado(i), frmOption);
        OptTipoListado.Load(i, opcion);
        poner(opcion, 120, 255 + i * 300, 3060, 255);
    }
    OptTipoListado(0)->setChecked(true);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    StatusPanel1 = new QLabel(StatusBar1);
    StatusBar1->addWidget(StatusPanel1, 1);

    AplicarDiseno();
}

void frmBSC01::AplicarDiseno()
{
    const DisenoTablero& d = m_diseno;
    poner(TreeV, d.treeV.left(), d.treeV.top(), d.treeV.width(), d.treeV.height());
    TreeV->setVisible(!d.panelOculto);
    poner(picNivel, d.picNivel.left(), d.picNivel.top(), d.picNivel.width(), d.picNivel.height());
    poner(wbExplorer, d.wbExplorer.left(), d.wbExplorer.top(), d.wbExplorer.width(), d.wbExplorer.height());
    // The status bar keeps to the bottom edge of the window.
    poner(StatusBar1, d.statusBar.left(), qMax(0.0, ui::PxToTwips(height()) - d.statusBar.height()),
          d.statusBar.width(), d.statusBar.height());
    poner(FrmPie, d.frmPie.left(), d.frmPie.top(), d.frmPie.width(), d.frmPie.height());
    // The picture and the cancel button stand over the browser.
    Pic->raise();
    cmdCancelar->raise();
}

} // namespace tablero
