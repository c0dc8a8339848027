#pragma once
// Shows a written file in a browser: full screen on, the file's address, theatre mode off; each step goes
// on past a failure of its own.

#include <QString>

namespace web { class WebBrowser; }

namespace tablero {

void NavegarArchivo(web::WebBrowser& navegador, const QString& ruta);

} // namespace tablero
