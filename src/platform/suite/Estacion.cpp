#include "Estacion.h"

#include "platform/suite/base/CarpetaTemporalPrivada.h"

#include <QSysInfo>

namespace suite {

QString Estacion::NombreEstacion()
{
    const QString nombre = QSysInfo::machineHostName().trimmed();
    return (nombre.isEmpty() ? QStringLiteral("localhost") : nombre).toUpper();
}

QString Estacion::UsuarioEstacion()
{
    return UsuarioDelSistema();
}

QString Estacion::CarpetaTemporal()
{
    return CarpetaTemporalDeLaEstacion();
}

void Estacion::RegistrarFormulario(QWidget* formulario)
{
    m_formularios.removeIf([](const QPointer<QWidget>& f) { return f.isNull(); });
    if (formulario && !FormulariosRegistrados().contains(formulario))
        m_formularios.append(formulario);
}

QList<QWidget*> Estacion::FormulariosRegistrados() const
{
    QList<QWidget*> vivos;
    for (const QPointer<QWidget>& f : m_formularios)
        if (f)
            vivos.append(f.data());
    return vivos;
}

} // namespace suite
