#include "MiembrosConsulta.h"

#include <QComboBox>
#include <QPushButton>

void MiembrosConsulta::vaciarEleccion()
{
    ValorDevuelto.clear();
    CmpsDevueltos.clear();
    Valores.clear();
}

namespace lookup {

QPushButton* BotonConsulta(const QString& texto, QWidget* padre)
{
    auto* b = new QPushButton(texto, padre);
    b->setAutoDefault(false);
    return b;
}

QComboBox* CajaBusqueda(QWidget* padre)
{
    auto* caja = new QComboBox(padre);
    caja->setEditable(true);
    caja->setInsertPolicy(QComboBox::NoInsert);
    return caja;
}

} // namespace lookup
