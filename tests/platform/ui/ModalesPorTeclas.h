#pragma once
// Drives the real modal windows that a test's action opens (lookups, the date picker, message boxes), with
// keys, as the operator does. While it lives, a clock looks for the active modal window; each new one is
// recorded and handed to the next step of the script, which presses its keys. A window the script does not
// foresee is recorded and closed with Escape, so an unexpected message makes the test fail instead of
// blocking it.
//
//     ModalesPorTeclas modales;
//     modales.pulsar(Qt::Key_Escape);                 // the first window that opens gets Escape
//     QTest::keyClick(campo, Qt::Key_F5);             // returns once the lookup has closed
//     QCOMPARE(modales.vistas(), QStringList{"Lib_FrmCons3"});

#include <QApplication>
#include <QList>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <deque>
#include <functional>

class ModalesPorTeclas {
public:
    using Paso = std::function<void(QWidget& ventana)>;

    ModalesPorTeclas()
    {
        m_reloj.setInterval(20);
        QObject::connect(&m_reloj, &QTimer::timeout, [this] { mirar(); });
        m_reloj.start();
    }

    // The next window that opens is driven by `paso`.
    ModalesPorTeclas& paso(Paso paso)
    {
        m_pasos.push_back(std::move(paso));
        return *this;
    }
    // The next window that opens gets this key, at the control that has its focus.
    ModalesPorTeclas& pulsar(Qt::Key tecla)
    {
        return paso([tecla](QWidget& ventana) { QTest::keyClick(destino(ventana), tecla); });
    }

    // Every window seen, in order: its class name, followed by ": " and the text of a message box.
    const QStringList& vistas() const { return m_vistas; }
    // True when every step of the script has had its window.
    bool terminado() const { return m_pasos.empty(); }

    // Where a key typed into the window goes.
    static QWidget* destino(QWidget& ventana) { return ventana.focusWidget() ? ventana.focusWidget() : &ventana; }

private:
    void mirar()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        for (const QPointer<QWidget>& vista : m_atendidas)
            if (vista == modal)
                return;
        m_atendidas << modal;
        QString vista = QString::fromLatin1(modal->metaObject()->className());
        if (auto* mensaje = qobject_cast<QMessageBox*>(modal))
            vista += QStringLiteral(": ") + mensaje->text();
        m_vistas << vista;
        Paso paso = [](QWidget& ventana) { QTest::keyClick(destino(ventana), Qt::Key_Escape); };
        if (!m_pasos.empty()) {
            paso = std::move(m_pasos.front());
            m_pasos.pop_front();
        }
        // The keys go in once this tick is over: a window they open in turn is then seen by the next tick.
        QTimer::singleShot(0, modal, [modal, paso] { paso(*modal); });
    }

    QTimer m_reloj;
    std::deque<Paso> m_pasos;
    QList<QPointer<QWidget>> m_atendidas;
    QStringList m_vistas;
};
