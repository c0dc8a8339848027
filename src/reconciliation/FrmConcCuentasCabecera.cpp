// The header fields: finding them by data-field name, validating one (CampoValida) or all of them
// (DatosValidos). Validating the number meets the edit lock and opens an existing reconciliation; validating
// the account loads its description and comparison settings and proposes the current month as the period.

#include "FrmConcCuentas.h"

#include "core/AccountLookup.h"
#include "core/Globals.h"
#include "platform/ado/Error.h"
#include "platform/ado/Recordset.h"
#include "platform/suite/Controles.h"
#include "platform/suite/Utilidades.h"
#include "platform/ui/Routine.h"

#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>

using conciliacion::Cabecera;

namespace {

const QString kTituloAviso = QStringLiteral("Aviso al operador...");

bool mismoNombre(const QString& a, const char* b)
{
    return a.compare(QLatin1String(b), Qt::CaseInsensitive) == 0;
}

// The observations and the two journal filters may stay blank; every other field must be filled.
bool obligatorio(const QString& dataField)
{
    return !mismoNombre(dataField, "OBS") && !mismoNombre(dataField, "UNegocio") && !mismoNombre(dataField, "Usuario");
}

bool esFecha(const QString& texto)
{
    try {
        suite::Utilidades::FechaSQL(texto);
        return true;
    } catch (const ado::Error&) {
        return false;
    }
}

// A reconciliation number is a whole number, as typed (a sign allowed, so that a negative one gets its own
// message); a fraction would name one number in the lock and another in the tables.
bool esNumeroEntero(const QString& texto, qint64& numero)
{
    static const QRegularExpression entero(QStringLiteral("^[+-]?[0-9]{1,18}$"));
    if (!entero.match(texto).hasMatch())
        return false;
    numero = texto.toLongLong();
    return true;
}

} // namespace

QLineEdit* FrmConcCuentas::Campo(const QString& dataField) const
{
    const int index = IndiceCampo(dataField);
    return index < 0 ? nullptr : txtFields(index);
}

int FrmConcCuentas::IndiceCampo(const QString& dataField) const
{
    return suite::Controles::IndiceControl(dataField, txtFields);
}

QString FrmConcCuentas::TextoCampo(const QString& dataField) const
{
    const QLineEdit* campo = Campo(dataField);
    return campo ? campo->text() : QString();
}

qint64 FrmConcCuentas::NumeroConciliacion() const
{
    return conciliacion::NumeroDeTexto(TextoCampo(QStringLiteral("IdConciliacion")));
}

Cabecera FrmConcCuentas::CabeceraDeCampos() const
{
    Cabecera c;
    c.numero = NumeroConciliacion();
    c.fecha = TextoCampo(QStringLiteral("Fecha")).trimmed();
    c.cuenta = TextoCampo(QStringLiteral("CUENTA")).trimmed();
    c.observaciones = TextoCampo(QStringLiteral("OBS"));
    c.fechaDesde = TextoCampo(QStringLiteral("FechaD")).trimmed();
    c.fechaHasta = TextoCampo(QStringLiteral("FechaH")).trimmed();
    c.unegocio = TextoCampo(QStringLiteral("UNegocio"));
    c.usuario = TextoCampo(QStringLiteral("Usuario"));
    c.finalizada = FFinalizada;
    return c;
}

bool FrmConcCuentas::DatosValidos()
{
    FHayError = false;
    for (int i : txtFields.Indices()) {
        CampoValida(txtFields(i));
        if (FHayError)
            break;
    }
    return !FHayError;
}

void FrmConcCuentas::CampoValida(QLineEdit* Texto)
{
    FHayError = false;
    if (!Texto)
        return;
    const QString texto = Texto->text().trimmed();
    const QString campo = suite::DataField(Texto).trimmed();
    ui::Routine r(QStringLiteral("CAMPO_VALIDA"));
    QString mensaje;
    const bool periodo = mismoNombre(campo, "FechaD") || mismoNombre(campo, "FechaH");
    if (periodo && FGrabando) {
        // Saving does not look at the period.
    } else if (texto.isEmpty() && obligatorio(campo)) {
        mensaje = QStringLiteral("Se debe informar el Campo: ") + campo;
    } else if (mismoNombre(campo, "IdConciliacion")) {
        mensaje = ValidarNumero(Texto, r);
    } else if (mismoNombre(campo, "Fecha")) {
        if (!texto.isEmpty() && !esFecha(texto))
            mensaje = QStringLiteral("La Fecha Ingresada no es válida!!!");
    } else if (mismoNombre(campo, "CUENTA")) {
        mensaje = ValidarCuenta(Texto, r);
    } else if (periodo) {
        if (!texto.isEmpty() && !esFecha(texto))
            mensaje = QStringLiteral("Fecha incorrecta...");
    }
    // A check the operator left after a failure has not passed the field.
    if (!mensaje.isEmpty() || r.left())
        FHayError = true;
    if (!mensaje.isEmpty())
        ui::dialogs().MsgBox(mensaje, ui::vbOKOnly + ui::vbCritical, kTituloAviso);
}

