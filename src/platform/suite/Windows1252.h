#pragma once
// The files shared with the suite's Windows programs (lookup masks, column widths, station file, error log)
// are in the Western single-byte code page. Our own codec, so the result never depends on Qt having ICU.

#include <QByteArray>
#include <QString>

namespace suite {

// Characters the code page cannot hold become '?'.
QByteArray toWindows1252(const QString& text);
QString fromWindows1252(const QByteArray& bytes);

} // namespace suite
