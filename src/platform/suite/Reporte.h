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
//
// A report of thousands of lines takes seconds to read, write and lay out on pages. From the moment it is asked
// for until its preview shows, a progress window says which stage it is in and how far it got, and its cancel
// stops the report at once: nothing is shown (EsperaReporte.h, PaginasReporte.h).

#include "platform/ado/Variant.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>

namespace ado {
class Connection;
}

namespace suite {

class Progreso;

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

// What the operator is told when a report was stopped at its cancel.
inline const QString kMensajeReporteCancelado = QStringLiteral("Reporte cancelado.");

// How far a report has got: the stage it is in ("Leyendo los movimientos"), the units of that stage done and
// their total. True when the operator asked to stop; whoever was told then ends the report with
// ErrorReporte(kMensajeReporteCancelado).
using AvanceReporte = std::function<bool(const QString& etapa, qint64 hechas, qint64 total)>;

// A report's document as its definition writes it: rich text (HTML) in parts, so that a long table can be
// laid out on pages a few at a time (PaginasReporte.h). `tabla` is a table's opening tag, `encabezado` its
// header rows (a <thead>, repeated at the top of every page) and `filas` its rows, one <tr> each; `inicio` comes
// before the table and `fin` after it. A document without a long table is all `inicio` (the one-text
// constructor).
struct ContenidoReporte {
    ContenidoReporte() = default;
    ContenidoReporte(QString html) : inicio(std::move(html)) {}   // a plain document is its text

    QString inicio;
    QString tabla;
    QString encabezado;
    QStringList filas;
    QString fin;

    bool TieneTabla() const { return !tabla.isEmpty(); }
    // The whole document as one text.
    QString Html() const;
};

// Writes a rich-text (HTML) document as a PDF file, replacing it only once the whole document is written.
// Throws ErrorReporte when the file cannot be written.
void EscribirPdf(const QString& html, const QString& archivo, const QString& titulo,
                 const OpcionesDocumento& opciones);

// What a report definition is asked for: the database, the selection's conditions and the named formulas
// (names upper-cased), and where to tell how far it got.
struct PedidoReporte {
    ado::Connection& conexion;
    QList<CondicionSeleccion> seleccion;
    QHash<QString, QString> formulas;
    OpcionesDocumento opciones;
    QDateTime impreso;     // when the document is made, for the print date
    AvanceReporte avance;  // the printer's progress window; may be empty
};

// A report's definition: its document. Throws ErrorReporte for a selection it cannot print (the message is the
// operator's) and when its `avance` asked to stop; database failures raise ado::Error.
using DefinicionReporte = std::function<ContenidoReporte(const PedidoReporte&)>;

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

    Reporte();
    ~Reporte();
    Reporte(const Reporte&) = delete;
    Reporte& operator=(const Reporte&) = delete;

    // The connection the reports read (not owned). The data-source text given to Imprimir names the same
    // database for the suite's other report engines; this printer reads through this connection instead.
    void setConexion(ado::Connection* conexion) { m_conexion = conexion; }
    ado::Connection* Conexion() const { return m_conexion; }
    // The progress window shown while a report is made (not owned, forgotten when it goes): the program's
    // shared one. Without one the printer shows a window of its own.
    void setProgreso(Progreso* progreso);
    Progreso& ProgresoReporte();

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
    QPointer<Progreso> m_progreso;
    std::unique_ptr<Progreso> m_progresoPropio;
};

} // namespace suite
