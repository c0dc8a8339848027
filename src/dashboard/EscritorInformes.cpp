#include "EscritorInformes.h"

namespace tablero {

namespace {

// The report library's writer.
class EscritorClassHTML final : public EscritorInformes {
public:
    explicit EscritorClassHTML(int filasPorParte) { m_html.FilasPorParte = filasPorParte; }
    void setColIVA(bool valor) override { m_html.ColIVA = valor; }
    void writeStyleCSS(const QString& carpeta) override { m_html.writeStyleCSS(carpeta); }
    report::ResultadoListado writeHTML(const PedidoInforme& pedido, report::HostReporte& host) override
    {
        m_html.setHost(&host);
        const report::ResultadoListado resultado = m_html.writeHTML(pedido);
        m_html.setHost(nullptr);
        return resultado;
    }

private:
    report::ClassHTML m_html;
};

FabricaEscritores& fabrica()
{
    static FabricaEscritores f;
    return f;
}

} // namespace

std::unique_ptr<EscritorInformes> NuevoEscritor()
{
    if (fabrica())
        return fabrica()();
    return EscritorDeLaBiblioteca();
}

std::unique_ptr<EscritorInformes> EscritorDeLaBiblioteca(int filasPorParte)
{
    return std::make_unique<EscritorClassHTML>(filasPorParte);
}

void InstalarFabricaEscritores(FabricaEscritores f)
{
    fabrica() = std::move(f);
}

} // namespace tablero
