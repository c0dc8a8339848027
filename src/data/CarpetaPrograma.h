#pragma once
// The program folder (error log, lookup-mask file, column widths, station file): CONCCUENTAS_HOME when set,
// otherwise the per-user application data folder. Created when missing; returned without a final "/".

#include <QString>

QString CarpetaPrograma();
