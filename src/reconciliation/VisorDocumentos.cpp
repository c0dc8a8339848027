#include "VisorDocumentos.h"

#include "platform/ui/Routine.h"
#include "viewers/AperturaVisores.h"

namespace conciliacion {

Comprobante Comprobante::DeLinea(const QString& tc, const QString& identidad)
{
    return {tc, identidad.mid(0, 4), identidad.mid(4, 8), identidad.mid(12, 1)};
}

bool SinDocumento(const QString& tc)
{
    const QString codigo = tc.trimmed();
    return codigo.isEmpty() || visores::VisorPorTC(codigo).visor == visores::Visor::Ninguno;
}

namespace {

// The document viewers: the default window of the viewer that the voucher's type code picks.
class VisoresDeComprobantes final : public VisorDocumentos {
public:
    void Mostrar(const Comprobante& c, const QString& cuentaFiltro) override
    {
        // A viewer that cannot be filled (an unwritable temporary folder) is reported, not left to end the program.
        ui::Routine rutina(QStringLiteral("MostarComprobante"));
        rutina.step([&] { visores::MostrarComprobante(c.tc, c.sucursal, c.numero, c.letra, cuentaFiltro); });
    }
};

VisoresDeComprobantes gVisores;
VisorDocumentos* gVisor = &gVisores;

} // namespace

VisorDocumentos& visorDocumentos()
{
    return *gVisor;
}

void instalarVisorDocumentos(VisorDocumentos* visor)
{
    gVisor = visor ? visor : &gVisores;
}

} // namespace conciliacion
