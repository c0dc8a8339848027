// Loads a list the size of a large panel and sorts it the ways the workbench does; prints the times.
// Usage: bench_listview [rows]   (run with QT_QPA_PLATFORM=offscreen on a machine without a screen)
#include "platform/ui/ListView.h"
#include "platform/ui/PaintHold.h"

#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>

namespace {

void report(const char* what, QElapsedTimer& timer)
{
    std::printf("%-44s %8.1f ms\n", what, double(timer.nsecsElapsed()) / 1e6);
    timer.restart();
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const int rows = argc > 1 ? std::atoi(argv[1]) : 100000;
    ui::ListView lvw;
    lvw.resize(1000, 600);
    for (int c = 0; c < 16; ++c)
        lvw.ColumnHeaders().Add({}, QStringLiteral("C%1").arg(c), c == 0 ? 300 : 1200);
    lvw.setCheckboxes(true);
    lvw.show();
    QCoreApplication::processEvents();

    QElapsedTimer timer;
    timer.start();
    {
        ui::PaintHold hold(&lvw);
        for (int i = 0; i < rows; ++i) {
            ui::ListItem item = lvw.ListItems().Add();
            item.setSmallIcon(106);
            for (int c = 1; c < 16; ++c)
                item.setSubItems(c, QString::number((i * 7919 + c * 104729) % 1000003));
        }
    }
    QCoreApplication::processEvents();
    std::printf("rows: %d, columns: 16\n", rows);
    report("add rows with 15 sub-items", timer);

    lvw.setSortKey(1);
    lvw.setSorted(true);
    report("sort by a column", timer);
    lvw.setSortOrder(1);
    report("sort again, descending", timer);
    for (int i = 1; i <= rows; i += 2)
        lvw.ListItems()(i).setChecked(true);
    report("check every other row by code", timer);
    lvw.setMultiSelect(true);
    for (int i = 1; i <= rows; i += rows / 1000)
        lvw.ListItems()(i).setSelected(true);
    report("select 1000 rows spread over the list", timer);
    lvw.setSortKey(2);
    report("sort by another column, with selection", timer);
    lvw.ListItems()(rows).EnsureVisible();
    QCoreApplication::processEvents();
    report("scroll to the last row and paint", timer);
    lvw.ListItems().Clear();
    report("clear", timer);
    return 0;
}
