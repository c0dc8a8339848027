#include "AvisoEspera.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

AvisoEspera::AvisoEspera() = default;

// A window still shown belongs to Qt, which may be gone by then.
AvisoEspera::~AvisoEspera() = default;

bool AvisoEspera::waiting(int elapsedMs)
{
    if (!m_ventana) {
        m_cancelado = false;
        m_ventana = new QDialog(QApplication::activeWindow());
        m_ventana->setObjectName(QStringLiteral("AvisoEspera"));
        m_ventana->setWindowTitle(QStringLiteral("Base de datos ocupada"));
        m_ventana->setWindowModality(Qt::ApplicationModal);
        auto* layout = new QVBoxLayout(m_ventana);
        m_texto = new QLabel(m_ventana);
        m_texto->setTextFormat(Qt::PlainText);
        layout->addWidget(m_texto);
        auto* cancelar = new QPushButton(QStringLiteral("&Cancelar"), m_ventana);
        cancelar->setObjectName(QStringLiteral("Cancelar"));
        layout->addWidget(cancelar, 0, Qt::AlignHCenter);
        QObject::connect(cancelar, &QPushButton::clicked, [this] { m_cancelado = true; });
        // Closing the window (Esc, the title bar) also stops waiting.
        QObject::connect(m_ventana, &QDialog::rejected, [this] { m_cancelado = true; });
        m_ventana->show();
    }
    m_texto->setText(QStringLiteral("Esperando a otra estación que está grabando en la base de datos (%1 s).\n"
                                    "Cancelar deja la operación sin hacer.")
                         .arg(elapsedMs / 1000));
    QCoreApplication::processEvents();
    return !m_cancelado;
}

void AvisoEspera::finished()
{
    if (m_ventana) {
        m_ventana->hide();
        m_ventana->deleteLater();
        m_ventana = nullptr;
        m_texto = nullptr;
    }
}

void InstalarAvisoEspera()
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return;
    static AvisoEspera aviso;
    ado::SetLockWaitNotice(&aviso);
}
