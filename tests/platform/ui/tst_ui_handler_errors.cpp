// A failure that leaves an event handler (a key, an event filter, a click, a timer) is shown in the error
// dialog, named by what the operator knows (the window's title and the command given) and saying that the
// command was not completed, and the program goes on: the window still takes keys afterwards, whatever the
// operator answered. A failure that comes while the dialog is up is shown once it closes.

#include "MainConGuardia.h"
#include "ModalesPorTeclas.h"

#include "platform/ui/ControlErrors.h"
#include "platform/ui/ScriptedDialogs.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <stdexcept>

namespace {

// A field whose key handler fails on F5 with a control error and on F6 with a library exception.
class CampoQueFalla : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() == Qt::Key_F5)
            ui::raiseControlError(ui::kErrInvalidProperty);
        if (event->key() == Qt::Key_F6)
            throw std::out_of_range("posición fuera de la lista");
        QLineEdit::keyPressEvent(event);
    }
};

// A window that sees its field's keys first and fails on F7, as a window's key preview may.
class FiltroQueFalla : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F7)
            ui::raiseControlError(ui::kErrCollectionModified);
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

class TstUiHandlerErrors : public QObject {
    Q_OBJECT

    QWidget* ventana = nullptr;
    CampoQueFalla* campo = nullptr;
    QPushButton* boton = nullptr;

private slots:
    void init()
    {
        ventana = new QWidget;
        ventana->setObjectName(QStringLiteral("frmPrueba"));
        ventana->setWindowTitle(QStringLiteral("Prueba de errores"));
        auto* capas = new QVBoxLayout(ventana);
        campo = new CampoQueFalla(ventana);
        campo->setObjectName(QStringLiteral("txtCampo"));
        boton = new QPushButton(QStringLiteral("Aceptar"), ventana);
        capas->addWidget(campo);
        capas->addWidget(boton);
        campo->installEventFilter(new FiltroQueFalla(ventana));
        connect(boton, &QPushButton::clicked, ventana, [] { ui::raiseControlError(ui::kErrIndexOutOfBounds); });
        ventana->show();
        QVERIFY(QTest::qWaitForWindowExposed(ventana));
        ventana->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(ventana));
    }

    void cleanup() { delete ventana; }

    void aFailureIsShownAndTheWindowGoesOn_data()
    {
        QTest::addColumn<QString>("donde");
        QTest::addColumn<int>("respuesta");
        QTest::addColumn<qint64>("numero");
        QTest::addColumn<QString>("rutina");
        QTest::addColumn<QString>("desenlace");
        const QString nada = QStringLiteral("No se completó lo que se estaba haciendo; el programa sigue.");
        QTest::newRow("key handler") << "key" << int(ui::vbIgnore) << qint64(380) << "Prueba de errores" << nada;
        QTest::newRow("key handler, answered Abort")
            << "key" << int(ui::vbAbort) << qint64(380) << "Prueba de errores" << nada;
        QTest::newRow("library exception in a key handler")
            << "std" << int(ui::vbIgnore) << qint64(0) << "Prueba de errores" << nada;
        QTest::newRow("event filter") << "filter" << int(ui::vbRetry) << qint64(35605) << "Prueba de errores" << nada;
        QTest::newRow("click") << "click" << int(ui::vbIgnore) << qint64(35600) << "Prueba de errores - Aceptar"
                               << "La orden \"Aceptar\" no se completó; el programa sigue.";
        QTest::newRow("queued call") << "queued" << int(ui::vbAbort) << qint64(35601) << "Prueba de errores" << nada;
        QTest::newRow("timer") << "timer" << int(ui::vbAbort) << qint64(35601) << "Prueba de errores" << nada;
    }

    void aFailureIsShownAndTheWindowGoesOn()
    {
        QFETCH(QString, donde);
        QFETCH(int, respuesta);
        QFETCH(qint64, numero);
        QFETCH(QString, rutina);
        QFETCH(QString, desenlace);
        ui::ScriptedDialogs d;
        d.expectErrorDialog(respuesta).withNumber(numero).withRoutine(rutina);
        if (donde == QLatin1String("key"))
            QTest::keyClick(campo, Qt::Key_F5);
        else if (donde == QLatin1String("std"))
            QTest::keyClick(campo, Qt::Key_F6);
        else if (donde == QLatin1String("filter"))
            QTest::keyClick(campo, Qt::Key_F7);
        else if (donde == QLatin1String("click"))
            QTest::mouseClick(boton, Qt::LeftButton);
        else if (donde == QLatin1String("queued"))
            QTimer::singleShot(0, ventana, [] { ui::raiseControlError(ui::kErrElementNotFound); });
        else
            QTimer::singleShot(20, ventana, [] { ui::raiseControlError(ui::kErrElementNotFound); });
        QTRY_COMPARE(d.pending(), 0);
        QVERIFY(d.verifyDone());
        // The failure, then what became of the command.
        const QString dicho = d.log().at(0).error.description;
        QVERIFY2(dicho.endsWith(QStringLiteral("\r\n") + desenlace), qPrintable(dicho));
        if (donde == QLatin1String("std"))
            QVERIFY2(dicho.startsWith(QStringLiteral("posición fuera de la lista\r\n")), qPrintable(dicho));
        // The window lives and takes the operator's keys.
        QVERIFY(ventana->isVisible());
        QTest::keyClicks(campo, QStringLiteral("sigue"));
        QCOMPARE(campo->text(), QStringLiteral("sigue"));
        QTest::keyClick(campo, Qt::Key_Backspace);
        QCOMPARE(campo->text(), QStringLiteral("sigu"));
    }

    // Two failures in a row are each shown: the first one's dialog leaves nothing behind.
    void eachFailureIsShown()
    {
        ui::ScriptedDialogs d;
        d.expectErrorDialog(ui::vbIgnore).withNumber(380);
        d.expectErrorDialog(ui::vbIgnore).withNumber(35605);
        QTest::keyClick(campo, Qt::Key_F5);
        QTest::keyClick(campo, Qt::Key_F7);
        QVERIFY(d.verifyDone());
    }

    // Failures that come while the box is up, on the real boxes closed by keys: each other failure is shown
    // once the box closes, repeats once with how often they came; the one on show is not shown again.
    void aFailureWhileTheBoxIsUpIsShownAfterIt()
    {
        ModalesPorTeclas modales;
        modales.paso([this](QWidget& caja) {
            for (int i = 0; i < 3; ++i)
                QTest::keyClick(campo, Qt::Key_F7);
            QTest::keyClick(campo, Qt::Key_F5);
            QTest::keyClick(ModalesPorTeclas::destino(caja), Qt::Key_Escape);
        });
        QStringList titulos;
        modales.paso([&titulos](QWidget& caja) {
            titulos << caja.windowTitle();
            QTest::keyClick(ModalesPorTeclas::destino(caja), Qt::Key_Escape);
        });
        QTest::keyClick(campo, Qt::Key_F5);
        QVERIFY(modales.terminado());
        QCOMPARE(modales.vistas().size(), 2);
        QVERIFY2(modales.vistas().at(0).contains(QStringLiteral("Error 380: ")), qPrintable(modales.vistas().at(0)));
        QVERIFY2(!modales.vistas().at(0).contains(QStringLiteral("veces")), qPrintable(modales.vistas().at(0)));
        QVERIFY2(modales.vistas().at(1).contains(QStringLiteral("Error 35605: ")), qPrintable(modales.vistas().at(1)));
        QVERIFY2(modales.vistas().at(1).contains(QStringLiteral("El mismo error ocurrió 3 veces.")),
                 qPrintable(modales.vistas().at(1)));
        QCOMPARE(titulos, QStringList{QStringLiteral("Prueba de errores")});
        // Nothing is left waiting: the next failure is shown at once, alone.
        ui::ScriptedDialogs d;
        d.expectErrorDialog(ui::vbIgnore).withNumber(35605);
        QTest::keyClick(campo, Qt::Key_F7);
        QVERIFY(d.verifyDone());
    }

    // The end of the program and a test's unexpected prompt are not failures to show: they go on out.
    void theEndOfTheProgramPassesThrough()
    {
        ui::ScriptedDialogs d;
        QPushButton salir(QStringLiteral("Salir"));
        connect(&salir, &QPushButton::clicked, &salir, [] { ui::dialogs().EndProgram(0); });
        salir.show();
        bool terminado = false;
        try {
            QTest::mouseClick(&salir, Qt::LeftButton);
        } catch (const ui::ProgramEnded&) {
            terminado = true;
        }
        QVERIFY(terminado);
        QVERIFY(d.verifyDone());
    }
};

CONC_TEST_MAIN_CON_GUARDIA(TstUiHandlerErrors)
#include "tst_ui_handler_errors.moc"
