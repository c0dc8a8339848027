#include "WebBrowser.h"

#include "PaginaControlada.h"

#include <QCoreApplication>
#include <QDir>
#include <QPointer>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebEngineLoadingInfo>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace web {

namespace {

// Every page of the process. Windows the program never closes (a viewer's default window) still hold
// theirs when the application object goes: they are released before the engine shuts down.
QList<QPointer<QWebEnginePage>>& paginasVivas()
{
    static QList<QPointer<QWebEnginePage>> paginas;
    return paginas;
}

void liberarPaginas()
{
    for (const QPointer<QWebEnginePage>& pagina : std::as_const(paginasVivas()))
        delete pagina.data();
    paginasVivas().clear();
}

// One profile for every browser of the process: in memory only, no HTTP cache, so a page written again
// under the same name is read again. The pages need no script: none runs, so text that reached a page from the
// database can never act.
QWebEngineProfile* perfilDelPrograma()
{
    static QPointer<QWebEngineProfile> perfil;
    if (!perfil) {
        perfil = new QWebEngineProfile(QCoreApplication::instance());
        perfil->setHttpCacheType(QWebEngineProfile::NoCache);
        perfil->settings()->setDefaultTextEncoding(QStringLiteral("windows-1252"));
        perfil->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    }
    return perfil;
}

// "file://" followed by a path (a blank or "#" in it is part of the name), a bare path, or any other URL.
QUrl direccion(const QString& texto)
{
    if (texto.startsWith(QLatin1String("file://"), Qt::CaseInsensitive))
        return QUrl::fromLocalFile(QDir::fromNativeSeparators(texto.mid(7)));
    const QUrl url(texto);
    if (url.isValid() && url.scheme().size() > 1)
        return url;
    return QUrl::fromLocalFile(QDir::fromNativeSeparators(texto));
}

} // namespace

WebBrowser::WebBrowser(QWidget* parent) : QWidget(parent)
{
    m_vista = new QWebEngineView(this);
    m_vista->setContextMenuPolicy(Qt::NoContextMenu);
    auto* caja = new QVBoxLayout(this);
    caja->setContentsMargins(0, 0, 0, 0);
    caja->addWidget(m_vista);
    NuevaPagina();
}

void WebBrowser::NuevaPagina()
{
    PaginaControlada* vieja = m_pagina.data();
    m_pagina = new PaginaControlada(perfilDelPrograma(), this);
    paginasVivas().removeAll(nullptr);
    paginasVivas().append(m_pagina.data());
    // After the engine's own shutdown routine (set up with the first page), so it runs before it.
    static const bool liberacion = (qAddPostRoutine(liberarPaginas), true);
    Q_UNUSED(liberacion);
    m_pagina->settings()->setDefaultTextEncoding(QStringLiteral("windows-1252"));
    m_vista->setPage(m_pagina);
    if (vieja) {
        // Nothing the dropped page still reports is this control's; its page process ends with it.
        vieja->disconnect(this);
        vieja->deleteLater();
    }
    PaginaControlada* pagina = m_pagina.data();
    connect(pagina, &QWebEnginePage::loadingChanged, this, [this](const QWebEngineLoadingInfo& info) {
        if (info.status() == QWebEngineLoadingInfo::LoadStoppedStatus && info.url() == m_retenida) {
            // The held-back navigation is over: a load of its address that waited for it can go.
            m_retenida.clear();
            if (m_esperaRetenida && info.url() == m_cargando) {
                // Not from inside the engine's own report of that end: a load started there can fail at once.
                m_esperaRetenida = false;
                const QUrl url = m_cargando;
                QTimer::singleShot(0, this, [this, url] {
                    if (m_cargando == url)
                        Pedir(url);
                });
                return;
            }
        }
        if (info.status() == QWebEngineLoadingInfo::LoadStartedStatus || m_cargando.isEmpty()
            || info.url() != m_cargando)
            return;
        // Right after a navigation held back, the engine can fail a load of the same address without any
        // error of its own; the address is asked for once more (never after its page process died).
        if (info.status() == QWebEngineLoadingInfo::LoadFailedStatus && info.errorCode() == 0 && !m_pedidaOtraVez) {
            m_pedidaOtraVez = true;
            const QUrl url = m_cargando;
            QTimer::singleShot(0, this, [this, url] {
                if (m_cargando == url) {
                    m_permitida = url;
                    m_pagina->load(url);
                }
            });
            return;
        }
        // A navigation held back ends as stopped (aborted), possibly after the control has already let the
        // same address load: that end is not the load's.
        if (info.status() == QWebEngineLoadingInfo::LoadStoppedStatus)
            return;
        Terminar(info.status() == QWebEngineLoadingInfo::LoadSucceededStatus);
    });
    connect(pagina, &QWebEnginePage::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus estado, int) {
                if (estado == QWebEnginePage::NormalTerminationStatus)
                    return;
                // The page on show is gone with its process (out of memory, killed, crashed). A load under way
                // ends here, unsuccessful, and is never asked for again: the program says what happened.
                m_permitida.clear();
                m_esperaRetenida = false;
                m_pedidaOtraVez = true;
                // A navigation the engine had not yet handed to the dead process would go on in a new one.
                m_pagina->triggerAction(QWebEnginePage::Stop);
                if (!m_cargando.isEmpty())
                    Terminar(false);
                m_cargaCorrecta = false;
                QMetaObject::invokeMethod(this, [this] { emit PaginaPerdida(); }, Qt::QueuedConnection);
            });
}

