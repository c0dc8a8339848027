#include "ArchivoListado.h"

#include "ClassHTML.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QUrl>

namespace report {

namespace {

// The ending a part's name keeps after its number: ".htm", or "" for a name without one.
QString sufijo(const QFileInfo& archivo)
{
    return archivo.suffix().isEmpty() ? QString() : QStringLiteral(".") + archivo.suffix();
}

// "<name>-<n>.<suffix>" (n from 2) names a part of the report "<name>.<suffix>".
QRegularExpression patronDePartes(const QFileInfo& archivo)
{
    return QRegularExpression(QStringLiteral("^") + QRegularExpression::escape(archivo.completeBaseName())
                              + QStringLiteral("-([1-9][0-9]*)") + QRegularExpression::escape(sufijo(archivo))
                              + QStringLiteral("$"));
}

std::optional<int> numeroEnNombre(const QFileInfo& archivo, const QString& nombre)
{
    if (nombre == archivo.fileName())
        return 1;
    const QRegularExpressionMatch m = patronDePartes(archivo).match(nombre);
    bool ok = false;
    const int numero = m.hasMatch() ? m.captured(1).toInt(&ok) : 0;
    return ok && numero >= 2 ? std::optional<int>(numero) : std::nullopt;
}

void borrarPartes(const QString& ruta)
{
    const QFileInfo archivo(ruta);
    QDir carpeta = archivo.absoluteDir();
    const QStringList nombres =
        carpeta.entryList({archivo.completeBaseName() + QStringLiteral("-*") + sufijo(archivo)}, QDir::Files);
    for (const QString& nombre : nombres)
        if (numeroEnNombre(archivo, nombre).value_or(1) >= 2)
            carpeta.remove(nombre);
}

// The address of a part as a link of its neighbours: its file name, beside them.
QString enlaceDeParte(const QString& archivo, int numero)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(QFileInfo(RutaDeParte(archivo, numero)).fileName()));
}

} // namespace

QString RutaDeParte(const QString& archivo, int numero)
{
    if (numero <= 1)
        return archivo;
    const QFileInfo info(archivo);
    const QString carpeta = archivo.left(archivo.size() - info.fileName().size());
    return carpeta + info.completeBaseName() + QStringLiteral("-%1").arg(numero) + sufijo(info);
}

std::optional<int> NumeroDeParte(const QString& archivo, const QString& direccion)
{
    const QString ruta = direccion.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)
                             ? QUrl(direccion).toLocalFile()
                             : direccion;
    if (ruta.isEmpty())
        return std::nullopt;
    const QFileInfo pedida(ruta);
    const QFileInfo informe(archivo);
    if (QDir::cleanPath(pedida.absolutePath()) != QDir::cleanPath(informe.absolutePath()))
        return std::nullopt;
    return numeroEnNombre(informe, pedida.fileName());
}

ArchivoListado::ArchivoListado(const QString& ruta, int filasPorParte, AvisoParte alTerminarParte)
    : m_ruta(ruta), m_filasPorParte(filasPorParte), m_aviso(std::move(alTerminarParte))
{
    m_archivo = std::make_unique<ArchivoPagina>(ruta);
    borrarPartes(ruta);
}

void ArchivoListado::Linea(const QString& texto)
{
    if (m_guardando)
        m_cabecera.append(texto);
    else
        m_archivo->Linea(texto);
}

void ArchivoListado::MarcarBarra()
{
    if (m_guardando)
        m_barra = m_cabecera.size();
}

void ArchivoListado::ComenzarFilas(qint64 total)
{
    if (!m_guardando)
        return;
    m_total = total;
    if (m_filasPorParte > 0 && total > m_filasPorParte)
        m_partes = int((total + m_filasPorParte - 1) / m_filasPorParte);
    // Without a balance band the bar follows the title band.
    if (m_barra < 0)
        m_barra = std::min<qsizetype>(2, m_cabecera.size());
    m_guardando = false;
    EscribirCabecera(1);
}

void ArchivoListado::EscribirCabecera(int parte)
{
    for (qsizetype i = 0; i < m_cabecera.size(); ++i) {
        if (m_partes > 1 && i == m_barra)
            m_archivo->Linea(Barra(parte));
        m_archivo->Linea(m_cabecera.at(i));
    }
    if (m_partes > 1 && m_barra >= m_cabecera.size())
        m_archivo->Linea(Barra(parte));
}

void ArchivoListado::Fila()
{
    if (m_filasEnParte == m_filasPorParte && m_parte < m_partes) {
        CerrarParte();
        ++m_parte;
        m_archivo = std::make_unique<ArchivoPagina>(RutaDeParte(m_ruta, m_parte));
        EscribirCabecera(m_parte);
        m_filasEnParte = 0;
    }
    ++m_filasEnParte;
}

void ArchivoListado::CerrarParte()
{
    m_archivo->Linea(QStringLiteral("</TABLE>"));
    m_archivo->Linea(Barra(m_parte));
    m_archivo->Linea(QStringLiteral("</body></html>"));
    m_archivo->Cerrar();
    if (m_aviso)
        m_aviso(m_parte, RutaDeParte(m_ruta, m_parte));
}

QString ArchivoListado::Barra(int parte) const
{
    const QLocale local;
    const qint64 desde = qint64(parte - 1) * m_filasPorParte + 1;
    const qint64 hasta = std::min<qint64>(qint64(parte) * m_filasPorParte, m_total);
    const bool antes = parte > 1;
    const bool despues = parte < m_partes;
    return QStringLiteral("<TABLE BORDER=0 WIDTH=100% CELLPADDING=1 CELLSPACING=0><TR>")
           + ClassHTML::getBotonNavegadorHTML(antes, enlaceDeParte(m_ruta, 1), QStringLiteral("Primera"))
           + ClassHTML::getBotonNavegadorHTML(antes, enlaceDeParte(m_ruta, parte - 1), QStringLiteral("Anterior"))
           + QStringLiteral("<TD ALIGN=center> Parte %1 de %2: filas %3 a %4 de %5 </TD>")
                 .arg(local.toString(parte), local.toString(m_partes), local.toString(desde), local.toString(hasta),
                      local.toString(m_total))
           + ClassHTML::getBotonNavegadorHTML(despues, enlaceDeParte(m_ruta, parte + 1), QStringLiteral("Siguiente"))
           + ClassHTML::getBotonNavegadorHTML(despues, enlaceDeParte(m_ruta, m_partes), QStringLiteral("\u00daltima"))
           + QStringLiteral("</TR></TABLE>");
}

void ArchivoListado::Cerrar()
{
    if (m_guardando) {
        m_guardando = false;
        EscribirCabecera(1);
    }
    m_archivo->Cerrar();
}

bool ArchivoListado::Abierto() const
{
    return m_archivo && m_archivo->Abierto();
}

} // namespace report
