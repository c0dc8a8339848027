#pragma once
// The one file a company's name reaches. The engine follows symbolic links and keeps its journal beside the
// real file, so every look at the company (a journal beside it, its names on the disk, who may write it and its
// folder, who has it open) is made on that file, found once, and the engine is given that same file.

#include <QString>

namespace sqlcompat {

struct CompanyFile {
    QString path;      // the real file: absolute, with no link and no "." or ".." left in it
    QString problem;   // "" when `path` is a file; otherwise why there is none, as a sentence for the operator
    bool missing = false;   // nothing at all by that name: no sentence, the opener says it as it always did
};

// The real file `name` reaches, or why it reaches none: a folder, a link to nothing or a link to a folder, or
// nothing by that name (missing).
CompanyFile ResolveCompanyFile(const QString& name);

} // namespace sqlcompat
