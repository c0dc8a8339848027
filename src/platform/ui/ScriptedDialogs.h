#pragma once
// Operator dialogs for tests. The script lists the prompts the code under test must show, in order, with the
// operator's answer to each; every prompt is recorded. A prompt that is not the next one of the script (or
// comes after the script ran out, or asks for an answer its buttons do not offer) is recorded as a failure
// and throws UnexpectedPrompt, so the test fails there and never blocks on a real dialog.
//
//     ui::ScriptedDialogs d;                                   // installed until it goes out of scope
//     d.expectMsgBox(ui::vbYes).containing("¿Confirma?").withTitle("ATENCIÓN");
//     d.expectInput("3");  d.expectErrorDialog(ui::vbRetry).withRoutine("Inicializa");
//     d.onModal<LookupWindow>([](LookupWindow& w) { w.pick(2); return int(QDialog::Accepted); });
//     d.expectPopup("mnuBorrar");
//     ... run the code ...
//     QVERIFY(d.verifyDone());                                 // every answer used, nothing unexpected
//     QCOMPARE(d.log().at(0).text, ...);
//
// A test that walks every command and cannot know each prompt beforehand answers the rest by default:
//
//     d.answerByDefault();       // once the script runs out, each prompt gets the answer Enter would give

#include "OperatorDialogs.h"

#include <QDialog>
#include <QList>
#include <deque>

namespace ui {

enum class PromptKind { MsgBox, InputBox, ErrorDialog, Modal, Popup, OpenFile, PickDate, EndProgram };
QString promptKindName(PromptKind kind);

// One prompt as the code under test showed it.
struct Prompt {
    PromptKind kind = PromptKind::MsgBox;
    QString text;    // MsgBox/InputBox prompt, error description, window class, menu title, file-dialog title
    QString title;   // MsgBox/InputBox title, error-dialog routine
    int style = 0;   // MsgBox style number
    ErrorInfo error; // ErrorDialog only
    QString detail;  // InputBox default text, file-dialog folder and filter, PickDate initial date (ISO)
    QString answer;  // what the script answered, readable
};

class ScriptedDialogs final : public OperatorDialogs {
public:
    // One scripted prompt; the with... calls narrow what it accepts.
    class Expect {
    public:
        Expect& withText(const QString& exact);
        Expect& containing(const QString& part);
        Expect& withTitle(const QString& exact);
        Expect& withStyle(int style);
        Expect& withRoutine(const QString& routine) { return withTitle(routine); }
        Expect& withNumber(qint64 number);

    private:
        friend class ScriptedDialogs;
        PromptKind kind = PromptKind::MsgBox;
        std::optional<QString> text, part, title;
        std::optional<int> style;
        std::optional<qint64> number;
        int answer = 0;
        std::optional<QString> typed;            // InputBox (nullopt cancels), OpenFile ("" cancels)
        std::optional<QDate> date;               // PickDate (nullopt cancels)
        QString actionName;                      // Popup ("" dismisses)
        QString modalClass;
        std::function<std::optional<int>(QDialog&)> modal;  // nullopt: not the expected window class
    };

    ScriptedDialogs();   // installs itself
    ~ScriptedDialogs() override;  // puts back what was installed before
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    Expect& expectMsgBox(int answer);
    Expect& answerMsgBox(int answer, const QString& containing) { return expectMsgBox(answer).containing(containing); }
    Expect& expectInput(const QString& typed);
    Expect& cancelInput();
    Expect& expectErrorDialog(int answer);
    // The next modal window must be a W; fn drives it and returns the result the modal run gives back.
    // The window is shown before fn runs and hidden after it, as a modal run does.
    template <class W, class F>
    Expect& onModal(F fn)
    {
        return addModal(QString::fromLatin1(W::staticMetaObject.className()),
                        [fn](QDialog& d) -> std::optional<int> {
                            W* w = dynamic_cast<W*>(&d);
                            if (!w)
                                return std::nullopt;
                            return int(fn(*w));
                        });
    }
    Expect& onModal(std::function<int(QDialog&)> fn);
    // The operator chooses the action with this object name (or this text, "&" ignored) from the next menu.
    Expect& expectPopup(const QString& actionName);
    Expect& dismissPopup();
    Expect& expectOpenFile(const QString& path);  // "" cancels
    Expect& expectDate(const QDate& date);
    Expect& cancelDate();

    // Once the script has run out, every further prompt is answered as the operator's Enter (or, where Enter
    // has nothing to take, Escape) answers it, and recorded: a message box by its default button, an input
    // box with its default text, the error dialog by its default button (Abort), a date picker with its
    // initial date; a modal window is closed (rejected), a menu dismissed, a file dialog cancelled.
    void answerByDefault(bool on = true) { m_byDefault = on; }

    const QList<Prompt>& log() const { return m_log; }
    int pending() const { return int(m_script.size()); }
    const QStringList& failures() const { return m_failures; }
    // True when every scripted prompt came and nothing unexpected did; otherwise prints why and returns false.
    bool verifyDone();
    QString problems() const;

    int MsgBox(const QString& prompt, int style = vbOKOnly, const QString& title = {}) override;
    std::optional<QString> InputBox(const QString& prompt, const QString& title = {},
                                    const QString& defaultText = {}) override;
    int ErrorDialog(const ErrorInfo& error, const QString& routine) override;
    int RunModal(QDialog& dialog) override;
    QAction* PopupMenu(QMenu& menu, const QPoint& globalPos) override;
    QString OpenFileName(const QString& title, const QString& folder, const QString& filter) override;
    std::optional<QDate> PickDate(const QDate& initial) override;
    [[noreturn]] void EndProgram(int exitCode = 0) override;

private:
    Expect& add(PromptKind kind);
    Expect& addModal(const QString& className, std::function<std::optional<int>(QDialog&)> fn);
    // Records the prompt and takes the next script entry, which must be of its kind and match it.
    Expect take(Prompt& prompt);
    [[noreturn]] void fail(const Prompt& prompt, const QString& why);
    static QString describe(const Prompt& prompt);
    static Expect byDefault(const Prompt& prompt);

    std::deque<Expect> m_script;
    QList<Prompt> m_log;
    QStringList m_failures;
    OperatorDialogs* m_previous = nullptr;
    bool m_verified = false;
    bool m_byDefault = false;
};

} // namespace ui
