// Loads a list the size of a large panel and sorts it the ways the workbench does; prints the times, each step
// checked for what it did (rows listed, in order, checked, selected), so that no time is of a step that did
// nothing.
// Usage: bench_listview [rows] [--small]   (run with QT_QPA_PLATFORM=offscreen on a machine without a screen;
// --small: 2,000 rows, for CI)
#include "platform/ui/ListView.h"
#include "platform/ui/PaintHold.h"

#include "common/FreshProcess.h"

#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>

namespace {

void report(const char* what, QElapsedTimer& timer)
{
    std::printf("%-44s %8.1f ms\n", what, double(timer.nsecsElapsed()) / 1e6);
    timer.restart();
}

// The list's rows sorted by the numbers in column `columna` (ascending or not).
bool enOrden(ui::ListView& lvw, int columna, bool ascendente)
{
    for (int i = 1; i < lvw.ListItems().Count(); ++i) {
        const QString a = lvw.ListItems()(i).SubItems(columna), b = lvw.ListItems()(i + 1).SubItems(columna);
        if (ascendente ? b < a : a < b)
            return false;
    }
    return true;
}

int principal(const QStringList& args)
{
    const bool small = bench::ModoPequeno(args);
    const int rows = small ? 2000 : args.size() > 1 ? args.at(1).toInt() : 100000;
    bench::Exigir(rows >= 1000, QStringLiteral("at least 1,000 rows"));
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
    const double added = double(timer.nsecsElapsed()) / 1e6;
    bench::Exigir(lvw.ListItems().Count() == rows, QStringLiteral("%1 rows listed, not %2").arg(lvw.ListItems().Count()).arg(rows));
    std::printf("rows: %d, columns: 16\n", rows);
    std::printf("%-44s %8.1f ms\n", "add rows with 15 sub-items", added);
    timer.restart();

    lvw.setSortKey(1);
    lvw.setSorted(true);
    const double sorted = double(timer.nsecsElapsed()) / 1e6;
    bench::Exigir(enOrden(lvw, 1, true), QStringLiteral("the list is not in order of column 1"));
    std::printf("%-44s %8.1f ms\n", "sort by a column", sorted);
    timer.restart();
    lvw.setSortOrder(1);
    const double descending = double(timer.nsecsElapsed()) / 1e6;
    bench::Exigir(enOrden(lvw, 1, false), QStringLiteral("the list is not in descending order of column 1"));
    std::printf("%-44s %8.1f ms\n", "sort again, descending", descending);
    timer.restart();
    for (int i = 1; i <= rows; i += 2)
        lvw.ListItems()(i).setChecked(true);
    report("check every other row by code", timer);
    int checked = 0;
    for (int i = 1; i <= rows; ++i)
        checked += lvw.ListItems()(i).Checked() ? 1 : 0;
    bench::Exigir(checked == (rows + 1) / 2, QStringLiteral("%1 rows checked, not %2").arg(checked).arg((rows + 1) / 2));
    lvw.setMultiSelect(true);
    timer.restart();
    int meant = 0;
    for (int i = 1; i <= rows; i += rows / 1000, ++meant)
        lvw.ListItems()(i).setSelected(true);
    report("select 1000 rows spread over the list", timer);
    int selected = 0;
    for (int i = 1; i <= rows; ++i)
        selected += lvw.ListItems()(i).Selected() ? 1 : 0;
    bench::Exigir(selected == meant, QStringLiteral("%1 rows selected, not %2").arg(selected).arg(meant));
    timer.restart();
    lvw.setSortKey(2);
    const double resorted = double(timer.nsecsElapsed()) / 1e6;
    bench::Exigir(enOrden(lvw, 2, false), QStringLiteral("the list is not in order of column 2"));
    std::printf("%-44s %8.1f ms\n", "sort by another column, with selection", resorted);
    timer.restart();
    lvw.ListItems()(rows).EnsureVisible();
    QCoreApplication::processEvents();
    report("scroll to the last row and paint", timer);
    lvw.ListItems().Clear();
    report("clear", timer);
    bench::Exigir(lvw.ListItems().Count() == 0, QStringLiteral("the list was not cleared"));
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    return bench::Principal([&] { return principal(app.arguments()); });
}
