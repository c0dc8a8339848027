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

// The two rows of boxes: period from, period to, account, amount from; type, branch, number, letter, amount
// to (branch, number and letter under one label "Nro:"). Each label is as wide as its text, its box follows.
struct Fila {
    double top;
    QVector<int> campos;   // indexes in the control array, left to right
};
const Fila kFilas[] = {{60, {0, 1, 2, 7}}, {330, {3, 4, 5, 6, 8}}};
const double kAnchoFrame1 = 8085;
const double kAnchoCampo[] = {1000, 1000, 1000, 600, 500, 1000, 300, 900, 900};

// A caption that the design size would cut keeps its whole text.
void textoEntero(QWidget* control)
{
    control->resize(qMax(control->width(), control->sizeHint().width()), control->height());
}

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
    // The filter bar was drawn for a small font: its row of labels and boxes fits the frame with one.
    QFont letraChica = Frame1->font();
    letraChica.setPointSizeF(qMin(letraChica.pointSizeF(), 8.0));
    Frame1->setFont(letraChica);
    poner(Frame1, 3720, 0, kAnchoFrame1, 810);
    const QVector<DefinicionCampo>& campos = CamposFiltro();
    for (const Fila& fila : kFilas) {
        double x = 60;
        for (int i : fila.campos) {
            const DefinicionCampo& d = campos.at(i);
            auto* campo = new QLineEdit(Frame1);
            txtFields.Load(i, campo);
            suite::SetDataField(campo, QString::fromLatin1(d.dataField));
            suite::SetTag(campo, QString::fromLatin1(d.tag));
            campo->setMaxLength(d.largo);
            if (d.etiqueta) {
                auto* etiqueta = new QLabel(QString::fromLatin1(d.etiqueta), Frame1);
                lblFields.Load(i, etiqueta);
                etiqueta->setBuddy(campo);
                const double ancho = ui::PxToTwips(etiqueta->sizeHint().width());
                // The amount range keeps to the frame's right edge, one box under the other.
                if (i == 7 || i == 8)
                    x = kAnchoFrame1 - 60 - kAnchoCampo[i] - ancho - 120 - 60;
                poner(etiqueta, x + (x > 60 ? 60 : 0), fila.top + 15, ancho, 225);
                x += ancho + (x > 60 ? 120 : 40);
            }
            poner(campo, x, fila.top, kAnchoCampo[i], 255);
            x += kAnchoCampo[i] + 30;
        }
    }
    ChkIVA = new QCheckBox(QStringLiteral("&Mostrar Columna libro de iva"), Frame1);
    ChkIVA->setObjectName(QStringLiteral("ChkIVA"));
    poner(ChkIVA, 4200, 600, 2370, 195);
    textoEntero(ChkIVA);
    chkResumido = new QCheckBox(QStringLiteral("Resumido"), Frame1);
    chkResumido->setObjectName(QStringLiteral("chkResumido"));
    poner(chkResumido, 2640, 600, 1050, 195);
    textoEntero(chkResumido);

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

    // Its caption ("Frame2") lies under the three frames it holds: a plain frame.
    FrmPie = new QFrame(this);
    FrmPie->setObjectName(QStringLiteral("FrmPie"));
    frmUnidadDeNegocio = new QGroupBox(QStringLiteral("Unidad De Negocio"), FrmPie);
    poner(frmUnidadDeNegocio, 0, 0, 4335, 1620);
    lstUnidadNegocio = new QListWidget(frmUnidadDeNegocio);
    lstUnidadNegocio->setObjectName(QStringLiteral("lstUnidadNegocio"));
    lstUnidadNegocio->setSelectionMode(QAbstractItemView::MultiSelection);
    poner(lstUnidadNegocio, 105, 255, 4110, 1185);
    frmCentroCostos = new QGroupBox(QStringLiteral("Centro de Costos"), FrmPie);
    lstCentroCostos = new QListWidget(frmCentroCostos);
    lstCentroCostos->setObjectName(QStringLiteral("lstCentroCostos"));
    lstCentroCostos->setSelectionMode(QAbstractItemView::MultiSelection);
    frmOption = new QGroupBox(QStringLiteral("Tipo de Listado"), FrmPie);
    double anchoOpciones = 3060;
    for (int i = 0; i < 4; ++i) {
        auto* opcion = new QRadioButton(TituloTipoListado(i), frmOption);
        OptTipoListado.Load(i, opcion);
        anchoOpciones = qMax(anchoOpciones, ui::PxToTwips(opcion->sizeHint().width()));
    }
    // The longest option ("Abierto por Unidad de Negocio y Centro de Costo") shows whole: the frame of options
    // takes the width it needs at the right edge, the cost-centre frame gives it up.
    const double anchoMarco = anchoOpciones + 195;
    const double izquierdaMarco = 11895 - anchoMarco;
    poner(frmOption, izquierdaMarco, 0, anchoMarco, 1620);
    for (int i = 0; i < 4; ++i)
        poner(OptTipoListado(i), 120, 255 + i * 300, anchoOpciones, 255);
    poner(frmCentroCostos, 4335, 0, izquierdaMarco - 4335, 1620);
    poner(lstCentroCostos, 120, 255, izquierdaMarco - 4335 - 240, 1185);
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
