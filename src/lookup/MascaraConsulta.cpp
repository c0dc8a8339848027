#include "MascaraConsulta.h"

#include "platform/suite/Windows1252.h"

#include <QFile>

namespace lookup {
namespace {

QByteArray campoFijo(const QString& texto, int ancho)
{
    QByteArray bytes = suite::toWindows1252(texto).left(ancho);
    bytes.append(QByteArray(ancho - bytes.size(), ' '));
    return bytes;
}

MascaraConsulta mascara(const char* titulo, const char* tabla, const char* campos)
{
    MascaraConsulta m;
    m.Titulo = QString::fromLatin1(titulo);
    m.Tabla = QString::fromLatin1(tabla);
    m.Campos = QString::fromLatin1(campos);
    return m;
}

} // namespace

QByteArray CodificarMascara(const MascaraConsulta& m)
{
    QByteArray r;
    r.reserve(kLargoMascara);
    r += campoFijo(m.Titulo, kAnchoTitulo);
    r += campoFijo(m.Tabla, kAnchoTabla);
    r += campoFijo(m.Campos, kAnchoCampos);
    r += campoFijo(m.Extra, kAnchoExtra);
    r += campoFijo(m.FinLinea, kAnchoFinLinea);
    return r;
}

MascaraConsulta DecodificarMascara(const QByteArray& registro)
{
    QByteArray r = registro.left(kLargoMascara);
    r.append(QByteArray(kLargoMascara - r.size(), ' '));
    MascaraConsulta m;
    int at = 0;
    auto next = [&](int ancho) {
        QString s = suite::fromWindows1252(r.mid(at, ancho));
        at += ancho;
        return s;
    };
    m.Titulo = next(kAnchoTitulo);
    m.Tabla = next(kAnchoTabla);
    m.Campos = next(kAnchoCampos);
    m.Extra = next(kAnchoExtra);
    m.FinLinea = next(kAnchoFinLinea);
    return m;
}

QList<MascaraConsulta> MascarasPorDefecto()
{
    return {
        mascara("ARTICULOS", "V_MA_ARTICULOS", "|DESCRIPCION|IDARTICULO|"),
        mascara("CLIENTES", "VT_CLIENTES", "|RAZON_SOCIAL|CODIGO|CONTACTO|"),
        mascara("PROVEEDORES", "VT_PROVEEDORES", "|RAZON_SOCIAL|CODIGO|"),
        mascara("CONTACTOS", "MA_CONTACTOS", "|Nombre_y_Apellido|Domicilio|Localidad|Telefono|"),
        mascara("VENDEDORES", "V_TA_VENDEDORES", "|NOMBRE|IDVENDEDOR|"),
        mascara("TECNICOS", "V_TA_TECNICOS", "|NOMBRE|IDTECNICO|"),
        mascara("MANTENIMIENTOS", "V_MA_MANTENIMIENTOS", "|DESCRIPCION|CODIGO|"),
    };
}

bool CrearMascaraConsultas(const QString& archivo, QString* error)
{
    QFile f(archivo);
    if (!f.open(QIODevice::ReadWrite)) {
        if (error)
            *error = f.errorString();
        return false;
    }
    for (const MascaraConsulta& defecto : MascarasPorDefecto()) {
        MascaraConsulta m;
        m.Titulo = defecto.Titulo.trimmed();
        m.Tabla = defecto.Tabla;
        m.Campos = defecto.Campos.trimmed();
        // A partial record at the end is written over.
        const qint64 posicion = (f.size() / kLargoMascara) * kLargoMascara;
        const QByteArray registro = CodificarMascara(m);
        if (!f.seek(posicion) || f.write(registro) != registro.size()) {
            if (error)
                *error = f.errorString();
            return false;
        }
    }
    if (!f.flush()) {
        if (error)
            *error = f.errorString();
        return false;
    }
    return true;
}

QString LimpiarCampoMascara(const QString& campo)
{
    qsizetype fin = campo.size();
    for (qsizetype i = 0; i < campo.size(); ++i) {
        if (campo.at(i) == QChar(0) || campo.at(i) == QChar(0xFF)) {
            fin = i;
            break;
        }
    }
    return campo.left(fin).trimmed();
}

std::optional<MascaraConsulta> BuscarMascara(const QString& archivo, const QString& tabla, QString* error)
{
    QFile f(archivo);
    if (!f.open(QIODevice::ReadOnly)) {
        if (error)
            *error = f.errorString();
        return std::nullopt;
    }
    const QString buscada = tabla.trimmed();
    while (!f.atEnd()) {
        const QByteArray registro = f.read(kLargoMascara);
        if (registro.isEmpty())
            break;
        MascaraConsulta m = DecodificarMascara(registro);
        if (LimpiarCampoMascara(m.Tabla).compare(buscada, Qt::CaseInsensitive) == 0)
            return m;
    }
    if (f.error() != QFileDevice::NoError && error)
        *error = f.errorString();
    return std::nullopt;
}

QString ColumnasDeMascara(const QString& campos)
{
    QString c = QString(campos).replace(QLatin1Char('|'), QLatin1Char(',')).trimmed();
    if (c.startsWith(QLatin1Char(',')))
        c.remove(0, 1);
    if (c.endsWith(QLatin1Char(',')))
        c.chop(1);
    if (c.trimmed().isEmpty())
        c = QStringLiteral("*");
    return c;
}

} // namespace lookup
