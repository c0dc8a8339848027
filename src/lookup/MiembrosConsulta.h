#pragma once
// What the lookup driver hands the list and tree windows and reads back from them, and the few controls both
// windows build alike.

#include <QString>
#include <QStringList>

class QComboBox;
class QPushButton;
class QWidget;

struct MiembrosConsulta {
    QString SQL;
    QString CampoDevuelto;
    QStringList CmpsDevueltos;
    bool CheckBoxes = false;
    QString gConnString;
    QString ValorDevuelto;
    QString FiltroInicial;
    QString CampoBusqueda;
    bool OrdenarPorLwv = false;
    QStringList Valores;
    QStringList Cantidades;
    bool UsaCantidades = false;

protected:
    // What "&Cancelar" leaves for the driver: nothing chosen.
    void vaciarEleccion();
};

namespace lookup {

// A button of the windows' button row; Enter in a search box must not press it.
QPushButton* BotonConsulta(const QString& texto, QWidget* padre);
// An editable search box ("F5 realiza nueva busqueda" on the first).
QComboBox* CajaBusqueda(QWidget* padre);

} // namespace lookup
