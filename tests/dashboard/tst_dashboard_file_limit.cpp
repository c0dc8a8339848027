// The dashboard in a process whose files may not grow past 1 MiB (as under "ulimit -f 2048", the signal of
// the limit ignored as the program ignores it), on the demo company with the bench lines. A report whose
// first part the limit cuts (the cash account with the tax-book column, listed by business unit) is said in
// the error box, and the window is then left usable: no busy display, Cancelar hidden, the tree enabled, and
// a status that does not claim the report is on show. The page view cannot show any page under such a limit:
// the status says so, and why.

#include "TableroDePrueba.h"

#include "platform/browser/WebBrowser.h"
#include "platform/suite/PictureBox.h"
#include "platform/ui/ModalesPorTeclas.h"
#include "platform/ui/TreeView.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <csignal>
#include <sys/resource.h>

class TstDashboardFileLimit : public TableroDePrueba {
    Q_OBJECT

    // The company is made first; the window and its page view start under the limit.
    bool crearEmpresa() override
    {
        if (!empresa.crearDemo(3000))
            return false;
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limite{1024 * 1024, 1024 * 1024};
        return setrlimit(RLIMIT_FSIZE, &limite) == 0;
    }

    void alAbrir() override { QTRY_VERIFY_WITH_TIMEOUT(libre(), 60000); }
private slots:
    void parteCortadaPorElLimite()
    {
        ModalesPorTeclas modales;
        modales.pulsar(Qt::Key_Return);
        if (!w->ChkIVA->isChecked())
            QTest::mouseClick(w->ChkIVA, Qt::LeftButton);
        w->OptTipoListado(1)->setChecked(true);
        w->TreeV_NodeClick(nodoDeCuenta(schema::kCashAccount));
        QTRY_VERIFY_WITH_TIMEOUT(libre(), 60000);
        QCOMPARE(modales.vistas().size(), 1);
        QVERIFY2(modales.vistas().at(0).contains(QStringLiteral("tamaño máximo")), qPrintable(modales.vistas().at(0)));
        QCOMPARE(w->FCuenta, QString::fromLatin1(schema::kCashAccount));
        const QString estado = w->StatusPanel1->text();
        QVERIFY2(estado.contains(QLatin1String("no mostrado")), qPrintable(estado));
    }

    void paginaBajoElLimite()
    {
        ModalesPorTeclas modales;
        w->OptTipoListado(0)->setChecked(true);
        w->TreeV_NodeClick(nodoDeCuenta(schema::kBankAccount));
        QTRY_VERIFY_WITH_TIMEOUT(libre(), 60000);
        QCOMPARE(modales.vistas(), QStringList());
        QVERIFY(QFileInfo(w->ArchivoInforme()).size() > 0);
        QVERIFY(!w->wbExplorer->UltimaCargaCorrecta());
        const QString estado = w->StatusPanel1->text();
        QVERIFY2(estado.contains(QLatin1String("1.0 MiB")) && estado.contains(QLatin1String("ulimit -f"))
                     && estado.contains(QLatin1String("2 MiB")),
                 qPrintable(estado));
    }
};

QTEST_MAIN(TstDashboardFileLimit)
#include "tst_dashboard_file_limit.moc"
