#pragma once
// The workbench window's figures on the benchmark account (see Ventana.cpp).

#include <QString>
#include <QTextStream>
#include <functional>
#include <optional>

// `copiaNueva` gives the path of a fresh copy of the benchmark database; the reference matcher runs on the
// first `nReferencia` rows of each list.
void MedirVentana(const std::function<QString()>& copiaNueva, int nReferencia, int corridas, QTextStream& out);

// "Aplicar" and "Comparar" in the window, each run in a fresh process. With the arguments of a child run it runs
// that one figure; with --ventana it prints these figures alone ([--million] [--runs N]). Either way it gives the
// program's exit code; for any other arguments nothing.
std::optional<int> VentanaAplicarComparar(int argc, char** argv);
// Those figures at 10,000 and 100,000 lines a side, and at 1,000,000 when the program's arguments hold
// --million; `corridas` fresh processes per figure.
void MedirAplicarComparar(int corridas, QTextStream& out);
