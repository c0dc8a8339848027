#pragma once
// The window every document viewer is made of: an embedded browser filling it. Mostrar writes the style
// sheet and the page into a folder of the window's own (so two viewers never write over each other's page) and
// points the browser at the page; the caller shows the window. Every address the browser is about to open passes the window's link handler: the pages' links
// open further viewers, the voucher's entry or the article program, and are cancelled.
// Key code 3 (Cancel) hides the window; closing it unloads it. Either clears the class's default window,
// so the next request through it makes a new one.

#include "EscritorDocumento.h"
#include "MarcoDocumento.h"
#include "VisorPorTC.h"
#include "platform/browser/WebBrowser.h"
#include "platform/suite/base/CarpetaDeVentana.h"

#include <QPointer>
#include <QString>
#include <QWidget>

namespace visores {

struct AccionEnlace;

class VisorDocumento : public QWidget {
    Q_OBJECT

public:
    ~VisorDocumento() override;

    Visor tipo() const { return m_tipo; }
    web::WebBrowser* wbExplorer = nullptr;
    QString CarpetaTemporal;   // the window's own folder, set by Mostrar
    QString RutaPagina;        // the temporary folder and the window's page file name
    // How the last page ended: an incomplete one carries a notice saying so.
    ResultadoPagina UltimoResultado = ResultadoPagina::Completa;
    const Documento& documento() const { return m_documento; }

    void Form_Load();
    void Form_Resize();
    void Form_KeyDown(int KeyCode, int Shift);
    void Form_Unload(int& Cancel);
    void NavegarArchivo(const QString& ruta);
    void wbExplorer_BeforeNavigate2(const QString& URL, bool& Cancel);

    // The suite's article program, started from an article link when it is beside this program, where the
    // suite's programs are looked for.
    static QString ProgramaArticulos();

protected:
    VisorDocumento(Visor tipo, const QString& titulo, const QString& archivo, const QString& prefijo);

    // Mostrar's steps for the window's document.
    void MostrarDocumento(const Documento& d);
    virtual ResultadoPagina Generar(const QString& ruta, const Documento& d) = 0;
    // The class's default window is this one no more.
    virtual void OlvidarInstancia() = 0;

    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Ejecutar(const AccionEnlace& accion);
    void EjecutarAccion(const AccionEnlace& accion);

    Visor m_tipo;
    suite::CarpetaDeVentana m_carpetaPropia;   // made by Mostrar, removed when the window is unloaded
    QString m_archivo;
    QString m_prefijo;
    Documento m_documento;
};

// A window class's default window: the one `puntero` holds, created and loaded when there is none.
template <class T>
T& VentanaPorDefecto(QPointer<T>& puntero)
{
    if (!puntero) {
        puntero = new T();
        puntero->Form_Load();
    }
    return *puntero;
}

} // namespace visores
