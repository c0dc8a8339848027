// The movement report of a leaf account with many movements in the period (the benchmark account of the data
// generator), at 100,000 and 1,000,000 movements: the writer's figures (Escritor.cpp) and the report on screen
// in the dashboard (Pantalla.cpp). Every figure is measured in fresh processes (first run and median).
// One line in three of the account carries a tax-book amount, so the tax-book reading has rows to match.
// Usage: bench_report [--movements N[,N...]] [--runs N] [--only writer|screen] [--small]
// Defaults: 100000,1000000 movements, 3 runs. --small: one run of each figure on 2,000 movements, checked (rows
// in the tax book, rows read), for CI.

#include "Escritor.h"
#include "Pantalla.h"

#include "common/FreshProcess.h"
#include "core/Startup.h"
#include "platform/ado/Connection.h"
#include "platform/ado/Recordset.h"
#include "platform/browser/WebBrowser.h"
#include "schema/DemoDatabase.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

QString opcion(const QStringList& argumentos, const QString& nombre, const QString& valor)
{
    const qsizetype i = argumentos.indexOf(nombre);
    return i >= 0 && i + 1 < argumentos.size() ? argumentos.at(i + 1) : valor;
}

// The company with the benchmark account's lines; one line in three of it in the tax book (checked: a set-up
// that put no line there would measure an empty tax book).
void crearBase(const QString& archivo, int movimientos, QTextStream& out)
{
    schema::Options options;
    options.linesPerSide = movimientos / 2;
    QString error;
    QElapsedTimer t;
    t.start();
    bench::Exigir(schema::CreateCompanyDatabase(archivo, options, &error),
                  QStringLiteral("cannot create the database: ") + error);
    ado::Connection cn;
    cn.Open(QStringLiteral("PROVIDER=SQLOLEDB;Server=sqlite;Database =%1;UId=;Pwd=;").arg(archivo));
    const QString cuenta = QLatin1String(schema::kBenchAccount);
    const qint64 enLaCuenta =
        cn.Query(QStringLiteral("SELECT COUNT(*) FROM MV_ASIENTOS WHERE CUENTA = '%1'").arg(cuenta)).rows.at(0).at(0).toLong();
    qint64 enElLibro = -1;
    cn.Execute(QStringLiteral("UPDATE MV_ASIENTOS SET ESRESUMEN = 0, LIVA_TIPO = 'Ventas', Liva_Total = IMPORTE "
                              "WHERE CUENTA = '%1' AND [NUMERO ASIENTO] % 3 = 0")
                   .arg(cuenta),
               &enElLibro);
    bench::Exigir(enLaCuenta > 0 && enElLibro * 4 > enLaCuenta && enElLibro * 2 < enLaCuenta,
                  QStringLiteral("the set-up put %1 of the account's %2 lines in the tax book, not one in three")
                      .arg(enElLibro).arg(enLaCuenta));
    out << "database with " << QLocale(QLocale::English).toString(movimientos) << " movements on account "
        << schema::kBenchAccount << " (" << QLocale(QLocale::English).toString(enElLibro) << " lines in the tax book) in "
        << t.elapsed() << " ms" << Qt::endl;
}

int principal(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("QTWEBENGINE_CHROMIUM_FLAGS"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox --disable-gpu");
    web::WebBrowser::PrepararAplicacion();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("conccuentas"));
    const QStringList argumentos = app.arguments().mid(1);
    if (const std::optional<int> codigo = escritor::Hijo(argumentos))
        return *codigo;
    if (const std::optional<int> codigo = pantalla::Hijo(argumentos))
        return *codigo;

    QTextStream out(stdout);
    const bool pequeno = bench::ModoPequeno(argumentos);
    const int corridas = pequeno ? 1 : opcion(argumentos, QStringLiteral("--runs"), QStringLiteral("3")).toInt();
    const QString solo = opcion(argumentos, QStringLiteral("--only"), QString());
    QTemporaryDir dir;
    qputenv("CONCCUENTAS_HOME", dir.path().toUtf8());
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        qputenv("XDG_RUNTIME_DIR", dir.path().toUtf8());   // private to the user, as Qt wants it
    const QString tamanos = pequeno ? QStringLiteral("2000") : opcion(argumentos, QStringLiteral("--movements"), QStringLiteral("100000,1000000"));
    for (const QString& n : tamanos.split(',')) {
        const int movimientos = n.toInt();
        const QString base = dir.filePath(QStringLiteral("mov%1.db").arg(movimientos));
        bench::Exigir(movimientos >= 2, QStringLiteral("%1 movements: at least 2").arg(n));
        crearBase(base, movimientos, out);
        if (solo.isEmpty() || solo == QLatin1String("writer"))
            escritor::Medir(base, corridas, dir.path(), out);
        if (solo.isEmpty() || solo == QLatin1String("screen"))
            pantalla::Medir(base, corridas, out);
        QFile::remove(base);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    return bench::Principal([&] { return principal(argc, argv); });
}
