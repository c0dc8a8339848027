#pragma once
// The geometry of the dashboard's panes in twips, without widgets: the design positions, the rules of a
// resize, of the splitter and of the tree pane's show/hide button. The window copies the result to its
// controls. A statement that would give a negative size is skipped, as a control refuses one.

#include <QRectF>

namespace tablero {

struct DisenoTablero {
    QRectF treeV{15, 675, 3585, 5685};
    QRectF picNivel{3525, 615, 90, 5895};
    QRectF wbExplorer{3645, 825, 8190, 5430};
    QRectF statusBar{0, 7965, 11880, 285};
    QRectF frmPie{0, 6300, 11895, 1695};
    double alturaUnidadNegocio = 1620;   // height of the business-unit frame
    bool panelOculto = false;            // the tree pane is hidden by the "Normal / Abierto" button

    // Window resized: inner size and outer width. Shows the tree pane again at a third of the width.
    void Redimensionar(double scaleWidth, double scaleHeight, double width);
    // Splitter released `x` twips right of its left edge (negative: left of it), in a window `width` wide.
    void SoltarSeparador(double x, double width);
    // The "Normal / Abierto" button: hides a shown pane, shows a hidden one with the design sizes.
    void AlternarPanel(double width);
};

} // namespace tablero
