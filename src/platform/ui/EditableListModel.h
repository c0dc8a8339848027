#pragma once
// The writer half of a list model: what a ListView filled item by item from code calls on its rows. A list
// over rows kept elsewhere has a plain ListModel instead, and the ListView's writers raise error 380 on it (all
// but the bold type, which every list keeps itself).

#include "ListModel.h"

namespace ui {

// A list filled item by item from code: rows added and removed, cells, icons, colours, keys and tags set.
class EditableListModel : public ListModel {
    Q_OBJECT

public:
    using ListModel::ListModel;

    virtual quint32 append(const QString& text, const QString& key) = 0;   // throws on a repeated key
    virtual void remove(quint32 id) = 0;
    virtual void setCell(quint32 id, int column, const QString& text) = 0;
    virtual void setSmallIcon(quint32 id, int icon) = 0;
    virtual void setForeColor(quint32 id, int column, qint32 bgr) = 0;
    virtual void setKey(quint32 id, const QString& key) = 0;
    virtual void setTag(quint32 id, const QString& tag) = 0;
};

} // namespace ui
