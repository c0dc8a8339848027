#pragma once
// The account popup ("Detalle de cuenta"): one account's report in a window of its own, always in the
// normal layout and without voucher filters, written to "BSC01PopUp.htm". Its account links write another
// account's report under the filters it was given; its voucher links open the document viewers.
//
// It writes through the dashboard, which keeps one report at a time, shows the busy display and offers the
// cancel button; a popup report takes the busy display down again when it ends and does not change the
// dashboard's last report, which "Actualizar" repeats. A long report comes in parts: the window shows itself
// with the first as soon as it is written, while the rest is written.

#include "EscritorInformes.h"
#include "PartesDelInforme.h"
#include "platform/ado/Recordset.h"
#include "platform/suite/base/CarpetaDeVentana.h"
#include "report/HostReporte.h"

#include <QStringList>
#include <QWidget>
#include <memory>

namespace web { class WebBrowser; }

namespace tablero {

class FrmBSC01PopUp : public QWidget {
    Q_OBJECT
public:
    explicit FrmBSC01PopUp(QWidget* parent = nullptr);
    ~FrmBSC01PopUp() override;

    web::WebBrowser* wbExplorer = nullptr;

    // Writes and shows the account's page; the caller shows the window. NombreArchivo and eNormal change
    // nothing: the page is the popup's own, in the normal layout.
    void Mostrar(const QString& NombreArchivo, const QString& Titulo, const QString& Cuenta, bool EsHoja,
                 const QString& FhInicio, const QString& FhTope, int eTipoListado,
                 const QStringList& eUnidadesNegocio, const QStringList& eCentrosCostos, bool eNormal,
                 int eCantidadNiveles);

    void Form_Load();
    void Form_KeyDown(int& KeyCode, int Shift);
    void Form_Resize();
    void Form_Unload();
    void wbExplorer_BeforeNavigate2(const QString& URL, bool& Cancel);
    // Part `numero` of the report being written is whole: the first goes on show at once.
    void ParteTerminada(int numero, const QString& ruta);

    const QString& ArchivoPagina() const { return m_archivo; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QString ObtenerTituloListado() const;
    void NavegarArchivo(const QString& ruta);
    void EjecutarEnlace(const QString& URL);
    // Writes the page for the account with the kept filters and shows it.
    void Escribir(const QString& titulo, const QString& cuenta, bool esHoja);

    // Kept from the last Mostrar.
    QString m_fhInicio, m_fhTope;
    int m_tipoListado = 0;
    QStringList m_unidades, m_centros;
    int m_niveles = 6;

    suite::CarpetaDeVentana m_carpetaPropia;   // the popup's own folder, removed with it
    QString m_carpeta;
    QString m_archivo;
    std::unique_ptr<EscritorInformes> m_escritor;
    ado::Recordset m_rs;
    PartesDelInforme m_partes;
    bool m_descargarAlTerminar = false;   // closed while its report was being written: goes once the writer stops
};

// The popup's one instance, made and loaded on first use; cleared by its unload.
FrmBSC01PopUp& PopUp();
bool PopUpExiste();
// Unloads the popup when it is loaded.
void DescargarPopUp();

} // namespace tablero
