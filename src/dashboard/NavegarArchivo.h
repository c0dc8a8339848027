#pragma once
// Shows a written file in a browser: full screen on, the file's address, theatre mode off; each step goes
// on past a failure of its own. And what the dashboard and its popup share while a report page loads: the
// wait for it, and the word to the operator when it could not be shown.

#include <QString>
#include <functional>

namespace web { class WebBrowser; }

namespace tablero {

void NavegarArchivo(web::WebBrowser& navegador, const QString& ruta);
// Lets the window's events run until the browser's load under way ends, `interrumpir` answers true, or ten
// seconds have passed. A writer waits so for its first part to be on show: between its own short passes of
// events the page view's load crawls.
void EsperarCarga(web::WebBrowser& navegador, const std::function<bool()>& interrumpir);

// The page process of a browser ended before its time: says so to the operator.
void AvisarInformeNoMostrado();

// The status when a page could not be shown; with the reason when the process may not write files as large
// as the page view needs (a file-size limit, "ulimit -f", below 2 MiB: it then shows no page at all).
QString AvisoPaginaNoMostrada();

} // namespace tablero
