#pragma once
// Pictures numbered from 1, as the lists' and trees' icon numbers index them.

#include <QIcon>
#include <QList>

namespace ui {

class ImageList {
public:
    int Add(const QIcon& icon);            // returns its number
    int Count() const { return int(m_icons.size()); }
    QIcon Item(int number) const;          // an empty icon outside 1..Count
    void Clear() { m_icons.clear(); }

private:
    QList<QIcon> m_icons;
};

} // namespace ui
