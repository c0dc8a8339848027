#pragma once
// Small pieces the store's statements are made of: quoted literals, the condition on a reconciliation's
// number and ID lists. Results are read through Filas; operations of several statements run in a Transaccion.

#include <QString>
#include <QStringList>
#include <vector>

namespace conciliacion::sql {

// A text literal with its quotes doubled: 'O''Brien'.
QString Texto(const QString& texto);
// A date literal for a day/month/year text (Conversiones::FechaSQL); NULL for a blank one.
QString Fecha(const QString& fecha);
// "IDCONCILIACION = '<number padded to 15>'": the rows of one reconciliation.
QString DelNumero(qint64 numero);
// The IDs as comma-separated lists of at most `porLista` each, for "IN (...)"; none for no IDs.
QStringList ListasDeIds(const std::vector<qint64>& ids, int porLista = 500);

} // namespace conciliacion::sql
