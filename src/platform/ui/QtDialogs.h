#pragma once
// The operator dialogs on screen: Qt message boxes, input box, file dialog and a small calendar.

#include "OperatorDialogs.h"

namespace ui {

class QtDialogs final : public OperatorDialogs {
public:
    int MsgBox(const QString& prompt, int style = vbOKOnly, const QString& title = {}) override;
    std::optional<QString> InputBox(const QString& prompt, const QString& title = {},
                                    const QString& defaultText = {}) override;
    int ErrorDialog(const ErrorInfo& error, const QString& routine) override;
    int RunModal(QDialog& dialog) override;
    QAction* PopupMenu(QMenu& menu, const QPoint& globalPos) override;
    QString OpenFileName(const QString& title, const QString& folder, const QString& filter) override;
    std::optional<QDate> PickDate(const QDate& initial) override;
    [[noreturn]] void EndProgram(int exitCode = 0) override;
};

// The text the error dialog shows for a failure of a routine.
QString errorDialogText(const ErrorInfo& error, const QString& routine);
// A filter in the program's form ("Base de Datos |*.MDB|Todos|*.*") as a Qt file-dialog filter
// ("Base de Datos (*.MDB);;Todos (*.*)"); a filter without "|" is passed through.
QString qtFileFilter(const QString& filter);

} // namespace ui
