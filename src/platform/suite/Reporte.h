#pragma once
// The suite's report printer (`gReporte`). A report is named, restricted by a record-selection formula and
// given named formulas (the company name among them); the printer asks the report's definition for its
// document and shows it inside the program, as a print preview from which it can be printed or saved as a
// PDF (PresentacionReportes.h).
//
// Formulas it reads:
//   selection  {Tabla.Campo} = valor [AND {Tabla.Campo} = valor ...]   valor: 'text' ('' inside stands for
//              one quote), TRUE, FALSE or a number; words in any letter case
//   named      Nombre = 'text'   (the text is everything between the first and the last quote, as written)
// The printer knows no report by itself: the libraries that own the data register their definitions by name.
// Failures (unknown report, formula it cannot read, no connection, database errors) are told to the operator
// through the operator dialogs; nothing is shown then and Imprimir returns false.

#include "platform/ado/Variant.h"

#include <QDateTime>
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

// What a report definition is asked for: the database, the selection's conditions and the named formulas
// (names upper-cased).
struct PedidoReporte {
    ado::Connection& conexion;
    QList<CondicionSeleccion> seleccion;
    QHash<QString, QString> formulas;
    OpcionesDocumento opciones;
    QDateTime impreso;   // when the document is made, for the print date
};

// A report's definition: its document as rich text (HTML). Throws ErrorReporte for a selection it cannot
// print (the message is the operator's); database failures raise ado::Error.
using DefinicionReporte = std::function<QString(const PedidoReporte&)>;

class Reporte {
public:
    // Folder offered for saving the document as a PDF; the program's temporary folder while it is blank.
    QString Carpeta;
    // Show the document in the preview; false sends it to the printer (after the print dialog).
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

    // Makes the report's document and hands it to the installed presentation (the preview). Returns false
    // on failure (already told to the operator). The optional arguments and the three texts at the end are
    // accepted for the suite's other reports and not used by the ones here.
    bool Imprimir(const QString& reporte, const QStringList& formulas, const QString& seleccion,
                  const QString& cadenaDsn, const QString& formulaEmpresa, const QVariant& opcional1 = {},
                  const QVariant& opcional2 = {}, const QVariant& opcional3 = {}, const QVariant& opcional4 = {},
                  const QString& texto1 = {}, const QString& texto2 = {}, const QString& texto3 = {});

    // Registers a report by name (compared without regard to letter case) for every printer of the
    // process; registering a name again replaces its definition, nullptr removes it.
    static void Registrar(const QString& nombre, DefinicionReporte definicion);
    static bool Registrado(const QString& nombre);

private:
    ado::Connection* m_conexion = nullptr;
};

} // namespace suite
