// The window's side of an engine step: what it shows and asks while the step runs.

#include "OperadorVentana.h"

#include "FrmConcCuentas.h"
#include "core/Globals.h"
#include "core/ProgressBar.h"
#include "platform/suite/PictureBox.h"
#include "platform/suite/Progreso.h"

OperadorVentana::OperadorVentana(FrmConcCuentas& ventana, const QString& rutina, ui::ErrorHandler manejador)
    : m_ventana(ventana)
    , m_rutina(rutina, std::move(manejador))
{
}

bool OperadorVentana::Preguntar(const conciliacion::Pregunta& pregunta)
{
    return ui::dialogs().MsgBox(pregunta.texto, pregunta.estilo, pregunta.titulo) == ui::vbYes;
}

bool OperadorVentana::Confirmar(const conciliacion::Pregunta& pregunta)
{
    return Preguntar(pregunta);
}

void OperadorVentana::Mostrar(const conciliacion::Aviso& aviso)
{
    ui::dialogs().MsgBox(aviso.texto, aviso.estilo, aviso.titulo);
}

conciliacion::Intento OperadorVentana::Ejecutar(const std::function<void()>& trabajo)
{
    FrmConcCuentas::Ocupado ocupado(m_ventana);
    bool hecho = false;
    m_rutina.step([&] {
        trabajo();
        hecho = true;
    });
    if (hecho)
        return conciliacion::Intento::Hecho;
    return m_rutina.left() ? conciliacion::Intento::Abandonado : conciliacion::Intento::Omitido;
}

void OperadorVentana::IniciarProgreso(const QString& titulo)
{
    ModGlobal::gProgreso().Iniciar(titulo, true);
}

bool OperadorVentana::Avanzar(const QString& titulo, const QString& texto1, const QString& texto2)
{
    bool cancelar = false;
    ModGlobal::gProgreso().Avanzar(cancelar, titulo, texto1, texto2);
    return cancelar;
}

void OperadorVentana::TerminarProgreso()
{
    ModGlobal::gProgreso().Terminar();
}

void OperadorVentana::ProgresoSinVuelta(const QString& titulo, const QString& texto)
{
    ModGlobal::gProgreso().SinVuelta(titulo, texto);
}

void OperadorVentana::AvanceRecorrido(qsizetype hechas, qsizetype total)
{
    ModGlobal::DibujarProgreso(*m_ventana.PicImg, double(hechas) * 100.0 / double(total), 0xFF, QString());
}
