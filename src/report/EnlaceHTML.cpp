#include "EnlaceHTML.h"

#include "platform/suite/Windows1252.h"

#include <QByteArray>

namespace report {

const QList<QString>& MarcasEnlace()
{
    static const QList<QString> marcas{kMarcaCuentaPopup, kMarcaVerAsiento, kMarcaCuentaFiltro, kMarcaCuentaCab,
                                       kMarcaSucursal,    kMarcaNumero,     kMarcaLetra,        kMarcaTC,
                                       kMarcaArticulo,    kMarcaCuenta};
    return marcas;
}

namespace {

// Letters, digits and "-._~" need no encoding; codes and numbers are made of nothing else.
bool sinReservados(const QString& valor)
{
    for (const QChar c : valor) {
        const char16_t u = c.unicode();
        const bool libre = (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '-'
                           || u == '.' || u == '_' || u == '~';
        if (!libre)
            return false;
    }
    return true;
}

} // namespace

QString EnlaceHTML(const QList<ParteEnlace>& partes)
{
    QString texto;
    for (const ParteEnlace& parte : partes)
        texto += parte.marcador
                 + (sinReservados(parte.valor) ? parte.valor : QString::fromLatin1(QUrl::toPercentEncoding(parte.valor)));
    return texto;
}

QString EnlaceCuenta(const QString& codigo)
{
    return EnlaceHTML({{kMarcaCuenta, codigo}});
}

QString EnlaceCuentaPopup(const QString& codigo)
{
    return EnlaceHTML({{kMarcaCuentaPopup, codigo}});
}

namespace {

QList<ParteEnlace> partesComprobante(const QString& marca, const QString& tc, const QString& sucursal,
                                     const QString& numero, const QString& letra)
{
    return {{marca, tc}, {kMarcaSucursal, sucursal}, {kMarcaNumero, numero}, {kMarcaLetra, letra}};
}

} // namespace

QString EnlaceComprobante(const QString& tc, const QString& sucursal, const QString& numero, const QString& letra,
                          const QString* cuentaCab, const QString* cuentaFiltro)
{
    QList<ParteEnlace> partes = partesComprobante(kMarcaTC, tc, sucursal, numero, letra);
    if (cuentaCab)
        partes.append({kMarcaCuentaCab, *cuentaCab});
    if (cuentaFiltro)
        partes.append({kMarcaCuentaFiltro, *cuentaFiltro});
    return EnlaceHTML(partes);
}

QString EnlaceAsiento(const QString& tc, const QString& sucursal, const QString& numero, const QString& letra,
                      const QString* cuentaCab)
{
    QList<ParteEnlace> partes = partesComprobante(kMarcaVerAsiento, tc, sucursal, numero, letra);
    if (cuentaCab)
        partes.append({kMarcaCuentaCab, *cuentaCab});
    return EnlaceHTML(partes);
}

QString EnlaceArticulo(const QString& idArticulo)
{
    return EnlaceHTML({{kMarcaArticulo, idArticulo}});
}

QString TextoDeEnlace(const QUrl& url)
{
    // The encoded path: a "%2F" inside a value must not split it.
    const QString camino = url.path(QUrl::FullyEncoded);
    return camino.mid(camino.lastIndexOf(QLatin1Char('/')) + 1);
}

QString TextoDeEnlace(const QString& direccion)
{
    const int esquema = direccion.indexOf(QLatin1String("://"));
    if (esquema > 0 && !direccion.left(esquema).contains(QLatin1Char('_')))
        return TextoDeEnlace(QUrl(direccion));
    const int corte = std::max(direccion.lastIndexOf(QLatin1Char('/')), direccion.lastIndexOf(QLatin1Char('\\')));
    return direccion.mid(corte + 1);
}

QString EnlaceLeido::valor(const QString& marcador) const
{
    const int inicio = texto.indexOf(marcador, 0, Qt::CaseInsensitive);
    if (inicio < 0)
        return {};
    const int desde = inicio + int(marcador.size());
    int hasta = int(texto.size());
    for (const QString& otra : MarcasEnlace()) {
        const int pos = texto.indexOf(otra, desde, Qt::CaseInsensitive);
        if (pos >= 0 && pos < hasta)
            hasta = pos;
    }
    return QString::fromUtf8(QByteArray::fromPercentEncoding(texto.mid(desde, hasta - desde).toUtf8()));
}

bool EnlaceLeido::tiene(const QString& marcador) const
{
    return texto.contains(marcador, Qt::CaseInsensitive);
}

EnlaceLeido LeerEnlace(const QUrl& url)
{
    return LeerEnlace(TextoDeEnlace(url));
}

EnlaceLeido LeerEnlace(const QString& direccion)
{
    EnlaceLeido enlace;
    enlace.texto = TextoDeEnlace(direccion);
    const struct {
        const QString& marca;
        TipoEnlace tipo;
    } tipos[] = {{kMarcaArticulo, TipoEnlace::Articulo},       {kMarcaVerAsiento, TipoEnlace::Asiento},
                 {kMarcaTC, TipoEnlace::Comprobante},          {kMarcaCuentaPopup, TipoEnlace::CuentaPopup},
                 {kMarcaCuenta, TipoEnlace::Cuenta}};
    for (const auto& t : tipos) {
        if (enlace.texto.startsWith(t.marca, Qt::CaseInsensitive)) {
            enlace.tipo = t.tipo;
            break;
        }
    }
    return enlace;
}

QString TextoHTML(const QString& texto)
{
    QString salida;
    salida.reserve(texto.size());
    for (qsizetype i = 0; i < texto.size(); ++i) {
        const QChar c = texto[i];
        switch (c.unicode()) {
        case '&': salida += QLatin1String("&amp;"); break;
        case '<': salida += QLatin1String("&lt;"); break;
        case '>': salida += QLatin1String("&gt;"); break;
        case '"': salida += QLatin1String("&quot;"); break;
        default:
            if (c.unicode() < 0x80 || suite::toWindows1252(QString(c)) != "?") {
                salida += c;
            } else if (c.isHighSurrogate() && i + 1 < texto.size() && texto[i + 1].isLowSurrogate()) {
                salida += QStringLiteral("&#%1;").arg(QChar::surrogateToUcs4(c, texto[i + 1]));
                ++i;
            } else {
                salida += QStringLiteral("&#%1;").arg(c.unicode());
            }
        }
    }
    return salida;
}

} // namespace report
