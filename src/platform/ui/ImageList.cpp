#include "ImageList.h"

namespace ui {

int ImageList::Add(const QIcon& icon)
{
    m_icons.append(icon);
    return int(m_icons.size());
}

QIcon ImageList::Item(int number) const
{
    return m_icons.value(number - 1);
}

} // namespace ui
