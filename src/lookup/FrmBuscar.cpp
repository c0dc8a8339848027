#include "FrmBuscar.h"

#include "platform/ui/Keys.h"
#include "platform/ui/OperatorDialogs.h"
#include "platform/ui/ListView.h"
#include "platform/ui/Units.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <utility>

namespace {

const QString kTodos = QStringLiteral("Todos");

// A cell holds the text when it is not empty and contains it, any case; so an empty text is in every
// non-empty cell.
bool contiene(const QString& celda, const QString& buscado)
{
    return !celda.isEmpty() && celda.contains(buscado, Qt::CaseInsensitive);
}

} // namespace

FrmBuscar::FrmBuscar(QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowStaysOnTopHint)
{
    setWindowTitle(QStringLiteral("Buscar"));
    resize(ui::TwipsToPx(6000), ui::TwipsToPx(2000));

    Label1 = new QLabel(QStringLiteral("Buscar:"), this);
    txtBuscar = new QLineEdit(this);
    Frame1 = new QGroupBox(QStringLiteral(" Buscar en "), this);
    cboBuscar = new QComboBox(Frame1);
    auto* marco = new QVBoxLayout(Frame1);
    marco->addWidget(cboBuscar);
    cmdBuscar = new QPushButton(QStringLiteral("[F3] Buscar Siguiente"), this);
    cmdCerrar = new QPushButton(QStringLiteral("Cerrar"), this);
    txtResult = new QLineEdit(this);
    for (QPushButton* b : {cmdBuscar, cmdCerrar})
        b->setAutoDefault(false);

    auto* grilla = new QGridLayout(this);
    grilla->addWidget(Label1, 0, 0);
    grilla->addWidget(txtBuscar, 0, 1, 1, 2);
    grilla->addWidget(Frame1, 1, 0, 2, 2);
    grilla->addWidget(cmdBuscar, 1, 2);
    grilla->addWidget(cmdCerrar, 2, 2);
    grilla->addWidget(txtResult, 3, 0, 1, 3);

    for (QWidget* w : std::initializer_list<QWidget*>{txtBuscar, cboBuscar, cmdBuscar, cmdCerrar, txtResult})
        w->installEventFilter(this);
    connect(txtBuscar, &QLineEdit::textChanged, this, &FrmBuscar::reiniciar);
    connect(cboBuscar, &QComboBox::currentIndexChanged, this, &FrmBuscar::reiniciar);
    connect(cmdBuscar, &QPushButton::clicked, this, &FrmBuscar::cmdBuscar_Click);
    connect(cmdCerrar, &QPushButton::clicked, this, &FrmBuscar::cmdCerrar_Click);
}

void FrmBuscar::Show()
{
    if (!m_cargado) {
        Form_Load();
        return;
    }
    show();
    raise();
}

void FrmBuscar::Form_Load()
{
    m_cargado = true;
    // Loaded anew, the dialog shows none of the last search.
    txtBuscar->clear();
    txtResult->clear();
    show();
    raise();
    activateWindow();
    CargarColumnas();
}

void FrmBuscar::CargarColumnas()
{
    const QSignalBlocker quieto(cboBuscar);
    cboBuscar->clear();
    cboBuscar->addItem(kTodos);
    if (Lvw) {
        ui::ColumnHeaderCollection& columnas = Lvw->ColumnHeaders();
        for (int c = 1; c <= columnas.Count(); ++c) {
            const QString titulo = columnas.Item(c).Text();
            if (!titulo.trimmed().isEmpty())
                cboBuscar->addItem(titulo);
        }
    }
    cboBuscar->setCurrentIndex(0);
    reiniciar();
    txtBuscar->setFocus();
}

int FrmBuscar::IndiceSubItem(const QString& Columna) const
{
    if (!Lvw)
        return 0;
    const QString buscada = Columna.trimmed();
    ui::ColumnHeaderCollection& columnas = Lvw->ColumnHeaders();
    for (int c = 1; c <= columnas.Count(); ++c)
        if (columnas.Item(c).Text().trimmed().compare(buscada, Qt::CaseInsensitive) == 0)
            return c - 1;
    return 0;
}

void FrmBuscar::reiniciar()
{
    // The last hit does not stay bold once the search starts over.
    desmarcar();
    m_ultimaFila = 0;
    cmdBuscar->setEnabled(true);
}

