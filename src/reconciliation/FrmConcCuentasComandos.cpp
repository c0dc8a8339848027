// The command bar's actions, the window's own keys and closing. Every road that leaves a reconciliation
// gives back the edit lock this window holds, and only that one.

#include "FrmConcCuentas.h"
#include "ReporteConciliacion.h"

#include "core/Configuration.h"
#include "core/Globals.h"
#include "data/DB_Dll.h"
#include "platform/suite/Brakmo.h"
#include "platform/suite/Reporte.h"
#include "platform/ui/Routine.h"

#include <QApplication>
#include <QLineEdit>

namespace {

constexpr int kTeclaConsultar = 117;   // F6

} // namespace

bool FrmConcCuentas::ValidarParaGrabar()
{
    FGrabando = true;
    const bool valido = DatosValidos();
    FGrabando = false;
    return valido;
}

void FrmConcCuentas::Grabar()
{
    if (!ValidarParaGrabar())
        return;
    ActualizarDatos();
    // A failed save keeps the reconciliation on screen, with its lock.
    if (!FHayError)
        Inicializa();
    Campo(QStringLiteral("IdConciliacion"))->setFocus();
}

void FrmConcCuentas::BorrarConciliacion()
{
    if (AvisoFinalizada())
        return;
    if (ui::dialogs().MsgBox(QStringLiteral("¿Confirma la eliminación de la conciliación Nro: ")
                                 + TextoCampo(QStringLiteral("IdConciliacion")) + QStringLiteral(" ?"),
                             ui::vbYesNo + ui::vbQuestion, QStringLiteral("ATENCIÓN"))
        != ui::vbYes)
        return;
    // One transaction: all its link rows, its lines, its header and this station's lock row, or nothing.
    ui::Routine r(QStringLiteral("Brakmo1_click"));
    conciliacion::Resultado resultado = conciliacion::Resultado::Hecho;
    bool hecho = false;
    r.step([&] {
        resultado = m_store.Borrar(NumeroConciliacion(), m_store.Propietario());
        hecho = true;
    });
    if (hecho && Escrito(resultado))
        VolverAlNumero();
}

void FrmConcCuentas::VolverAlNumero()
{
    Inicializa();
    Campo(QStringLiteral("IdConciliacion"))->setFocus();
}

void FrmConcCuentas::ImprimirReporte()
{
    FTablaReporte = QStringLiteral("MV_CONCILIACION");
    // The number as the tables hold it, whatever blanks surround it in the field.
    const QString seleccion = QStringLiteral(" {") + FTablaReporte + QStringLiteral(".IDCONCILIACION} = '")
                              + conciliacion::NumeroTabla(NumeroConciliacion())
                              + QStringLiteral("' AND {MV_CONCILIACION.CONCILIADO} = TRUE");
    const QString empresa =
        QStringLiteral("NombreEmpresa = '") + ModGlobal::Cfg(QStringLiteral("NOMBRE")) + QLatin1Char('\'');
    conciliacion::RegistrarReporteConciliacion();
    suite::Reporte& reporte = ModGlobal::gReporte();
    // The program's one progress window shows how far the report got.
    reporte.setProgreso(&ModGlobal::gProgreso());
    reporte.VistaPrevia = true;
    reporte.Apaisado = true;
    reporte.MostrarFechaImpresion = false;
    reporte.Imprimir(QStringLiteral("Brenquil"), QStringList{QString(), QString()}, seleccion, ModGlobal::gCadenaDsn,
                     empresa, {}, {}, {}, {}, QString(), QString(), QString());
    reporte.Margen = 25;
}

void FrmConcCuentas::Brakmo1_Click(const QString& key)
{
    if (EstaOcupado())
        return;
    const QString clave = key.toUpper();
    if (clave == QLatin1String("NUEVO")) {
        ui::Routine r(QStringLiteral("Brakmo1_click"));
        r.step([&] { SoltarBloqueo(); });
    } else if (clave == QLatin1String("BORRAR")) {
        BorrarConciliacion();
    } else if (clave == QLatin1String("GRABAR")) {
        Grabar();
    } else if (clave == QLatin1String("CONSULTAR")) {
        CmdConsultar();
    } else if (clave == QLatin1String("REPORTE")) {
        ImprimirReporte();
    } else if (clave == QLatin1String("CERRAR")) {
        Form_Unload();
    } else if (clave == QLatin1String("CANCELAR")) {
        // The reset gives back the lock of the reconciliation that was open.
        VolverAlNumero();
    }
}

void FrmConcCuentas::Form_KeyDown(int& KeyCode, int Shift)
{
    if (EstaOcupado())
        return;
    // F6 on a header field looks it up in every mode: once a reconciliation is open the bar's CONSULTAR is
    // off, but the date, the period and the filters can still be changed and so still looked up.
    if (KeyCode == kTeclaConsultar && Shift == 0) {
        auto* campo = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        if (campo && campo->objectName() == txtFields.Nombre() && campo->isEnabled()) {
            KeyCode = 0;
            FCampoActual = campo;
            CmdConsultar();
            return;
        }
    }
    Brakmo1->TeclaPulsada(KeyCode);
    if (KeyCode == 120)
        CmdEjecutar_Click();
    else if (KeyCode == 70 && Shift == 2)
        cmdFind_Click();
}

void FrmConcCuentas::Form_Unload()
{
    ui::Routine r(QStringLiteral("Form_Unload"));
    Cerrar(r);
}

void FrmConcCuentas::CerrarSinPreguntar()
{
    ui::Routine r(QString(), ui::silently(ui::vbIgnore));
    r.step([] {
        if (gDB().gCnn.InTransaction())
            gDB().gCnn.RollbackTrans();
    });
    Cerrar(r);
}

void FrmConcCuentas::Cerrar(ui::Routine& r)
{
    r.step([&] { SoltarBloqueo(); });
    hide();
    // The program ends at once: its connection is closed first, so that the engine's journal does not stay
    // beside the company.
    gDB().CerrarConexion();
    ui::dialogs().EndProgram(0);
}
