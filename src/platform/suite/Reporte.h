#pragma once
// The suite's report printer (`gReporte`). A report is named, restricted by a record-selection formula and
// given named formulas (the company name among them); the printer writes it as a PDF document and, for a
// preview, opens it with the desktop's viewer.
//
// Formulas it reads:
//   selection  {Tabla.Campo} = valor [AND {Tabla.Campo} = valor ...]   valor: 'text' ('' inside stands for
//              one quote), TRUE, FALSE or a number; words in any letter case
//   named      Nombre = 'text'   (the text is everything between the first and the last quote, as written)
// Reports it knows: "Brenquil" (the account reconciliation, ReporteConciliacion.h).
// Failures (unknown report, formula it cannot read, no connection, database or file errors) are told to the
// operator through the operator dialogs; nothing is written then and Imprimir returns "".

#include "platform/ado/Variant.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <optional>
#include <stdexcept>

namespace ado {
class Connection;
}

namespace suite {

// One condition of a record-selection formula. valor is a String, a Boolean or a Currency.
struct CondicionSeleccion {
    QString tabla;
    QString campo;
    ado::Variant valor;
};

// The conditions of a selection formula; nullopt when the text is not of the form above (a blank formula
// gives no conditions).
std::optional<QList<CondicionSeleccion>> LeerSeleccion(const QString& formula);

// A named formula: its name and text. nullopt when there is no name before "=".
struct FormulaNombrada {
    QString nombre;
    QString valor;
};
std::optional<FormulaNombrada> LeerFormula(const QString& formula);

// How a report document is laid out.
struct OpcionesDocumento {
    bool apaisado = true;
    bool fechaImpresion = false;
    int margenMm = 25;
};

// A report that cannot be written as asked (what() is the message for the operator, UTF-8).
struct ErrorReporte : std::runtime_error {
    explicit ErrorReporte(const QString& mensaje) : std::runtime_error(mensaje.toStdString()) {}
    QString mensaje() const { return QString::fromUtf8(what()); }
};

// Writes a rich-text (HTML) document as a PDF file, replacing it only once the whole document is written.
// Throws ErrorReporte when the file cannot be written.
void EscribirPdf(const QString& html, const QString& archivo, const QString& titulo,
                 const OpcionesDocumento& opciones);

class Reporte {
public:
    // Folder the documents are written into; the program's temporary folder while it is blank.
    QString Carpeta;
    // Open the written document with the desktop's viewer.
    bool VistaPrevia = true;
    // Landscape pages.
    bool Apaisado = true;
    // Print date and time under the title.
    bool MostrarFechaImpresion = false;
    // Page margins in millimetres (read within 0..50).
    int Margen = 25;

    // The connection the reports read (not owned). The data-source text given to Imprimir names the same
    // database for the suite's other report engines; this printer reads through this connection instead.
    void setConexion(ado::Connection* conexion) { m_conexion = conexion; }
    ado::Connection* Conexion() const { return m_conexion; }

    // Prints the report: writes <Carpeta>/<reporte>.pdf and, with VistaPrevia, opens it. Returns the file
    // written, "" on failure (already told to the operator). The optional arguments and the three texts at
    // the end are accepted for the suite's other reports and not used by the ones here.
    QString Imprimir(const QString& reporte, const QStringList& formulas, const QString& seleccion,
                     const QString& cadenaDsn, const QString& formulaEmpresa, const QVariant& opcional1 = {},
                     const QVariant& opcional2 = {}, const QVariant& opcional3 = {},
                     const QVariant& opcional4 = {}, const QString& texto1 = {}, const QString& texto2 = {},
                     const QString& texto3 = {});

    // Opens a written document. The desktop viewer is not started when CONCCUENTAS_NO_OPEN is set (to
    // anything but "" or "0") or when there is no real screen (offscreen platform); a hook installed by a
    // test receives the file instead. nullptr removes the hook.
    static void AbrirDocumento(const QString& archivo);
    static void setAbridorDeDocumentos(std::function<void(const QString&)> abridor);

private:
    ado::Connection* m_conexion = nullptr;
};

} // namespace suite
