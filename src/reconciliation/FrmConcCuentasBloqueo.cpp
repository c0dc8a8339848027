// The edit lock: a row of V_MV_CTROL_CPTE tells other stations that this one is working on a reconciliation.
// The window remembers the number whose lock it holds, so that it always gives back its own lock, and only
// its own, whichever road leaves the reconciliation (save, delete, cancel, a new number, closing).

#include "FrmConcCuentas.h"

#include "data/DB_Dll.h"

QString FrmConcCuentas::MensajeBloqueo(const QString& titular, const QString& segundaLinea)
{
    return QStringLiteral("El usuario: ") + titular + QStringLiteral(", esta modificando este comprobante!\r\n")
           + segundaLinea;
}

bool FrmConcCuentas::TomarBloqueo(qint64 numero, bool deOtro, QString* titular)
{
    if (FBloqueo && *FBloqueo != numero)
        SoltarBloqueo();
    const QString propietario = m_store.Propietario();
    // Another instance of the program with this user on this station writes the same lock row: its hold
    // on this station's side tells it apart.
    if (FBloqueo != numero
        && !m_instancia.Tomar(conciliacion::ClaveDeBloqueo(
            conciliacion::IdentidadBaseDeDatos(gDB().gServidor, gDB().gDBName), numero, propietario))) {
        if (titular)
            *titular = propietario;
        return false;
    }
    conciliacion::ResultadoBloqueo r;
    try {
        r = m_store.TomarBloqueo(numero, propietario, deOtro);
    } catch (...) {
        if (FBloqueo != numero)
            m_instancia.Soltar();
        throw;
    }
    if (r.tomado) {
        FBloqueo = numero;
    } else {
        m_instancia.Soltar();
        if (titular)
            *titular = r.titular;
    }
    return r.tomado;
}

void FrmConcCuentas::SoltarBloqueo()
{
    if (!FBloqueo)
        return;
    m_store.SoltarBloqueo(*FBloqueo, m_store.Propietario());
    FBloqueo.reset();
    m_instancia.Soltar();
}
