// The step runner behind every routine's error handler: Retry, Ignore, Leave, and the silent policies.
#include "platform/ui/Routine.h"
#include "platform/ui/ScriptedDialogs.h"

#include <QTest>
#include <stdexcept>

using namespace ui;

namespace {

// A failure of the kind the data layer raises, with its own number.
struct NumberedError : std::exception {
    explicit NumberedError(qint64 n) : number(n) {}
    qint64 number;
    const char* what() const noexcept override { return "numbered"; }
};

// Runs three steps; the second fails the first `failures` times it runs.
struct ThreeSteps {
    explicit ThreeSteps(int failingRuns, qint64 errorNumber = 3265) : failures(failingRuns), number(errorNumber) {}
    int failures;
    qint64 number;
    QStringList trace;

    bool run(Routine& r)
    {
        if (!r.step([&] { trace << "a"; }))
            return false;
        if (!r.step([&] {
                trace << "b";
                if (failures-- > 0)
                    throw NumberedError(number);
                trace << "b done";
            }))
            return false;
        return r.step([&] { trace << "c"; });
    }
};

} // namespace

class TestRoutine : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        registerErrorTranslator([](const std::exception_ptr& e) -> std::optional<ErrorInfo> {
            try {
                std::rethrow_exception(e);
            } catch (const NumberedError& n) {
                return ErrorInfo{n.number, QStringLiteral("numbered %1").arg(n.number), "test"};
            } catch (...) {
                return std::nullopt;
            }
        });
    }

    void answersDecideTheNextStep_data()
    {
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<int>("failures");
        QTest::addColumn<bool>("finished");
        QTest::addColumn<QStringList>("trace");
        QTest::newRow("no failure") << QList<int>{} << 0 << true << QStringList{"a", "b", "b done", "c"};
        QTest::newRow("retry runs the step again")
            << QList<int>{vbRetry} << 1 << true << QStringList{"a", "b", "b", "b done", "c"};
        QTest::newRow("retry twice, then it works")
            << QList<int>{vbRetry, vbRetry} << 2 << true << QStringList{"a", "b", "b", "b", "b done", "c"};
        QTest::newRow("ignore goes on with the next step")
            << QList<int>{vbIgnore} << 1 << true << QStringList{"a", "b", "c"};
        QTest::newRow("abort leaves") << QList<int>{vbAbort} << 1 << false << QStringList{"a", "b"};
        QTest::newRow("retry then abort leaves")
            << QList<int>{vbRetry, vbAbort} << 5 << false << QStringList{"a", "b", "b"};
    }
    void answersDecideTheNextStep()
    {
        QFETCH(QList<int>, answers);
        QFETCH(int, failures);
        QFETCH(bool, finished);
        QFETCH(QStringList, trace);

        ScriptedDialogs d;
        for (int answer : answers)
            d.expectErrorDialog(answer).withRoutine("Inicializa").withNumber(3265).withText("numbered 3265");
        Routine r("Inicializa");
        ThreeSteps steps{failures};
        QCOMPARE(steps.run(r), finished);
        QCOMPARE(steps.trace, trace);
        QCOMPARE(r.left(), !finished);
        QVERIFY(d.verifyDone());
    }

    void aLeftRoutineRunsNothingMore()
    {
        Routine r("x", silently(vbAbort));
        QVERIFY(!r.step([] { throw std::runtime_error("boom"); }));
        bool ran = false;
        QVERIFY(!r.step([&] { ran = true; }));
        QVERIFY(!ran);
        QCOMPARE(r.lastError()->description, QString("boom"));
    }

    void silentPolicies()
    {
        ScriptedDialogs d;  // nothing may be shown
        {
            Routine r("", silently(vbIgnore));
            ThreeSteps steps{1};
            QVERIFY(steps.run(r));
            QCOMPARE(steps.trace, (QStringList{"a", "b", "c"}));
            QCOMPARE(r.lastError()->number, 3265);
        }
        {
            Routine r("", silently(vbAbort));
            ThreeSteps steps{1};
            QVERIFY(!steps.run(r));
            QCOMPARE(steps.trace, (QStringList{"a", "b"}));
        }
        QVERIFY(d.verifyDone());
    }

    void passOverListedNumbersOnly()
    {
        ScriptedDialogs d;
        d.expectErrorDialog(vbAbort).withNumber(13);
        Routine r("FORM_LOAD", passOver({3265}));
        ThreeSteps skipped{1, 3265};
        QVERIFY(skipped.run(r));
        ThreeSteps asked{1, 13};
        QVERIFY(!asked.run(r));
        QVERIFY(d.verifyDone());
    }

    void toCallerRaisesAndHandlerCanChange()
    {
        Routine r("Leer", passOver({3265}, toCaller()));
        QVERIFY(r.step([] { throw NumberedError(3265); }));
        r.setHandler(toCaller());
        QVERIFY_THROWS_EXCEPTION(NumberedError, r.step([] { throw NumberedError(3265); }));
    }

    void endAndUnexpectedPromptsPassThrough()
    {
        ScriptedDialogs d;
        Routine r("x", silently(vbIgnore));
        QVERIFY_THROWS_EXCEPTION(ProgramEnded, r.step([] { dialogs().EndProgram(0); }));
        QVERIFY_THROWS_EXCEPTION(UnexpectedPrompt, r.step([] { dialogs().MsgBox("sin guion"); }));
        QVERIFY(!d.verifyDone());
    }

    void stepsRunsUntilLeft()
    {
        QStringList trace;
        Routine r("x", silently(vbAbort));
        QVERIFY(!r.steps({[&] { trace << "1"; }, [&] { throw std::runtime_error("no"); }, [&] { trace << "3"; }}));
        QCOMPARE(trace, QStringList{"1"});
    }

    void errorInfoOfKnownKinds()
    {
        QCOMPARE(errorInfoOf(std::make_exception_ptr(ErrorInfo{91, "Object variable not set", "s"})).number, 91);
        QCOMPARE(errorInfoOf(std::make_exception_ptr(NumberedError(7))).number, 7);
        QCOMPARE(errorInfoOf(std::make_exception_ptr(std::runtime_error("plain"))).description, QString("plain"));
        QCOMPARE(errorInfoOf(std::make_exception_ptr(42)).number, 0);
    }
};

QTEST_MAIN(TestRoutine)
#include "tst_ui_routine.moc"
