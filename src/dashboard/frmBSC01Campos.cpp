// The filter boxes: focus colours and selection, the key filter, confirming a box with Enter (validation,
// then the focus moves on unless the value was refused), and the lookup F5 opens for the last box focused
// (a choice is confirmed as after Enter; a cancelled lookup leaves the box as it was).

#include "CamposFiltro.h"
#include "CuentaDelPlan.h"
#include "PedidoInforme.h"
#include "frmBSC01.h"

#include "core/AccountLookup.h"
#include "core/Globals.h"
#include "data/DB_Dll.h"
#include "data/base/SqlText.h"
#include "lookup/ConsultaDeCampo.h"
#include "lookup/DefinicionConsulta.h"
#include "lookup/Lib_ClsCons3.h"
#include "platform/ado/Error.h"
#include "platform/suite/Controles.h"
#include "platform/suite/Utilidades.h"
#include "platform/ui/Keys.h"
#include "platform/ui/OperatorDialogs.h"
#include "platform/ui/Units.h"

#include <QLineEdit>
#include <QPointer>

namespace tablero {

namespace {

void pintar(QLineEdit* campo, qint32 fondo, qint32 letra)
{
    QPalette paleta = campo->palette();
    paleta.setColor(QPalette::Base, ui::FromBgr(fondo));
    paleta.setColor(QPalette::Text, ui::FromBgr(letra));
    campo->setPalette(paleta);
}

bool es(const QString& texto, const char* nombre)
{
    return texto.compare(QLatin1String(nombre), Qt::CaseInsensitive) == 0;
}

} // namespace

QLineEdit* frmBSC01::Campo(const QString& dataField) const
{
    const int i = suite::Controles::IndiceControl(dataField, txtFields);
    return i < 0 ? nullptr : txtFields(i);
}

QString frmBSC01::TextoCampo(const QString& dataField) const
{
    QLineEdit* campo = Campo(dataField);
    return campo ? campo->text() : QString();
}

void frmBSC01::txtFields_GotFocus(int Index)
{
    QLineEdit* campo = txtFields(Index);
    pintar(campo, ModGlobal::gColorFondo, ModGlobal::gColorLetra);
    m_campoActual = Index;
    // The box's own focus handling runs after this and may move the selection: it is set once that is done.
    QPointer<QLineEdit> caja = campo;
    QMetaObject::invokeMethod(
        campo,
        [caja] {
            if (caja)
                caja->setSelection(0, int(caja->text().trimmed().size()));
        },
        Qt::QueuedConnection);
}

void frmBSC01::txtFields_LostFocus(int Index)
{
    pintar(txtFields(Index), 0xFFFFFF, 0);
}

void frmBSC01::txtFields_KeyDown(int Index, int KeyCode, int /*Shift*/)
{
    if (!suite::Controles::EsTeclaValidar(KeyCode))
        return;
    CampoValida(txtFields(Index));
    if (!m_errorValidacion)
        suite::Controles::MoverFoco(KeyCode, txtFields(Index));
}

void frmBSC01::txtFields_KeyPress(int Index, int& KeyAscii)
{
    if (KeyAscii != ui::vbKeyEscape)
        suite::Controles::FiltrarTecla(txtFields(Index), KeyAscii);
}

void frmBSC01::CampoValida(QLineEdit* Texto)
{
    m_errorValidacion = false;
    QString mensaje;
    try {
        QString valor = Texto->text().trimmed();
        const QString campo = suite::DataField(Texto);
        if (es(campo, "CUENTA")) {
            if (!valor.isEmpty()) {
                bool porOpcional = false;
                ado::Recordset rs;
                if (!ModGlobal::BuscarCuenta(valor, &rs, true, porOpcional)) {
                    mensaje = QStringLiteral("La cuenta ingresada es inexistente.");
                    m_errorValidacion = true;
                } else {
                    Texto->setText(valor);
                }
            }
            if (!m_errorValidacion) {
                const EstadoFiltros estado = Estado();
                if (const auto cuenta = LeerCuentaDelPlan(kSeleccionCampo, valor, m_rs)) {
                    if (EscribirInforme(Escritor(), PedidoDeCuenta(estado, valor, cuenta->titulo, cuenta->esHoja), *this))
                        MostrarInforme();
                }
                if (QLineEdit* cuenta = Campo(QStringLiteral("cuenta")))
                    cuenta->setFocus();
            }
        } else if (es(campo, "SUCURSAL")) {
            Texto->setText(RellenarConCeros(valor, 4));
        } else if (es(campo, "NUMERO")) {
            Texto->setText(RellenarConCeros(valor, 8));
        } else if (es(campo, "FechaDESDE") || es(campo, "FechaHASTA")) {
            // The period goes into the report's queries: only a date is taken.
            if (!valor.isEmpty() && !EsFechaValida(valor)) {
                mensaje = QStringLiteral("La fecha ingresada no es válida (día/mes/año).");
                m_errorValidacion = true;
            }
        } else if (es(campo, "ImpDesde") || es(campo, "ImpHasta")) {
            // A bound that is no amount is refused here, as it would be when the report is asked for.
            mensaje = AvisoImporte(valor);
            m_errorValidacion = !mensaje.isEmpty();
        }
    } catch (const ui::ProgramEnded&) {
        throw;
    } catch (const ui::UnexpectedPrompt&) {
        throw;
    } catch (...) {
        // A failure is shown as such, and the box keeps the focus.
        m_errorValidacion = true;
        suite::Utilidades::TratarError(std::current_exception(), QStringLiteral("CAMPO_VALIDA"));
        return;
    }
    if (!m_errorValidacion)
        return;
    ui::dialogs().MsgBox(mensaje, ui::vbInformation, QStringLiteral("Aviso al operador..."));
}

void frmBSC01::BuscarCampo()
{
    if (!txtFields.Existe(m_campoActual))
        return;
    const int index = m_campoActual;
    QLineEdit* campo = txtFields(index);
    const QString tag = suite::Tag(campo).trimmed();
    if (tag.isEmpty())
        return;
    auto consulta = [&]() -> lookup::Eleccion {
        Lib_ClsCons3& consultas = gConsultas();
        auto buscar = [&](const QString& sql, const char* devuelto) {
            consultas.CampoDevuelto = QString::fromLatin1(devuelto);
            QString clave, campoBusqueda, donde, opcional, valores;
            consultas.ConsultaSearch(sql, nullptr, &clave, &campoBusqueda, &donde, &opcional, false, &valores);
            return lookup::ValorElegido(consultas);
        };
        if (es(tag, "ma_cuentas"))
            return buscar(QStringLiteral("MA_CUENTAS"), "codigo");
        if (es(tag, "VT_TA_CPTE"))
            return buscar(QStringLiteral("SELECT CODIGO + '     ' AS CODIGO, DESCRIPCION FROM VT_TA_CPTE ORDER BY CODIGO"),
                          "CODIGO");
        if (es(tag, "FECHA"))
            return lookup::FechaElegida(campo->text());
        // A name without a lookup definition would build a lookup without columns: F5 then does nothing.
        if (!lookup::DefinicionPorTabla(tag))
            return std::nullopt;
        QString tabla = tag, descripcion, codigo, adicional, condicion;
        if (!ModGlobal::DefinirConsulta(tabla, descripcion, codigo, adicional, true, condicion))
            return std::nullopt;
        return lookup::Elegido(codigo);
    };
    lookup::ConsultarCampo(*campo, consulta, [&] { txtFields_KeyDown(index, ui::vbKeyReturn, 0); });
}

} // namespace tablero
