#include "Estacion.h"

#include "Utilidades.h"

#include <QDir>
#include <QSysInfo>

namespace suite {

QString Estacion::NombreEstacion()
{
    const QString nombre = QSysInfo::machineHostName().trimmed();
    return (nombre.isEmpty() ? QStringLiteral("localhost") : nombre).toUpper();
}

QString Estacion::UsuarioEstacion()
{
    for (const char* variable : {"USER", "LOGNAME", "USERNAME"}) {
        const QString usuario = qEnvironmentVariable(variable).trimmed();
        if (!usuario.isEmpty())
            return usuario.toUpper();
    }
    return QDir::home().dirName().toUpper();
}

QString Estacion::CarpetaTemporal()
{
    const QString carpeta = QDir::tempPath() + QStringLiteral("/conccuentas-") + UsuarioEstacion().toLower();
    QDir().mkpath(carpeta);
    return Utilidades::NormalizarCarpeta(carpeta);
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
