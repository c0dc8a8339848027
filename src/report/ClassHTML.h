#pragma once
// The HTML report writer: the style sheet and the page kit every generated page uses, the account-code
// level operations, and the dashboard's ledger and balance report (writeHTML).
//
// Pages are written in the suite's Western code page with CR LF line ends (ArchivoPagina). Texts from the
// database and from the caller are escaped (TextoHTML), links are built by EnlaceHTML and quoted, and every
// value put into SQL is quoted or read as a date or number first.
//
// writeHTML drives its window through HostReporte (cancel request, busy display, progress, events) and
// tells its caller how it ended. A report with more rows than FilasPorParte is written as numbered parts
// of the same layout (ArchivoListado), so that the page view can show it whatever its size; the host is told
// of each part as it is complete, and can show the first while the rest is written. A report that did not end well keeps what was written and ends with a
// visible notice instead of the page's closing lines. While one report is being written a second request
// is refused (ResultadoListado::Ocupado), so a click inside the event pump cannot start another one on the
// same file.

#include "HostReporte.h"
#include "NivelesCuenta.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

namespace report {

// The four listing kinds shared by every mode.
enum TipoListado { Consolidado = 0, PorUnidadNegocio = 1, PorCentroCosto = 2, PorUnidadYCentro = 3 };

// The arguments of one report, named as the dashboard knows them.
struct ParametrosListado {
    QString TituloListado;        // printed after " Listado " in the title band
    QString strNombreArchivo;     // full path of the page; created or truncated
    QString Titulo;               // the account's title (balance band)
    QString Cuenta;               // account code; "" is the whole chart
    bool EsHoja = false;          // no sub-accounts: the movement report
    QString FechaDesde;           // period, day/month/year texts
    QString FechaHasta;
    int eTipoListado = Consolidado;
    QStringList eUnidadesNegocio; // selected business units (empty: no restriction)
    QStringList eCentrosCostos;   // selected cost centres (empty: no restriction)
    bool eNormal = true;          // branch view (the account's children); false: chart tree
    int eNiveles = 6;             // the tree's largest code length
    QString pTc;                  // voucher filter ("" = none)
    QString pSuc;
    QString pNro;
    QString pLetra;
    // The amount bounds as typed, read by LeerCotaImporte (CotaImporte.h); one that reads as no amount sets no
    // bound here: the caller refuses it before asking for the report.
    QString pImpDesde;            // lowest amount
    QString pImpHasta;            // highest amount
};

enum class ResultadoListado {
    Completo,     // the whole page, ending with "</body></html>"
    Cancelado,    // the operator cancelled; the page is cut and says so
    Fallido,      // a query or the file failed (already reported to the operator); the page says so
    Ocupado,      // another report was being written; nothing was done
};

class ClassHTML {
public:
    ClassHTML() = default;

    // ---- style sheet and page kit ----
    // Writes the fixed 29 lines of "Style.css" into the folder (with or without a trailing separator),
    // replacing the file. Raises std::runtime_error when the file cannot be written.
    void writeStyleCSS(const QString& strDirectorioDocumentacion) const;
    // The opening of a page in one string: HTML and HEAD, the generator and content-type META lines, the
    // generator comment with the date, the title, the link to "Style.css", and "<BODY>" unless blnWithFrames.
    QString getCabeceraHTML(const QString& Titulo, bool blnWithFrames = false) const;
    QString getBarraNavegadorHTML(bool blnWithIndex, bool blnDescripcion, bool blnControles, bool blnVariables,
                                  bool blnRutinas) const;
    QString getCierreHTML(bool blnWithFrames = false) const;
    // The builders below put their arguments into the page as given: the caller escapes texts (TextoHTML).
    // getHipertexto quotes the address (escaped for an attribute).
    static QString getCadenaConColor(const QString& Color, const QString& CADENA);
    static QString getCadenaNegrita(const QString& CADENA);
    static QString getHipertexto(const QString& strURL, const QString& strCaption, const QString& strFrame = {});
    // One cell of a bar of links: the link (getHipertexto) when enabled, else the caption as plain text.
    static QString getBotonNavegadorHTML(bool habilitado, const QString& destino, const QString& caption);
    static QString getAnchor(const QString& strCaption);
    static QString getTable(const QString& strCaption, const QString& strDescriptionRows, bool blnConSalto = false);
    static QString getCadenaVacia(const QString& strCaption);
    QString FicheroProyecto() const { return m_ficheroProyecto; }
    void setFicheroProyecto(const QString& strNewFicheroProyecto) { m_ficheroProyecto = strNewFicheroProyecto; }

    // The date of the generator comment: today unless fixed (tests fix it for byte comparisons).
    static void FijarFechaPagina(std::optional<QDate> fecha);
    static QDate FechaPagina();
    // The program's product name in the generator META: the application's name.
    static QString NombreProducto();

    // ---- account-code levels ----
    // Code lengths of the level below and above Cuenta, and the row colour of its level. Outside a report
    // each call reads the level configuration anew; while writeHTML runs it uses the levels it read once.
    int ObtenerProximaCuenta(const QString& Cuenta) const;
    int ObtenerAnteriorCuenta(const QString& Cuenta) const;
    QString ObtenerColorNivel(const QString& Cuenta) const;

    // ---- the report ----
    bool ColIVA = false;   // the movement report adds its "iva" (tax-book) column
    // Rows of one part of a report written in parts (below 1: always one page). Measured on the page view: a
    // part of 5,000 movement rows shows in about 0.6 s and holds about 300 MiB in the page process; 20,000
    // rows take 3 s and over 1 GiB, and a single page of 200,000 rows never shows.
    static constexpr int kFilasPorParte = 5000;
    int FilasPorParte = kFilasPorParte;
    void setHost(HostReporte* host) { m_host = host; }
    HostReporte* host() const { return m_host; }

    ResultadoListado writeHTML(const ParametrosListado& parametros);
    // True while any writeHTML of the process is running (its window's other report requests wait).
    static bool Escribiendo();

private:
    ast::TablaNiveles Niveles() const;

    QString m_ficheroProyecto;
    HostReporte* m_host = nullptr;
    std::optional<ast::TablaNiveles> m_nivelesDelListado;
};

} // namespace report
