#pragma once
// A field's lookup run the way the operator runs it, for the window tests of both programs: the text typed
// into the field, the lookup opened by its key, and in the real modal window (a list or the date picker) a row
// chosen and a key pressed. What came of it is read back: the windows that opened, the field's text and
// where the window's cursor is.

#include "lookup/Lib_FrmCons3.h"
#include "platform/ui/FilaConTexto.h"
#include "platform/ui/ModalesPorTeclas.h"

#include <QLineEdit>

struct ResultadoConsulta {
    QStringList vistas;   // the modal windows that opened, as ModalesPorTeclas names them
    QString texto;        // the field's text afterwards
    QWidget* foco = nullptr;   // the focus of the field's window afterwards
};

// The field must have the focus. `elegida`: the list row chosen before `tecla` (the row showing that text in
// one of its cells); "" chooses none.
inline ResultadoConsulta consultarPorTeclas(QLineEdit& campo, const QString& escrito, Qt::Key abrir, Qt::Key tecla,
                                            const QString& elegida)
{
    campo.clear();
    QTest::keyClicks(&campo, escrito);
    ModalesPorTeclas modales;
    modales.paso([&](QWidget& ventana) {
        auto* lista = qobject_cast<Lib_FrmCons3*>(&ventana);
        if (!lista || elegida.isEmpty()) {
            QTest::keyClick(ModalesPorTeclas::destino(ventana), tecla);
            return;
        }
        lista->ListView1->setSelectedItem(lista->ListView1->ListItems().Item(filaCon(*lista->ListView1, elegida)));
        QTest::keyClick(lista->ListView1, tecla);
    });
    QTest::keyClick(&campo, abrir);
    return {modales.vistas(), campo.text(), campo.window()->focusWidget()};
}
