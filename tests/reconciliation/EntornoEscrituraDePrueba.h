#pragma once
// The writer's clock and the company disk's free room as a test sets them, installed for the whole process
// while the object lives: a write of billions of link rows can then be refused, or cancelled at its first
// reports, in an instant. Every reading of the clock finds it `pasoMs` later.

#include "reconciliation/engine/EntornoEscritura.h"

#include <QStringList>

class EntornoEscrituraDePrueba : public conciliacion::EntornoEscritura {
public:
    static constexpr qint64 kGiB = 1024LL * 1024 * 1024;

    EntornoEscrituraDePrueba() { conciliacion::InstalarEntornoEscritura(this); }
    ~EntornoEscrituraDePrueba() override { conciliacion::InstalarEntornoEscritura(nullptr); }
    EntornoEscrituraDePrueba(const EntornoEscrituraDePrueba&) = delete;
    EntornoEscrituraDePrueba& operator=(const EntornoEscrituraDePrueba&) = delete;

    qint64 Milisegundos() const override { return m_ahora += pasoMs; }
    std::optional<qint64> EspacioLibre(const QString& archivo) const override
    {
        archivos << archivo;
        return libre;
    }

    std::optional<qint64> libre;
    qint64 pasoMs = 0;
    mutable QStringList archivos;   // the files whose free room was asked for

private:
    mutable qint64 m_ahora = 0;
};
