#include "AvisoEspera.h"

bool AvisoEspera::waiting(int elapsedMs)
{
    return m_ventana.Avisar(QStringLiteral("AvisoEspera"), QStringLiteral("Base de datos ocupada"),
                            QStringLiteral("Esperando a otra estación que está grabando en la base de datos (%1 s).\n"
                                           "Cancelar deja la operación sin hacer.")
                                .arg(elapsedMs / 1000));
}

void AvisoEspera::finished()
{
    m_ventana.Cerrar();
}
