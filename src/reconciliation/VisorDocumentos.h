#pragma once
// Opening the document behind a journal line (the voucher that produced it). The workbench hands the
// voucher to the installed VisorDocumentos: by default the document viewers, in the default window of the
// viewer its type code picks; tests install their own.

#include <QString>

namespace conciliacion {

// A voucher as a list row names it: its type code and its 13-character identity cut into branch (characters
// 1 to 4), number (5 to 12) and letter (13). A short identity gives short or empty pieces.
struct Comprobante {
    QString tc;
    QString sucursal;
    QString numero;
    QString letra;

    static Comprobante DeLinea(const QString& tc, const QString& identidad);
};

class VisorDocumentos {
public:
    virtual ~VisorDocumentos() = default;
    // Opens the voucher modeless; `cuentaFiltro` is the workbench's account, for the vouchers that need it.
    virtual void Mostrar(const Comprobante& comprobante, const QString& cuentaFiltro) = 0;
};

// The installed viewer; the document viewers until another is installed.
VisorDocumentos& visorDocumentos();
// Installs a viewer (not owned); nullptr puts back the default one.
void instalarVisorDocumentos(VisorDocumentos* visor);

// True for the type codes that have no document to open: none at all, or "VJ" (any case).
bool SinDocumento(const QString& tc);

} // namespace conciliacion
