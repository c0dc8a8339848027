// The program's connection while another station writes to the company file: after about a second the
// waiting window shows, and its Cancelar stops the statement with nothing written.

#include "BaseDePrueba.h"
#include "data/AvisoEspera.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <sqlite3.h>

class TstAvisoEspera : public QObject {
    Q_OBJECT
private slots:
    void cancelarDejaLaOperacionSinHacer()
    {
        BaseDePrueba base;
        DB_Dll db;
        base.Abrir(db, QStringLiteral("admin"));
        db.gCnn.Execute(QStringLiteral("CREATE TABLE espera (v INTEGER)"));

        sqlite3* otra = nullptr;
        QCOMPARE(sqlite3_open(base.archivo.toUtf8().constData(), &otra), SQLITE_OK);
        QCOMPARE(sqlite3_exec(otra, "BEGIN IMMEDIATE; INSERT INTO espera VALUES (1)",
                              nullptr, nullptr, nullptr),
                 SQLITE_OK);

        // Looks for the window while the statement waits, and presses its button.
        QString texto;
        bool visible = false;
        QTimer mirar;
        mirar.setInterval(50);
        QObject::connect(&mirar, &QTimer::timeout, [&] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                auto* ventana = qobject_cast<QDialog*>(w);
                if (!ventana || ventana->objectName() != QLatin1String("AvisoEspera") || !ventana->isVisible())
                    continue;
                visible = true;
                texto = ventana->findChild<QLabel*>()->text();
                QTest::mouseClick(ventana->findChild<QPushButton*>(QStringLiteral("Cancelar")), Qt::LeftButton);
                mirar.stop();
            }
        });
        mirar.start();
        QElapsedTimer reloj;
        reloj.start();
        QString error;
        try {
            db.gCnn.Execute(QStringLiteral("INSERT INTO espera VALUES (2)"));
        } catch (const ado::Error& e) {
            error = e.Description;
        }
        QVERIFY2(reloj.elapsed() >= ado::kLockWaitNoticeAfterMs, qPrintable(QString::number(reloj.elapsed())));
        QVERIFY(visible);
        QVERIFY2(texto.contains(QStringLiteral("otra estación")), qPrintable(texto));
        QVERIFY2(error.contains(QStringLiteral("no se grabó nada")), qPrintable(error));
        // The window is gone once the wait is over.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        for (QWidget* w : QApplication::topLevelWidgets())
            QVERIFY(!(w->objectName() == QLatin1String("AvisoEspera") && w->isVisible()));

        QCOMPARE(sqlite3_exec(otra, "ROLLBACK", nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(otra);
        QCOMPARE(db.gCnn.Query(QStringLiteral("SELECT COUNT(*) FROM espera")).rows.at(0).at(0).toLong(), qint64(0));
    }
};

QTEST_MAIN(TstAvisoEspera)
#include "tst_data_aviso_espera.moc"
