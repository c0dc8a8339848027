#include "PaginaControlada.h"

#include "WebBrowser.h"

namespace web {

PaginaControlada::PaginaControlada(QWebEngineProfile* perfil, WebBrowser* control)
    : QWebEnginePage(perfil, control), m_control(control)
{
}

bool PaginaControlada::acceptNavigationRequest(const QUrl& url, NavigationType /*type*/, bool isMainFrame)
{
    if (!isMainFrame)
        return true;
    if (!m_control->m_permitida.isEmpty() && url == m_control->m_permitida) {
        m_control->m_permitida.clear();
        return true;
    }
    m_control->NavegacionPedida(url);
    return false;
}

QWebEnginePage* PaginaControlada::createWindow(WebWindowType /*type*/)
{
    // The pages open no windows of their own: their links are requests that the control's handler serves.
    return nullptr;
}

} // namespace web
