#pragma once
// The mask and column-width files are shared with the suite's Windows programs, which write them in the
// Western single-byte code page. Qt has no Windows-1252 codec without ICU, so this is our own.

#include <QByteArray>
#include <QString>

namespace lookup {

// Characters the code page cannot hold become '?'.
QByteArray toWindows1252(const QString& text);
QString fromWindows1252(const QByteArray& bytes);

} // namespace lookup
