// The scripted operator dialogs: answers in order, prompt log, and failure on anything unscripted.
#include "platform/ui/ScriptedDialogs.h"

#include <QAction>
#include <QMenu>
#include <QTest>

using namespace ui;

namespace {

class NumberWindow : public QDialog {
    Q_OBJECT
public:
    int number = 0;
    bool shownDuringRun = false;
};

class OtherWindow : public QDialog {
    Q_OBJECT
};

} // namespace

class TestScriptedDialogs : public QObject {
    Q_OBJECT
private slots:
    void installsAndRestores()
    {
        OperatorDialogs* before = &dialogs();
        {
            ScriptedDialogs d;
            QCOMPARE(&dialogs(), static_cast<OperatorDialogs*>(&d));
            {
                ScriptedDialogs inner;
                QCOMPARE(&dialogs(), static_cast<OperatorDialogs*>(&inner));
            }
            QCOMPARE(&dialogs(), static_cast<OperatorDialogs*>(&d));
        }
        QCOMPARE(&dialogs(), before);
    }

    void answersInOrderAndLogsEveryPrompt()
    {
        ScriptedDialogs d;
        d.expectMsgBox(vbNo).withTitle("ATENCIÓN").containing("¿Confirma?");
        d.expectInput("3,5");
        d.expectErrorDialog(vbIgnore).withRoutine("Inicializa").withNumber(13);
        d.cancelInput();
        d.expectDate(QDate(2024, 2, 29));
        d.expectOpenFile("/tmp/a.mdb");

        QCOMPARE(dialogs().MsgBox("Este registro...\r\n¿Confirma?", vbYesNo | vbQuestion, "ATENCIÓN"), int(vbNo));
        QCOMPARE(dialogs().InputBox("Ingrese la Cantidad del Articulo...", "Carga de Datos", "2"),
                 std::optional<QString>("3,5"));
        QCOMPARE(dialogs().ErrorDialog({13, "Type mismatch", "conccuentas"}, "Inicializa"), int(vbIgnore));
        QCOMPARE(dialogs().InputBox("again"), std::optional<QString>());
        QCOMPARE(dialogs().PickDate(QDate(2024, 1, 1)), std::optional<QDate>(QDate(2024, 2, 29)));
        QCOMPARE(dialogs().OpenFileName("Buscar Base de Datos", "/tmp", "Access |*.MDB"), QString("/tmp/a.mdb"));

        QVERIFY(d.verifyDone());
        QCOMPARE(d.log().size(), 6);
        QCOMPARE(d.log().at(0).kind, PromptKind::MsgBox);
        QCOMPARE(d.log().at(0).style, vbYesNo | vbQuestion);
        QCOMPARE(d.log().at(1).detail, QString("2"));
        QCOMPARE(d.log().at(2).error.description, QString("Type mismatch"));
        QCOMPARE(d.log().at(2).title, QString("Inicializa"));
        QCOMPARE(d.log().at(5).detail, QString("/tmp|Access |*.MDB"));
    }

    void unexpectedPromptFailsAtOnce_data()
    {
        QTest::addColumn<int>("scenario");
        QTest::newRow("nothing scripted") << 0;
        QTest::newRow("wrong kind") << 1;
        QTest::newRow("wrong text") << 2;
        QTest::newRow("answer not among the buttons") << 3;
        QTest::newRow("wrong title") << 4;
        QTest::newRow("error dialog answer out of 3..5") << 5;
    }
    void unexpectedPromptFailsAtOnce()
    {
        QFETCH(int, scenario);
        ScriptedDialogs d;
        switch (scenario) {
        case 1: d.expectInput("x"); break;
        case 2: d.expectMsgBox(vbOK).withText("otro texto"); break;
        case 3: d.expectMsgBox(vbYes); break;
        case 4: d.expectMsgBox(vbOK).withTitle("Aviso al Usuario"); break;
        case 5: d.expectErrorDialog(vbYes); break;
        default: break;
        }
        if (scenario == 5)
            QVERIFY_THROWS_EXCEPTION(UnexpectedPrompt, dialogs().ErrorDialog({1, "x", "y"}, "r"));
        else
            QVERIFY_THROWS_EXCEPTION(UnexpectedPrompt, dialogs().MsgBox("texto", vbOKOnly, "ATENCIÓN"));
        QCOMPARE(d.failures().size(), 1);
        QVERIFY(!d.verifyDone());
        QCOMPARE(d.log().size(), 1);
    }

    void leftoverPromptsAreReported()
    {
        ScriptedDialogs d;
        d.expectMsgBox(vbOK).containing("CONCILIACION FINALIZADA");
        QCOMPARE(d.pending(), 1);
        QVERIFY(!d.verifyDone());
        QVERIFY(d.problems().contains("CONCILIACION FINALIZADA"));
    }

    void modalWindowIsDrivenByItsClass()
    {
        ScriptedDialogs d;
        d.onModal<NumberWindow>([](NumberWindow& w) {
            w.shownDuringRun = w.isVisible();
            w.number = 42;
            return QDialog::Accepted;
        });
        d.onModal<NumberWindow>([](NumberWindow&) { return QDialog::Rejected; });

        NumberWindow w;
        QCOMPARE(dialogs().RunModal(w), int(QDialog::Accepted));
        QVERIFY(w.shownDuringRun);
        QVERIFY(!w.isVisible());
        QCOMPARE(w.number, 42);

        OtherWindow other;
        QVERIFY_THROWS_EXCEPTION(UnexpectedPrompt, dialogs().RunModal(other));
        QCOMPARE(d.log().last().text, QString("OtherWindow"));
        QVERIFY(!d.verifyDone());
    }

    void popupChoosesAndTriggersOrIsDismissed()
    {
        QMenu menu;
        QAction* borrar = menu.addAction("&Borrar");
        QAction* hidden = menu.addAction("Oculto");
        hidden->setVisible(false);
        QMenu* sub = menu.addMenu("Más");
        QAction* deep = sub->addAction("Profundo");
        deep->setObjectName("mnuProfundo");
        int triggered = 0;
        QObject::connect(deep, &QAction::triggered, [&] { ++triggered; });

        ScriptedDialogs d;
        d.expectPopup("Borrar");
        d.expectPopup("mnuProfundo");
        d.dismissPopup();
        d.expectPopup("Oculto");
        QCOMPARE(dialogs().PopupMenu(menu, {}), borrar);
        QCOMPARE(dialogs().PopupMenu(menu, {}), deep);
        QCOMPARE(triggered, 1);
        QCOMPARE(dialogs().PopupMenu(menu, {}), nullptr);
        QVERIFY_THROWS_EXCEPTION(UnexpectedPrompt, dialogs().PopupMenu(menu, {}));
        QVERIFY(!d.verifyDone());
    }

    void endProgramThrowsAndIsLogged()
    {
        ScriptedDialogs d;
        try {
            dialogs().EndProgram(2);
            QFAIL("EndProgram returned");
        } catch (const ProgramEnded& end) {
            QCOMPARE(end.exitCode, 2);
        }
        QCOMPARE(d.log().last().kind, PromptKind::EndProgram);
        QVERIFY(d.verifyDone());
    }
};

QTEST_MAIN(TestScriptedDialogs)
#include "tst_ui_scripted_dialogs.moc"
