#include "Application.h"

#include "LugarDelError.h"
#include "Routine.h"

#include <QList>

namespace ui {

namespace {

// A failure to show, with how often it came while dialogs were on show.
struct FallaPendiente {
    ErrorInfo error;
    LugarDelError lugar;
    int veces = 1;

    bool esLaMisma(const ErrorInfo& otro, const LugarDelError& otroLugar) const
    {
        return error.number == otro.number && error.description == otro.description && error.source == otro.source
            && lugar.ventana == otroLugar.ventana && lugar.orden == otroLugar.orden;
    }

    // What the dialog shows: the failure, then what became of the command.
    ErrorInfo mostrada() const
    {
        ErrorInfo info = error;
        info.description += lugar.orden.isEmpty()
                                ? QStringLiteral("\r\nNo se completó lo que se estaba haciendo; el programa sigue.")
                                : QStringLiteral("\r\nLa orden \"%1\" no se completó; el programa sigue.").arg(lugar.orden);
        if (veces > 1)
            info.description += QStringLiteral("\r\nEl mismo error ocurrió %1 veces.").arg(veces);
        return info;
    }
};

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
    // The failures shown, and those waiting, since the first dialog of this run of them opened.
    static bool showing = false;
    static QList<FallaPendiente> mostradas;
    static QList<FallaPendiente> esperando;
    const ErrorInfo info = errorInfoOf(error);
    const LugarDelError lugar = lugarDelManejador(receiver);
    if (showing) {
        qWarning("Error %lld (%s) while another was on show: %s", static_cast<long long>(info.number),
                 qPrintable(lugar.titulo()), qPrintable(info.description));
        for (QList<FallaPendiente>* lista : {&mostradas, &esperando})
            for (FallaPendiente& f : *lista)
                if (f.esLaMisma(info, lugar)) {
                    ++f.veces;
                    return;
                }
        esperando.append({info, lugar});
        return;
    }
    showing = true;
    struct Fin {
        ~Fin()
        {
            showing = false;
            mostradas.clear();
            esperando.clear();
        }
    } fin;
    mostradas.append({info, lugar});
    for (qsizetype i = 0; i < mostradas.size();) {
        // Whatever the answer, the event is over: there is no statement to retry and nothing after it to skip to.
        dialogs().ErrorDialog(mostradas.at(i).mostrada(), mostradas.at(i).lugar.titulo());
        ++i;
        if (i == mostradas.size() && !esperando.isEmpty())
            mostradas.append(esperando.takeFirst());
    }
}

} // namespace ui
