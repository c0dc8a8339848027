#include "Lib_FrmCons3Tree.h"

#include "FiltroBusqueda.h"

#include "data/DB_Dll.h"
#include "platform/suite/Utilidades.h"
#include "platform/ui/Keys.h"
#include "platform/ui/Routine.h"
#include "platform/ui/TreeView.h"
#include "platform/ui/Units.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using suite::Utilidades;

namespace {

// Levels below a checked node that take its mark.
constexpr int kNivelesMarcados = 6;

void marcarRama(const ui::Node& nodo, bool marca, int niveles)
{
    if (niveles == 0)
        return;
    for (ui::Node hijo = nodo.Child(); !hijo.isNothing(); hijo = hijo.Next()) {
        hijo.setChecked(marca);
        marcarRama(hijo, marca, niveles - 1);
    }
}

} // namespace

Lib_FrmCons3Tree::Lib_FrmCons3Tree(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Consulta..."));
    // The window keeps its size.
    setFixedSize(ui::TwipsToPx(6000), ui::TwipsToPx(6500));

    QComboBox* caja = lookup::CajaBusqueda(this);
    caja->setToolTip(QStringLiteral("F5 realiza nueva busqueda"));
    caja->installEventFilter(this);
    caja->lineEdit()->installEventFilter(this);
    CmbSearch << caja;
    connect(caja, &QComboBox::editTextChanged, this, [this] { CmbSearch_Change(0); });
    connect(caja, &QComboBox::activated, this, [this] { CmbSearch_Change(0); });

    TreeV = new ui::TreeView(this);
    connect(TreeV, &ui::TreeView::DblClick, this, &Lib_FrmCons3Tree::TreeV_DblClick);
    connect(TreeV, &ui::TreeView::NodeCheck, this, &Lib_FrmCons3Tree::TreeV_NodeCheck);

    auto* frame = new QWidget(this);
    CmdNueva = lookup::BotonConsulta(QStringLiteral("&Nueva Busqueda"), frame);
    cmdCancelar = lookup::BotonConsulta(QStringLiteral("&Cancelar"), frame);
    CmdAceptar = lookup::BotonConsulta(QStringLiteral("&Aceptar"), frame);
    auto* botones = new QHBoxLayout(frame);
    botones->setContentsMargins(0, 0, 0, 0);
    botones->addWidget(CmdNueva);
    botones->addWidget(cmdCancelar);
    botones->addWidget(CmdAceptar);
    connect(CmdNueva, &QPushButton::clicked, this, &Lib_FrmCons3Tree::CmdNueva_Click);
    connect(cmdCancelar, &QPushButton::clicked, this, &Lib_FrmCons3Tree::cmdCancelar_Click);
    connect(CmdAceptar, &QPushButton::clicked, this, &Lib_FrmCons3Tree::CmdAceptar_Click);

    auto* principal = new QVBoxLayout(this);
    principal->addWidget(caja);
    principal->addWidget(TreeV, 1);
    principal->addWidget(frame);
}

void Lib_FrmCons3Tree::Form_Load()
{
    ui::Routine rutina(QStringLiteral("FORM_LOAD"));
    rutina.steps({
        [&] { Valores.clear(); },
        [&] { TreeV->Nodes().Clear(); },
        [&] { TreeV->setCheckboxes(CheckBoxes); },
        [&] { ArmarTreeVAutomatico(); },
    });
}

void Lib_FrmCons3Tree::Form_Unload()
{
    TreeV->Nodes().Clear();
}

void Lib_FrmCons3Tree::ArmarTreeVAutomatico()
{
    TreeV->Nodes().Clear();
    ui::Node actual = TreeV->Nodes().Add(QString(), ui::tvwLast, QStringLiteral("A"), QStringLiteral("Consulta..."));
    actual.setExpanded(true);

    ado::Recordset rs;
    QVector<QVector<ado::Variant>> filas;
    ui::Routine rutina(QStringLiteral("ArmarTreeVAutomatico"));
    if (!gDB().AbrirRecordset(SQL, rs, nullptr, ado::adOpenDynamic, ado::adLockReadOnly))
        return;
    if (!rutina.step([&] {
            if (!(rs.BOF() && rs.EOF())) {
                rs.MoveFirst();
                filas = rs.GetRows();
            }
        }))
        return;
    gDB().CierraRecordset(rs);
    if (filas.size() < 2)
        return;

    const QVector<ado::Variant>& codigos = filas.at(0);
    const QVector<ado::Variant>& descripciones = filas.at(1);
    for (int i = 0; i < codigos.size();) {
        const QString codigo = Utilidades::TextoCampo(codigos.at(i));
        const QString clave = QLatin1Char('A') + codigo;
        const QString texto = codigo + QStringLiteral(" - ") + Utilidades::TextoCampo(descripciones.at(i));
        const qsizetype d = clave.size() - actual.Key().size();
        if (d < 0) {
            actual = actual.Parent();   // the same row is tried again one level up
            if (actual.isNothing())
                return;
            continue;
        }
        // A repeated or empty code cannot become a node: Ignore skips its row.
        if (!rutina.step([&] { actual = TreeV->Nodes().Add(actual, d == 0 ? ui::tvwNext : ui::tvwChild, clave, texto); }))
            return;
        ++i;
    }
}

