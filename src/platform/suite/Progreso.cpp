#include "Progreso.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

namespace suite {

Progreso::Progreso(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint)
    , m_titulo(new QLabel(this))
    , m_texto1(new QLabel(this))
    , m_texto2(new QLabel(this))
    , m_cancelar(new QPushButton(QStringLiteral("&Cancelar"), this))
{
    setObjectName(QStringLiteral("Progreso"));
    m_titulo->setObjectName(QStringLiteral("lblTitulo"));
    m_texto1->setObjectName(QStringLiteral("lblTexto1"));
    m_texto2->setObjectName(QStringLiteral("lblTexto2"));
    m_cancelar->setObjectName(QStringLiteral("cmdCancelar"));
    QFont negrita = m_titulo->font();
    negrita.setBold(true);
    m_titulo->setFont(negrita);
    for (QLabel* l : {m_titulo, m_texto1, m_texto2}) {
        l->setAlignment(Qt::AlignCenter);
        l->setWordWrap(true);
    }
    m_cancelar->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_titulo);
    layout->addWidget(m_texto1);
    layout->addWidget(m_texto2);
    layout->addWidget(m_cancelar, 0, Qt::AlignHCenter);
    setMinimumWidth(360);
    setModal(false);

    connect(m_cancelar, &QPushButton::clicked, this, &Progreso::PedirCancelar);
}

void Progreso::Iniciar(const QString& Caption, bool PermiteCancelar)
{
    setWindowTitle(Caption);
    m_cancelado = false;
    m_sinVuelta = false;
    for (QString& t : m_pendientes)
        t.clear();
    MostrarTextos();
    m_cancelar->setVisible(PermiteCancelar);
    m_cancelar->setEnabled(PermiteCancelar);
    m_presupuesto.Reiniciar();
    if (!isVisible())
        m_anterior = QApplication::activeWindow();
    show();
    raise();
    activateWindow();
    // Painted and in front before the work starts, whatever the work does before its first advance; the
    // operator's input waits for the advances.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void Progreso::Avanzar(bool& Cancelar, const QString& Titulo, const QString& Texto1, const QString& Texto2)
{
    // A new title is a new stage of the work: it shows at once, the rest when the budget allows.
    const bool etapaNueva = Titulo != m_titulo->text();
    m_pendientes[0] = Titulo;
    m_pendientes[1] = Texto1;
    m_pendientes[2] = Texto2;
    if (m_cancelarEn > 0 && --m_cancelarEn == 0)
        m_cancelar->click();
    if (isVisible() && (m_presupuesto.Vencido() || etapaNueva)) {
        MostrarTextos();
        QCoreApplication::processEvents();
    }
    if (m_cancelado)
        Cancelar = true;
}

void Progreso::SinVuelta(const QString& Titulo, const QString& Texto1, const QString& Texto2)
{
    m_sinVuelta = true;
    m_cancelar->setEnabled(false);
    m_pendientes[0] = Titulo;
    m_pendientes[1] = Texto1;
    m_pendientes[2] = Texto2;
    MostrarTextos();
    if (isVisible())
        QCoreApplication::processEvents();
}

void Progreso::Terminar()
{
    if (m_sinVuelta && isVisible())
        QCoreApplication::processEvents();
    const bool activa = isActiveWindow();
    hide();
    if (activa && m_anterior && m_anterior->isVisible())
        m_anterior->activateWindow();
    m_anterior = nullptr;
}

void Progreso::closeEvent(QCloseEvent* event)
{
    // Closing the window is the operator asking to stop; the loop closes it through Terminar.
    event->ignore();
    PedirCancelar();
}

void Progreso::reject()
{
    PedirCancelar();
}

void Progreso::PedirCancelar()
{
    if (m_cancelar->isEnabled())
        m_cancelado = true;
}

void Progreso::MostrarTextos()
{
    m_titulo->setText(m_pendientes[0]);
    m_texto1->setText(m_pendientes[1]);
    m_texto2->setText(m_pendientes[2]);
    AjustarAlTexto();
}

void Progreso::AjustarAlTexto()
{
    // Every line shows whole: the window grows to its widest line (and keeps that width while the texts change,
    // so that it does not jump at every advance), never past the screen, where a line wraps instead.
    const QMargins bordes = layout()->contentsMargins();
    int ancho = minimumWidth();
    for (const QLabel* l : {m_titulo, m_texto1, m_texto2})
        ancho = std::max(ancho, l->fontMetrics().horizontalAdvance(l->text()) + 2 * l->margin() + l->frameWidth() * 2
                                    + bordes.left() + bordes.right() + 1);
    if (const QScreen* pantalla = screen())
        ancho = std::min(ancho, pantalla->availableGeometry().width());
    ancho = std::max(ancho, width());
    layout()->activate();
    const int alto = std::max(layout()->totalHeightForWidth(ancho), layout()->totalMinimumSize().height());
    if (ancho != width() || alto > height())
        resize(ancho, std::max(alto, height()));
}

} // namespace suite
