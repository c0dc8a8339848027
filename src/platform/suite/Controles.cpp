#include "Controles.h"

#include "platform/ui/Keys.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace suite {

namespace {

void vaciar(QWidget* w)
{
    if (auto* e = qobject_cast<QLineEdit*>(w))
        e->clear();
    else if (auto* t = qobject_cast<QTextEdit*>(w))
        t->clear();
    else if (auto* p = qobject_cast<QPlainTextEdit*>(w))
        p->clear();
    else if (auto* c = qobject_cast<QComboBox*>(w)) {
        c->setCurrentIndex(-1);
        if (c->isEditable())
            c->clearEditText();
    } else if (auto* s = qobject_cast<QAbstractSpinBox*>(w))
        s->clear();
}

bool tomaFoco(const QWidget* w, const QWidget* ventana)
{
    return w->window() == ventana && (w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(ventana)
           && w->isEnabled();
}

} // namespace

void Controles::LimpiarControles(QWidget* ventana, const QString& nombreArreglo)
{
    if (!ventana)
        return;
    for (QWidget* w : ventana->findChildren<QWidget*>())
        if (w->objectName().compare(nombreArreglo, Qt::CaseInsensitive) == 0)
            vaciar(w);
}

int Controles::IndiceControl(const QString& nombre, const ControlArrayBase& arreglo)
{
    for (int i : arreglo.Indices())
        if (DataField(arreglo.Control(i)).compare(nombre, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

bool Controles::EsTeclaValidar(int KeyCode)
{
    return KeyCode == ui::vbKeyReturn;
}

void Controles::MoverFoco(int /*KeyCode*/, QWidget* desde)
{
    QWidget* actual = desde;
    if (!actual)
        return;
    const QWidget* ventana = actual->window();
    for (QWidget* w = actual->nextInFocusChain(); w && w != actual; w = w->nextInFocusChain()) {
        if (tomaFoco(w, ventana)) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void Controles::FiltrarTecla(QWidget* campo, int& KeyAscii)
{
    if (KeyAscii == ui::vbKeyReturn) {
        KeyAscii = 0;
        return;
    }
    if (KeyAscii < 32 || Tag(campo).compare(QStringLiteral("fecha"), Qt::CaseInsensitive) != 0)
        return;
    if (KeyAscii == '-' || KeyAscii == '.')
        KeyAscii = '/';
    else if (KeyAscii != '/' && (KeyAscii < '0' || KeyAscii > '9'))
        KeyAscii = 0;
}

} // namespace suite
