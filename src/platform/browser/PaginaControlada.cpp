#include "PaginaControlada.h"

#include "WebBrowser.h"

namespace web {

PaginaControlada::PaginaControlada(QWebEngineProfile* perfil, WebBrowser* control)
    : QWebEnginePage(perfil, control), m_control(control)
{
}

bool PaginaControlada::acceptNavigationRequest(const QUrl& url, NavigationType /*type*/, bool isMainFrame)
{
    // A page the control has dropped goes nowhere.
    if (m_control->m_pagina != this)
        return false;
    // A frame's own empty document loads nothing.
    if (!isMainFrame && url.scheme() == QLatin1String("about"))
        return true;
    // Any other frame's address is a request like a clicked link: held back, asked for, and opened (in the
    // browser itself) only when the handler lets it; the program's pages have no frames of their own.
    if (isMainFrame && !m_control->m_permitida.isEmpty() && url == m_control->m_permitida) {
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
