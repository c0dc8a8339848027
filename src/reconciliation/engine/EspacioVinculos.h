#pragma once
// The room on disk that a reconciling run's writes need on the embedded engine, and the margin kept free beside
// it. Each to each, a run can mean billions of link rows: the operator hears how much room they need before
// anything is written, and a run the disk cannot take is refused at once.
//
// What the figures rest on:
// - One link row of MV_CONCILIACION_Cpte_AUX takes 41 to 43 bytes of the company file, its row and both of its
//   indexes (the pair's key and the right line's) included: measured writing 1 and 10 million rows through the
//   store, band by band as it writes them (pages added to the file, times the page size, over the rows;
//   bench_workbench prints it, and the same on a company of 100,000 lines a side). Past 268 million rows the
//   row number takes one byte more in each of the three trees, so 46 bytes are counted.
// - A link list is saved as its text, plain digits and commas, one byte each; 5 % more is counted for the
//   pages a long one runs over.
// - The run is one transaction. While it is open, every page it writes is in the engine's journal beside the
//   company file (the write-ahead log, where a page written twice keeps one copy); at the commit the journal is
//   copied into the file, which grows by as much, and only then is the journal cut back. So the run needs twice
//   the room of what it writes.

#include "Aviso.h"
#include "LinkListReconcile.h"
#include "StoreTypes.h"

#include <QString>

namespace conciliacion {

// Bytes one link row takes in the company file.
inline constexpr qint64 kBytesPorVinculo = 46;

// Bytes the run's link rows and the new rows' link lists take once written.
qint64 BytesVinculos(const VinculosNuevos& nuevos);
// Bytes one saved line takes in a write's progress: its link list and the rest of the row.
qint64 BytesEstado(const EstadoFila& estado);
// The free room the run needs while it writes (twice what it writes, see above).
qint64 EspacioNecesario(const VinculosNuevos& nuevos);
// The room kept free beside what a write needs: a tenth of it, and never less than 100 MB.
qint64 MargenEspacio(qint64 necesario);
// True when `libre` bytes take a write that needs `necesario`, with the margin beside it.
bool AlcanzaEspacio(qint64 necesario, qint64 libre);
// A size as the operator reads it: "950 KB", "1.5 GB" (the locale's number format).
QString TextoEspacio(qint64 bytes);
// The refusal of a run the disk cannot take: the room it needs, with its margin, and the room free.
Aviso AvisoSinEspacio(qint64 necesario, qint64 libre);

} // namespace conciliacion
