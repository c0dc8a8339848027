#pragma once
// The error log "QXERR.LOG": one line per error shown to the operator (and per failed statement), in
// Windows-1252 with CR LF, appended, so the suite's other programs read it as they always did.

#include <QDateTime>
#include <QString>

namespace registro {

inline const QString kArchivoPorDefecto = QStringLiteral("QXERR.LOG");

// The name of a message-box answer as the log writes it ("Reintentar", "Ignorar", ... ; "" for OK and others).
QString NombreRespuesta(int respuesta);

// "MM-DD-YYYY HH:MM:SS Rutina: <routine part> Mensaje <message> Respondió : <answer>" + CR LF; the routine part
// and the message are trimmed.
QString Linea(const QDateTime& momento, const QString& parteRutina, const QString& mensaje, int respuesta);

// The log file: `archivo` when it is not "", else "QXERR.LOG" in the program folder.
QString Archivo(const QString& archivo);

// Appends one line; false when the file cannot be written (the caller goes on all the same).
bool Agregar(const QString& archivo, const QString& linea);

} // namespace registro
