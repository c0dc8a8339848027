#include "Application.h"

#include "Routine.h"

#include <QWidget>

namespace ui {

namespace {

// The name the error dialog gives as the routine: the receiver's own name, or its window's, or its class.
QString routineOf(const QObject* receiver)
{
    if (!receiver)
        return {};
    if (!receiver->objectName().isEmpty())
        return receiver->objectName();
    if (const auto* widget = qobject_cast<const QWidget*>(receiver))
        if (const QWidget* window = widget->window(); window && !window->objectName().isEmpty())
            return window->objectName();
    return QString::fromLatin1(receiver->metaObject()->className());
}

} // namespace

Application::Application(int& argc, char** argv)
    : QApplication(argc, argv)
{
}

bool Application::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const ProgramEnded&) {
        throw;
    } catch (const UnexpectedPrompt&) {
        throw;
    } catch (...) {
        showHandlerError(std::current_exception(), receiver);
        // The event counts as handled: nothing else acts on it half done.
        return true;
    }
}

void showHandlerError(const std::exception_ptr& error, const QObject* receiver)
{
    static bool showing = false;
    const ErrorInfo info = errorInfoOf(error);
    if (showing) {
        qWarning("Error %lld (%s) while another was on show: %s", static_cast<long long>(info.number),
                 qPrintable(routineOf(receiver)), qPrintable(info.description));
        return;
    }
    showing = true;
    struct Fin {
        ~Fin() { showing = false; }
    } fin;
    // Whatever the answer, the event is over: there is no statement to retry and nothing after it to skip to.
    dialogs().ErrorDialog(info, routineOf(receiver));
}

} // namespace ui
