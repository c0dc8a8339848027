// The workbench's figures as the operator meets them, each beside its goal and beside bare SQLite:
//   load      both panels loaded through the window (registered, read back, listed, totals shown), each run a
//             fresh process, beside bare SQLite inserting and reading back the same rows in a fresh process of
//             its own; memory as the peak resident size above the idle window (Carga.cpp)
//   links     each-to-each link rows written by one reconciling run: the last tenth of the rows against the
//             first (Vinculos.cpp)
//   window    the window's other figures: the matcher beside the pair-by-pair reference, the save of every
//             mark; Aplicar and Comparar, each run a fresh process (Ventana.cpp)
// Usage: bench_workbench [--million] [--links-10m] [--runs N] [--only load|links|window] [--window-lines N]
//                        [--reference n] [--small]
// Load sizes 10,000 and 100,000 lines a side; --million adds 1,000,000. Link rows about 1,000,000; --links-10m
// adds about 10,000,000. Defaults: 5 runs (3 at a million lines), window figures on 20,000 lines a side, the
// reference on 4,000. --small: one run of each figure on 1,000 lines a side and 12,800 link rows, checked (lines
// listed, link rows written, marks and groups), for CI.

#include "Carga.h"
#include "Ventana.h"
#include "Vinculos.h"

#include "common/FreshProcess.h"
#include "schema/DemoDatabase.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

// The value after an option, or `valor` when the option is absent.
int opcion(const QStringList& argumentos, const QString& nombre, int valor)
{
    const qsizetype i = argumentos.indexOf(nombre);
    return i >= 0 && i + 1 < argumentos.size() ? argumentos.at(i + 1).toInt() : valor;
}

int principal(int argc, char** argv)
{
    // Aplicar and Comparar in the window, each run a fresh process: a child run, or those figures alone.
    if (const std::optional<int> codigo = VentanaAplicarComparar(argc, argv))
        return *codigo;

    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);
    const QStringList argumentos = app.arguments().mid(1);
    if (const std::optional<int> codigo = carga::Hijo(argumentos))
        return *codigo;
    if (const std::optional<int> codigo = vinculos::Hijo(argumentos))
        return *codigo;
    const bool millon = argumentos.contains(QStringLiteral("--million"));
    const bool pequeno = bench::ModoPequeno(argumentos);
    const int corridas = pequeno ? 1 : opcion(argumentos, QStringLiteral("--runs"), 5);
    const qsizetype soloEn = argumentos.indexOf(QStringLiteral("--only"));
    const QString solo = soloEn >= 0 && soloEn + 1 < argumentos.size() ? argumentos.at(soloEn + 1) : QString();
    QTemporaryDir dir;
    qputenv("CONCCUENTAS_HOME", dir.path().toUtf8());
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        qputenv("XDG_RUNTIME_DIR", dir.path().toUtf8());   // private to the user, as Qt wants it

    if (solo.isEmpty() || solo == QLatin1String("load")) {
        QList<carga::Tamano> tamanos = {{10000, corridas}, {100000, corridas}};
        if (pequeno)
            tamanos = {{1000, 1}};
        else if (millon)
            tamanos.append({1000000, opcion(argumentos, QStringLiteral("--runs"), 3)});
        carga::Medir(tamanos, dir.path(), out);
    }
    if (solo.isEmpty() || solo == QLatin1String("links"))
        vinculos::Medir(pequeno ? vinculos::Formas::Pequena
                                : argumentos.contains(QStringLiteral("--links-10m")) ? vinculos::Formas::DiezMillones
                                                                                      : vinculos::Formas::Millon,
                        corridas, dir.path(), out);
    if (!solo.isEmpty() && solo != QLatin1String("window"))
        return 0;

    const int n = pequeno ? 1000 : opcion(argumentos, QStringLiteral("--window-lines"), 20000);
    const QString plantilla = dir.filePath(QStringLiteral("plantilla.db"));
    schema::Options options;
    options.linesPerSide = n;
    QString why;
    bench::Exigir(schema::CreateCompanyDatabase(plantilla, options, &why),
                  QStringLiteral("cannot build the database: ") + why);
    int copia = 0;
    const auto fresh = [&] {
        const QString f = dir.filePath(QStringLiteral("copia%1.db").arg(++copia));
        bench::Exigir(QFile::copy(plantilla, f), QStringLiteral("the company was not copied"));
        return f;
    };
    MedirVentana(fresh, pequeno ? 200 : opcion(argumentos, QStringLiteral("--reference"), 4000), qMin(corridas, 5), out);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    return bench::Principal([&] { return principal(argc, argv); });
}
