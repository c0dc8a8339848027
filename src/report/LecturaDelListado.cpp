// A report's query read with the window's events running and its cancel honoured.

#include "LecturaDelListado.h"

#include "data/DB_Dll.h"
#include "platform/ado/QueryWait.h"

#include <optional>

namespace report {

namespace {

class EsperaDeLectura final : public ado::QueryWait {
public:
    explicit EsperaDeLectura(HostReporte& host) : m_host(host) {}
    bool waiting(int) override
    {
        m_host.ProcesarEventos();
        return !m_host.Cancelado();
    }

private:
    HostReporte& m_host;
};

} // namespace

Lectura AbrirLectura(const QString& sql, ado::Recordset& rs, HostReporte* host)
{
    std::optional<EsperaDeLectura> espera;
    if (host && host->EsperaLecturas())
        espera.emplace(*host);
    // The wait is this read's alone, and goes with it.
    struct EsperaDelRecordset {
        ado::Recordset& rs;
        ~EsperaDelRecordset() { rs.setQueryWait(nullptr); }
    } soltar{rs};
    rs.setQueryWait(espera ? &*espera : nullptr);
    try {
        return gDB().AbrirRecordset(sql, rs, nullptr, ado::adOpenForwardOnly, ado::adLockReadOnly, -1, true)
                   ? Lectura::Abierta
                   : Lectura::Fallida;
    } catch (const ado::QueryCancelled&) {
        return Lectura::Cancelada;
    }
}

} // namespace report
