#include "Lib_ClsCons3.h"

#include "Lib_FrmCons3.h"
#include "Lib_FrmCons3Tree.h"
#include "MascaraConsulta.h"
#include "SentenciaConsulta.h"

#include "core/Configuration.h"
#include "data/DB_Dll.h"
#include "platform/ui/ListView.h"
#include "platform/ui/OperatorDialogs.h"
#include "platform/ui/Routine.h"
#include "platform/ui/Units.h"

#include <QComboBox>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

namespace {

QString nivelStock(const char* clave)
{
    const QString valor = ModGlobal::Cfg(QString::fromLatin1(clave));
    return valor.isEmpty() ? QStringLiteral("0") : valor;
}

// The field names of a table, learnt from one row; none when it cannot be read (the data layer has said why).
QStringList camposDeTabla(const QString& tabla)
{
    QStringList campos;
    ado::Recordset rs;
    if (gDB().AbrirRecordset(lookup::SentenciaCampos(tabla), rs, nullptr, ado::adOpenForwardOnly,
                             ado::adLockReadOnly)) {
        ui::Routine paso(QString(), ui::silently(ui::vbIgnore));
        paso.step([&] {
            for (int i = 0; i < rs.FieldCount(); ++i)
                campos << rs.Fields(i).Name();
        });
    }
    gDB().CierraRecordset(rs);
    return campos;
}

// The option pickers: one column headed by the title over the given rows.
void prepararOpciones(Lib_FrmCons3& frm, const QString& Titulo, bool conMarcas)
{
    frm.Form_Load();
    frm.setWindowTitle(Titulo);
    frm.CmdNueva->hide();
    frm.OrdenarPorLwv = true;
    frm.SQL.clear();
    frm.gConnString.clear();
    frm.CampoDevuelto = Titulo;
    frm.CheckBoxes = conMarcas;
    frm.ListView1->setCheckboxes(conMarcas);
    frm.ListView1->ColumnHeaders().Clear();
    frm.ListView1->ColumnHeaders().Add(QString(), Titulo, ui::PxToTwips(frm.ListView1->width()));
    frm.CmbSearch.at(0)->setFixedWidth(frm.ListView1->width());
}

// Sizes the picker to its longest text and runs it.
void mostrarOpciones(Lib_FrmCons3& frm, const QString& Titulo, const QStringList& Opc)
{
    qsizetype letras = Titulo.size();
    for (const QString& o : Opc)
        letras = qMax(letras, o.size());
    int ancho = ui::TwipsToPx(double(letras) * 120);
    if (const QScreen* pantalla = QGuiApplication::primaryScreen())
        ancho = qMin(ancho, pantalla->availableGeometry().width());
    frm.resize(ancho, frm.height());
    frm.ListView1->Refresh();
    ui::dialogs().RunModal(frm);
}

} // namespace

Lib_ClsCons3::Lib_ClsCons3()
{
    MuestraStock = ModGlobal::Cfg(QStringLiteral("MostrarStockenConsultas"));
    StkNivel1 = nivelStock("Stk_Nivel1");
    StkNivel2 = nivelStock("Stk_Nivel2");
    StkNivel3 = nivelStock("Stk_Nivel3");
    StkNivel4 = nivelStock("Stk_Nivel4");
    m_usaConsultaLike =
        ModGlobal::Cfg(QStringLiteral("UsaConsultaLike")).compare(QLatin1String("SI"), Qt::CaseInsensitive) == 0;
}

