#pragma once
// The geometry of the dashboard's panes in twips, without widgets: the design positions, the rules of a
// resize, of the splitter and of the tree pane's show/hide button. The window copies the result to its
// controls. A statement that would give a negative size is skipped, as a control refuses one.

#include <QRectF>
#include <QSizeF>

namespace tablero {

struct DisenoTablero {
    // The tree and the splitter end where the foot frame begins, so the tree's last rows and its scroll arrow
    // are never under it.
    QRectF treeV{15, 675, 3585, 5625};
    QRectF picNivel{3525, 675, 90, 5625};
    QRectF wbExplorer{3645, 825, 8190, 5430};
    QRectF statusBar{0, 7965, 11880, 285};
    QRectF frmPie{0, 6300, 11895, 1695};
    double alturaUnidadNegocio = 1620;   // height of the business-unit frame
    bool panelOculto = false;            // the tree pane is hidden by the "Normal / Abierto" button
    // The filter bar right of the button bar: a tree that reaches under it starts below it instead.
    double filtrosIzquierda = 3720;
    double filtrosAbajo = 825;

    // Window resized: inner size and outer width. Shows the tree pane again at a third of the width. The browser
    // and the foot frame follow the height; the tree fills the space above the foot frame, below the filter bar
    // where it is wide enough to reach under it.
    void Redimensionar(double scaleWidth, double scaleHeight, double width);
    // Splitter released `x` twips right of its left edge (negative: left of it), in a window `width` wide.
    void SoltarSeparador(double x, double width);
    // The "Normal / Abierto" button: hides a shown pane, shows a hidden one with the design sizes.
    void AlternarPanel(double width);
};

// The size the window opens at (twips): the design size, widened in its proportions until the tree, a third of
// the width after a resize, shows its widest row (`anchoFilas`: indentation, picture and text) whole beside its
// scroll bar, and never larger than the screen's room (`espacio`).
QSizeF TamanoInicial(double anchoFilas, const QSizeF& espacio);

} // namespace tablero
