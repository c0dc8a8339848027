#pragma once
// The file of one report: one page, or numbered parts of the same layout when the report has more rows than a
// page view can hold ("BSC01.htm", then "BSC01-2.htm", "BSC01-3.htm"... beside it). Every part repeats what
// comes before the first row (page head, title and balance bands, table head) with a bar of links to the
// first, previous, next and last parts after the balance band; a part before the last closes its table and
// shows the bar again at its foot; the last part carries what follows the rows (trailer, totals). A report
// that fits in one part is written exactly as a single page.
//
// The lines before the first row are kept until the rows' count is known (they are few); rows go to disk as
// they come, so a cancelled report keeps every row written before the cancel. Parts of an earlier report under
// the same name are deleted when a new report starts, so no link ever leads to an old one.

#include "ArchivoPagina.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

namespace report {

// The path of part `numero` of the report written to `archivo`: part 1 is the file itself.
QString RutaDeParte(const QString& archivo, int numero);
// The part of the report `archivo` that an address names (a file URL as the browser hands it, or a path);
// nullopt for any other address.
std::optional<int> NumeroDeParte(const QString& archivo, const QString& direccion);

class ArchivoListado {
public:
    // Told the number and path of each part once it is complete, but of the last (the report's end tells that).
    using AvisoParte = std::function<void(int numero, const QString& ruta)>;

    // Creates or truncates the report's file and deletes the parts an earlier report left beside it.
    // filasPorParte below 1 writes one page whatever the rows.
    ArchivoListado(const QString& ruta, int filasPorParte, AvisoParte alTerminarParte = {});
    ArchivoListado(const ArchivoListado&) = delete;
    ArchivoListado& operator=(const ArchivoListado&) = delete;

    void Linea(const QString& texto);
    // The parts' bar goes after the lines written so far (the balance band).
    void MarcarBarra();
    // The table's rows follow, `total` of them: decides the parts and writes the lines kept so far. Only the
    // first call counts.
    void ComenzarFilas(qint64 total);
    // A row begins: the part is closed and the next opened when the part is full.
    void Fila();
    void Cerrar();
    bool Abierto() const;

    int Partes() const { return m_partes; }

private:
    void EscribirCabecera(int parte);
    void CerrarParte();
    QString Barra(int parte) const;

    QString m_ruta;
    int m_filasPorParte;
    AvisoParte m_aviso;
    std::unique_ptr<ArchivoPagina> m_archivo;
    QStringList m_cabecera;       // the lines before the first row
    qsizetype m_barra = -1;       // where the bar goes among them
    bool m_guardando = true;      // lines are kept until the rows begin
    qint64 m_total = 0;
    int m_partes = 1;
    int m_parte = 1;
    qint64 m_filasEnParte = 0;
};

} // namespace report
