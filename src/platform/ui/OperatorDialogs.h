#pragma once
// Every modal interaction with the operator goes through this interface. The program installs the Qt
// implementation (QtDialogs); tests install ScriptedDialogs, which answers in order, records every prompt
// and fails on one it did not expect. No code outside src/platform/ui opens a QMessageBox itself.

#include "platform/ui/base/MsgBoxConstants.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <stdexcept>

class QDialog;
class QMenu;
class QAction;
class QWidget;
class QPoint;

namespace ui {

// What the suite's error dialog is shown.
struct ErrorInfo {
    qint64 number = 0;
    QString description;
    QString source;
};

class OperatorDialogs {
public:
    virtual ~OperatorDialogs() = default;

    // Returns the answer 1..7.
    virtual int MsgBox(const QString& prompt, int style = vbOKOnly, const QString& title = {}) = 0;
    // Returns the typed text, or std::nullopt when cancelled.
    virtual std::optional<QString> InputBox(const QString& prompt, const QString& title = {},
                                            const QString& defaultText = {}) = 0;
    // The suite's error dialog for a routine's failure: returns 3 (abort), 4 (retry) or 5 (ignore).
    virtual int ErrorDialog(const ErrorInfo& error, const QString& routine) = 0;
    // Runs a modal window to its end and returns its result (QDialog::Accepted/Rejected or done(code)).
    virtual int RunModal(QDialog& dialog) = 0;
    // Pops a menu; returns the chosen action, or nullptr when it was dismissed.
    virtual QAction* PopupMenu(QMenu& menu, const QPoint& globalPos) = 0;
    // File dialog; "" when cancelled.
    virtual QString OpenFileName(const QString& title, const QString& folder, const QString& filter) = 0;
    // Date picker; std::nullopt when cancelled.
    virtual std::optional<QDate> PickDate(const QDate& initial) = 0;
    // Ends the program (the Qt implementation quits the event loop and exits; tests throw ProgramEnded).
    [[noreturn]] virtual void EndProgram(int exitCode = 0) = 0;
};

// The installed implementation; QtDialogs until a test installs another.
OperatorDialogs& dialogs();
// Installs an implementation (not owned); nullptr restores the Qt one.
void installDialogs(OperatorDialogs* impl);

// Thrown by ScriptedDialogs::EndProgram so that a test can observe the end of the program.
struct ProgramEnded {
    int exitCode = 0;
};

// Thrown by ScriptedDialogs on a prompt its script did not expect. Error handlers let it through, so the
// test fails at the prompt instead of going on with an invented answer.
struct UnexpectedPrompt : std::runtime_error {
    using std::runtime_error::runtime_error;
};

} // namespace ui
