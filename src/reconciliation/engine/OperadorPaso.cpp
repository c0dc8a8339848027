// The defaults of a step's operator: the work runs directly and nothing is shown.

#include "OperadorPaso.h"

namespace conciliacion {

OperadorPaso::~OperadorPaso() = default;

Intento OperadorPaso::Ejecutar(const std::function<void()>& trabajo)
{
    trabajo();
    return Intento::Hecho;
}

void OperadorPaso::IniciarProgreso(const QString&) {}

bool OperadorPaso::Avanzar(const QString&, const QString&, const QString&)
{
    return false;
}

void OperadorPaso::TerminarProgreso() {}

void OperadorPaso::ProgresoSinVuelta(const QString&, const QString&) {}

void OperadorPaso::AvanceRecorrido(qsizetype, qsizetype) {}

ProgresoAbierto::ProgresoAbierto(OperadorPaso& operador, const QString& titulo) : m_operador(operador)
{
    m_operador.IniciarProgreso(titulo);
}

ProgresoAbierto::~ProgresoAbierto()
{
    m_operador.TerminarProgreso();
}

} // namespace conciliacion
