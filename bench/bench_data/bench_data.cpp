// The data layer beside bare SQLite on the same rows, as the operator meets it: every run of a figure is a
// fresh process (DataFigures.h says what each does), and the parent prints the first run and the median of
// all, ours and bare SQLite's, the ratio and the goal:
//   recordset  first open of a recordset of every line, within 2x bare SQLite
//   insert     a text INSERT with an amount through Execute, within 3x a bare prepared INSERT (per row)
//   update     a text UPDATE of an amount through Execute, within 3x a bare prepared UPDATE (per row)
//   save       marks and link lists through bound statements, at 0.6 s per 200,000 lines
// Memory is the peak resident size above the idle mark, taken once the connection is open.
// Usage: bench_data [--million] [--runs N] [--small]   (sizes 10,000 and 100,000 lines; --million adds
// 1,000,000; --small: one run of each figure on 2,000 lines, each checked for the rows it read or wrote, for CI)

#include "DataFigures.h"
#include "common/FreshProcess.h"
#include "platform/ado/Error.h"
#include "schema/DemoDatabase.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

struct Figure {
    const char* name;
    const char* unit;
    bool perRow;          // shown as microseconds per row rather than milliseconds for the whole run
};

void compare(QTextStream& out, const QString& file, int lines, int runs, const Figure& f, const QString& goal,
             double ratioGoal, double absoluteGoalMs)
{
    const QStringList args = {QStringLiteral("--child"), QLatin1String(f.name), file, QString::number(lines)};
    QStringList bareArgs = args;
    bareArgs[1] = QStringLiteral("bare-") + QLatin1String(f.name);
    const QMap<QString, bench::Runs> ours = bench::runFresh(args, runs);
    const QMap<QString, bench::Runs> bare = bench::runFresh(bareArgs, runs);
    auto scaled = [&](bench::Runs r) {
        for (double& v : r.values)
            v = f.perRow ? v * 1000 / lines : v;
        return r;
    };
    const bench::Runs t = scaled(bench::Figura(ours, QLatin1String(f.name)));
    const bench::Runs b = scaled(bench::Figura(bare, bareArgs[1]));
    const double ratioFirst = b.first() > 0 ? t.first() / b.first() : 0;
    const double ratioMedian = b.median() > 0 ? t.median() / b.median() : 0;
    const bool met = ratioGoal > 0 ? ratioFirst <= ratioGoal && ratioMedian <= ratioGoal
                                   : t.first() <= absoluteGoalMs && t.median() <= absoluteGoalMs;
    out << f.name << " lines=" << lines << "  " << bench::firstAndMedian(t, 2) << ' ' << f.unit << "  bare "
        << bench::firstAndMedian(b, 2) << ' ' << f.unit << "  ratio first " << QString::number(ratioFirst, 'f', 2)
        << " / median " << QString::number(ratioMedian, 'f', 2) << "  goal " << goal << (met ? "  met" : "  NOT MET")
        << Qt::endl;
    out << "  peak above idle  " << bench::firstAndMedian(ours.value(QStringLiteral("peak"))) << " MiB  bare "
        << bench::firstAndMedian(bare.value(QStringLiteral("peak"))) << " MiB" << Qt::endl;
    if (ours.contains(QStringLiteral("rows")))
        bench::Exigir(bench::Figura(ours, QStringLiteral("rows")).values == bench::Figura(bare, QStringLiteral("rows")).values,
                      QStringLiteral("%1: the rows read differ from bare SQLite's").arg(QLatin1String(f.name)));
}

void measure(QTextStream& out, int lines, int runs)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("bench.db"));
    schema::Options options;
    options.linesPerSide = lines / 2;
    QString why;
    bench::Exigir(dir.isValid() && schema::CreateCompanyDatabase(file, options, &why),
                  QStringLiteral("lines=%1: cannot build the database: %2").arg(lines).arg(why));
    compare(out, file, lines, runs, {"recordset", "ms", false}, QStringLiteral("<= 2x bare"), 2, 0);
    compare(out, file, lines, runs, {"insert", "us/row", true}, QStringLiteral("<= 3x bare"), 3, 0);
    compare(out, file, lines, runs, {"update", "us/row", true}, QStringLiteral("<= 3x bare"), 3, 0);
    const double saveGoalMs = 600.0 * lines / 200000;
    compare(out, file, lines, runs, {"save", "ms", false}, QStringLiteral("<= %1 ms").arg(saveGoalMs, 0, 'f', 0), 0,
            saveGoalMs);
}

int principal(const QStringList& args)
{
    if (args.value(1) == QLatin1String("--child")) {
        try {
            return benchdata::RunFigure(args.value(2), args.value(3), args.value(4).toInt());
        } catch (const ado::Error& e) {
            QTextStream(stderr) << "failed: " << e.Description << Qt::endl;
            return 1;
        }
    }
    const bool small = bench::ModoPequeno(args);
    QList<int> sizes = {10000, 100000};
    if (small)
        sizes = {2000};
    else if (args.contains(QLatin1String("--million")))
        sizes << 1000000;
    const int runsAt = args.indexOf(QLatin1String("--runs"));
    const int runs = small ? 1 : runsAt > 0 ? std::max(1, args.value(runsAt + 1).toInt()) : 5;
    QTextStream out(stdout);
    for (int lines : sizes)
        measure(out, lines, runs);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    return bench::Principal([&] { return principal(app.arguments()); });
}
