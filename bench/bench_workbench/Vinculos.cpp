#include "Vinculos.h"

#include "Comun.h"

#include "common/FreshProcess.h"
#include "platform/ado/Recordset.h"
#include "reconciliation/EntornoPrograma.h"
#include "reconciliation/engine/AvancePorReloj.h"
#include "reconciliation/engine/EspacioVinculos.h"
#include "reconciliation/engine/Store.h"
#include "schema/DemoDatabase.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTemporaryDir>

namespace vinculos {
namespace {

constexpr char kHijo[] = "--vinculos";
constexpr int kTramos = 10;

// The link rows the reconciliation holds.
qint64 filasDeVinculos(ado::Connection& cn)
{
    return cn.Query(QStringLiteral("SELECT COUNT(*) FROM MV_CONCILIACION_Cpte_AUX")).rows.at(0).at(0).toLong();
}

int escribir(qint64 izquierdas, qint64 derechas, const QString& archivo)
{
    ado::Connection cn;
    cn.Open(comun::TextoConexion(archivo));
    const qint64 tamanoAntes = QFileInfo(archivo).size();
    const qint64 filasAntes = filasDeVinculos(cn);
    conciliacion::ReconciliationStore store(cn, true, conciliacion::EntornoPrograma());
    const conciliacion::Cabecera c = comun::Cabecera();
    conciliacion::VinculosAGrabar v;
    for (qint64 i = 1; i <= izquierdas; ++i)
        v.izquierdasNuevas.push_back(i);
    for (qint64 i = 1; i <= derechas; ++i)
        v.derechasNuevas.push_back(i);
    const qint64 total = v.Cantidad();
    // The moment each tenth of the rows was written, told at every step of the writer: its clock is read as a
    // whole interval later each time.
    struct RelojDePasos : conciliacion::EntornoEscritura {
        qint64 Milisegundos() const override { return m_ahora += conciliacion::AvancePorReloj::kIntervaloMs; }
        mutable qint64 m_ahora = 0;
    } reloj;
    conciliacion::InstalarEntornoEscritura(&reloj);
    std::vector<double> marcas;
    QElapsedTimer t;
    bench::markIdle();
    t.start();
    const auto avance = [&](qint64 hechos, qint64 tot) {
        while (qint64(marcas.size()) < kTramos && hechos >= tot * qint64(marcas.size() + 1) / kTramos)
            marcas.push_back(double(t.nsecsElapsed()) / 1e6);
        return false;
    };
    const conciliacion::Resultado r = store.Conciliar(c, {}, {}, v, avance);
    conciliacion::InstalarEntornoEscritura(nullptr);
    const double fin = double(t.nsecsElapsed()) / 1e6;
    bench::Exigir(r == conciliacion::Resultado::Hecho, QStringLiteral("the reconciling run did not end done"));
    const qint64 escritas = filasDeVinculos(cn) - filasAntes;
    bench::Exigir(escritas == total, QStringLiteral("%1 link rows written, %2 meant").arg(escritas).arg(total));
    bench::Exigir(marcas.size() == size_t(kTramos), QStringLiteral("the writer told %1 tenths of its rows, not %2")
                                                        .arg(marcas.size()).arg(kTramos));
    bench::report(QStringLiteral("total"), fin);
    if (!marcas.empty())
        bench::report(QStringLiteral("confirmar"), fin - marcas.back());
    bench::report(QStringLiteral("mem"), bench::peakAboveIdleMiB());
    // The room one link row takes: what the file grew by once the commit's checkpoint copied the journal into it,
    // and what the journal beside it held for the one transaction.
    bench::report(QStringLiteral("archivo"), double(QFileInfo(archivo).size() - tamanoAntes) / double(total));
    bench::report(QStringLiteral("diario"), double(QFileInfo(archivo + QStringLiteral("-wal")).size()) / double(total));
    bench::report(QStringLiteral("primero"), marcas.front());
    bench::report(QStringLiteral("ultimo"), marcas.back() - marcas[size_t(kTramos - 2)]);
    return 0;
}

} // namespace

std::optional<int> Hijo(const QStringList& argumentos)
{
    if (argumentos.size() != 4 || argumentos.at(0) != QLatin1String(kHijo))
        return std::nullopt;
    QTemporaryDir dir;
    qputenv("CONCCUENTAS_HOME", dir.path().toUtf8());
    const QString archivo = dir.filePath(QStringLiteral("copia.db"));
    bench::Exigir(dir.isValid() && QFile::copy(argumentos.at(3), archivo), QStringLiteral("the company was not copied"));
    return escribir(argumentos.at(1).toLongLong(), argumentos.at(2).toLongLong(), archivo);
}

void Medir(Formas cuales, int corridas, const QString& carpeta, QTextStream& out)
{
    const QString plantilla = carpeta + QStringLiteral("/demo.db");
    QString porque;
    bench::Exigir(QFile::exists(plantilla) || schema::CreateCompanyDatabase(plantilla, {}, &porque),
                  QStringLiteral("cannot build the database: ") + porque);
    out << "Each-to-each link rows written by one reconciling run, each run a fresh process (" << corridas
        << " runs: first / median); the last tenth of the rows against the first (goal: within 1.5x)" << Qt::endl;
    // Sizes whose tenths are whole blocks of the store's progress, so that the last tenth ends before the commit.
    std::vector<std::pair<qint64, qint64>> formas = {{1024, 1000}};
    if (cuales == Formas::Pequena)
        formas = {{128, 100}};
    else if (cuales == Formas::DiezMillones)
        formas.emplace_back(2048, 5000);
    const QLocale en(QLocale::English);
    for (const auto& [izquierdas, derechas] : formas) {
        const QMap<QString, bench::Runs> f = bench::runFresh(
            {QLatin1String(kHijo), QString::number(izquierdas), QString::number(derechas), plantilla}, corridas);
        bench::Runs razon;
        const bench::Runs primero = bench::Figura(f, QStringLiteral("primero"));
        const bench::Runs ultimo = bench::Figura(f, QStringLiteral("ultimo"));
        for (size_t i = 0; i < primero.values.size() && i < ultimo.values.size(); ++i)
            razon.values.push_back(ultimo.values[i] / primero.values[i]);
        const qint64 tramo = izquierdas * derechas / kTramos;
        out << "  " << en.toString(izquierdas) << " left x " << en.toString(derechas) << " right = "
            << en.toString(izquierdas * derechas) << " rows: all " << bench::firstAndMedian(f.value(QStringLiteral("total")))
            << " ms; first " << en.toString(tramo) << " rows " << bench::firstAndMedian(primero) << " ms; last "
            << en.toString(tramo) << " rows " << bench::firstAndMedian(ultimo) << " ms; last/first "
            << bench::firstAndMedian(razon, 2) << " (goal: within 1.5); then the commit "
            << bench::firstAndMedian(f.value(QStringLiteral("confirmar"))) << " ms; memory above idle "
            << bench::firstAndMedian(f.value(QStringLiteral("mem"))) << " MiB; bytes per link row in the file "
            << bench::firstAndMedian(f.value(QStringLiteral("archivo")), 2) << ", in the journal "
            << bench::firstAndMedian(f.value(QStringLiteral("diario")), 2) << " (counted: "
            << conciliacion::kBytesPorVinculo << ")" << Qt::endl;
    }
}

} // namespace vinculos
