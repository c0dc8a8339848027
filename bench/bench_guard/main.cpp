// How long the read guard of the server road takes to judge long texts, on both servers' readings. Each text is
// built to stress one part of the reading (a word glued after a long number, long comments, literals, names,
// many small tokens, deep parentheses); each figure is the best of the runs (the first run's beside it), and
// the time per megabyte of text at the largest size stands beside the goal of well under a second for any
// text; the time is also checked to grow with the text's length and not faster. Every text is an honest read,
// and a bench whose guard refuses one has measured a refusal, not a reading: it fails and prints no verdict.
// Usage: bench_guard [--small] [--runs N]   (texts of 128 KiB to 1 MiB characters, best of 3 runs; --small:
// 32 KiB and 128 KiB, under a second in all, with the tests)
#include "../common/FreshProcess.h"
#include "platform/ado/PlainRead.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>
#include <algorithm>
#include <functional>
#include <vector>

namespace {

struct Texto {
    const char* nombre;
    std::function<QString(qsizetype)> hacer;   // a text of about n characters
};

QString repetido(const char* trozo, qsizetype n)
{
    const QString t = QString::fromLatin1(trozo);
    QString s;
    s.reserve(n + t.size());
    while (s.size() < n)
        s += t;
    return s;
}

const std::vector<Texto>& textos()
{
    static const std::vector<Texto> lista = {
        {"0x + letters A + G (a word glued after a number)",
         [](qsizetype n) { return QStringLiteral("SELECT 0x") + QString(n, u'A') + QStringLiteral("G FROM t"); }},
        {"1e + digits and letters glued (a number then a long word)",
         [](qsizetype n) { return QStringLiteral("SELECT 1e") + repetido("1a", n) + QStringLiteral(" FROM t"); }},
        {"many short columns",
         [](qsizetype n) { return QStringLiteral("SELECT ") + repetido("a1, 0x1F, 'x', [n], 1.5e3, ", n)
                                  + QStringLiteral("1 FROM t"); }},
        {"deep parentheses",
         [](qsizetype n) { return QStringLiteral("SELECT ") + QString(n / 2, u'(') + QStringLiteral("1")
                                  + QString(n / 2, u')') + QStringLiteral(" FROM t"); }},
        {"a long block comment",
         [](qsizetype n) { return QStringLiteral("SELECT 1 /*") + repetido("/ * x ", n) + QStringLiteral("*/ FROM t"); }},
        {"a long literal with doubled quotes",
         [](qsizetype n) { return QStringLiteral("SELECT '") + repetido("ab'' ", n) + QStringLiteral("' FROM t"); }},
        {"many line comments",
         [](qsizetype n) { return QStringLiteral("SELECT 1 ") + repetido("-- x\n", n) + QStringLiteral("FROM t"); }},
        {"escapes between blanks",
         [](qsizetype n) { return QStringLiteral("SELECT 1 FROM t WHERE ") + repetido("d = {d '2020-01-01'} OR ", n)
                                  + QStringLiteral("1 = 0"); }},
    };
    return lista;
}

struct Tiempo {
    double primero = 0;   // the first judgement, in milliseconds (its memory still untouched)
    double mejor = 0;     // the best of all
};

Tiempo medir(const QString& texto, ado::BackendKind servidor, int veces, bool* resultado)
{
    Tiempo t{0, 1e300};
    for (int i = 0; i < veces; ++i) {
        QElapsedTimer reloj;
        reloj.start();
        *resultado = ado::IsPlainRead(texto, servidor);
        const double ms = reloj.nsecsElapsed() / 1e6;
        if (i == 0)
            t.primero = ms;
        t.mejor = std::min(t.mejor, ms);
    }
    return t;
}

int principal(const QStringList& args)
{
    const bool pequeno = bench::ModoPequeno(args);
    const int en = int(args.indexOf(QLatin1String("--runs")));
    const int veces = en > 0 ? std::max(1, args.value(en + 1).toInt()) : 3;
    const std::vector<qsizetype> tamanos = pequeno ? std::vector<qsizetype>{32768, 131072}
                                                   : std::vector<qsizetype>{131072, 524288, 1048576};
    QTextStream out(stdout);
    bool cumple = true;
    for (const auto& [servidor, nombreServidor] :
         {std::pair{ado::BackendKind::SqlServer, "SQL Server"}, std::pair{ado::BackendKind::Oracle, "Oracle"}}) {
        for (const Texto& t : textos()) {
            out << nombreServidor << ", " << t.nombre << ":";
            double primero = 0, ultimo = 0;
            for (qsizetype n : tamanos) {
                const QString texto = t.hacer(n);
                bool leida = false;
                const Tiempo ms = medir(texto, servidor, veces, &leida);
                bench::Exigir(leida, QStringLiteral("%1 on %2 at %3 characters was refused: the figure would time a "
                                                    "refusal, not the reading of the whole text")
                                         .arg(QString::fromLatin1(t.nombre), QString::fromLatin1(nombreServidor))
                                         .arg(texto.size()));
                if (n == tamanos.front())
                    primero = ms.mejor / double(texto.size());
                ultimo = ms.mejor / double(texto.size());
                out << "  " << (texto.size() / 1024) << " KiB " << QString::number(ms.mejor, 'f', 1) << " ms (first "
                    << QString::number(ms.primero, 'f', 1) << ", " << (leida ? "read" : "refused") << ")";
                out.flush();
            }
            const double porMega = ultimo * 1048576.0;
            // Linear: the time per character at the largest size stays within a small factor of the smallest's.
            const bool lineal = ultimo <= std::max(primero, 1e-6) * 4;
            const bool bien = porMega < 500 && lineal;
            cumple = cumple && bien;
            out << "  => " << QString::number(porMega, 'f', 1) << " ms per MiB  goal < 500 ms per MiB, linear  "
                << (bien ? "met" : "NOT MET") << Qt::endl;
        }
    }
    out << (cumple ? "All goals met." : "Some goals NOT met.") << Qt::endl;
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    return bench::Principal([&] { return principal(app.arguments()); });
}
