// conccuentas-makedb [--lines N] [--seed S] <file>
// Creates a company database for the embedded engine: the small demo company, and with --lines N also a
// bank account with N debit and N credit lines for benchmarks. An existing file is never overwritten.

#include "DemoDatabase.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("conccuentas-makedb"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Creates a company database for the embedded engine."));
    parser.addHelpOption();
    const QCommandLineOption lines(QStringLiteral("lines"),
                                   QStringLiteral("Also a bank account with <n> debit and <n> credit lines."),
                                   QStringLiteral("n"), QStringLiteral("0"));
    const QCommandLineOption seed(QStringLiteral("seed"), QStringLiteral("Seed of the generated amounts."),
                                  QStringLiteral("s"), QStringLiteral("1"));
    parser.addOption(lines);
    parser.addOption(seed);
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("The database file to create."));
    parser.process(app);

    const QStringList files = parser.positionalArguments();
    if (files.size() != 1) {
        std::fprintf(stderr, "%s\n", qPrintable(parser.helpText()));
        return 2;
    }
    schema::Options options;
    bool linesOk = false, seedOk = false;
    options.linesPerSide = parser.value(lines).toInt(&linesOk);
    options.seed = parser.value(seed).toUInt(&seedOk);
    if (!linesOk || options.linesPerSide < 0 || !seedOk) {
        std::fprintf(stderr, "conccuentas-makedb: --lines takes a whole number from 0 up, --seed a whole number\n");
        return 2;
    }

    QElapsedTimer timer;
    timer.start();
    QString error;
    if (!schema::CreateCompanyDatabase(files.first(), options, &error)) {
        std::fprintf(stderr, "conccuentas-makedb: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("%s created in %.1f s\n", qPrintable(files.first()), double(timer.elapsed()) / 1000.0);
    return 0;
}