void Lib_ClsCons3::ConsultaSearch(const QString& SQL, QStringList* pCmpsDevueltos, QString* Clave,
                                  QString* CampoBusqueda, QString* Where, QString* SentenciaOpcional, bool TreeView,
                                  QString* ValoresDefault)
{
    // Whatever happens below, a caller never reads the previous lookup's choice as this one's.
    ValorDevuelto.clear();
    Valores.clear();
    Cantidades.clear();

    QString where = Where ? *Where : QString();
    where = lookup::EnvolverFiltro(where);
    if (Where)
        *Where = where;
    const int tope = lookup::TopeFilas(ModGlobal::Cfg(QStringLiteral("TopConsArt")));
    QString campoBusqueda = CampoBusqueda ? *CampoBusqueda : QString();

    QString sentencia;
    if (lookup::EsSentencia(SQL)) {
        sentencia = lookup::ConVistaArticulos(SQL);
    } else {
        std::optional<lookup::MascaraConsulta> mascara;
        // A mask file that cannot be read counts as one without a record for this name.
        if (gUsarMascarasConsultas && QFileInfo(gRutaMascaraConsultas).isFile())
            mascara = lookup::BuscarMascara(gRutaMascaraConsultas, SQL);
        if (mascara) {
            const auto s = lookup::SentenciaDeMascara(*mascara, tope, where, campoBusqueda);
            if (!s) {
                ui::dialogs().MsgBox(QStringLiteral("Debe configurar la consulta para esta tabla"), ui::vbInformation,
                                     QStringLiteral("Aviso al operador"));
                return;
            }
            sentencia = *s;
        } else if (SentenciaOpcional && !SentenciaOpcional->isEmpty()) {
            sentencia = *SentenciaOpcional;
        } else {
            sentencia = lookup::SentenciaDeColumnas(SQL, camposDeTabla(SQL), tope, where, campoBusqueda);
        }
        if (CampoBusqueda)
            *CampoBusqueda = campoBusqueda;
    }

    if (!TreeView) {
        Lib_FrmCons3 frm;
        frm.StkNivel1 = StkNivel1;
        frm.StkNivel2 = StkNivel2;
        frm.StkNivel3 = StkNivel3;
        frm.StkNivel4 = StkNivel4;
        frm.MuestraStock = MuestraStock;
        frm.CfgUsaConsultaLIKE = m_usaConsultaLike;
        frm.OrdenarPorLwv = !sentencia.contains(QLatin1String("ORDER BY"), Qt::CaseInsensitive);
        frm.FiltroInicial = Clave ? *Clave : QString();
        frm.CampoBusqueda = campoBusqueda;
        frm.SQL = sentencia;
        frm.gConnString = gConnString;
        frm.CampoDevuelto = CampoDevuelto;
        frm.CheckBoxes = Checks;
        frm.UsaCantidades = UsaCantidades;
        frm.ValoresDefault = ValoresDefault ? *ValoresDefault : QString();
        frm.CmpsDevueltos = pCmpsDevueltos ? *pCmpsDevueltos : QStringList();
        frm.Form_Load();
        ui::dialogs().RunModal(frm);
        Checks = false;
        Valores = frm.Valores;
        Cantidades = frm.Cantidades;
        ValorDevuelto = frm.ValorDevuelto;
        frm.CampoDevuelto.clear();
        frm.Form_Unload();
    } else {
        Lib_FrmCons3Tree frm;
        frm.SQL = sentencia;
        frm.CampoDevuelto = CampoDevuelto;
        frm.CheckBoxes = Checks;
        frm.Form_Load();
        ui::dialogs().RunModal(frm);
        ValorDevuelto = frm.ValorDevuelto;
        Valores = frm.Valores;
        Checks = false;
        frm.Form_Unload();
    }

    CampoDevuelto.clear();
    if (pCmpsDevueltos)
        pCmpsDevueltos->clear();
}

QString Lib_ClsCons3::CheckOpciones(const QString& Titulo, QStringList* /*CmpsDevueltos*/, const QStringList& Opc)
{
    Lib_FrmCons3 frm;
    prepararOpciones(frm, Titulo, true);
    if (Opc.size() >= 2) {
        for (const QString& opcion : Opc) {
            ui::ListItem item = frm.ListView1->ListItems().Add(opcion.mid(1));
            item.setChecked(opcion.startsWith(QLatin1Char('1')));
        }
    }
    mostrarOpciones(frm, Titulo, Opc);
    Valores = frm.Valores;
    frm.Form_Unload();
    return QString();
}

QString Lib_ClsCons3::MenuOpciones(const QString& Titulo, const QStringList& Opc)
{
    Lib_FrmCons3 frm;
    prepararOpciones(frm, Titulo, false);
    if (Opc.size() >= 2)
        for (const QString& opcion : Opc)
            frm.ListView1->ListItems().Add(opcion);
    mostrarOpciones(frm, Titulo, Opc);
    const QString elegido = frm.ValorDevuelto;
    frm.Form_Unload();
    return elegido;
}

Lib_ClsCons3& gConsultas()
{
    static Lib_ClsCons3 consultas;
    return consultas;
}
