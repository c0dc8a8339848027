#include "VisorDocumentos.h"

#include "platform/ui/OperatorDialogs.h"

namespace conciliacion {

Comprobante Comprobante::DeLinea(const QString& tc, const QString& identidad)
{
    return {tc, identidad.mid(0, 4), identidad.mid(4, 8), identidad.mid(12, 1)};
}

bool SinDocumento(const QString& tc)
{
    const QString codigo = tc.trimmed();
    return codigo.isEmpty() || codigo.compare(QLatin1String("VJ"), Qt::CaseInsensitive) == 0;
}

namespace {

// No viewer is installed yet: the operator is told which voucher would open.
class AvisoComprobante final : public VisorDocumentos {
public:
    void Mostrar(const Comprobante& c, const QString& /*cuentaFiltro*/) override
    {
        ui::dialogs().MsgBox(QStringLiteral("Detalle del Comprobante: %1 %2-%3-%4\r\n"
                                            "El visor de comprobantes no está disponible en esta instalación.")
                                 .arg(c.tc.trimmed(), c.sucursal, c.numero, c.letra),
                             ui::vbOKOnly + ui::vbInformation, QStringLiteral("Aviso al Usuario"));
    }
};

AvisoComprobante gAviso;
VisorDocumentos* gVisor = &gAviso;

} // namespace

VisorDocumentos& visorDocumentos()
{
    return *gVisor;
}

void instalarVisorDocumentos(VisorDocumentos* visor)
{
    gVisor = visor ? visor : &gAviso;
}

} // namespace conciliacion
