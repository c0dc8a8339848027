// The level operations of the report writer.

#include "ClassHTML.h"

namespace report {

ast::TablaNiveles ClassHTML::Niveles() const
{
    if (m_nivelesDelListado)
        return *m_nivelesDelListado;
    ast::LeerDigitosNiveles();
    ast::LeerPosicionesNiveles();
    return ast::gFines;
}

int ClassHTML::ObtenerProximaCuenta(const QString& Cuenta) const
{
    return ast::LargoHijo(Niveles(), int(Cuenta.size()));
}

int ClassHTML::ObtenerAnteriorCuenta(const QString& Cuenta) const
{
    return ast::LargoPadre(Niveles(), int(Cuenta.size()));
}

QString ClassHTML::ObtenerColorNivel(const QString& Cuenta) const
{
    return ast::ColorNivel(Niveles(), int(Cuenta.size()));
}

} // namespace report
