#pragma once
// The browser's page: every navigation, of the main frame or of a frame inside it, is held back and handed to
// the control, which asks its before-navigate handler; only the address the control has just allowed goes
// through, and only into the main frame.

#include <QWebEnginePage>

namespace web {

class WebBrowser;

class PaginaControlada final : public QWebEnginePage {
    Q_OBJECT

public:
    PaginaControlada(QWebEngineProfile* perfil, WebBrowser* control);

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
    QWebEnginePage* createWindow(WebWindowType type) override;

private:
    WebBrowser* m_control;
};

} // namespace web
