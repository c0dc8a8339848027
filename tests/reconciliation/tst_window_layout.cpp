// The workbench window on screen: maximised, the lists side by side at half the width each, the middle
// buttons centred, the help panel toggled by its icon. With CONC_SCREENSHOT set to a file name the window
// is also saved there as a picture, to look at the layout.

#include "VentanaDePrueba.h"

#include <QGroupBox>
#include <QSplitter>
#include <QToolButton>

class TstWindowLayout : public VentanaDePrueba {
    Q_OBJECT

public:
    TstWindowLayout() : VentanaDePrueba(Vida::PorPrograma) {}

private:
    void alAbrir() override
    {
        w->Show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        cargarMarzoSinPreguntas();
        QCoreApplication::processEvents();
    }

private slots:
    void maximisedWithItsCaption()
    {
        QCOMPARE(w->windowTitle(), QStringLiteral("Brenquil"));
        QVERIFY(w->isMaximized());
        w->showNormal();
        QTRY_VERIFY(w->isMaximized());
    }

    void listsShareTheWidth()
    {
        w->picNivel->setSizes({100, 900});
        w->resize(w->width() - 10, w->height());
        QCoreApplication::processEvents();
        QVERIFY(w->Lvw->width() > 100);
        QVERIFY(qAbs(w->Lvw->width() - w->Lvw2->width()) <= 2);
        QVERIFY(w->Lvw->geometry().right() < w->Lvw2->geometry().left());
        QVERIFY(w->Lvw->mapTo(w.get(), QPoint(0, 0)).y() > w->lblTotNConc->mapTo(w.get(), QPoint(0, 0)).y());
    }

    void middleButtonsCentred()
    {
        const int centro = w->CmdConciliar->mapTo(w.get(), w->CmdConciliar->rect().center()).x();
        QVERIFY2(qAbs(centro - w->width() / 2) <= w->CmdConciliar->width(), qPrintable(QString::number(centro)));
        const int fila = w->CmdConciliar->mapTo(w.get(), QPoint(0, 0)).y();
        QCOMPARE(w->CmdQuitarI->mapTo(w.get(), QPoint(0, 0)).y(), fila);
        QCOMPARE(w->CmdQuitarD->mapTo(w.get(), QPoint(0, 0)).y(), fila);
        QVERIFY(w->CmdQuitarI->mapTo(w.get(), QPoint(0, 0)).x() < w->CmdConciliar->mapTo(w.get(), QPoint(0, 0)).x());
        QVERIFY(w->CmdQuitarD->mapTo(w.get(), QPoint(0, 0)).x() > w->CmdConciliar->mapTo(w.get(), QPoint(0, 0)).x());
    }

    // The buttons that show only an icon are known by their tooltips, in the operator's words (the README's
    // walk through the demo names them so).
    void iconButtonsSayWhatTheyDo_data()
    {
        QTest::addColumn<QString>("boton");
        QTest::addColumn<QString>("ayuda");
        QTest::newRow("find") << "cmdFind" << "[Ctrol + F] Buscar";
        QTest::newRow("reload") << "cmdRefresh" << "Actualizar";
        QTest::newRow("compare") << "cmdComparar" << "Comparar";
        QTest::newRow("release left") << "CmdQuitarI" << "Quitar movimientos no conciliados en ventana izquierda";
        QTest::newRow("apply") << "CmdConciliar" << "Aplicar";
        QTest::newRow("release right") << "CmdQuitarD" << "Quitar movimientos no conciliados en ventana derecha";
        QTest::newRow("finalize") << "cmdFinalizar" << "Finalizar Conciliación";
    }
    void iconButtonsSayWhatTheyDo()
    {
        QFETCH(QString, boton);
        QFETCH(QString, ayuda);
        const auto* b = w->findChild<QPushButton*>(boton);
        QVERIFY(b);
        QVERIFY(b->text().isEmpty());
        QVERIFY(!b->icon().isNull());
        QCOMPARE(b->toolTip(), ayuda);
    }

    void helpToggles()
    {
        QVERIFY(!w->frmHelp->isVisible());
        w->PicHelp->click();
        QVERIFY(w->frmHelp->isVisible());
        w->PicHelp->click();
        QVERIFY(!w->frmHelp->isVisible());
    }

    void clickElsewhereHidesHelp_data()
    {
        QTest::addColumn<QString>("donde");
        QTest::newRow("header frame") << "Frame1";
        QTest::newRow("help panel") << "frmHelp";
        QTest::newRow("a caption of the panel") << "lblTitulo";
    }

    void clickElsewhereHidesHelp()
    {
        QFETCH(QString, donde);
        w->PicHelp->click();
        QVERIFY(w->frmHelp->isVisible());
        QWidget* destino = donde == "Frame1"    ? static_cast<QWidget*>(w->Frame1)
                           : donde == "frmHelp" ? static_cast<QWidget*>(w->frmHelp)
                                                : static_cast<QWidget*>(w->lblTitulo(8));
        QTest::mouseClick(destino, Qt::LeftButton, {}, QPoint(2, 2));
        QVERIFY(!w->frmHelp->isVisible());
    }

    void picture()
    {
        const QString archivo = qEnvironmentVariable("CONC_SCREENSHOT");
        if (archivo.isEmpty())
            QSKIP("CONC_SCREENSHOT not set");
        QVERIFY(w->grab().save(archivo));
    }
};

QTEST_MAIN(TstWindowLayout)
#include "tst_window_layout.moc"
