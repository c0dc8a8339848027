#include "QtDialogs.h"

#include "MsgBoxStyle.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstdlib>

namespace ui {

namespace {

QString titleOrApplication(const QString& title)
{
    return title.isEmpty() ? QGuiApplication::applicationDisplayName() : title;
}

QMessageBox::Icon qtIcon(int icon)
{
    switch (icon) {
    case vbCritical: return QMessageBox::Critical;
    case vbQuestion: return QMessageBox::Question;
    case vbExclamation: return QMessageBox::Warning;
    case vbInformation: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

QMessageBox::StandardButton qtButton(int answer)
{
    switch (answer) {
    case vbCancel: return QMessageBox::Cancel;
    case vbAbort: return QMessageBox::Abort;
    case vbRetry: return QMessageBox::Retry;
    case vbIgnore: return QMessageBox::Ignore;
    case vbYes: return QMessageBox::Yes;
    case vbNo: return QMessageBox::No;
    default: return QMessageBox::Ok;
    }
}

int runMessageBox(const QString& text, int style, const QString& title)
{
    const MsgBoxLayout layout = decodeMsgStyle(style);
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(titleOrApplication(title));
    // Messages quote database texts and error descriptions: shown as written, never read as markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    box.setIcon(qtIcon(layout.icon));
    QHash<QAbstractButton*, int> answerOf;
    for (int answer : layout.answers) {
        QPushButton* button = box.addButton(qtButton(answer));
        button->setText(buttonCaption(answer));
        answerOf.insert(button, answer);
        if (answer == layout.defaultAnswer)
            box.setDefaultButton(button);
        if (answer == layout.escapeAnswer)
            box.setEscapeButton(button);
    }
    box.exec();
    return answerOf.value(box.clickedButton(), layout.escapeAnswer);
}

} // namespace

QString errorDialogText(const ErrorInfo& error, const QString& routine)
{
    QString text = QStringLiteral("Error %1: %2").arg(error.number).arg(error.description);
    if (!error.source.isEmpty())
        text += QStringLiteral("\nOrigen: ") + error.source;
    if (!routine.isEmpty())
        text += QStringLiteral("\nRutina: ") + routine;
    return text;
}

QString qtFileFilter(const QString& filter)
{
    if (!filter.contains(QLatin1Char('|')))
        return filter;
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts.at(i + 1).trimmed();
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << QStringLiteral("%1 (%2)").arg(parts.at(i).trimmed(), patterns);
    }
    return filters.join(QStringLiteral(";;"));
}

int QtDialogs::MsgBox(const QString& prompt, int style, const QString& title)
{
    return runMessageBox(prompt, style, title);
}

std::optional<QString> QtDialogs::InputBox(const QString& prompt, const QString& title, const QString& defaultText)
{
    bool ok = false;
    const QString text = QInputDialog::getText(QApplication::activeWindow(), titleOrApplication(title), prompt,
                                               QLineEdit::Normal, defaultText, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

int QtDialogs::ErrorDialog(const ErrorInfo& error, const QString& routine)
{
    return runMessageBox(errorDialogText(error, routine), vbAbortRetryIgnore | vbCritical, routine);
}

int QtDialogs::RunModal(QDialog& dialog)
{
    return dialog.exec();
}

QAction* QtDialogs::PopupMenu(QMenu& menu, const QPoint& globalPos)
{
    return menu.exec(globalPos);
}

QString QtDialogs::OpenFileName(const QString& title, const QString& folder, const QString& filter)
{
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), title, folder, qtFileFilter(filter));
}

std::optional<QDate> QtDialogs::PickDate(const QDate& initial)
{
    QDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(QStringLiteral("Fecha"));
    auto* calendar = new QCalendarWidget(&dialog);
    calendar->setSelectedDate(initial.isValid() ? initial : QDate::currentDate());
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(buttonCaption(vbOK));
    buttons->button(QDialogButtonBox::Cancel)->setText(buttonCaption(vbCancel));
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(calendar);
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(calendar, &QCalendarWidget::activated, &dialog, &QDialog::accept);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return calendar->selectedDate();
}

void QtDialogs::EndProgram(int exitCode)
{
    QCoreApplication::exit(exitCode);
    std::exit(exitCode);
}

} // namespace ui
