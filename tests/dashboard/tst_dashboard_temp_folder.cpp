// The dashboard started where no folder for its report can be made, as the operator meets it: TEMP names a
// folder that does not exist. One message says what is wrong with the folder, the next names the report's file
// that cannot be written, and the window is then left usable: no busy display, Cancelar hidden, the tree
// enabled, no page loading. Each request says it again, for a missing, a relative and an open-to-all folder,
// and writes nothing; once TEMP names a usable folder, the next request writes the report and shows it.

#include "TableroDePrueba.h"

#include "platform/browser/WebBrowser.h"
#include "platform/suite/PictureBox.h"
#include "platform/ui/ModalesPorTeclas.h"
#include "platform/ui/TreeView.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>

class TstDashboardTempFolder : public TableroDePrueba {
    Q_OBJECT

    QByteArray m_temp;          // the usable TEMP the company was made with
    QStringList m_arranque;     // the modal windows the start-up opened

    void arrancar() override
    {
        m_temp = qgetenv("TEMP");
        qputenv("TEMP", empresa.carpeta.filePath(QStringLiteral("no-existe")).toUtf8());
        ModalesPorTeclas modales;
        for (int i = 0; i < 4; ++i)
            modales.pulsar(Qt::Key_Return);
        w->Form_Initialize();
        m_arranque = modales.vistas();
    }


private slots:
    void arranqueSinCarpeta()
    {
        QCOMPARE(m_arranque.size(), 2);
        QVERIFY2(m_arranque.at(0).contains(QLatin1String("no-existe")), qPrintable(m_arranque.at(0)));
        QVERIFY2(m_arranque.at(1).contains(QLatin1String("No se puede crear el archivo BSC01.htm: ")),
                 qPrintable(m_arranque.at(1)));
        QVERIFY2(m_arranque.at(1).contains(QLatin1String("no-existe")), qPrintable(m_arranque.at(1)));
        QCoreApplication::processEvents();
        QVERIFY(libre());
        QVERIFY(w->StatusPanel1->text() != QLatin1String(" Cargando la página ..."));
        QVERIFY(empresa.registro.pedidos.isEmpty());
        QVERIFY(w->ArchivoInforme().isEmpty());
    }

    void pedidoSinCarpeta_data()
    {
        QTest::addColumn<QString>("temp");
        QTest::addColumn<bool>("abiertaATodos");
        QTest::newRow("missing") << QStringLiteral("no-existe") << false;
        QTest::newRow("relative") << QStringLiteral("") << false;
        QTest::newRow("open to all") << QStringLiteral("abierta") << true;
    }
    void pedidoSinCarpeta()
    {
        QFETCH(QString, temp);
        QFETCH(bool, abiertaATodos);
        QString carpeta = temp.isEmpty() ? QStringLiteral("informes-relativos") : empresa.carpeta.filePath(temp);
        if (abiertaATodos) {
            QVERIFY(QDir().mkpath(carpeta));
            QVERIFY(QFile::setPermissions(carpeta, QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                       | QFileDevice::ExeOwner | QFileDevice::ReadOther
                                                       | QFileDevice::WriteOther | QFileDevice::ExeOther));
        }
        qputenv("TEMP", carpeta.toUtf8());
        ModalesPorTeclas modales;
        modales.pulsar(Qt::Key_Return);
        modales.pulsar(Qt::Key_Return);
        w->TreeV_NodeClick(nodoDeCuenta("1101"));
        QCoreApplication::processEvents();
        const QStringList vistas = modales.vistas();
        QCOMPARE(vistas.size(), 1);
        QVERIFY2(vistas.at(0).contains(QLatin1String("No se puede crear el archivo BSC01.htm: ")), qPrintable(vistas.at(0)));
        QVERIFY2(vistas.at(0).contains(carpeta), qPrintable(vistas.at(0)));
        QVERIFY(libre());
        QVERIFY(empresa.registro.pedidos.isEmpty());
        QVERIFY(!QFile::exists(QStringLiteral("informes-relativos")));
    }

    void pedidoConCarpeta()
    {
        qputenv("TEMP", m_temp);
        ModalesPorTeclas modales;
        w->TreeV_NodeClick(nodoDeCuenta("1101"));
        QTRY_VERIFY_WITH_TIMEOUT(libre(), 60000);
        QCOMPARE(modales.vistas(), QStringList());
        QCOMPARE(empresa.registro.pedidos.size(), 1);
        QVERIFY(QFile::exists(w->ArchivoInforme()));
        // The style sheet beside it.
        QVERIFY(empresa.registro.llamadas.contains(QStringLiteral("css ") + QFileInfo(w->ArchivoInforme()).path()
                                                   + QLatin1Char('/')));
        QCOMPARE(w->wbExplorer->LocationURL(), QUrl::fromLocalFile(w->ArchivoInforme()).toString());
        QCOMPARE(w->StatusPanel1->text(), QStringLiteral(" Listo ..."));
    }
};

QTEST_MAIN(TstDashboardTempFolder)
#include "tst_dashboard_temp_folder.moc"
