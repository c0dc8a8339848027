// The report's progress window.

#include "EsperaReporte.h"

#include "Progreso.h"

#include <QApplication>

namespace suite {

EsperaReporte::EsperaReporte(Progreso& progreso)
    : m_progreso(&progreso)
    , m_ventana(QApplication::activeWindow())
    , m_modalidad(progreso.windowModality())
{
    // No other window takes a command while the report is made: the progress window is modal for the wait.
    if (!m_progreso->isVisible())
        m_progreso->setWindowModality(Qt::ApplicationModal);
    m_progreso->Iniciar(QStringLiteral("Reporte"), true);
}

EsperaReporte::~EsperaReporte()
{
    Terminar();
}

bool EsperaReporte::Avanzar(const QString& etapa, qint64 hechas, qint64 total)
{
    if (!m_progreso)
        return false;
    bool cancelar = false;
    m_progreso->Avanzar(cancelar, etapa, QStringLiteral("Espere por Favor"),
                        QString::number(total > 0 ? hechas * 100 / total : 0) + QStringLiteral(" %"));
    return cancelar;
}

AvanceReporte EsperaReporte::Avance()
{
    return [this](const QString& etapa, qint64 hechas, qint64 total) { return Avanzar(etapa, hechas, total); };
}

void EsperaReporte::Terminar()
{
    if (!m_progreso)
        return;
    m_progreso->Terminar();
    m_progreso->setWindowModality(m_modalidad);
    m_progreso = nullptr;
}

} // namespace suite
