#include "Configuration.h"

#include "Globals.h"
#include "data/DB_Dll.h"
#include "data/base/SqlText.h"
#include "platform/ui/Routine.h"

#include <cmath>
#include <limits>

namespace ModGlobal {

QString gTablaConfig;
bool gMostrarStockEnConsultas = false;
QString gTituloClientes;
QString gTituloProveedores;
QString gRutaTareas;
bool gExigeClaveConsultaLike = false;
bool gUsaConsultaLike = false;
QString gCantidadDecimales;
bool gUsaMultiplesMonedas = false;
bool gUsaFacturaProforma = false;
bool gUsaCentroCosto = false;
bool gUsaStockKg = false;
QString gUNegocio;
QString gUnidadM3;
QString gUnidadBL;
QString gUnidadKG;
int gPeriodo = 0;
bool gValidaCodigoBarra = false;
bool gModuloOrdenDeTrabajo = false;
bool gVModificaCPrecio = false;
bool gCModificaCPrecio = false;
bool gMaderera = false;
QString gMadTiras, gMadP2, gMadML, gMadM2, gMadHojas, gMadMLP2, gMadM2P2, gMadMLM2;
QString gCuentaCtroDist;
ado::Currency gMaxDto;
ado::Currency gMaxDtoProforma;
bool gPideClaveStockNeg = false;
bool gPideClaveMarkUpBase = false;
bool gPideClaveLimiteCredito = false;
bool gBloqueoActivo = false;
bool gUtilizarFechaDia = false;
QString gTopDefault;

namespace {

QString tablaConfiguracion()
{
    if (gTablaConfig.trimmed().isEmpty())
        gTablaConfig = QStringLiteral("TA_CONFIGURACION");
    return gTablaConfig;
}

bool esSi(const QString& valor)
{
    return valor.compare(QLatin1String("SI"), Qt::CaseInsensitive) == 0;
}

bool esNo(const QString& valor)
{
    return valor.compare(QLatin1String("NO"), Qt::CaseInsensitive) == 0;
}

// "False when the trimmed value is "" or the value is "NO", else True".
bool noVacioNiNo(const QString& valor)
{
    return !(valor.trimmed().isEmpty() || esNo(valor));
}

// An amount converted to a whole number, halves to even.
qint32 montoAEntero(const QString& texto)
{
    return qint32(suite::Utilidades::TextoAMoneda(texto).rounded(0).scaled() / ado::Currency::kScale);
}

int numeroRedondeado(const QString& texto)
{
    const double redondeado = std::nearbyint(sqltext::NumeroDeTexto(texto));
    if (!std::isfinite(redondeado) || std::fabs(redondeado) > std::numeric_limits<int>::max())
        throw ado::Error(6, QStringLiteral("Desbordamiento"));
    return int(redondeado);
}

} // namespace

QString Cfg(const QString& Clave, QString& ValorAux)
{
    QString resultado;
    // Ignore goes on with the next step; any other answer (Retry too) leaves with "".
    ui::Routine rutina(QStringLiteral("Cfg"), [](const std::exception_ptr& error, const QString& nombre) {
        const int respuesta = gDB().TratamientoErrores(ui::errorInfoOf(error), 18, nombre);
        return respuesta == ui::vbIgnore ? ui::vbIgnore : ui::vbAbort;
    });
    ado::Recordset rs;
    QString sql;
    bool abierto = false;
    rutina.steps({
        [&] {
            const QString clave = Clave.trimmed();
            sql = QStringLiteral("SELECT VALOR, valoraux FROM ") + tablaConfiguracion() + QStringLiteral(" WHERE CLAVE = ")
                + DB_Dll::SQLValue(clave, QStringLiteral("'"));
            if (clave.compare(QLatin1String("[FECHA DESDE]"), Qt::CaseInsensitive) == 0
                || clave.compare(QLatin1String("[FECHA HASTA]"), Qt::CaseInsensitive) == 0)
                sql = sql.toUpper();
        },
        // A failed query has been shown to the operator by AbrirRecordset itself.
        [&] { abierto = gDB().AbrirRecordset(sql, rs, nullptr, ado::adOpenForwardOnly, ado::adLockReadOnly, -1, true); },
    });
    if (rutina.left() || !abierto)
        return QString();
    rutina.steps({
        [&] {
            if (rs.EOF()) {
                resultado = QStringLiteral(" ");
                ValorAux.clear();
            } else {
                resultado = suite::Utilidades::TextoCampo(rs.Fields(QStringLiteral("VALOR")).Value());
                ValorAux = suite::Utilidades::TextoCampo(rs.Fields(QStringLiteral("ValorAux")).Value());
            }
        },
        [&] { gDB().CierraRecordset(rs); },
    });
    return rutina.left() ? QString() : resultado;
}

QString Cfg(const QString& Clave)
{
    QString valorAux;
    return Cfg(Clave, valorAux);
}

bool GrabaDfg(const QString& Clave, const ado::Variant& Valor, const QString& ValorAux, int PoliticaNegocio,
              const QString& Grupo)
{
    ui::Routine rutina(QStringLiteral("GrabaDfg"), gDB().ConTratamientoErrores());
    ado::Recordset rs;
    const QString sql = QStringLiteral("SELECT * FROM ") + tablaConfiguracion() + QStringLiteral(" WHERE CLAVE = ")
        + DB_Dll::SQLValue(Clave, QStringLiteral("'"));
    // A failed query has been shown to the operator by AbrirRecordset itself: nothing is saved.
    if (!gDB().AbrirRecordset(sql, rs, &gDB().gCnn, ado::adOpenDynamic, ado::adLockOptimistic, -1, true))
        return false;
    bool guardado = false;
    rutina.steps({
        [&] {
            if (rs.EOF())
                rs.AddNew();
            else
                rs.MoveFirst();
        },
        [&] { rs.Fields(QStringLiteral("Grupo")).setValue(Grupo); },
        [&] { rs.Fields(QStringLiteral("Clave")).setValue(Clave.trimmed().toUpper()); },
        [&] { rs.Fields(QStringLiteral("Valor")).setValue(suite::Utilidades::TextoCampo(Valor).trimmed()); },
        [&] { rs.Fields(QStringLiteral("PoliticaNegocio")).setValue(PoliticaNegocio != 0); },
        [&] {
            if (!ValorAux.isEmpty())
                rs.Fields(QStringLiteral("ValorAux")).setValue(ValorAux.trimmed());
        },
        [&] {
            rs.Update();
            guardado = true;
        },
    });
    gDB().CierraRecordset(rs);
    return guardado;
}

void CargarConfiguracion(const QString& Carpeta)
{
    // Every failing step is passed over; Cfg's own failures still show Cfg's dialog.
    ui::Routine rutina(QStringLiteral("CargarConfiguracion"), ui::silently(ui::vbIgnore));
    auto valor = [](const char* clave) { return Cfg(QString::fromLatin1(clave)); };
    rutina.steps({
        [&] { gTablaConfig = QStringLiteral("ta_configuracion"); },
        [&] { gMostrarStockEnConsultas = esSi(valor("MostrarStockenConsultas")); },
        [&] { gTituloClientes = valor("TituloClientes").trimmed(); },
        [&] { gTituloProveedores = valor("TituloProveedores").trimmed(); },
        [&] { gRutaTareas = Carpeta + QStringLiteral("QXDOCTareas.qxd"); },
        [&] { gExigeClaveConsultaLike = esSi(valor("EXIGECLAVECONSULTALIKEARTICULOS")); },
        [&] { gUsaConsultaLike = esSi(valor("UsaConsultaLike")); },
        [&] { gCantidadDecimales = valor("CantidadDecimales"); },
        [&] { gUsaMultiplesMonedas = esSi(valor("UsaMultilesMonedas")); },
        [&] { gUsaFacturaProforma = esSi(valor("UsaFacturaProforma")); },
        [&] { gUsaCentroCosto = esSi(valor("USACCOSTO")); },
        [&] { gUsaStockKg = esSi(valor("USA_STK_STOCK_UDKG")); },
    });

    ado::Recordset usuario;
    bool conFila = false;
    rutina.steps({
        [&] {
            const QString sql = QStringLiteral("Select * from ta_usuarios where Nombre = ")
                + DB_Dll::SQLValue(gUsuarioLogeado, QStringLiteral("'"));
            conFila = gDB().AbrirRecordset(sql, usuario, nullptr, ado::adOpenForwardOnly, ado::adLockReadOnly, -1, true)
                && !usuario.EOF();
        },
        [&] {
            if (conFila)
                gUNegocio = suite::Utilidades::TextoCampo(usuario.Fields(QStringLiteral("UNegocio")).Value());
        },
        [&] {
            if (conFila && gUsaFacturaProforma)
                gUsaFacturaProforma = usuario.Fields(QStringLiteral("VerProforma")).Value().toBool();
        },
        [&] {
            if (gUNegocio.isEmpty())
                gUNegocio = QStringLiteral("   1");
        },
        [&] { gDB().CierraRecordset(usuario); },
    });

    rutina.steps({
        [&] { gUnidadM3 = valor("UNIDADDEMEDIDA_M3").trimmed(); },
        [&] { gUnidadBL = valor("UNIDADDEMEDIDA_BL").trimmed(); },
        [&] { gUnidadKG = valor("UNIDADDEMEDIDA_KG").trimmed(); },
        [&] { gPeriodo = numeroRedondeado(valor("PERIODO")); },
        [&] { gValidaCodigoBarra = esSi(valor("VALIDACODIGOBARRA").trimmed()); },
        [&] { gColorFondo = montoAEntero(valor("CFondo")); },
        [&] { gColorLetra = montoAEntero(valor("CLetra")); },
        [&] {
            if (gColorFondo == 0)
                gColorFondo = 0xFFFF00;
        },
        [&] { gModuloOrdenDeTrabajo = !esNo(valor("ModuloOrdenDeTrabajo").trimmed()); },
        [&] { gVModificaCPrecio = noVacioNiNo(valor("V_ModificaCPrecio")); },
        [&] { gCModificaCPrecio = noVacioNiNo(valor("C_ModificaCPrecio")); },
        [&] { gMaderera = noVacioNiNo(valor("MADERERA")); },
        [&] { gMadTiras = valor("MAD_TIRAS").trimmed(); },
        [&] { gMadP2 = valor("MAD_P2").trimmed(); },
        [&] { gMadML = valor("MAD_ML").trimmed(); },
        [&] { gMadM2 = valor("MAD_M2").trimmed(); },
        [&] { gMadHojas = valor("MAD_HOJAS").trimmed(); },
        [&] { gMadMLP2 = valor("MAD_ML_P2").trimmed(); },
        [&] { gMadM2P2 = valor("MAD_M2_P2").trimmed(); },
        [&] { gMadMLM2 = valor("MAD_ML_M2").trimmed(); },
        [&] { gCuentaCtroDist = valor("CuentaCtroDist").trimmed(); },
        [&] { gMaxDto = suite::Utilidades::TextoAMoneda(valor("MaxDto").trimmed()); },
        [&] { gMaxDtoProforma = suite::Utilidades::TextoAMoneda(valor("MaxDtoProforma").trimmed()); },
        [&] { gPideClaveStockNeg = noVacioNiNo(valor("PideClave_StockNeg")); },
        [&] { gPideClaveMarkUpBase = noVacioNiNo(valor("PideClave_MarkUpBase")); },
        [&] { gPideClaveLimiteCredito = noVacioNiNo(valor("PideClave_LimiteCredito")); },
        [&] { gBloqueoActivo = esSi(valor("SS_BloqueoActivo")); },
        [&] { gUtilizarFechaDia = esSi(valor("UTILIZARFECHADIA")); },
        [&] {
            gTopDefault = valor("Top_Default");
            if (gTopDefault.trimmed().isEmpty())
                gTopDefault = QStringLiteral("1000");
        },
    });
}

} // namespace ModGlobal
