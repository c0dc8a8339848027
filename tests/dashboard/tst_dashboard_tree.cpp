// The account tree's shape from the chart's codes.

#include "dashboard/ArbolCuentas.h"

#include <QTest>

using namespace tablero;

class TstDashboardTree : public QObject {
    Q_OBJECT

private slots:
    void forma_data()
    {
        QTest::addColumn<QStringList>("codigos");
        QTest::addColumn<QStringList>("esperado");   // "code>parent code" ("" the root); "!code" a repeat
        QTest::newRow("levels climb to their own length")
            << QStringList{"1", "11", "111", "12", "2"}
            << QStringList{"1>", "11>1", "111>11", "12>1", "2>"};
        QTest::newRow("a longer code is a child whatever its digits")
            << QStringList{"1", "101", "11"} << QStringList{"1>", "101>1", "11>1"};
        QTest::newRow("the first account hangs from the root even when long")
            << QStringList{"1101", "1102", "2"} << QStringList{"1101>", "1102>", "2>"};
        QTest::newRow("a repeated code is skipped and the tree goes on from the node before it")
            << QStringList{"1", "11", "11", "111"} << QStringList{"1>", "11>1", "!11", "111>11"};
        QTest::newRow("codes differing only in letter case are one key")
            << QStringList{"A1", "a1", "A11"} << QStringList{"A1>", "!a1", "A11>A1"};
        QTest::newRow("an empty code is the root's own key")
            << QStringList{"", "1"} << QStringList{"!", "1>"};
        QTest::newRow("a shorter code than every open node climbs to the root")
            << QStringList{"111", "1111", "1"} << QStringList{"111>", "1111>111", "1>"};
        QTest::newRow("no account") << QStringList{} << QStringList{};
    }
    void forma()
    {
        QFETCH(QStringList, codigos);
        QFETCH(QStringList, esperado);
        QVector<FilaCuenta> filas;
        for (const QString& c : codigos)
            filas.append({c, QStringLiteral("Cuenta ") + c});
        const QVector<NodoCuenta> nodos = ArmarNodos(filas);
        QStringList obtenido;
        for (const NodoCuenta& n : nodos) {
            if (n.repetida)
                obtenido << QStringLiteral("!") + CodigoDeClave(n.clave);
            else
                obtenido << CodigoDeClave(n.clave) + QLatin1Char('>') + CodigoDeClave(n.padre);
        }
        QCOMPARE(obtenido, esperado);
        for (int i = 0; i < nodos.size(); ++i) {
            QCOMPARE(nodos.at(i).clave, QStringLiteral("A") + codigos.at(i));
            QCOMPARE(nodos.at(i).texto, codigos.at(i) + QStringLiteral(" - Cuenta ") + codigos.at(i));
        }
    }
};

QTEST_GUILESS_MAIN(TstDashboardTree)
#include "tst_dashboard_tree.moc"
