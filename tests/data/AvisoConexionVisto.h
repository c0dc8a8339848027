#pragma once
// Watches, while a test connects, for the window that says the program is connecting: when it first showed
// (milliseconds since the watch began) and what it said; presses its Cancelar when told to.

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

class AvisoConexionVisto {
public:
    explicit AvisoConexionVisto(bool cancelar = false)
    {
        m_mirar.setInterval(20);
        QObject::connect(&m_mirar, &QTimer::timeout, [this, cancelar] {
            QDialog* aviso = Visible();
            if (!aviso || vistoA >= 0)
                return;
            vistoA = m_reloj.elapsed();
            texto = aviso->findChild<QLabel*>()->text();
            if (cancelar)
                QTest::mouseClick(aviso->findChild<QPushButton*>(QStringLiteral("Cancelar")), Qt::LeftButton);
        });
        m_reloj.start();
        m_mirar.start();
    }

    // Milliseconds since the watch began.
    qint64 Transcurrido() const { return m_reloj.elapsed(); }

    // The window, while it is shown.
    static QDialog* Visible()
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String("AvisoConexion") && w->isVisible())
                return qobject_cast<QDialog*>(w);
        return nullptr;
    }

    qint64 vistoA = -1;   // -1: never shown
    QString texto;

private:
    QElapsedTimer m_reloj;
    QTimer m_mirar;
};
