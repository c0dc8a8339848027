#include "PaintHold.h"

#include <QWidget>

namespace ui {

PaintHold::PaintHold(QWidget* widget)
    : m_widget(widget)
    , m_wasEnabled(widget->updatesEnabled())
{
    widget->setUpdatesEnabled(false);
}

PaintHold::~PaintHold()
{
    release();
}

void PaintHold::release()
{
    if (!m_widget)
        return;
    m_widget->setUpdatesEnabled(m_wasEnabled);
    m_widget->update();
    m_widget = nullptr;
}

} // namespace ui
