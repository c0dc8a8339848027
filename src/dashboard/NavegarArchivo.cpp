#include "NavegarArchivo.h"

#include "platform/browser/WebBrowser.h"
#include "platform/ui/Routine.h"

namespace tablero {

void NavegarArchivo(web::WebBrowser& navegador, const QString& ruta)
{
    ui::Routine r(QString(), ui::silently(ui::vbIgnore));
    r.steps({
        [&] { navegador.FullScreen = true; },
        [&] { navegador.Navigate(QStringLiteral("file://") + ruta); },
        [&] { navegador.TheaterMode = false; },
    });
}

} // namespace tablero
