// Opening a saved reconciliation: its header into the fields, its finalized state, its lines into both
// lists (CargarConciliacion), its link groups, and its edit lock.

#include "FrmConcCuentas.h"

#include "core/ProgressBar.h"
#include "platform/suite/PictureBox.h"
#include "platform/ui/Keys.h"
#include "platform/ui/PaintHold.h"
#include "platform/ui/Routine.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

using conciliacion::Cabecera;
using conciliacion::Lado;

void FrmConcCuentas::AbrirConciliacion(bool TomarDeOtro)
{
    const qint64 numero = NumeroConciliacion();
    ui::Routine r{QString()};
    std::optional<Cabecera> cabecera;
    if (!r.step([&] { cabecera = m_store.LeerCabecera(numero); }) || !cabecera) {
        FHayError = r.left();
        return;
    }
    // The lock comes first: a reconciliation another station took in the meantime is not opened at all.
    bool tomado = false;
    bool escrito = false;
    QString titular;
    r.step([&] {
        tomado = TomarBloqueo(numero, TomarDeOtro, &titular);
        escrito = true;
    });
    if (!escrito) {
        // The failure was reported; without its lock the reconciliation is not opened.
        FHayError = true;
        return;
    }
    if (!tomado) {
        ui::dialogs().MsgBox(MensajeBloqueo(titular, QStringLiteral("No puede modificarlo!")),
                             ui::vbOKOnly + ui::vbCritical);
        FHayError = true;
        return;
    }

    FFinalizada = cabecera->finalizada;
    for (QPushButton* b : {CmdConciliar, cmdComparar, cmdRefresh})
        b->setEnabled(!FFinalizada);
    if (FFinalizada)
        ui::dialogs().MsgBox(QStringLiteral("La conciliación ingresada se encuentra finalizada!!!\r\n"
                                            "Es imposible de modificar."),
                             ui::vbOKOnly + ui::vbInformation, QStringLiteral("Aviso al Usuario"));
    QLineEdit* cuenta = Campo(QStringLiteral("CUENTA"));
    cuenta->setText(cabecera->cuenta);
    cuenta->setEnabled(false);   // the account of a saved reconciliation cannot change
    Campo(QStringLiteral("FechaD"))->setEnabled(true);
    Campo(QStringLiteral("FechaH"))->setEnabled(true);
    CmdEjecutar->setEnabled(false);
    // Confirmed as if typed: description, detail mode, the account's settings. The opening goes on whatever
    // that validation answers.
    txtFields_KeyDown(IndiceCampo(QStringLiteral("CUENTA")), ui::vbKeyReturn, 0);
    if (FFinalizada)
        cmdComparar->setEnabled(false);
    // After the account's validation, so that the saved period replaces the default one.
    Campo(QStringLiteral("OBS"))->setText(cabecera->observaciones);
    Campo(QStringLiteral("FechaD"))->setText(cabecera->fechaDesde);
    Campo(QStringLiteral("FechaH"))->setText(cabecera->fechaHasta);
    Campo(QStringLiteral("UNegocio"))->setText(cabecera->unegocio);
    Campo(QStringLiteral("Usuario"))->setText(cabecera->usuario);
    r.step([&] {
        CargarConciliacion(true, true);
        AgruparConciliados();
    });
    if (r.left())
        FHayError = true;
}

void FrmConcCuentas::CargarConciliacion(bool Izquierda, bool Derecha)
{
    ArmarColumnas(Izquierda, Derecha);
    struct Tira {
        suite::PictureBox* caja;
        explicit Tira(suite::PictureBox* c) : caja(c) { caja->setVisible(true); }
        ~Tira()
        {
            caja->Cls();
            caja->setVisible(false);
        }
    } tira(PicImg);

    const qint64 numero = NumeroConciliacion();
    if (!m_store.LeerCabecera(numero))
        return;
    const bool conConciliados = ChkConciliados->isChecked();
    for (Lado lado : {Lado::Izquierda, Lado::Derecha}) {
        if (!(lado == Lado::Izquierda ? Izquierda : Derecha))
            continue;
        m_sesion.Reemplazar(lado, m_store.CargarLineas(numero, lado, conConciliados));
        if (m_sesion.Cantidad(lado) > 0)
            ModGlobal::DibujarProgreso(*PicImg, 100.0, 0xFF0000, QString());
        MostrarTotalesLado(lado);
        AgruparConciliados();
    }
}
