#pragma once
// The station file reader (`gIni`). Our own small reader rather than QSettings, because the suite's files
// need what QSettings does not give: section and key names without regard to letter case, "|" inside a
// section name, and values taken raw (a "\" is a plain character). The files are Windows-1252 text with
// CR LF or LF line ends; lines starting with ";" or "#" are comments.

#include <QString>

namespace suite {

class ArchivoIni {
public:
    // The key's value (blanks around it removed; a key written with nothing after "=" gives ""), else
    // the default: also when the file, the section or the key is missing, or the file cannot be read.
    // A file name without a folder is looked for in the program folder.
    static QString LeerIni(const QString& archivo, const QString& seccion, const QString& clave,
                           const QString& porDefecto);

    // The same on the file's text, for callers that hold it already.
    static QString LeerDeTexto(const QString& texto, const QString& seccion, const QString& clave,
                               const QString& porDefecto);
};

} // namespace suite
