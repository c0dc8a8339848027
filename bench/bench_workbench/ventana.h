#pragma once
// The workbench window's figures on the benchmark account (see ventana.cpp).

#include <QString>
#include <QTextStream>
#include <functional>

// `copiaNueva` gives the path of a fresh copy of the benchmark database; the reference matcher runs on the
// first `nReferencia` rows of each list. `desnudo` times bare SQLite inserting and reading back the same rows
// on a fresh copy (ms), the yardstick of the load.
void MedirVentana(const std::function<QString()>& copiaNueva, int nReferencia, int corridas,
                  const std::function<double()>& desnudo, QTextStream& out);

// "min=… median=…" of the figures.
QString MinMediana(std::vector<double> valores, int decimales = 1);
