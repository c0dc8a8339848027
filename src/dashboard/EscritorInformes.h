#pragma once
// The dashboard's road to the report writer: the style sheet, the tax-book column setting and one report per
// request. The program uses the report library's writer; tests install a factory of their own that records
// the calls.

#include "PedidoInforme.h"
#include "report/ClassHTML.h"

#include <functional>
#include <memory>

namespace tablero {

class EscritorInformes {
public:
    virtual ~EscritorInformes() = default;
    virtual void setColIVA(bool valor) = 0;
    // "Style.css" into the folder.
    virtual void writeStyleCSS(const QString& carpeta) = 0;
    // Writes the report into pedido.strNombreArchivo, working the host's busy display, cancel flag and last report.
    // A cancelled or failed report leaves the part written so far; a busy writer writes nothing.
    virtual report::ResultadoListado writeHTML(const PedidoInforme& pedido, report::HostReporte& host) = 0;
};

using FabricaEscritores = std::function<std::unique_ptr<EscritorInformes>()>;

// A new writer from the installed factory (the report library's writer by default).
std::unique_ptr<EscritorInformes> NuevoEscritor();
// The report library's writer, a long report in parts of `filasPorParte` rows.
std::unique_ptr<EscritorInformes> EscritorDeLaBiblioteca(int filasPorParte = report::ClassHTML::kFilasPorParte);
// Installs a factory; an empty one puts back the default.
void InstalarFabricaEscritores(FabricaEscritores fabrica);

} // namespace tablero
