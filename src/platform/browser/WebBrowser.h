#pragma once
// The embedded web browser of the viewers and the dashboard, over QtWebEngine.
//  - Navigate(url) asks the before-navigate handler first and loads the address only when it is not
//    cancelled; a link clicked in the page goes the same way, and a cancelled link never loads.
//  - DownloadComplete (and DocumentComplete with the address) follow every load the control let through,
//    successful or not (UltimaCargaCorrecta tells which); a cancelled link raises neither.
//  - A page process that ends (out of memory, killed, crashed) raises PaginaPerdida; the load under way, if
//    any, ends unsuccessful and is not asked for again.
//  - Pages without a usable charset declaration are read as Windows-1252, as the suite writes them.
//  - Navigating again to the address on show reads the file anew (a page rewritten under the same name
//    shows its new text, never a cached copy).
// The handler gets the address as the browser resolved it: a link of a page in a folder arrives as
// "file:///<folder>/<link text>".

#include <QPointer>
#include <QUrl>
#include <QWidget>
#include <functional>

class QWebEngineView;

namespace web {

class PaginaControlada;

class WebBrowser : public QWidget {
    Q_OBJECT

public:
    // The handler of the before-navigate event: the address about to be opened and the cancel flag (False
    // on entry); setting it True stops the navigation.
    using AntesDeNavegar = std::function<void(const QString& URL, bool& Cancel)>;

    explicit WebBrowser(QWidget* parent = nullptr);
    ~WebBrowser() override;

    // What the program calls; an address without a scheme is taken as a local file path.
    void Navigate(const QString& URL);
    void setBeforeNavigate2(AntesDeNavegar handler) { m_antes = std::move(handler); }
    // Stops the load under way: the load ends (DownloadComplete) now, and the page is dropped with the memory
    // its page process held, leaving the view empty. True when a load was stopped.
    bool Stop();
    // True from an allowed navigation until its DownloadComplete.
    bool Cargando() const { return !m_cargando.isEmpty(); }
    // Whether the last load that ended shows its page (false when it failed, was stopped or lost its process).
    bool UltimaCargaCorrecta() const { return m_cargaCorrecta; }

    // Kept as set; they change nothing on screen.
    bool FullScreen = false;
    bool TheaterMode = false;

    // The address on show ("" before the first load).
    QString LocationURL() const;
    QWebEngineView* vista() const { return m_vista; }

    // QtWebEngine wants GL contexts shared between windows; call before the application object exists.
    static void PrepararAplicacion();

signals:
    void DownloadComplete();
    void DocumentComplete(const QString& URL);
    // The page process ended before its time: what was on show is gone. Raised after the handlers of the
    // engine have run, so a window may ask the operator.
    void PaginaPerdida();

private:
    friend class PaginaControlada;
    // A navigation the page asked for (a link): queued so that the handler's work runs outside the engine's
    // callback.
    void NavegacionPedida(const QUrl& url);
    // Runs the handler; true when the navigation may go on.
    bool Permitida(const QUrl& url);
    void Cargar(const QUrl& url);
    void Pedir(const QUrl& url);   // has the page load the address, letting it through once
    // A page of its own in the view, in place of the one there (dropped with its page process).
    void NuevaPagina();
    // The load under way ends: DownloadComplete and DocumentComplete.
    void Terminar(bool correcta);

    QWebEngineView* m_vista = nullptr;
    QPointer<PaginaControlada> m_pagina;
    AntesDeNavegar m_antes;
    QUrl m_permitida;   // the one address the page lets through without asking again
    QUrl m_cargando;    // the load whose end raises DownloadComplete
    QUrl m_retenida;    // a navigation held back whose end the engine has not told yet
    bool m_esperaRetenida = false;   // m_cargando starts when m_retenida ends
    bool m_pedidaOtraVez = false;    // m_cargando was asked for again after the engine failed it without cause
    bool m_cargaCorrecta = false;    // the last load that ended shows its page
};

} // namespace web
