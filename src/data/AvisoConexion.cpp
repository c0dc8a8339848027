#include "AvisoConexion.h"

bool AvisoConexion::connecting(const QString& server, const QString& database, int elapsedMs)
{
    const QString base = database.isEmpty() ? QString() : QStringLiteral(", base de datos %1").arg(database);
    return m_ventana.Avisar(QStringLiteral("AvisoConexion"), QStringLiteral("Conectando..."),
                            QStringLiteral("Conectando con el servidor %1%2 (%3 s).\n"
                                           "Cancelar deja de esperar al servidor.")
                                .arg(server, base)
                                .arg(elapsedMs / 1000));
}

void AvisoConexion::finished()
{
    m_ventana.Cerrar();
}
