// The movement report of a leaf account with many movements in the period (the benchmark account of the data
// generator), at 100,000 and 1,000,000 movements: the writer's figures (Escritor.cpp) and the report on screen
// in the dashboard (Pantalla.cpp). Every figure is measured in fresh processes (first run and median).
// One line in three of the account carries a tax-book amount, so the tax-book reading has rows to match.
// Usage: bench_report [--movements N[,N...]] [--runs N] [--only writer|screen]
// Defaults: 100000,1000000 movements, 3 runs.

#include "Escritor.h"
#include "Pantalla.h"

#include "core/Startup.h"
#include "platform/ado/Connection.h"
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

// The company with the benchmark account's lines; one line in three of it in the tax book.
bool crearBase(const QString& archivo, int movimientos, QTextStream& out)
{
    schema::Options options;
    options.linesPerSide = movimientos / 2;
    QString error;
    QElapsedTimer t;
    t.start();
    if (!schema::CreateCompanyDatabase(archivo, options, &error)) {
        out << "cannot create the database: " << error << Qt::endl;
        return false;
    }
    ado::Connection cn;
    cn.Open(QStringLiteral("PROVIDER=SQLOLEDB;Server=sqlite;Database =%1;UId=;Pwd=;").arg(archivo));
    cn.Execute(QStringLiteral("UPDATE MV_ASIENTOS SET ESRESUMEN = 0, LIVA_TIPO = 'Ventas', Liva_Total = IMPORTE "
                              "WHERE CUENTA = '%1' AND SECUENCIA % 3 = 0")
                   .arg(QLatin1String(schema::kBenchAccount)));
    out << "database with " << QLocale(QLocale::English).toString(movimientos) << " movements on account "
        << schema::kBenchAccount << " in " << t.elapsed() << " ms" << Qt::endl;
    return true;
}

} // namespace

int main(int argc, char** argv)
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
    const int corridas = opcion(argumentos, QStringLiteral("--runs"), QStringLiteral("3")).toInt();
    const QString solo = opcion(argumentos, QStringLiteral("--only"), QString());
    QTemporaryDir dir;
    qputenv("CONCCUENTAS_HOME", dir.path().toUtf8());
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        qputenv("XDG_RUNTIME_DIR", dir.path().toUtf8());   // private to the user, as Qt wants it
    for (const QString& n : opcion(argumentos, QStringLiteral("--movements"), QStringLiteral("100000,1000000")).split(',')) {
        const int movimientos = n.toInt();
        const QString base = dir.filePath(QStringLiteral("mov%1.db").arg(movimientos));
        if (movimientos < 2 || !crearBase(base, movimientos, out))
            continue;
        if (solo.isEmpty() || solo == QLatin1String("writer"))
            escritor::Medir(base, corridas, dir.path(), out);
        if (solo.isEmpty() || solo == QLatin1String("screen"))
            pantalla::Medir(base, corridas, out);
        QFile::remove(base);
    }
    return 0;
}
