// The style sheet and the page kit shared by every generated page.

#include "ArchivoPagina.h"
#include "ClassHTML.h"
#include "EnlaceHTML.h"

#include "platform/suite/Utilidades.h"

#include <QCoreApplication>

namespace report {

namespace {

std::optional<QDate> gFechaFija;

const char* const kHojaEstilo[] = {
    "/* Orvenda HTML style sheet */",
    "/* Define colores, fuentes y atributos de estilo  */",
    "/* Background de p\u00e1gina */",
    "body { background-color: #FFFFFF }",
    "/* Colores de los enlaces */",
    "A:active { COLOR: red; text-decoration: none}",
    "A:link { COLOR: black; text-decoration: none }",
    "A:visited { COLOR: black; text-decoration: none }",
    "A {COLOR: black; text-decoration: none }",
    "/* Colores generales */",
    ".Header { background: #EEEEEE; font-size: 17; FONT-WEIGHT: bolder; color: black;}",
    ".SubroutineHeader { COLOR: #3333cc; FONT-SIZE: 15; FONT-WEIGHT: bolder; Text-Decoration: Underline;}",
    "/* Colores de tabla */",
    ".TableTitulo{ background: #000066; font-size: 11; FONT-FAMILY: Verdana; Text-Decoration: Bold; color: #FFFFFF; }",
    ".TableCaption { background: #000066; font-size: 10; FONT-FAMILY: Verdana; color: #FFFFFF;}",
    ".TableSubcaption { background: #EEEEEE; font-size: 12; FONT-WEIGHT: bolder; color: #AA00AA;}",
    ".TableDetalles{ Border=0 CellPadding=3 CellSpacing=1;}",
    ".TableRow{ background: #f0dab9; font-size: 10; FONT-FAMILY: Verdana; font-color: black;}",
    ".TableRowAbierto{  font-size: 10; FONT-FAMILY: Verdana; font-color: black;}",
    ".TableRowColor { background: #FFFFFF; }",
    ".RowHeader { background: #EEEEFF;}",
    ".TableCABDetalle{ font-size: 10; FONT-FAMILY: verdana; font-color: black; Text-Decoration: Bold;}",
    ".TableRowDetalle{ font-size: 10; FONT-FAMILY: verdana; font-color: black; Text-Decoration: Italic;}",
    ".TableCabeceraCaption{ font-size: 11; FONT-FAMILY: arial; font-color: black; Text-Decoration: Bold;}",
    ".TableCabeceraValor{ font-size: 10; FONT-FAMILY: arial; font-color: black; Text-Decoration: Bold;}",
    ".TableCABpIE{ font-size: 10; FONT-FAMILY: verdana; font-color: black; Text-Decoration: Bold;}",
    "/* Barra de navegaci\u00f3n */",
    ".BotonEnabled {background-color:#EEEEFF; color:#0000FF;}",
    ".BotonDisabled {background-color:#CCCCFF; color:#000000;}",
};

const QString kComilla = QStringLiteral("\"");

} // namespace

QString ClassHTML::getBotonNavegadorHTML(bool habilitado, const QString& destino, const QString& caption)
{
    return QStringLiteral("<TD CLASS=") + (habilitado ? QStringLiteral("BotonEnabled") : QStringLiteral("BotonDisabled"))
           + QStringLiteral("> ") + (habilitado ? getHipertexto(destino, caption) : caption) + QStringLiteral(" </TD>");
}

void ClassHTML::writeStyleCSS(const QString& strDirectorioDocumentacion) const
{
    ArchivoPagina hoja(suite::Utilidades::NormalizarCarpeta(strDirectorioDocumentacion) + QStringLiteral("Style.css"));
    for (const char* linea : kHojaEstilo)
        hoja.Linea(QString::fromUtf8(linea));
    hoja.Cerrar();
}

void ClassHTML::FijarFechaPagina(std::optional<QDate> fecha)
{
    gFechaFija = fecha;
}

QDate ClassHTML::FechaPagina()
{
    return gFechaFija.value_or(QDate::currentDate());
}

QString ClassHTML::NombreProducto()
{
    const QString nombre = QCoreApplication::applicationName();
    return nombre.isEmpty() ? QStringLiteral("conccuentas") : nombre;
}

QString ClassHTML::getCabeceraHTML(const QString& Titulo, bool blnWithFrames) const
{
    QString cabecera = QStringLiteral("<HTML><HEAD>");
    cabecera += QStringLiteral("<META NAME=\"\"; GENERATOR; \"\"; CONTENT = \"\"") + NombreProducto()
                + QStringLiteral("\"\" > ");
    cabecera += QStringLiteral("<META HTTP-EQUIV=\"\"Content-Type\"\"; CONTENT = \"\"; Text / html; Charset = iso - 8859 - 1; \"\" > ");
    cabecera += QStringLiteral("<!-- Generado por Orvenda HTML - ") + FechaPagina().toString(QStringLiteral("dd-MM-yyyy"))
                + QStringLiteral("-->");
    cabecera += QStringLiteral("<TITLE> ") + Titulo + QStringLiteral("</TITLE>");
    cabecera += QStringLiteral("<LINK REL =") + kComilla + QStringLiteral("stylesheet") + kComilla
                + QStringLiteral(" TYPE=") + kComilla + QStringLiteral("text/css") + kComilla + QStringLiteral(" HREF=")
                + kComilla + QStringLiteral("Style.css") + kComilla + QStringLiteral(" TITLE=") + kComilla
                + QStringLiteral("Style") + kComilla + QStringLiteral(">");
    cabecera += QStringLiteral("</HEAD>");
    if (!blnWithFrames)
        cabecera += QStringLiteral("<BODY>");
    return cabecera;
}

QString ClassHTML::getBarraNavegadorHTML(bool blnWithIndex, bool blnDescripcion, bool blnControles,
                                         bool blnVariables, bool blnRutinas) const
{
    return QStringLiteral("<TABLE BORDER=0 WIDTH=100% CELLPADDING=1 CELLSPACING=0>") + QStringLiteral("<TR>")
           + getBotonNavegadorHTML(blnWithIndex, m_ficheroProyecto, QStringLiteral("Indice"))
           + getBotonNavegadorHTML(blnDescripcion, QStringLiteral("#Descripcion"), QStringLiteral("Descripci\u00f3n"))
           + getBotonNavegadorHTML(blnControles, QStringLiteral("#Controles"), QStringLiteral("Controles"))
           + getBotonNavegadorHTML(blnVariables, QStringLiteral("#Variables"), QStringLiteral("Variables"))
           + getBotonNavegadorHTML(blnRutinas, QStringLiteral("#Rutinas"), QStringLiteral("Rutinas")) + QStringLiteral("</TR>")
           + QStringLiteral("</TABLE>") + QStringLiteral("<HR><BR>");
}

QString ClassHTML::getCierreHTML(bool blnWithFrames) const
{
    QString cierre;
    if (!blnWithFrames) {
        cierre = QStringLiteral("<font size=-1>") + QStringLiteral("Para cualquier sugerencia dir\u00edjase a :")
                 + getHipertexto(QStringLiteral("mailto:soporte"),
                                 QStringLiteral("Soporte t\u00e9cnico") + QStringLiteral("<BR> ")
                                     + QStringLiteral("P\u00e1gina generada por el sistema.") + QStringLiteral(" </font>"))
                 + QStringLiteral("</BODY>");
    }
    return cierre + QStringLiteral("</HTML>");
}

QString ClassHTML::getCadenaConColor(const QString& Color, const QString& CADENA)
{
    return QStringLiteral("<FONT COLOR=") + Color + QStringLiteral("> ") + CADENA + QStringLiteral("</FONT>");
}

QString ClassHTML::getCadenaNegrita(const QString& CADENA)
{
    return QStringLiteral("<STRONG> ") + CADENA + QStringLiteral(" </STRONG>");
}

QString ClassHTML::getHipertexto(const QString& strURL, const QString& strCaption, const QString& strFrame)
{
    QString ancla = QStringLiteral("<A HREF=") + kComilla + TextoHTML(strURL) + kComilla;
    if (!strFrame.isEmpty())
        ancla += QStringLiteral(" TARGET=") + kComilla + TextoHTML(strFrame) + kComilla;
    return ancla + QStringLiteral(">") + strCaption + QStringLiteral("</A>");
}

QString ClassHTML::getAnchor(const QString& strCaption)
{
    return QStringLiteral("<A NAME=") + kComilla + TextoHTML(strCaption) + kComilla + QStringLiteral("></A>");
}

QString ClassHTML::getTable(const QString& strCaption, const QString& strDescriptionRows, bool blnConSalto)
{
    return QStringLiteral("<TABLE BORDER=1 CELLPADDING=3 CELLSPACING=0 WIDTH=100%>")
           + QStringLiteral("<TR ALIGN=Center BORDER=1 CLASS=TableCaption>") + strCaption + QStringLiteral(" </TR>")
           + strDescriptionRows + QStringLiteral("</TABLE>")
           + (blnConSalto ? QStringLiteral("<HR> <BR>") : QStringLiteral("&nbsp"));
}

QString ClassHTML::getCadenaVacia(const QString& strCaption)
{
    return strCaption.trimmed().isEmpty() ? QStringLiteral("&nbsp") : strCaption;
}

} // namespace report
