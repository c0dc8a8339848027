#include "EventosCampos.h"

#include "platform/ui/Keys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

namespace core {

EventosCampos::EventosCampos(const QWidget& ventana, const suite::ControlArrayBase& campos, Manejadores manejadores)
    : m_ventana(ventana), m_campos(campos), m_manejadores(std::move(manejadores))
{
}

int EventosCampos::Indice(const QObject* objeto) const
{
    const auto* control = qobject_cast<const QWidget*>(objeto);
    if (!control || control->window() != &m_ventana || control->objectName() != m_campos.Nombre())
        return -1;
    const int index = suite::IndexOf(control);
    return m_campos.Existe(index) && m_campos.Control(index) == control ? index : -1;
}

bool EventosCampos::Filtrar(QObject* watched, QEvent* event) const
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        // A key reaches the focused control first; the same event passed on to its parents is not seen again.
        auto* control = qobject_cast<QWidget*>(watched);
        if (!control || control != QApplication::focusWidget() || control->window() != &m_ventana)
            return false;
        auto* tecla = static_cast<QKeyEvent*>(event);
        bool comida = false;
        ui::offerKeyDown(*tecla, [&](int& keyCode, int shift) {
            m_manejadores.Form_KeyDown(keyCode, shift);
            comida = keyCode == 0;
        });
        if (comida)
            return true;
        const int index = Indice(watched);
        auto* campo = qobject_cast<QLineEdit*>(control);
        if (index < 0 || !campo)
            return false;
        return ui::offerFieldKey(
            *campo, *tecla, [&](int codigo, int shift) { m_manejadores.KeyDown(index, codigo, shift); },
            [&](int& ascii) { m_manejadores.KeyPress(index, ascii); });
    }
    case QEvent::FocusIn:
        if (const int index = Indice(watched); index >= 0)
            m_manejadores.GotFocus(index);
        return false;
    case QEvent::FocusOut:
        if (const int index = Indice(watched); index >= 0)
            m_manejadores.LostFocus(index);
        return false;
    default:
        return false;
    }
}

} // namespace core
