#include "VentanaEspera.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

bool VentanaEspera::Avisar(const QString& nombre, const QString& titulo, const QString& texto)
{
    if (!m_ventana) {
        m_cancelado = false;
        m_ventana = new QDialog(QApplication::activeWindow());
        m_ventana->setObjectName(nombre);
        m_ventana->setWindowTitle(titulo);
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
    m_texto->setText(texto);
    QCoreApplication::processEvents();
    return !m_cancelado;
}

void VentanaEspera::Cerrar()
{
    if (m_ventana) {
        m_ventana->hide();
        m_ventana->deleteLater();
        m_ventana = nullptr;
        m_texto = nullptr;
    }
}
