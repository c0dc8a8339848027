// The edit lock: a row of V_MV_CTROL_CPTE tells other stations that this one is working on a reconciliation.
// The window remembers the number whose lock it holds, so that it always gives back its own lock, and only
// its own, whichever road leaves the reconciliation (save, delete, cancel, a new number, closing).

#include "FrmConcCuentas.h"

QString FrmConcCuentas::MensajeBloqueo(const QString& titular, const QString& segundaLinea)
{
    return QStringLiteral("El usuario: ") + titular + QStringLiteral(", esta modificando este comprobante!\r\n")
           + segundaLinea;
}

bool FrmConcCuentas::TomarBloqueo(qint64 numero, bool deOtro, QString* titular)
{
    if (FBloqueo && *FBloqueo != numero)
        SoltarBloqueo();
    const conciliacion::ResultadoBloqueo r =
        m_store.TomarBloqueo(numero, conciliacion::PropietarioEstacion(), deOtro);
    if (r.tomado)
        FBloqueo = numero;
    else if (titular)
        *titular = r.titular;
    return r.tomado;
}

void FrmConcCuentas::SoltarBloqueo()
{
    if (!FBloqueo)
        return;
    m_store.SoltarBloqueo(*FBloqueo, conciliacion::PropietarioEstacion());
    FBloqueo.reset();
}
