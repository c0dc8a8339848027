#pragma once
// The lookup-mask file "consultas.qxd": fixed records of 1202 bytes (title 100, table 100, columns 500,
// filter 500, CR LF), Windows-1252 text padded with blanks. It tells the lookup which columns and which filter
// to show for a table asked for by its bare name.

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

namespace lookup {

struct MascaraConsulta {
    QString Titulo;
    QString Tabla;
    QString Campos;    // "|COL1|COL2|": a bar before each column and one after the last
    QString Extra;     // a filter without the word WHERE
    QString FinLinea = QStringLiteral("\r\n");
};

inline constexpr int kAnchoTitulo = 100;
inline constexpr int kAnchoTabla = 100;
inline constexpr int kAnchoCampos = 500;
inline constexpr int kAnchoExtra = 500;
inline constexpr int kAnchoFinLinea = 2;
inline constexpr int kLargoMascara = 1202;

inline const QString kArchivoMascaras = QStringLiteral("consultas.qxd");

// One record as it lies on disk: each field padded with blanks or cut to its width.
QByteArray CodificarMascara(const MascaraConsulta& mascara);
// A record read from disk; a short buffer reads as if padded with blanks.
MascaraConsulta DecodificarMascara(const QByteArray& registro);

// The masks a new file starts with, in file order.
QList<MascaraConsulta> MascarasPorDefecto();

// Writes the default masks after the last whole record of the file, creating it when missing.
// False with the reason when the file cannot be written (records already written stay).
bool CrearMascaraConsultas(const QString& archivo, QString* error = nullptr);

// A mask field as the lookup compares it: the text up to a NUL or 0xFF padding byte, trimmed.
QString LimpiarCampoMascara(const QString& campo);

// The first record whose table is `tabla` (trimmed, any case). Nothing when no record matches or the file
// cannot be read (`error` then says why).
std::optional<MascaraConsulta> BuscarMascara(const QString& archivo, const QString& tabla, QString* error = nullptr);

// The column list of a mask: bars become commas, one leading and one trailing comma cut; blank gives "*".
QString ColumnasDeMascara(const QString& campos);

} // namespace lookup