void WebBrowser::Terminar(bool correcta)
{
    const QUrl terminada = m_cargando;
    m_cargando.clear();
    m_cargaCorrecta = correcta;
    emit DownloadComplete();
    emit DocumentComplete(terminada.toString());
}

WebBrowser::~WebBrowser() = default;

void WebBrowser::PrepararAplicacion()
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

QString WebBrowser::LocationURL() const
{
    return m_pagina->url().toString();
}

void WebBrowser::Navigate(const QString& URL)
{
    const QUrl url = direccion(URL);
    if (Permitida(url))
        Cargar(url);
}

bool WebBrowser::Stop()
{
    if (m_cargando.isEmpty())
        return false;
    m_permitida.clear();
    m_esperaRetenida = false;
    m_pagina->triggerAction(QWebEnginePage::Stop);
    // A page stopped goes on being laid out from what was read, and keeps its memory in its page process
    // whatever is loaded after it: the page is dropped with its process, and the view is left empty.
    NuevaPagina();
    Terminar(false);
    return true;
}

void WebBrowser::NavegacionPedida(const QUrl& url)
{
    m_retenida = url;
    QPointer<WebBrowser> yo(this);
    QTimer::singleShot(0, this, [yo, url] {
        if (!yo || !yo->Permitida(url))
            return;
        if (yo->m_retenida != url) {
            yo->Cargar(url);
            return;
        }
        // The engine has not yet ended the navigation it was told to drop; a load started now can be taken
        // down with it when that end comes, and then never ends. The load starts at that end, or after a
        // second if the engine never tells it.
        yo->m_cargando = url;
        yo->m_esperaRetenida = true;
        yo->m_pedidaOtraVez = false;
        QTimer::singleShot(1000, yo, [yo, url] {
            if (yo && yo->m_esperaRetenida && yo->m_cargando == url) {
                yo->m_esperaRetenida = false;
                yo->Pedir(url);
            }
        });
    });
}

bool WebBrowser::Permitida(const QUrl& url)
{
    bool cancelar = false;
    if (m_antes)
        m_antes(url.toString(), cancelar);
    return !cancelar;
}

void WebBrowser::Cargar(const QUrl& url)
{
    m_cargando = url;
    m_esperaRetenida = false;
    m_pedidaOtraVez = false;
    Pedir(url);
}

void WebBrowser::Pedir(const QUrl& url)
{
    m_permitida = url;
    if (url == m_pagina->url())
        m_pagina->triggerAction(QWebEnginePage::ReloadAndBypassCache);
    else
        m_pagina->load(url);
}

} // namespace web