bool FrmBuscar::celda(int fila, int columna, QString* texto) const
{
    if (!Lvw || fila < 1 || fila > Lvw->ListItems().Count() || columna < 0
        || columna >= Lvw->ColumnHeaders().Count())
        return false;
    const ui::ListItem item = Lvw->ListItems().Item(fila);
    *texto = columna == 0 ? item.Text() : item.SubItems(columna);
    return true;
}

void FrmBuscar::marcar(int fila, int columna)
{
    desmarcar();
    ui::ListItem item = Lvw->ListItems().Item(fila);
    item.ListSubItems(columna).setBold(true);
    m_listaMarcada = Lvw;
    m_itemMarcado = item;
    m_columnaMarcada = columna;
}

void FrmBuscar::desmarcar()
{
    const QPointer<ui::ListView> lista = std::exchange(m_listaMarcada, nullptr);
    const ui::ListItem item = std::exchange(m_itemMarcado, ui::ListItem());
    if (!lista || item.isNothing())
        return;
    try {
        item.ListSubItems(m_columnaMarcada).setBold(false);
    } catch (const ui::ErrorInfo&) {
        // The row is gone (the list was reloaded meanwhile): nothing of it is left bold.
    }
}

void FrmBuscar::cmdBuscar_Click()
{
    desmarcar();
    ++m_ultimaFila;
    const QString buscado = txtBuscar->text();
    const bool todos = cboBuscar->currentText().compare(kTodos, Qt::CaseInsensitive) == 0;
    const int filas = Lvw ? Lvw->ListItems().Count() : 0;
    const int columnas = Lvw ? Lvw->ColumnHeaders().Count() : 0;
    for (int i = m_ultimaFila; i <= filas; ++i) {
        m_ultimaFila = i;
        bool hallado = false;
        QString texto;
        if (todos) {
            // The list's first column is not searched in this mode.
            for (int c = 1; c < columnas && !hallado; ++c) {
                m_ultimaColumna = c;
                hallado = celda(i, c, &texto) && contiene(texto, buscado);
            }
        } else {
            const int c = IndiceSubItem(cboBuscar->currentText());
            if (celda(i, c, &texto) && contiene(texto, buscado)) {
                m_ultimaColumna = c;
                hallado = true;
            }
        }
        if (hallado) {
            marcar(i, m_ultimaColumna);
            ui::ListItem item = Lvw->ListItems().Item(i);
            item.setSelected(true);
            item.EnsureVisible();
            mostrarHallazgo();
            return;
        }
    }
    cmdBuscar->setEnabled(false);
}

void FrmBuscar::mostrarHallazgo()
{
    QString texto;
    if (!celda(m_ultimaFila, m_ultimaColumna, &texto))
        return;
    const QString buscado = txtBuscar->text();
    txtResult->setText(texto);
    txtResult->setSelection(int(qMax<qsizetype>(0, texto.indexOf(buscado, 0, Qt::CaseInsensitive))),
                            int(buscado.size()));
    txtResult->setFocus();
}

void FrmBuscar::cmdCerrar_Click()
{
    m_cargado = false;
    hide();
}

bool FrmBuscar::teclaDelDialogo(int keyCode)
{
    if (keyCode == ui::vbKeyEscape) {
        cmdCerrar_Click();
        return true;
    }
    if (keyCode == ui::vbKeyF3 || keyCode == ui::vbKeyReturn) {
        cmdBuscar_Click();
        return true;
    }
    return false;
}

bool FrmBuscar::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && teclaDelDialogo(ui::LegacyKeyCode(*static_cast<QKeyEvent*>(event))))
        return true;
    return QDialog::eventFilter(watched, event);
}

void FrmBuscar::keyPressEvent(QKeyEvent* event)
{
    if (!teclaDelDialogo(ui::LegacyKeyCode(*event)))
        QDialog::keyPressEvent(event);
}

void FrmBuscar::closeEvent(QCloseEvent* event)
{
    m_cargado = false;
    QDialog::closeEvent(event);
}

FrmBuscar& gFrmBuscar()
{
    static QPointer<FrmBuscar> instancia;
    if (!instancia)
        instancia = new FrmBuscar;
    return *instancia;
}