void Lib_FrmCons3Tree::CmbSearch_KeyDown(int Index, int& KeyCode, int /*Shift*/)
{
    QComboBox* caja = CmbSearch.at(Index);
    if (KeyCode == ui::vbKeyF5) {
        KeyCode = 0;
        m_OrdenSQL = lookup::SepararOrden(SQL).orden;
        caja->setProperty("Tag", QStringLiteral("Descripcion"));
        SQL = lookup::FiltrarArbol(SQL, caja->currentText());
        caja->setEditText(QString());
        m_SQLBase = SQL;
        Form_Load();
    } else if (KeyCode == ui::vbKeyDown || KeyCode == ui::vbKeyUp || KeyCode == ui::vbKeyPageDown
               || KeyCode == ui::vbKeyPageUp) {
        KeyCode = 0;
        TreeV->setFocus();
    }
}

void Lib_FrmCons3Tree::CmbSearch_Change(int Index)
{
    const QString buscado = CmbSearch.at(Index)->currentText();
    ui::NodeCollection& nodos = TreeV->Nodes();
    for (int i = 1; i <= nodos.Count(); ++i) {
        ui::Node nodo = nodos.Item(i);
        const QString texto = nodo.Text();
        const qsizetype guion = texto.indexOf(QLatin1Char('-'));
        const QString codigo = guion < 0 ? QString() : texto.left(guion).trimmed();
        const QString descripcion = guion < 0 ? texto.trimmed() : texto.mid(guion + 1).trimmed();
        if (codigo.startsWith(buscado, Qt::CaseInsensitive) || descripcion.startsWith(buscado, Qt::CaseInsensitive)) {
            TreeV->setSelectedItem(nodo);
            nodo.EnsureVisible();
            return;
        }
    }
}

std::optional<QString> Lib_FrmCons3Tree::buscarCodigo(const QString& tabla, const QString& codigo)
{
    ado::Recordset rs;
    if (!gDB().ExisteEnTabla(tabla, codigo, CampoDevuelto, &rs, 8, QString(), true))
        return std::nullopt;
    return Utilidades::TextoCampo(rs.Fields(CampoDevuelto).Value());
}

void Lib_FrmCons3Tree::CmdAceptar_Click()
{
    static const QList<std::pair<QString, QString>> tablas = {
        {QStringLiteral("IDFAMILIA"), QStringLiteral("V_TA_FAMILIAS")},
        {QStringLiteral("IDPOSICION"), QStringLiteral("MA_POSICIONES")},
        {QStringLiteral("CODIGO"), QStringLiteral("TA_CCOSTO")},
    };
    const auto es = [this](const char* campo) {
        return CampoDevuelto.compare(QLatin1String(campo), Qt::CaseInsensitive) == 0;
    };
    ui::Routine rutina(QStringLiteral("CmdAceptar_Click"));
    const bool terminado = rutina.step([&] {
        if (!CheckBoxes) {
            const ui::Node elegido = TreeV->SelectedItem();
            if (elegido.isNothing())
                return;   // nothing chosen, nothing handed back
            for (const auto& [campo, tabla] : tablas)
                if (CampoDevuelto.compare(campo, Qt::CaseInsensitive) == 0)
                    ValorDevuelto = buscarCodigo(tabla, elegido.Key().mid(1)).value_or(QString());
            return;
        }
        ui::NodeCollection& nodos = TreeV->Nodes();
        for (int i = 1; i <= nodos.Count(); ++i) {
            const ui::Node nodo = nodos.Item(i);
            if (!nodo.Checked())
                continue;
            const QString codigo = nodo.Key().mid(1);
            if (es("IDFAMILIA") || es("CODIGO"))
                Valores << codigo.trimmed();
            else if (es("IDPOSICION"))
                if (const auto valor = buscarCodigo(QStringLiteral("MA_POSICIONES"), codigo))
                    Valores << *valor;
        }
    });
    if (terminado)
        hide();
}

void Lib_FrmCons3Tree::TreeV_DblClick()
{
    CmdAceptar_Click();
}

void Lib_FrmCons3Tree::TreeV_NodeCheck(const ui::Node& node)
{
    marcarRama(node, node.Checked(), kNivelesMarcados);
}

void Lib_FrmCons3Tree::cmdCancelar_Click()
{
    vaciarEleccion();
    hide();
}

void Lib_FrmCons3Tree::reject()
{
    cmdCancelar_Click();
}

void Lib_FrmCons3Tree::CmdNueva_Click()
{
    ui::Routine rutina(QString(), ui::silently(ui::vbIgnore));
    rutina.step([&] { ArmarTreeVAutomatico(); });
}

bool Lib_FrmCons3Tree::eventFilter(QObject* watched, QEvent* event)
{
    const bool caja = watched == CmbSearch.at(0) || watched == CmbSearch.at(0)->lineEdit();
    if (caja && event->type() == QEvent::KeyPress) {
        auto* tecla = static_cast<QKeyEvent*>(event);
        int KeyCode = ui::LegacyKeyCode(*tecla);
        CmbSearch_KeyDown(0, KeyCode, ui::LegacyShift(tecla->modifiers()));
        if (KeyCode == 0)
            return true;
    }
    return QDialog::eventFilter(watched, event);
}