QString FrmConcCuentas::ValidarNumero(QLineEdit* Texto, ui::Routine& r)
{
    qint64 numero = 0;
    if (!esNumeroEntero(Texto->text().trimmed(), numero))
        return QStringLiteral("Debe Ingresar un número!!!");
    if (numero < 0)
        return QStringLiteral("Debe Ingresar un número positivo!!!");

    // Another station's lock: an administrator may take it over, anyone else gets the next number.
    const QString propietario = m_store.Propietario();
    QString titular;
    if (!r.step([&] { titular = m_store.TitularBloqueo(numero, propietario); }))
        return {};
    bool deOtro = false;
    if (!titular.isEmpty()) {
        bool esAdmin = false;
        if (!r.step([&] { esAdmin = m_store.EsAdministrador(ModGlobal::gUsuarioLogeado); }))
            return {};
        if (!esAdmin) {
            RechazarPorBloqueo(Texto, numero, titular);
            return {};
        }
        if (ui::dialogs().MsgBox(MensajeBloqueo(titular, QStringLiteral("Desea modificarlo?")),
                                 ui::vbYesNo + ui::vbCritical + ui::vbDefaultButton2)
            != ui::vbYes) {
            FHayError = true;
            return {};
        }
        deOtro = true;
    }
    if (FGrabando)   // saving does not open the reconciliation again
        return {};

    std::optional<conciliacion::Cabecera> cabecera;
    if (!r.step([&] { cabecera = m_store.LeerCabecera(numero); }))
        return {};
    if (cabecera && cabecera->tipo.trimmed().compare(QLatin1String("BCO"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("La conciliación ingresada fue realizada desde Dostavar, para su modificación dirígase "
                              "a dicho menú.");
    if (cabecera) {
        AbrirConciliacion(deOtro);
        return {};
    }
    // A new reconciliation is locked too, so that two stations shown the same proposal cannot both start it.
    bool tomado = false;
    bool escrito = false;
    r.step([&] {
        tomado = TomarBloqueo(numero, deOtro, &titular);
        escrito = true;
    });
    if (!escrito)
        // The lock could not be written, whatever the answer to the error: the number is not taken, and
        // nobody else holds it either.
        FHayError = true;
    else if (!tomado)
        RechazarPorBloqueo(Texto, numero, titular);
    return {};
}

void FrmConcCuentas::RechazarPorBloqueo(QLineEdit* Texto, qint64 numero, const QString& titular)
{
    ui::dialogs().MsgBox(MensajeBloqueo(titular, QStringLiteral("No puede modificarlo!")), ui::vbOKOnly + ui::vbCritical);
    Texto->setText(QString::number(numero + 1));
    FHayError = true;
}

QString FrmConcCuentas::ValidarCuenta(QLineEdit* Texto, ui::Routine& r)
{
    QString codigo = Texto->text().trimmed();
    bool porOpcional = false;
    bool hallada = false;
    ado::Recordset rs;
    if (!r.step([&] { hallada = ModGlobal::BuscarCuenta(codigo, &rs, true, porOpcional); }))
        return {};
    if (!hallada)
        return QStringLiteral("Cuenta Inexistente...");
    Texto->setText(codigo);
    bool titulo = false;
    QString descripcion;
    if (!r.step([&] {
            titulo = rs.Fields(QStringLiteral("Titulo")).Value().toBool();
            descripcion = suite::Utilidades::TextoCampo(rs.Fields(QStringLiteral("Descripcion")).Value());
        }))
        return {};
    if (titulo)
        return QStringLiteral("La Cuenta no es correcta!!\r\nEs Cuenta Titulo");
    if (FGrabando)
        return {};
    LblDescCuenta->setText(descripcion);
    if (!FEjecutando && !r.step([&] {
            DetalleOn(true);
            LeerCfg();
        }))
        return {};
    // The current month, for a period not typed yet.
    const QDate hoy = Hoy();
    const QString mesAnio = hoy.toString(QStringLiteral("/MM/yyyy"));
    if (TextoCampo(QStringLiteral("FechaD")).trimmed().isEmpty())
        Campo(QStringLiteral("FechaD"))->setText(QStringLiteral("01") + mesAnio);
    if (TextoCampo(QStringLiteral("FechaH")).trimmed().isEmpty())
        Campo(QStringLiteral("FechaH"))
            ->setText(QStringLiteral("%1").arg(suite::Utilidades::DiasDelMes(hoy.month()), 2, 10, QLatin1Char('0'))
                      + mesAnio);
    return {};
}
