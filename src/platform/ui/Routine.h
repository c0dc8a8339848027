#pragma once
// A routine's error handling: each statement of the routine is a step; when a step fails, the routine's
// handler decides: 4 (Retry) runs the step again, 5 (Ignore) goes on with the next step, anything else
// leaves the routine. The default handler asks the operator through the suite's error dialog.
//
//     ui::Routine r("Inicializa");
//     if (!r.step([&] { rs.Open(sql); })) return;
//     if (!r.step([&] { total = rs.Fields("x").Value().toDouble(); })) return;
//
//     ui::Routine quiet("", ui::silently(ui::vbIgnore));             // errors ignored
//     ui::Routine leer("FORM_LOAD", ui::passOver({3265}, ui::toCaller()));  // 3265 skipped, others raised
//
// ProgramEnded and UnexpectedPrompt always pass through.

#include "OperatorDialogs.h"

#include <QList>
#include <exception>
#include <functional>
#include <initializer_list>

namespace ui {

// Turns a caught failure into what the error dialog shows; nullopt when it is not of its kind.
// The data layer registers one for its database errors.
using ErrorTranslator = std::function<std::optional<ErrorInfo>(const std::exception_ptr&)>;
void registerErrorTranslator(ErrorTranslator translator);
// Uses the registered translators, newest first; ErrorInfo thrown as such and std::exception are known too.
ErrorInfo errorInfoOf(const std::exception_ptr& error);

// The answer for a failed step: vbRetry, vbIgnore, anything else leaves. It may also rethrow.
using ErrorHandler = std::function<int(const std::exception_ptr& error, const QString& routine)>;

ErrorHandler askOperator();              // the suite's error dialog (the default)
ErrorHandler silently(int answer);       // always this answer, nothing shown
// Errors with one of these numbers are ignored silently (go on with the next step); others go to otherwise.
ErrorHandler passOver(QList<qint64> numbers, ErrorHandler otherwise = askOperator());
ErrorHandler toCaller();                 // no handler of its own: the failure goes on to the caller

class Routine {
public:
    explicit Routine(QString name, ErrorHandler handler = askOperator());

    // Runs one statement. Returns false when the routine must be left (and from then on runs nothing).
    bool step(const std::function<void()>& statement);
    // Runs statements in order until one says to leave; false then.
    bool steps(std::initializer_list<std::function<void()>> statements);

    bool left() const { return m_left; }
    const QString& name() const { return m_name; }
    // Changes the handler for the steps that follow.
    void setHandler(ErrorHandler handler) { m_handler = std::move(handler); }
    // The last failure that was ignored or that left the routine.
    const std::optional<ErrorInfo>& lastError() const { return m_lastError; }

private:
    QString m_name;
    ErrorHandler m_handler;
    bool m_left = false;
    std::optional<ErrorInfo> m_lastError;
};

} // namespace ui
