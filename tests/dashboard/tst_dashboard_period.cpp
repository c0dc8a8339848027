// The dashboard started on a company whose configured period no fiscal year covers, as the operator meets it:
// one message says so (the program's own message box, closed with Enter), no report is asked for, and the
// period typed with keys then gives the report, written beside its style sheet.

#include "TableroDePrueba.h"

#include "platform/ui/ModalesPorTeclas.h"
#include "platform/ui/TreeView.h"

#include <QApplication>
#include <QLineEdit>

class TstDashboardPeriod : public TableroDePrueba {
    Q_OBJECT

    QStringList m_arranque;   // the modal windows the start-up opened

    bool crearEmpresa() override { return empresa.crear(2030); }

    void arrancar() override
    {
        ModalesPorTeclas modales;
        modales.pulsar(Qt::Key_Return);
        w->Form_Initialize();
        m_arranque = modales.vistas();
    }

    void teclear(const char* dataField, const QString& texto)
    {
        QLineEdit* c = w->Campo(QString::fromLatin1(dataField));
        c->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), c);
        QTest::keyClicks(c, texto);
        QTest::keyClick(c, Qt::Key_Return);
    }

private slots:
    void unSoloMensaje()
    {
        const QString mensaje =
            QStringLiteral("QMessageBox: Ningún ejercicio abarca el período 2030: ingrese las fechas del listado.");
        QCOMPARE(m_arranque, QStringList{mensaje});
        QVERIFY(empresa.registro.pedidos.isEmpty());
        QCOMPARE(w->TextoCampo(QStringLiteral("FechaDESDE")), QString());
        QCOMPARE(w->TextoCampo(QStringLiteral("FechaHASTA")), QString());
        QVERIFY(w->isVisible());
    }

    void elPeriodoTecleadoDaElInforme()
    {
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        ModalesPorTeclas modales;
        teclear("FechaDESDE", QStringLiteral("01/01/2030"));
        teclear("FechaHASTA", QStringLiteral("31/12/2030"));
        QTreeWidgetItem* raiz = w->TreeV->topLevelItem(0);
        QVERIFY(raiz);
        QTest::mouseClick(w->TreeV->viewport(), Qt::LeftButton, {}, w->TreeV->visualItemRect(raiz).center());
        QCOMPARE(modales.vistas(), QStringList());
        QCOMPARE(empresa.registro.pedidos.size(), 1);
        const tablero::PedidoInforme& p = empresa.registro.pedidos.first();
        QCOMPARE(p.Titulo, QStringLiteral("Plan General de Cuentas"));
        QCOMPARE(p.FechaDesde, QStringLiteral("01/01/2030"));
        QCOMPARE(p.FechaHasta, QStringLiteral("31/12/2030"));
        // The page links its style sheet by name: it was written at the start-up all the same.
        QVERIFY(empresa.registro.llamadas.contains(QStringLiteral("css ") + w->CarpetaTemporal()));
    }
};

QTEST_MAIN(TstDashboardPeriod)
#include "tst_dashboard_period.moc"
