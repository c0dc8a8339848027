// The lookup list window: searching, keys, sorting, the missing-article report and choosing.
#include "Lib_FrmCons3.h"

#include "FiltroBusqueda.h"
#include "ReglasLista.h"

#include "data/DB_Dll.h"
#include "platform/ado/Error.h"
#include "platform/suite/Utilidades.h"
#include "platform/ui/Keys.h"
#include "platform/ui/ListView.h"
#include "platform/ui/OperatorDialogs.h"
#include "platform/ui/Routine.h"
#include "platform/ui/Units.h"

#include <QComboBox>
#include <QDateTime>
#include <QLineEdit>
#include <QPalette>

using suite::Utilidades;

namespace {

void pintarCaja(QComboBox* caja, qint32 bgr)
{
    QPalette p = caja->palette();
    p.setColor(QPalette::Base, ui::FromBgr(bgr));
    caja->setPalette(p);
}

// The date and time of a row written now, as a literal every platform reads as that moment.
QString AhoraSQL()
{
    const QDateTime ahora = QDateTime::currentDateTime();
    const QString forma = Utilidades::FormaFechaSQLActual() == suite::FormaFechaSQL::Iso
        ? QStringLiteral("yyyy-MM-dd HH:mm:ss")
        : QStringLiteral("yyyyMMdd HH:mm:ss");
    return QLatin1Char('\'') + ahora.toString(forma) + QLatin1Char('\'');
}

// Failures EjecutaConsultaSQL keeps off the screen.
bool esErrorSilencioso(qint64 numero)
{
    return numero == ado::kErrIntegrity || numero == ado::kErrMissingObject || numero == ado::kErrSyntax
        || numero == ado::kErrOther;
}

} // namespace

int Lib_FrmCons3::IndiceColumna(const QString& Columna) const
{
    const QString buscada = Columna.trimmed();
    ui::ColumnHeaderCollection& columnas = ListView1->ColumnHeaders();
    for (int c = 1; c <= columnas.Count(); ++c)
        if (columnas.Item(c).Text().trimmed().compare(buscada, Qt::CaseInsensitive) == 0)
            return c;
    return 0;
}

int Lib_FrmCons3::Busqueda(int Clave, const QString& QueValor) const
{
    const int columna = Clave < 1 ? 0 : Clave;
    if (columna >= ListView1->ColumnHeaders().Count() && columna > 0)
        return 0;
    ui::ListModel& modelo = ListView1->listModel();
    const int filas = modelo.count();
    for (int i = 0; i < filas; ++i)
        if (lookup::EmpiezaCon(modelo.cell(modelo.idAt(i), columna), QueValor))
            return i + 1;
    return 0;
}

QString Lib_FrmCons3::textoSeleccionado(int columna) const
{
    const ui::ListItem item = ListView1->SelectedItem();
    if (item.isNothing() || columna < 1)
        return {};
    return columna == 1 ? item.Text() : item.SubItems(columna - 1);
}

void Lib_FrmCons3::CmbSearch_GotFocus(int Index)
{
    m_IndiceBusqueda = Index;
    pintarCaja(CmbSearch.at(Index), 0xFFFF00);
}

void Lib_FrmCons3::CmbSearch_LostFocus(int Index)
{
    pintarCaja(CmbSearch.at(Index), 0xFFFFFF);
}

void Lib_FrmCons3::CmbSearch_Change(int Index)
{
    ui::Routine rutina(QString(), ui::silently(ui::vbIgnore));
    rutina.step([&] {
        const int r = Busqueda(Index, CmbSearch.at(Index)->currentText().trimmed());
        if (r != 0) {
            ui::ListItem item = ListView1->ListItems().Item(r);
            ListView1->setSelectedItem(item);
            item.EnsureVisible();
        }
    });
}

