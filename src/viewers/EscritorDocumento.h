#pragma once
// Writing one document page: the file, line by line, under the page writer's error handling ("Generar"):
// a failed statement goes to the suite's error dialog; Retry runs it again, Ignore goes on with the next,
// any other answer leaves the page. The file stays open while the operator decides, so a retried line is
// written. A page left before its end gets a visible notice that it is incomplete, and says so to its
// caller, so a cut page is never taken for a whole one.
//
// Database and caller texts go into the page escaped (Html) and into SQL as quoted literals (Sql).

#include "platform/ado/Recordset.h"
#include "platform/ui/Routine.h"
#include "report/ArchivoPagina.h"

#include <QString>
#include <functional>
#include <memory>

namespace visores {

enum class ResultadoPagina { Completa, Incompleta };

class EscritorDocumento {
public:
    // Opens (creates or empties) the page file as the first statement of the page.
    explicit EscritorDocumento(const QString& ruta, ui::ErrorHandler manejador = ui::askOperator());
    ~EscritorDocumento();

    // Runs one statement of the page; false once the page has been left (nothing runs after that).
    bool paso(const std::function<void()>& sentencia);
    bool dejada() const { return m_rutina.left(); }

    // One line of the file (throws when the file cannot take it).
    void linea(const QString& texto);
    // A line made of pieces joined with nothing between them.
    void linea(std::initializer_list<QString> piezas);

    // Opens a query through the data layer (which reports a failure itself); a query that could not be
    // opened raises, so the page's handling takes it. False when it returned no row.
    bool abrir(const QString& sql, ado::Recordset& rs);

    // Closes the file; a page left before its end first gets the incomplete notice and its closing tags.
    ResultadoPagina terminar();

private:
    QString m_ruta;
    ui::Routine m_rutina;
    std::unique_ptr<report::ArchivoPagina> m_archivo;
};

// A value as page text: its own text (Null as nothing), escaped for HTML.
QString Html(const ado::Variant& valor);
QString Html(const QString& texto);
// A field of the current row, as page text.
QString Campo(ado::Recordset& rs, const QString& nombre);

// The opening of an anchor to a link of the pages: <A HREF="link">.
QString Ancla(const QString& enlace);

// A text as a quoted SQL literal, quotes inside doubled.
QString Sql(const QString& texto);

} // namespace visores
