#pragma once
// Writing each-to-each link rows (a reconciling run whose new left lines each link with every new right line)
// through the store, in a fresh process: the rate of the first tenth of the rows beside that of the last tenth,
// which must stay steady as the link table grows, and the bytes one link row takes in the company file and in the
// engine's journal (the figure the room a run needs is counted from, EspacioVinculos.h).

#include <QStringList>
#include <QTextStream>
#include <optional>

namespace vinculos {

// With the arguments of a child run ("--vinculos <left lines> <right lines> <database>"): runs it in this
// process and gives the exit code. Otherwise nothing.
std::optional<int> Hijo(const QStringList& argumentos);

// The sizes measured: 12,800 link rows (128 left lines x 100 right) in the small mode; 1,024,000 (1,024 x 1,000);
// and 10,240,000 (2,048 x 5,000) beside those.
enum class Formas { Pequena, Millon, DiezMillones };

// The link figures at each size, `corridas` fresh processes each. The database is made in `carpeta`.
void Medir(Formas formas, int corridas, const QString& carpeta, QTextStream& out);

} // namespace vinculos
