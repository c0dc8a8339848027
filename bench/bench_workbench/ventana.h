#pragma once
// The workbench window's figures on the benchmark account (see ventana.cpp).

#include <QString>
#include <QTextStream>
#include <functional>

// `copiaNueva` gives the path of a fresh copy of the benchmark database; the reference matcher runs on the
// first `nReferencia` rows of each list.
void MedirVentana(const std::function<QString()>& copiaNueva, int nReferencia, QTextStream& out);
