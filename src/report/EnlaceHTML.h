#pragma once
// The links of every generated page (reports and documents) and their reading. A link is the HREF of an
// anchor, without scheme or folder: a marker ("CUENTA_", "_TC_"...) followed by its value, then the next
// marker and value. The browser resolves it against the page's folder and hands over a file URL; the link
// text is the last segment of that URL's path, so a marker text in the folder's name is never read.
//
// Values are percent-encoded by the builder (a blank, ">", a quote, "/" or "%" cannot cut or bend the link)
// and decoded by the reader. "_" stays as written (browsers and QUrl decode "%5F" anyway), so a value that
// itself holds a whole marker text would be read short; codes, numbers and letters never do.
//
//     QString href = EnlaceHTML({{kMarcaTC, "FC"}, {kMarcaSucursal, "0001"}, {kMarcaNumero, "00000012"},
//                                {kMarcaLetra, "A"}});
//     ...
//     EnlaceLeido e = LeerEnlace(url.toString(QUrl::FullyEncoded));
//     if (e.tipo == TipoEnlace::Comprobante) abrir(e.valor(kMarcaTC), e.valor(kMarcaSucursal), ...);

#include <QList>
#include <QString>
#include <QUrl>

namespace report {

inline const QString kMarcaCuenta = QStringLiteral("CUENTA_");
inline const QString kMarcaCuentaPopup = QStringLiteral("CUENTAPOPUP_");
inline const QString kMarcaTC = QStringLiteral("_TC_");
inline const QString kMarcaVerAsiento = QStringLiteral("_VER_ASIENTOTC_");
inline const QString kMarcaSucursal = QStringLiteral("_SUCURSAL_");
inline const QString kMarcaNumero = QStringLiteral("_NUMERO_");
inline const QString kMarcaLetra = QStringLiteral("_LETRA_");
inline const QString kMarcaCuentaCab = QStringLiteral("_CUENTACAB_");
inline const QString kMarcaCuentaFiltro = QStringLiteral("_CUENTAFILTRO_");
inline const QString kMarcaArticulo = QStringLiteral("ARTICULO_");

// Every marker the reader knows; a value ends where the next of them begins.
const QList<QString>& MarcasEnlace();

struct ParteEnlace {
    QString marcador;
    QString valor;
};

// The one builder: each marker followed by its value, percent-encoded. The result has only characters that
// need no quoting inside a quoted HTML attribute.
QString EnlaceHTML(const QList<ParteEnlace>& partes);

// The usual links, all made by EnlaceHTML.
QString EnlaceCuenta(const QString& codigo);        // "CUENTA_" code; an empty code is the whole chart
QString EnlaceCuentaPopup(const QString& codigo);   // "CUENTAPOPUP_" code
// "_TC_" type "_SUCURSAL_" branch "_NUMERO_" number "_LETRA_" letter, then "_CUENTACAB_" and
// "_CUENTAFILTRO_" when given (nullptr: the part is left out; an empty text writes the marker alone).
QString EnlaceComprobante(const QString& tc, const QString& sucursal, const QString& numero, const QString& letra,
                          const QString* cuentaCab = nullptr, const QString* cuentaFiltro = nullptr);
// "_VER_ASIENTOTC_" type ... letter, then "_CUENTACAB_" account when given.
QString EnlaceAsiento(const QString& tc, const QString& sucursal, const QString& numero, const QString& letra,
                      const QString* cuentaCab = nullptr);
QString EnlaceArticulo(const QString& idArticulo);  // "ARTICULO_" id

enum class TipoEnlace { Ninguno, Cuenta, CuentaPopup, Comprobante, Asiento, Articulo };

// A link as read from the address the browser hands over.
struct EnlaceLeido {
    TipoEnlace tipo = TipoEnlace::Ninguno;
    QString texto;   // the link text, still percent-encoded

    // The decoded value after the marker (letter case of the marker ignored) up to the next known marker;
    // "" when the marker is absent.
    QString valor(const QString& marcador) const;
    bool tiene(const QString& marcador) const;
};

// The link text of an address: the last path segment of a URL ("file:///tmp/x/CUENTA_11" gives
// "CUENTA_11"), after the last "/" or "\" of a plain text, kept percent-encoded.
QString TextoDeEnlace(const QString& direccion);
QString TextoDeEnlace(const QUrl& url);

// The one reader. The kind comes from the marker the link text starts with (any letter case); any other
// text is TipoEnlace::Ninguno, which the window lets the browser follow.
EnlaceLeido LeerEnlace(const QString& direccion);
EnlaceLeido LeerEnlace(const QUrl& url);

// Text for the page: "&", "<", ">" and the double quote as entities, characters the page's code page cannot
// hold as numeric references.
QString TextoHTML(const QString& texto);

} // namespace report
