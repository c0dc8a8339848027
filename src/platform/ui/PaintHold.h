#pragma once
// Holds a widget's painting while many rows are loaded into it (the program drops each row's repaint and
// paints once at the end). The hold ends at release() or when the holder goes out of scope, whatever way
// the loader leaves, so a list is never left frozen.

#include <QPointer>
#include <QWidget>

namespace ui {

class PaintHold {
public:
    explicit PaintHold(QWidget* widget);
    ~PaintHold();
    PaintHold(const PaintHold&) = delete;
    PaintHold& operator=(const PaintHold&) = delete;

    void release();

private:
    QPointer<QWidget> m_widget;
    bool m_wasEnabled = true;
};

} // namespace ui
