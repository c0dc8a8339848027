#include "DisenoTablero.h"

#include <algorithm>

namespace tablero {

namespace {

void ancho(QRectF& r, double w)
{
    if (w >= 0)
        r.setWidth(w);
}

void alto(QRectF& r, double h)
{
    if (h >= 0)
        r.setHeight(h);
}

void izquierda(QRectF& r, double x)
{
    r.moveLeft(x);
}

} // namespace

QSizeF TamanoInicial(double anchoFilas, const QSizeF& espacio)
{
    constexpr double kAncho = 11880, kAlto = 8250;
    // Redimensionar gives the tree a third of the width less 250; its vertical scroll bar takes about 300.
    const double ancho = std::max(kAncho, 3 * (anchoFilas + 250 + 300));
    const double alto = ancho * kAlto / kAncho;
    return {std::min(ancho, espacio.width()), std::min(alto, espacio.height())};
}

void DisenoTablero::Redimensionar(double scaleWidth, double scaleHeight, double width)
{
    const double altoPanel = scaleHeight - 670 - alturaUnidadNegocio - statusBar.height() + 120;
    ancho(treeV, scaleWidth / 3 - 250);
    izquierda(wbExplorer, treeV.width());
    alto(wbExplorer, altoPanel + 20 - 380);
    ancho(wbExplorer, width - treeV.width() - 150);
    ancho(statusBar, width);
    frmPie.moveTop(wbExplorer.top() + wbExplorer.height());
    const double arriba = treeV.right() > filtrosIzquierda ? filtrosAbajo : 675;
    if (frmPie.top() - arriba >= 0) {
        treeV.moveTop(arriba);
        alto(treeV, frmPie.top() - arriba);
    }
    izquierda(picNivel, treeV.width() - 100);
    picNivel.moveTop(treeV.top());
    alto(picNivel, treeV.height());
    panelOculto = false;
}

void DisenoTablero::SoltarSeparador(double x, double width)
{
    const double w = treeV.width() + x;
    if (w < 1000)
        ancho(treeV, 1000);
    else if (w > width - 1000)
        ancho(treeV, width - 1000);
    else
        ancho(treeV, w);
    izquierda(picNivel, treeV.width() + 30);
    alto(picNivel, treeV.height());
    izquierda(wbExplorer, treeV.width() + 100);
    ancho(wbExplorer, width - treeV.width() - 150);
    panelOculto = false;
}

void DisenoTablero::AlternarPanel(double width)
{
    if (panelOculto) {
        treeV.setWidth(3585);
        izquierda(picNivel, 3525);
        wbExplorer.setWidth(8190);
        izquierda(wbExplorer, 3645);
        panelOculto = false;
    } else {
        izquierda(picNivel, 0);
        treeV.setWidth(0);
        ancho(wbExplorer, width - 100);
        izquierda(wbExplorer, 0);
        panelOculto = true;
    }
}

} // namespace tablero