void Lib_FrmCons3::CmbSearch_KeyDown(int Index, int& KeyCode, int /*Shift*/)
{
    if (KeyCode == ui::vbKeyF5) {
        KeyCode = 0;
        QComboBox* caja = CmbSearch.at(Index);
        const lookup::FiltroLista filtro = lookup::FiltrarLista(SQL, m_SQLBase, caja->property("Tag").toString(),
                                                                caja->currentText(), CfgUsaConsultaLIKE);
        caja->setEditText(filtro.textoCaja);
        m_OrdenSQL = filtro.orden;
        SQL = filtro.sql;
        caja->setEditText(QString());
        m_SQLBase = SQL;
        Form_Load();
        return;
    }
    if (KeyCode == ui::vbKeyDown || KeyCode == ui::vbKeyUp || KeyCode == ui::vbKeyPageDown
        || KeyCode == ui::vbKeyPageUp) {
        int tecla = KeyCode;
        ListView1_KeyDown(tecla, 0);
        ListView1->setFocus();
        KeyCode = 0;
    }
}

void Lib_FrmCons3::ListView1_KeyDown(int& KeyCode, int Shift)
{
    if (KeyCode == ui::vbKeySpace && CheckBoxes)
        return;   // the list toggles the mark itself
    if (KeyCode == ui::vbKeyReturn) {
        KeyCode = 0;
        CmdAceptar_Click();
        return;
    }
    if (UsaCantidades && ((KeyCode == ui::vbKeyInsert && (Shift == ui::vbShiftMask || Shift == 0))
                          || (KeyCode == ui::vbKeyDelete && Shift == 0))) {
        ui::Routine rutina(QStringLiteral("ListView1_KeyDown"));
        rutina.step([&] { cambiarCantidad(KeyCode, Shift); });
        KeyCode = 0;
        return;
    }
    // Typing in the list goes on in the search box that last had the focus.
    QComboBox* caja = CmbSearch.value(m_IndiceBusqueda);
    if (!caja)
        return;
    QString texto = caja->currentText();
    if ((KeyCode >= '0' && KeyCode <= '9') || (KeyCode >= 'A' && KeyCode <= 'Z') || KeyCode == ui::vbKeySpace)
        texto += QChar(KeyCode);
    else if (KeyCode >= 96 && KeyCode <= 105)   // the keypad's digits
        texto += QChar('0' + (KeyCode - 96));
    else if (KeyCode == ui::vbKeyBack)
        texto.chop(1);
    else
        return;
    KeyCode = 0;
    caja->setEditText(texto);
    caja->setFocus();
}

void Lib_FrmCons3::cambiarCantidad(int KeyCode, int Shift)
{
    ui::ListItem item = ListView1->SelectedItem();
    const int c = IndiceColumna(QStringLiteral("Cantidad"));
    if (item.isNothing() || c == 0)
        return;   // nothing to change without a selected row and a quantity column
    const auto leer = [&] { return c == 1 ? item.Text() : item.SubItems(c - 1); };
    const auto escribir = [&](const QString& t) { c == 1 ? item.setText(t) : item.setSubItems(c - 1, t); };
    const double actual = Utilidades::TextoADoble(leer());
    if (KeyCode == ui::vbKeyInsert && Shift == ui::vbShiftMask) {
        const std::optional<QString> s = ui::dialogs().InputBox(QStringLiteral("Ingrese la Cantidad del Articulo..."),
                                                                QStringLiteral("Carga de Datos"), leer());
        if (!s)
            return;   // a cancelled entry changes nothing
        escribir(QString::number(Utilidades::TextoADoble(*s), 'f', 2));
        item.setChecked(true);
    } else if (KeyCode == ui::vbKeyInsert) {
        escribir(QString::number(actual + 1, 'f', 1));
        item.setChecked(true);
    } else {
        const double nueva = actual - 1;
        escribir(QString::number(nueva, 'f', 1));
        if (nueva <= 0) {
            item.setChecked(false);
            escribir(QStringLiteral("0.00"));
        }
    }
}

void Lib_FrmCons3::ListView1_DblClick()
{
    CmdAceptar_Click();
}

