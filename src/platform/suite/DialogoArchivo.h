#pragma once
// The open-file dialog object: set the title and filter, show it, then read the file name or whether it
// was cancelled. The filter may be written the suite's way, "Description|*.ext|...", or Qt's way.

#include <QString>

namespace suite {

class DialogoArchivo {
public:
    QString Titulo;
    QString Filtro;
    QString Carpeta;
    QString NombreArchivo;  // "" after a cancel
    bool Cancelado = false;

    void Mostrar();

    // "Access (*.mdb)|*.mdb|Todos|*.*" becomes "Access (*.mdb) (*.mdb);;Todos (*.*)"; a filter without
    // "|" is already Qt's.
    static QString FiltroQt(const QString& filtro);
};

} // namespace suite
