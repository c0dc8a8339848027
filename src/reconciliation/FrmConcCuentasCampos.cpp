// Editing the header fields: focus colour and selection, the key filter, confirming a field with Enter
// (which validates it and moves on), and the lookup of the current field (CmdConsultar: a choice is
// confirmed as after Enter; a cancelled lookup leaves the field as it was).

#include "FrmConcCuentas.h"

#include "lookup/ConsultaDeCampo.h"
#include "lookup/Lib_ClsCons3.h"
#include "platform/suite/Controles.h"
#include "platform/ui/Keys.h"
#include "platform/ui/OperatorDialogs.h"
#include "platform/ui/Units.h"

#include <QLineEdit>

namespace {

bool esObservacion(const QLineEdit* campo)
{
    return suite::DataField(campo).trimmed().left(3).compare(QLatin1String("OBS"), Qt::CaseInsensitive) == 0;
}

void pintarFondo(QLineEdit* campo, qint32 bgr)
{
    QPalette paleta = campo->palette();
    paleta.setColor(QPalette::Base, ui::FromBgr(bgr));
    campo->setPalette(paleta);
}

} // namespace

void FrmConcCuentas::txtFields_GotFocus(int Index)
{
    QLineEdit* campo = txtFields(Index);
    FCampoActual = campo;
    pintarFondo(campo, 0xFFFF00);
    if (esObservacion(campo)) {
        campo->setCursorPosition(0);
        campo->deselect();
    } else {
        campo->selectAll();
    }
}

void FrmConcCuentas::txtFields_LostFocus(int Index)
{
    pintarFondo(txtFields(Index), 0xFFFFFF);
}

void FrmConcCuentas::txtFields_MouseDown(int Index)
{
    FCampoActual = txtFields(Index);
}

void FrmConcCuentas::txtFields_KeyPress(int Index, int& KeyAscii)
{
    QLineEdit* campo = txtFields(Index);
    if (!esObservacion(campo))
        suite::Controles::FiltrarTecla(campo, KeyAscii);
}

void FrmConcCuentas::txtFields_KeyDown(int Index, int KeyCode, int /*Shift*/)
{
    QLineEdit* campo = txtFields(Index);
    if (esObservacion(campo) || !suite::Controles::EsTeclaValidar(KeyCode))
        return;
    CampoValida(campo);
    if (!FHayError)
        suite::Controles::MoverFoco(KeyCode, campo);
}

void FrmConcCuentas::CmdConsultar()
{
    QLineEdit* campo = FCampoActual;
    if (!campo)
        return;
    const QString tag = suite::Tag(campo).trimmed();
    if (tag.isEmpty())
        return;
    auto es = [&](const char* nombre) { return tag.compare(QLatin1String(nombre), Qt::CaseInsensitive) == 0; };
    auto consulta = [&]() -> lookup::Eleccion {
        if (es("fecha"))
            return lookup::FechaElegida(campo->text());
        // The lookup driver takes its optional texts as the caller's variables, every one blank here.
        Lib_ClsCons3& consultas = gConsultas();
        auto buscar = [&](const QString& sql, const char* devuelto, QStringList* coleccion, const QString& filtro) {
            consultas.CampoDevuelto = QString::fromLatin1(devuelto);
            QString clave;
            QString campoBusqueda;
            QString condicion = filtro;
            QString opcional;
            QString valores;
            consultas.ConsultaSearch(sql, coleccion, &clave, &campoBusqueda, &condicion, &opcional, false, &valores);
            return lookup::ValorElegido(consultas);
        };
        if (es("MA_CUENTASCTE"))
            return buscar(QStringLiteral("MA_CUENTAS"), "CODIGO", &consultas.CmpsDevueltos,
                          QStringLiteral(" titulo=0 "));
        if (es("V_TA_UNIDADNEGOCIO"))
            return buscar(QStringLiteral("V_TA_UNIDADNEGOCIO"), "CODIGO", nullptr, QString());
        if (es("TA_USUARIOS"))
            return buscar(QStringLiteral("TA_USUARIOS"), "NOMBRE", nullptr, QString());
        if (es("TA_COMPROBANTES"))
            return buscar(QStringLiteral(" SELECT IDCONCILIACION, OBSERVACIONES FROM MV_CONCILIACION_CAB WHERE "
                                         "TIPO='CTA' OR TIPO IS NULL GROUP BY IDCONCILIACION,OBSERVACIONES ORDER BY "
                                         "IDCONCILIACION"),
                          "IdConciliacion", nullptr, QString());
        return std::nullopt;
    };
    lookup::ConsultarCampo(*campo, consulta,
                           [&] { txtFields_KeyDown(suite::IndexOf(campo), ui::vbKeyReturn, 0); });
}

int FrmConcCuentas::Busqueda(int Clave, const QString& QueValor)
{
    const QString buscado = QueValor.trimmed();
    for (int i = 1; i <= Lvw->ListItems().Count(); ++i) {
        // A row that cannot be read is passed over.
        try {
            const ui::ListItem fila = Lvw->ListItems()(i);
            const QString texto = (Clave < 1 ? fila.Text() : fila.SubItems(Clave)).trimmed();
            if (texto.left(buscado.size()).compare(buscado, Qt::CaseInsensitive) == 0)
                return fila.Index();
        } catch (const ui::ErrorInfo&) {
        }
    }
    return 0;
}

void FrmConcCuentas::TextPropiedades(QWidget* Texto, int /*Columna*/)
{
    if (!Texto || Texto->objectName().trimmed().compare(QLatin1String("TxtEdit2"), Qt::CaseInsensitive) != 0)
        return;
    suite::SetDataField(Texto, QString());
    suite::SetTag(Texto, QString());
    if (auto* campo = qobject_cast<QLineEdit*>(Texto))
        campo->setMaxLength(32767);   // no limit
}
