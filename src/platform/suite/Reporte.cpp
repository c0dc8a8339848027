#include "Reporte.h"

#include "Carpetas.h"
#include "EsperaReporte.h"
#include "PaginasReporte.h"
#include "PresentacionReportes.h"
#include "Progreso.h"
#include "Utilidades.h"

#include "platform/ado/Connection.h"
#include "platform/ado/Error.h"
#include "platform/ui/OperatorDialogs.h"

#include <QDir>
#include <QRegularExpression>

namespace suite {

namespace {

bool esIdentificador(const QString& nombre)
{
    static const QRegularExpression patron(QStringLiteral("^[A-Za-z_][A-Za-z0-9_ ]*$"));
    return patron.match(nombre).hasMatch();
}

// Reads the value that starts at `i` and leaves `i` after it.
std::optional<ado::Variant> leerValor(const QString& formula, qsizetype& i)
{
    const qsizetype n = formula.size();
    if (i < n && formula.at(i) == u'\'') {
        QString texto;
        for (++i; i < n; ++i) {
            if (formula.at(i) != u'\'') {
                texto += formula.at(i);
            } else if (i + 1 < n && formula.at(i + 1) == u'\'') {
                texto += u'\'';
                ++i;
            } else {
                ++i;
                return ado::Variant(texto);
            }
        }
        return std::nullopt;   // no closing quote
    }
    const qsizetype inicio = i;
    while (i < n && (formula.at(i).isLetterOrNumber() || formula.at(i) == u'.' || formula.at(i) == u'-'))
        ++i;
    const QString palabra = formula.mid(inicio, i - inicio);
    if (palabra.compare(QLatin1String("TRUE"), Qt::CaseInsensitive) == 0)
        return ado::Variant(true);
    if (palabra.compare(QLatin1String("FALSE"), Qt::CaseInsensitive) == 0)
        return ado::Variant(false);
    if (const auto numero = ado::Currency::parse(palabra))
        return ado::Variant(*numero);
    return std::nullopt;
}

QHash<QString, DefinicionReporte>& definiciones()
{
    static QHash<QString, DefinicionReporte> registradas;
    return registradas;
}

QString carpetaDeDocumentos(const QString& carpeta)
{
    const QString dada = carpeta.trimmed();
    return dada.isEmpty() ? CarpetaTemporalDelPrograma() : Utilidades::NormalizarCarpeta(dada);
}

QHash<QString, QString> formulasNombradas(const QStringList& formulas)
{
    QHash<QString, QString> nombradas;
    for (const QString& f : formulas) {
        if (f.trimmed().isEmpty())
            continue;
        const auto leida = LeerFormula(f);
        if (!leida)
            throw ErrorReporte(QStringLiteral("No se entiende la fórmula del reporte:\n") + f.trimmed());
        nombradas.insert(leida->nombre.toUpper(), leida->valor);
    }
    return nombradas;
}

} // namespace

std::optional<QList<CondicionSeleccion>> LeerSeleccion(const QString& formula)
{
    QList<CondicionSeleccion> condiciones;
    const qsizetype n = formula.size();
    qsizetype i = 0;
    const auto blancos = [&] {
        while (i < n && formula.at(i).isSpace())
            ++i;
    };
    blancos();
    if (i == n)
        return condiciones;
    for (;;) {
        if (i >= n || formula.at(i) != u'{')
            return std::nullopt;
        const qsizetype cierre = formula.indexOf(u'}', i);
        if (cierre < 0)
            return std::nullopt;
        const QString nombre = formula.mid(i + 1, cierre - i - 1);
        const qsizetype punto = nombre.indexOf(u'.');
        CondicionSeleccion c{nombre.left(punto).trimmed(), nombre.mid(punto + 1).trimmed(), {}};
        if (punto < 0 || !esIdentificador(c.tabla) || !esIdentificador(c.campo))
            return std::nullopt;
        i = cierre + 1;
        blancos();
        if (i >= n || formula.at(i) != u'=')
            return std::nullopt;
        ++i;
        blancos();
        const auto valor = leerValor(formula, i);
        if (!valor)
            return std::nullopt;
        c.valor = *valor;
        condiciones << c;
        blancos();
        if (i == n)
            return condiciones;
        const bool y = formula.mid(i, 3).compare(QLatin1String("AND"), Qt::CaseInsensitive) == 0 && i + 3 < n
                       && (formula.at(i + 3).isSpace() || formula.at(i + 3) == u'{');
        if (!y)
            return std::nullopt;
        i += 3;
        blancos();
    }
}

std::optional<FormulaNombrada> LeerFormula(const QString& formula)
{
    const qsizetype igual = formula.indexOf(u'=');
    if (igual < 0)
        return std::nullopt;
    FormulaNombrada f{formula.left(igual).trimmed(), formula.mid(igual + 1).trimmed()};
    if (f.nombre.isEmpty())
        return std::nullopt;
    if (f.valor.size() >= 2 && f.valor.startsWith(u'\'') && f.valor.endsWith(u'\''))
        f.valor = f.valor.mid(1, f.valor.size() - 2);
    return f;
}

QString ContenidoReporte::Html() const
{
    if (!TieneTabla())
        return inicio + fin;
    return inicio + tabla + encabezado + filas.join(QString()) + QStringLiteral("</table>") + fin;
}

void EscribirPdf(const QString& html, const QString& archivo, const QString& titulo,
                 const OpcionesDocumento& opciones)
{
    EscribirPdf(PaginasReporte(html, opciones), archivo, titulo, opciones);
}

Reporte::Reporte() = default;
Reporte::~Reporte() = default;

void Reporte::setProgreso(Progreso* progreso)
{
    m_progreso = progreso;
}

Progreso& Reporte::ProgresoReporte()
{
    if (m_progreso)
        return *m_progreso;
    if (!m_progresoPropio)
        m_progresoPropio = std::make_unique<Progreso>();
    return *m_progresoPropio;
}

bool Reporte::Imprimir(const QString& reporte, const QStringList& formulas, const QString& seleccion,
                       const QString& /*cadenaDsn*/, const QString& formulaEmpresa, const QVariant& /*opcional1*/,
                       const QVariant& /*opcional2*/, const QVariant& /*opcional3*/,
                       const QVariant& /*opcional4*/, const QString& /*texto1*/, const QString& /*texto2*/,
                       const QString& /*texto3*/)
{
    const QString nombre = reporte.trimmed();
    const QString tituloAviso = nombre.isEmpty() ? QStringLiteral("Reporte") : nombre;
    try {
        const DefinicionReporte definicion = definiciones().value(nombre.toUpper());
        if (!definicion)
            throw ErrorReporte(QStringLiteral("No existe el reporte \"%1\".").arg(nombre));
        const auto condiciones = LeerSeleccion(seleccion);
        if (!condiciones)
            throw ErrorReporte(QStringLiteral("No se entiende la fórmula de selección del reporte:\n")
                               + seleccion.trimmed());
        const QHash<QString, QString> nombradas = formulasNombradas(formulas + QStringList{formulaEmpresa});
        if (!m_conexion || m_conexion->State() != ado::adStateOpen)
            throw ErrorReporte(QStringLiteral("El reporte no tiene conexión con la base de datos."));

        const OpcionesDocumento opciones{Apaisado, MostrarFechaImpresion, Margen};
        // From here until the document shows, the operator sees how far it got and may stop it; the window
        // closes before any message.
        EsperaReporte espera(ProgresoReporte());
        const PedidoReporte pedido{*m_conexion, *condiciones, nombradas, opciones, QDateTime::currentDateTime(),
                                   espera.Avance()};
        const ContenidoReporte contenido = definicion(pedido);
        const auto paginas = std::make_shared<const PaginasReporte>(contenido, opciones, espera.Avance());
        const DocumentoReporte documento{nombre, contenido.Html(), opciones, VistaPrevia,
                                         carpetaDeDocumentos(Carpeta), paginas};
        presentacionReportes().Presentar(documento, espera);
        return true;
    } catch (const ErrorReporte& e) {
        ui::dialogs().MsgBox(e.mensaje(), ui::vbCritical, tituloAviso);
    } catch (const ado::Error& e) {
        ui::dialogs().MsgBox(e.Description, ui::vbCritical, tituloAviso);
    }
    return false;
}

void Reporte::Registrar(const QString& nombre, DefinicionReporte definicion)
{
    const QString clave = nombre.trimmed().toUpper();
    if (definicion)
        definiciones().insert(clave, std::move(definicion));
    else
        definiciones().remove(clave);
}

bool Reporte::Registrado(const QString& nombre)
{
    return definiciones().contains(nombre.trimmed().toUpper());
}

} // namespace suite
