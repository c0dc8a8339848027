#pragma once
// The operator's Escape on the suite's progress window: while this object lives, once the window is up, in front
// and showing the stage `etapa` as its title (any stage when empty), and, with `yaEmpezada`, past its first
// report, Escape is pressed on whatever has the focus, as the operator's key would reach it. Should the window
// not go away after that, its Cancelar button is clicked, so that a test that fails does not write or lay out for
// hours; Forzada() then says so.

#include "platform/suite/Progreso.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

class EscapeEnProgreso {
public:
    explicit EscapeEnProgreso(suite::Progreso& progreso, QString etapa = {}, bool yaEmpezada = false)
        : m_progreso(progreso)
        , m_etapa(std::move(etapa))
        , m_yaEmpezada(yaEmpezada)
    {
        m_reloj.setInterval(0);
        QObject::connect(&m_reloj, &QTimer::timeout, [this] { mirar(); });
        m_reloj.start();
    }

    bool Pulsada() const { return !m_etapaAlPulsar.isNull(); }
    // The stage and the share the window showed when the key was pressed.
    QString EtapaAlPulsar() const { return m_etapaAlPulsar; }
    QString AvanceAlPulsar() const { return m_avanceAlPulsar; }
    // The modal window, when there was one, as the key was pressed.
    QWidget* ModalAlPulsar() const { return m_modalAlPulsar; }
    // The window's first line of text, and whether its Cancelar could be pressed, as the key was pressed.
    QString TextoAlPulsar() const { return m_textoAlPulsar; }
    bool CancelarActivoAlPulsar() const { return m_cancelarActivo; }
    bool Forzada() const { return m_forzada; }

private:
    QString texto(const char* nombre) const { return m_progreso.findChild<QLabel*>(QLatin1String(nombre))->text(); }

    void mirar()
    {
        if (!m_progreso.isVisible())
            return;
        if (Pulsada()) {
            if (++m_vueltas == 500) {
                m_forzada = true;
                m_progreso.findChild<QPushButton*>(QStringLiteral("cmdCancelar"))->click();
            }
            return;
        }
        const QString etapa = texto("lblTitulo");
        const QString avance = texto("lblTexto2");
        if (QApplication::activeWindow() != &m_progreso || (!m_etapa.isEmpty() && etapa != m_etapa)
            || (m_yaEmpezada && (avance.isEmpty() || avance.startsWith(QLatin1String("0 %")))))
            return;
        m_etapaAlPulsar = etapa;
        m_avanceAlPulsar = avance;
        m_modalAlPulsar = QApplication::activeModalWidget();
        m_textoAlPulsar = texto("lblTexto1");
        m_cancelarActivo = m_progreso.findChild<QPushButton*>(QStringLiteral("cmdCancelar"))->isEnabled();
        QWidget* foco = QApplication::focusWidget();
        QTest::keyClick(foco ? foco : static_cast<QWidget*>(&m_progreso), Qt::Key_Escape);
    }

    suite::Progreso& m_progreso;
    const QString m_etapa;
    const bool m_yaEmpezada;
    QTimer m_reloj;
    QString m_etapaAlPulsar;
    QString m_avanceAlPulsar;
    QWidget* m_modalAlPulsar = nullptr;
    QString m_textoAlPulsar;
    bool m_cancelarActivo = false;
    int m_vueltas = 0;
    bool m_forzada = false;
};
