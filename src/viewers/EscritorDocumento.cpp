#include "EscritorDocumento.h"

#include "data/DB_Dll.h"
#include "data/base/SqlText.h"
#include "report/EnlaceHTML.h"

namespace visores {

EscritorDocumento::EscritorDocumento(const QString& ruta, ui::ErrorHandler manejador)
    : m_ruta(ruta), m_rutina(QStringLiteral("Generar"), std::move(manejador))
{
    paso([&] { m_archivo = std::make_unique<report::ArchivoPagina>(m_ruta); });
}

EscritorDocumento::~EscritorDocumento() = default;

bool EscritorDocumento::paso(const std::function<void()>& sentencia)
{
    return m_rutina.step(sentencia);
}

void EscritorDocumento::linea(const QString& texto)
{
    if (!m_archivo)
        throw std::runtime_error(QStringLiteral("No se puede escribir el archivo %1").arg(m_ruta).toStdString());
    m_archivo->Linea(texto);
}

void EscritorDocumento::linea(std::initializer_list<QString> piezas)
{
    QString texto;
    for (const QString& pieza : piezas)
        texto += pieza;
    linea(texto);
}

bool EscritorDocumento::abrir(const QString& sql, ado::Recordset& rs)
{
    if (!gDB().AbrirRecordset(sql, rs))
        throw gDB().UltimoError();
    return !rs.BOF();
}

ResultadoPagina EscritorDocumento::terminar()
{
    const bool cortada = m_rutina.left();
    if (m_archivo && m_archivo->Abierto()) {
        try {
            if (cortada) {
                m_archivo->Linea(QStringLiteral("<br><HR NOSHADE><FONT SIZE=3 COLOR=#FF0000><B>Atención: la página "
                                                "está incompleta; se interrumpió por un error al generarla.</B>"
                                                "</FONT>"));
                m_archivo->Linea(QStringLiteral("</body></html>"));
            }
            m_archivo->Cerrar();
        } catch (const std::exception&) {
            return ResultadoPagina::Incompleta;
        }
    }
    return cortada || !m_archivo ? ResultadoPagina::Incompleta : ResultadoPagina::Completa;
}

QString Html(const ado::Variant& valor)
{
    return report::TextoHTML(valor.toText());
}

QString Html(const QString& texto)
{
    return report::TextoHTML(texto);
}

QString Campo(ado::Recordset& rs, const QString& nombre)
{
    return Html(rs.Fields(nombre).Value());
}

QString Ancla(const QString& enlace)
{
    return QStringLiteral("<A HREF=\"") + enlace + QStringLiteral("\">");
}

QString Sql(const QString& texto)
{
    return sqltext::Entrecomillar(texto);
}

} // namespace visores
