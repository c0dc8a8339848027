#pragma once
// The column-width file "CONSULTASLEN.QXD" of the lookup list: one line per table,
// "TABLE","w1|w2|...|" CR LF, widths in twips. While it is rewritten, "CONSULTASLEN.AUX" holds the new text.

#include <QList>
#include <QString>

namespace lookup {

inline const QString kArchivoAnchos = QStringLiteral("CONSULTASLEN.QXD");
inline const QString kArchivoAnchosAux = QStringLiteral("CONSULTASLEN.AUX");

// The width file of a folder: an existing file of that name in any letter case, else the name as written.
QString ArchivoAnchosEn(const QString& carpeta);

// The key a table's widths are kept under (the stock view shares the articles view's widths).
QString ClaveAnchos(const QString& tabla);

// The saved widths of a table, column by column. Every line of the table is applied in file order, so a later
// line overrides the columns it names. Reading stops quietly at an unreadable entry. Empty when none.
QList<double> LeerAnchos(const QString& archivo, const QString& tabla);

// Rewrites the file in `carpeta` with this table's line replaced by the given widths.
bool GrabarAnchos(const QString& carpeta, const QString& tabla, const QList<double>& anchos, QString* error);

} // namespace lookup
