// The account tree from the chart of accounts, the business-unit and cost-centre lists, the default period
// and the report-kind title.

#include "ArbolCuentas.h"
#include "CamposFiltro.h"
#include "PedidoInforme.h"
#include "frmBSC01.h"

#include "core/Configuration.h"
#include "core/ListRoutines.h"
#include "data/DB_Dll.h"
#include "platform/suite/Utilidades.h"
#include "platform/ui/Routine.h"
#include "platform/ui/Units.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QStyle>
#include <QTreeWidgetItemIterator>
#include <algorithm>

namespace tablero {

double frmBSC01::AnchoFilasArbol() const
{
    const QFontMetrics letra(TreeV->font());
    const int imagen = TreeV->iconSize().isValid() ? TreeV->iconSize().width()
                                                   : TreeV->style()->pixelMetric(QStyle::PM_SmallIconSize);
    int ancho = 0;
    for (QTreeWidgetItemIterator it(TreeV); *it; ++it) {
        int nivel = 1;   // the root is decorated too
        for (const QTreeWidgetItem* padre = (*it)->parent(); padre; padre = padre->parent())
            ++nivel;
        // A few pixels between picture and text, and after the text.
        ancho = std::max(ancho, nivel * TreeV->indentation() + imagen + 12 + letra.horizontalAdvance((*it)->text(0)));
    }
    return ui::PxToTwips(ancho);
}

void frmBSC01::ArmarTreeVAutomatico()
{
    ui::Routine r(QStringLiteral("ArmarTreeVAutomatico"));
    QString consulta;
    ado::Recordset rs;
    bool abierta = false;
    QVector<FilaCuenta> filas;
    const bool seguir = r.steps({
        [&] { consulta = ConsultaPlanCuentas(ModGlobal::Cfg(QStringLiteral("PlanCuentas_ClyPr"))); },
        // A failed query has been shown by the data-access object; the tree stays as it was.
        [&] { abierta = gDB().AbrirRecordset(consulta, rs, &gDB().gCnn, 2, 1, -1, true); },
    });
    if (!seguir || !abierta || (rs.BOF() && rs.EOF()))
        return;
    r.steps({
        [&] {
            rs.MoveFirst();
            rs.MoveLast();
            rs.MoveFirst();
            const auto datos = rs.GetRows(rs.RecordCount());
            rs.Close();
            // (field, row): codes in the first field, descriptions in the second.
            const qsizetype cuantas = datos.isEmpty() ? 0 : datos.at(0).size();
            for (qsizetype i = 0; i < cuantas; ++i)
                filas.append({suite::Utilidades::TextoCampo(datos.at(0).at(i)),
                              suite::Utilidades::TextoCampo(datos.value(1).value(i))});
        },
        [&] { TreeV->Nodes().Clear(); },
        [&] {
            ui::Node raiz = TreeV->Nodes().Add(QString(), ui::tvwLast, QString::fromLatin1(kClaveRaiz),
                                               QString::fromLatin1(kTextoRaiz), 1);
            raiz.setExpanded(true);
            TreeV->setSelectedItem(raiz);
        },
    });
    if (r.left())
        return;
    for (const NodoCuenta& nodo : ArmarNodos(filas)) {
        // A code that occurs twice cannot be added; Ignore passes over it.
        if (!r.step([&] { TreeV->Nodes().Add(nodo.padre, ui::tvwChild, nodo.clave, nodo.texto, 2); }))
            return;
    }
}

bool frmBSC01::AsignarDatos()
{
    ui::Routine r(QStringLiteral("AsignarDatos"));
    auto llenar = [&](const char* consulta, QListWidget* lista) {
        return r.steps({
            [&] {
                if (!gDB().AbrirRecordset(QString::fromLatin1(consulta), m_rs, nullptr, 0, 1, -1, true) || m_rs.BOF())
                    return;
                m_rs.MoveFirst();
                lista->clear();
                while (!m_rs.EOF()) {
                    lista->addItem(ItemLista(m_rs[QStringLiteral("codigo")], m_rs[QStringLiteral("descripcion")]));
                    m_rs.MoveNext();
                }
            },
            // Every item selected, the first current (an empty list has no first item: error 380).
            [&] { ModGlobal::MarcarLista(*lista, true, 0); },
        });
    };
    if (!llenar("select codigo, descripcion from V_TA_UNIDADNEGOCIO order by codigo", lstUnidadNegocio))
        return false;
    if (!llenar("select codigo, descripcion from TA_CCOSTO order by codigo", lstCentroCostos))
        return false;
    bool abierto = false;
    if (!r.step([&] {
            abierto = gDB().AbrirRecordset(QStringLiteral("select [FECHA DESDE] as FECHADESDE, [FECHA HASTA] as FECHAHASTA "
                                                          "from MV_EJERCICIOS where periodo='%1'")
                                               .arg(ModGlobal::gPeriodo),
                                           m_rs, nullptr, 0, 1, -1, true);
        })
        || !abierto)
        return false;
    if (m_rs.EOF()) {
        // Said once, in the operator's terms; the period boxes stay empty for the operator to fill.
        ui::dialogs().MsgBox(QStringLiteral("Ningún ejercicio abarca el período %1: ingrese las fechas del listado.")
                                 .arg(ModGlobal::gPeriodo),
                             ui::vbInformation, QStringLiteral("Aviso al operador..."));
        return false;
    }
    return r.steps({
        [&] { Campo(QStringLiteral("FechaDesde"))->setText(suite::Utilidades::TextoCampo(m_rs[QStringLiteral("FechaDesde")])); },
        [&] { Campo(QStringLiteral("FechaHasta"))->setText(suite::Utilidades::TextoCampo(m_rs[QStringLiteral("FechaHasta")])); },
    });
}

int frmBSC01::OpcionTipoListado() const
{
    for (int i = 0; i < 4; ++i) {
        if (OptTipoListado(i)->isChecked())
            return i;
    }
    return -1;
}

QString frmBSC01::ObtenerTituloListado() const
{
    return TituloTipoListado(OpcionTipoListado());
}

} // namespace tablero
