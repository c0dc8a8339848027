#pragma once
// A program ended by the system ends as its own close does: SIGTERM (logout, shutdown, a service manager),
// SIGHUP (its terminal gone) and SIGINT (Ctrl+C where it was started) would otherwise kill it on the spot,
// leaving its edit-lock row, its run folders and the engine's journal behind. The signal is only noted where it
// arrives (a byte into a pipe, all a signal handler may safely do); the pipe's notifier then runs the close as
// an event of the program's own thread, wherever its event loop is (a dialog or a wait included).
//
//     ui::OnSystemEnd([] { ventana.CerrarSinPreguntar(); });   // in main, once the window is made
//
// A signal this process was started with ignored (nohup's SIGHUP) stays ignored.

#include <functional>

namespace ui {

// Installs `close` for SIGTERM, SIGHUP and SIGINT; it runs once, on the thread of the application object,
// which must exist. `close` is expected to end the program without asking the operator anything.
void OnSystemEnd(std::function<void()> close);

} // namespace ui
