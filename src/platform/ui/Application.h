#pragma once
// The program's application object. Every event (a key, a click, a timer, a queued call) is delivered through
// it, so it is where a failure that no routine of the program handled ends up: instead of leaving through Qt
// and ending the program (and with it the operator's unsaved work and edit lock), it is shown in the suite's
// error dialog and the program goes on with the next event.
//
//     ui::Application app(argc, argv);      // in main, in place of QApplication
//
// ProgramEnded and UnexpectedPrompt (the tests' scripted dialogs) still pass through.

#include <QApplication>
#include <exception>

namespace ui {

class Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

// Shows a failure that left an event handler of `receiver` in the error dialog, titled with what the operator
// knows of it (the window and the command, LugarDelError.h) and saying that the command was not completed.
// A failure that comes while a dialog is on show is shown once that dialog closes; failures that repeat while
// dialogs are on show (one on every repaint, say) are shown once, with how often they came, so they never pile
// up dialogs.
void showHandlerError(const std::exception_ptr& error, const QObject* receiver);

} // namespace ui
