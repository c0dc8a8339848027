// Text conversions: field texts, separators, replacing, fixed widths, folders.
#include "Conversiones.h"

#include <QRegularExpression>

namespace suite {

namespace {

const QRegularExpression& numeroEntero()
{
    static const QRegularExpression re(QStringLiteral("^[+-]?[0-9]+$"));
    return re;
}

// Right-aligned in the width; longer texts keep their length.
QString alineadoDerecha(const QString& texto, int ancho)
{
    return texto.size() >= ancho ? texto : QString(ancho - texto.size(), u' ') + texto;
}

bool esNumero(const ado::Variant& valor)
{
    const ado::VarType t = valor.type();
    return t == ado::VarType::Long || t == ado::VarType::Double || t == ado::VarType::Currency;
}

constexpr char16_t kMarcaCodificado = u'~';
const QString kClave = QStringLiteral("Kormidan2");

} // namespace

QString Conversiones::TextoCampo(const ado::Variant& valor)
{
    return valor.toText();
}

QString Conversiones::TextoDespuesDe(const QString& texto, const QString& separador)
{
    return TextoDespuesDe(texto, QStringList{separador});
}

QString Conversiones::TextoDespuesDe(const QString& texto, const QStringList& separadores)
{
    qsizetype mejor = -1;
    qsizetype largo = 0;
    for (const QString& sep : separadores) {
        if (sep.isEmpty())
            continue;
        const qsizetype pos = texto.indexOf(sep);
        if (pos >= 0 && (mejor < 0 || pos < mejor)) {
            mejor = pos;
            largo = sep.size();
        }
    }
    return mejor < 0 ? texto : texto.mid(mejor + largo);
}

QString Conversiones::Reemplazar(const QString& texto, const QString& buscar, const QString& reemplazo)
{
    if (buscar.isEmpty())
        return texto;
    return QString(texto).replace(buscar, reemplazo, Qt::CaseSensitive);
}

QString Conversiones::ReemplazarTexto(const QString& texto, const QString& buscar, const QString& reemplazo)
{
    if (buscar.isEmpty())
        return texto;
    return QString(texto).replace(buscar, reemplazo, Qt::CaseInsensitive);
}

int Conversiones::ClasificarTexto(const QString& texto)
{
    const QString t = texto.simplified();
    if (t.isEmpty())
        return 0;
    return t.contains(u' ') ? 2 : 1;
}

QString Conversiones::CodificarTexto(const QString& texto)
{
    QString salida(kMarcaCodificado);
    for (qsizetype i = 0; i < texto.size(); ++i) {
        const ushort clave = ushort(kClave.at(i % kClave.size()).unicode() + i);
        salida += QStringLiteral("%1").arg(ushort(texto.at(i).unicode() ^ clave), 4, 16, QChar(u'0')).toUpper();
    }
    return salida;
}

QString Conversiones::DecodificarTexto(const QString& texto)
{
    if (!texto.startsWith(kMarcaCodificado) || (texto.size() - 1) % 4 != 0)
        return texto;
    QString salida;
    for (qsizetype i = 0; i * 4 + 1 < texto.size(); ++i) {
        bool ok = false;
        const ushort valor = texto.mid(i * 4 + 1, 4).toUShort(&ok, 16);
        if (!ok)
            return texto;
        const ushort clave = ushort(kClave.at(i % kClave.size()).unicode() + i);
        salida += QChar(ushort(valor ^ clave));
    }
    return salida;
}

QString Conversiones::FormatoAncho(const ado::Variant& valor, int ancho)
{
    const QString texto = TextoCampo(valor);
    if (ancho < 1)
        return texto;
    const QString recortado = texto.trimmed();
    if (esNumero(valor) || numeroEntero().match(recortado).hasMatch())
        return alineadoDerecha(recortado, ancho);
    if (texto.size() >= ancho) {
        qsizetype fin = texto.size();
        while (fin > ancho && texto.at(fin - 1) == u' ')
            --fin;
        return texto.left(fin);
    }
    return texto + QString(ancho - texto.size(), u' ');
}

QString Conversiones::AjustarAncho(const QString& texto, int ancho)
{
    return alineadoDerecha(texto.trimmed(), ancho);
}

QString Conversiones::NormalizarCarpeta(const QString& carpeta)
{
    if (carpeta.isEmpty())
        return carpeta;
    QString c = carpeta;
    while (!c.isEmpty() && (c.back() == u'/' || c.back() == u'\\'))
        c.chop(1);
    return c + u'/';
}

} // namespace suite
