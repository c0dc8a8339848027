#pragma once
// Date texts as the database and the program write them. Dates are kept naive (no time zone, held with the
// UTC spec) so that a midnight that a local daylight-saving change skips still exists.

#include <QDateTime>
#include <QString>
#include <optional>
#include <string_view>

namespace ado {

QDateTime NaiveDateTime(QDate date, QTime time = QTime(0, 0));

// Reads "yyyy-MM-dd", optionally followed by " HH:mm[:ss[.fff]]" (or "T" before the time), and
// "d/M/yyyy" or "d/M/yy" (00-29 are 2000-2029, 30-99 are 1930-1999) with the same optional time.
// Blanks around are ignored. Empty when the text is no such date.
std::optional<QDateTime> ParseDateText(std::string_view text);
std::optional<QDateTime> ParseDateText(const QString& text);

// "yyyy-MM-dd HH:mm:ss", the form the embedded engine stores.
QString IsoDateText(const QDateTime& value);

} // namespace ado
