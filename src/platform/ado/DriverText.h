#pragma once
// What a text must not hold to reach a server through an ODBC driver exactly as it was judged. A driver reads
// the text by rules of its own before the server does: it ends the text at a NUL, cannot convert half of a
// surrogate pair, and rewrites the ODBC escapes it finds ("{d ...}", "{fn ...}", "{call ...}", and their long
// form "--(*vendor(...),product(...) ... *)--"), deciding by its own reading of comments and literals which
// braces are escapes. That reading differs from the server's (nested comments, Oracle's q'[...]' literals), so
// no place in a text is safe for an escape that the driver is given to scan.

#include <QStringView>

namespace ado {

// Where the first character stands that no driver sends as it is: a NUL, or half of a surrogate pair; -1 when
// there is none.
qsizetype UnsendableCharacterAt(QStringView text);

// True when the text holds, anywhere, something an escape-scanning driver may rewrite: a brace, or the opening
// of an escape's long form.
bool DriverMayRewrite(QStringView text);

} // namespace ado