void Lib_FrmCons3::ListView1_ColumnClick(const ui::ColumnHeader& header)
{
    ListView1->setSorted(true);
    ListView1->setSortKey(header.Index() - 1);
    ListView1->setSortOrder(ListView1->SortOrder() == 0 ? 1 : 0);
}

void Lib_FrmCons3::Form_KeyDown(int& KeyCode, int /*Shift*/)
{
    if (KeyCode != ui::vbKeyF12 || !m_EsArticulos)
        return;
    KeyCode = 0;
    informarFaltante();
}

void Lib_FrmCons3::informarFaltante()
{
    if (ListView1->SelectedItem().isNothing())
        return;
    const QString id = textoSeleccionado(IndiceColumna(QStringLiteral("idarticulo")));
    const QString desc = textoSeleccionado(IndiceColumna(QStringLiteral("Descripcion")));
    const int respuesta = ui::dialogs().MsgBox(QStringLiteral("Desea informar el articulo ") + id.trimmed()
                                                   + QLatin1Char(' ') + desc.trimmed() + QStringLiteral("\r\n")
                                                   + QStringLiteral("como un faltante de stock?"),
                                               ui::vbQuestion + ui::vbYesNo, QStringLiteral("Atención!"));
    if (respuesta != ui::vbYes)
        return;
    DB_Dll& db = gDB();
    const QString sentencia =
        QStringLiteral("INSERT INTO V_MV_FALTANTES (FechaHora,IdArticulo,Descripcion,Usuario) values(") + AhoraSQL()
        + QLatin1Char(',') + DB_Dll::SQLValue(Utilidades::FormatoAncho(id, 25), QStringLiteral("'"))
        + QLatin1Char(',') + DB_Dll::SQLValue(desc.trimmed(), QStringLiteral("'")) + QLatin1Char(',')
        + DB_Dll::SQLValue(db.gUsuario, QStringLiteral("'")) + QLatin1Char(')');
    if (!db.EjecutaConsultaSQL(sentencia) && esErrorSilencioso(db.UltimoError().number))
        ui::dialogs().MsgBox(QStringLiteral("No se pudo informar el faltante de stock.\r\n")
                                 + db.UltimoError().description,
                             ui::vbCritical, QStringLiteral("Aviso al Operador"));
}

void Lib_FrmCons3::CmdAceptar_Click()
{
    ui::Routine rutina(QStringLiteral("CmdAceptar_Click"));
    const bool terminado = rutina.step([&] {
        if (CheckBoxes) {
            if (CampoDevuelto.isEmpty() && ListView1->ColumnHeaders().Count() > 0)
                CampoDevuelto = ListView1->ColumnHeaders().Item(1).Text();
            const int c = IndiceColumna(CampoDevuelto);
            // A CampoDevuelto that names no column adds nothing.
            ui::ListItemCollection& items = ListView1->ListItems();
            for (int i = 1; c > 0 && i <= items.Count(); ++i) {
                const ui::ListItem item = items.Item(i);
                if (item.Checked())
                    Valores << (c == 1 ? item.Text() : item.SubItems(c - 1));
            }
            return;
        }
        if (ListView1->SelectedItem().isNothing())
            return;
        QString ultimo;
        for (const QString& nombre : CmpsDevueltos) {
            ultimo = textoSeleccionado(IndiceColumna(nombre));
            Valores << ultimo;
        }
        if (!CampoDevuelto.trimmed().isEmpty())
            ultimo = textoSeleccionado(IndiceColumna(CampoDevuelto));
        ValorDevuelto = ultimo;
    });
    if (terminado)
        hide();
}

void Lib_FrmCons3::cmdCancelar_Click()
{
    vaciarEleccion();
    hide();
}

void Lib_FrmCons3::reject()
{
    cmdCancelar_Click();
}

void Lib_FrmCons3::CmdNueva_Click()
{
    SQL = m_SQLInicial;
    Form_Load();
    CmbSearch.at(0)->setFocus();
}
