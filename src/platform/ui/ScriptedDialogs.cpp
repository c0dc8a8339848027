#include "ScriptedDialogs.h"

#include "MsgBoxStyle.h"

#include <QAction>
#include <QMenu>
#include <QtGlobal>
#include <exception>

namespace ui {

QString promptKindName(PromptKind kind)
{
    switch (kind) {
    case PromptKind::MsgBox: return QStringLiteral("MsgBox");
    case PromptKind::InputBox: return QStringLiteral("InputBox");
    case PromptKind::ErrorDialog: return QStringLiteral("ErrorDialog");
    case PromptKind::Modal: return QStringLiteral("modal window");
    case PromptKind::Popup: return QStringLiteral("popup menu");
    case PromptKind::OpenFile: return QStringLiteral("file dialog");
    case PromptKind::PickDate: return QStringLiteral("date picker");
    case PromptKind::EndProgram: return QStringLiteral("end of program");
    }
    return {};
}

ScriptedDialogs::Expect& ScriptedDialogs::Expect::withText(const QString& exact)
{
    text = exact;
    return *this;
}

ScriptedDialogs::Expect& ScriptedDialogs::Expect::containing(const QString& p)
{
    part = p;
    return *this;
}

ScriptedDialogs::Expect& ScriptedDialogs::Expect::withTitle(const QString& exact)
{
    title = exact;
    return *this;
}

ScriptedDialogs::Expect& ScriptedDialogs::Expect::withStyle(int s)
{
    style = s;
    return *this;
}

ScriptedDialogs::Expect& ScriptedDialogs::Expect::withNumber(qint64 n)
{
    number = n;
    return *this;
}

ScriptedDialogs::ScriptedDialogs()
    : m_previous(&dialogs())
{
    installDialogs(this);
}

ScriptedDialogs::~ScriptedDialogs()
{
    if (&dialogs() == this)
        installDialogs(m_previous);
    if (m_verified || std::uncaught_exceptions() > 0)
        return;
    // An unexpected prompt whose exception was swallowed on the way must still fail the run.
    if (!m_failures.isEmpty())
        qFatal("ScriptedDialogs: %s", qPrintable(problems()));
    if (!m_script.empty())
        qWarning("ScriptedDialogs: %s", qPrintable(problems()));
}

ScriptedDialogs::Expect& ScriptedDialogs::add(PromptKind kind)
{
    m_script.emplace_back();
    m_script.back().kind = kind;
    return m_script.back();
}

ScriptedDialogs::Expect& ScriptedDialogs::expectMsgBox(int answer)
{
    Expect& e = add(PromptKind::MsgBox);
    e.answer = answer;
    return e;
}

ScriptedDialogs::Expect& ScriptedDialogs::expectInput(const QString& typed)
{
    Expect& e = add(PromptKind::InputBox);
    e.typed = typed;
    return e;
}

ScriptedDialogs::Expect& ScriptedDialogs::cancelInput()
{
    return add(PromptKind::InputBox);
}

ScriptedDialogs::Expect& ScriptedDialogs::expectErrorDialog(int answer)
{
    Expect& e = add(PromptKind::ErrorDialog);
    e.answer = answer;
    return e;
}

ScriptedDialogs::Expect& ScriptedDialogs::addModal(const QString& className,
                                                   std::function<std::optional<int>(QDialog&)> fn)
{
    Expect& e = add(PromptKind::Modal);
    e.modalClass = className;
    e.modal = std::move(fn);
    return e;
}

ScriptedDialogs::Expect& ScriptedDialogs::onModal(std::function<int(QDialog&)> fn)
{
    return addModal(QStringLiteral("QDialog"),
                    [fn = std::move(fn)](QDialog& d) -> std::optional<int> { return fn(d); });
}

ScriptedDialogs::Expect& ScriptedDialogs::expectPopup(const QString& actionName)
{
    Expect& e = add(PromptKind::Popup);
    e.actionName = actionName;
    return e;
}

ScriptedDialogs::Expect& ScriptedDialogs::dismissPopup()
{
    return add(PromptKind::Popup);
}

ScriptedDialogs::Expect& ScriptedDialogs::expectOpenFile(const QString& path)
{
    Expect& e = add(PromptKind::OpenFile);
    e.typed = path;
    return e;
}

ScriptedDialogs::Expect& ScriptedDialogs::expectDate(const QDate& date)
{
    Expect& e = add(PromptKind::PickDate);
    e.date = date;
    return e;
}

ScriptedDialogs::Expect& ScriptedDialogs::cancelDate()
{
    return add(PromptKind::PickDate);
}

QString ScriptedDialogs::describe(const Prompt& p)
{
    QString s = promptKindName(p.kind);
    if (p.kind == PromptKind::ErrorDialog)
        s += QStringLiteral(" %1 \"%2\"").arg(p.error.number).arg(p.error.description);
    else if (!p.text.isEmpty())
        s += QStringLiteral(" \"%1\"").arg(p.text);
    if (!p.title.isEmpty())
        s += QStringLiteral(" [%1]").arg(p.title);
    if (p.kind == PromptKind::MsgBox)
        s += QStringLiteral(" style %1").arg(p.style);
    return s;
}

void ScriptedDialogs::fail(const Prompt& prompt, const QString& why)
{
    const QString message = QStringLiteral("unexpected %1: %2").arg(describe(prompt), why);
    m_failures << message;
    qWarning("ScriptedDialogs: %s", qPrintable(message));
    throw UnexpectedPrompt(message.toStdString());
}

ScriptedDialogs::Expect ScriptedDialogs::take(Prompt& prompt)
{
    m_log << prompt;
    if (m_script.empty() && m_byDefault)
        return byDefault(prompt);
    if (m_script.empty())
        fail(prompt, QStringLiteral("the script has no more prompts"));
    const Expect& e = m_script.front();
    if (e.kind != prompt.kind)
        fail(prompt, QStringLiteral("the script expects a %1 next").arg(promptKindName(e.kind)));
    if (e.text && prompt.text != *e.text)
        fail(prompt, QStringLiteral("the script expects the text \"%1\"").arg(*e.text));
    if (e.part && !prompt.text.contains(*e.part))
        fail(prompt, QStringLiteral("the script expects a text containing \"%1\"").arg(*e.part));
    if (e.title && prompt.title != *e.title)
        fail(prompt, QStringLiteral("the script expects the title \"%1\"").arg(*e.title));
    if (e.style && prompt.style != *e.style)
        fail(prompt, QStringLiteral("the script expects the style %1").arg(*e.style));
    if (e.number && prompt.error.number != *e.number)
        fail(prompt, QStringLiteral("the script expects the error number %1").arg(*e.number));
    Expect taken = e;
    m_script.pop_front();
    return taken;
}

ScriptedDialogs::Expect ScriptedDialogs::byDefault(const Prompt& prompt)
{
    Expect e;
    e.kind = prompt.kind;
    switch (prompt.kind) {
    case PromptKind::MsgBox: e.answer = decodeMsgStyle(prompt.style).defaultAnswer; break;
    case PromptKind::InputBox: e.typed = prompt.detail; break;
    case PromptKind::ErrorDialog: e.answer = vbAbort; break;
    case PromptKind::Modal:
        e.modalClass = prompt.text;
        e.modal = [](QDialog&) -> std::optional<int> { return int(QDialog::Rejected); };
        break;
    case PromptKind::OpenFile: e.typed = QString(); break;
    case PromptKind::PickDate: e.date = QDate::fromString(prompt.detail, Qt::ISODate); break;
    case PromptKind::Popup:
    case PromptKind::EndProgram: break;
    }
    return e;
}

int ScriptedDialogs::MsgBox(const QString& prompt, int style, const QString& title)
{
    Prompt p{PromptKind::MsgBox, prompt, title, style, {}, {}, {}};
    const Expect e = take(p);
    if (!decodeMsgStyle(style).answers.contains(e.answer))
        fail(p, QStringLiteral("its buttons do not offer the scripted answer %1").arg(e.answer));
    m_log.last().answer = QString::number(e.answer);
    return e.answer;
}

std::optional<QString> ScriptedDialogs::InputBox(const QString& prompt, const QString& title,
                                                 const QString& defaultText)
{
    Prompt p{PromptKind::InputBox, prompt, title, 0, {}, defaultText, {}};
    const Expect e = take(p);
    m_log.last().answer = e.typed.value_or(QStringLiteral("(cancelled)"));
    return e.typed;
}

int ScriptedDialogs::ErrorDialog(const ErrorInfo& error, const QString& routine)
{
    Prompt p{PromptKind::ErrorDialog, error.description, routine, 0, error, {}, {}};
    const Expect e = take(p);
    if (e.answer != vbAbort && e.answer != vbRetry && e.answer != vbIgnore)
        fail(p, QStringLiteral("the error dialog offers only 3, 4 and 5, not %1").arg(e.answer));
    m_log.last().answer = QString::number(e.answer);
    return e.answer;
}

int ScriptedDialogs::RunModal(QDialog& dialog)
{
    Prompt p{PromptKind::Modal, QString::fromLatin1(dialog.metaObject()->className()), dialog.windowTitle(), 0,
             {}, {}, {}};
    const Expect e = take(p);
    dialog.show();
    const std::optional<int> result = e.modal(dialog);
    if (!result)
        fail(p, QStringLiteral("the script expects a %1").arg(e.modalClass));
    dialog.hide();
    m_log.last().answer = QString::number(*result);
    return *result;
}

namespace {

QAction* findAction(QMenu& menu, const QString& name)
{
    for (QAction* action : menu.actions()) {
        if (action->objectName() == name || QString(action->text()).remove(QLatin1Char('&')) == name)
            return action;
        if (QMenu* sub = action->menu())
            if (QAction* found = findAction(*sub, name))
                return found;
    }
    return nullptr;
}

} // namespace

QAction* ScriptedDialogs::PopupMenu(QMenu& menu, const QPoint&)
{
    Prompt p{PromptKind::Popup, menu.title().isEmpty() ? menu.objectName() : menu.title(), {}, 0, {}, {}, {}};
    const Expect e = take(p);
    if (e.actionName.isEmpty()) {
        m_log.last().answer = QStringLiteral("(dismissed)");
        return nullptr;
    }
    QAction* action = findAction(menu, e.actionName);
    if (!action || !action->isVisible() || !action->isEnabled())
        fail(p, QStringLiteral("the menu has no visible, enabled item \"%1\"").arg(e.actionName));
    m_log.last().answer = e.actionName;
    // As with a real menu, the chosen item's own handler has run by the time the menu returns.
    action->trigger();
    return action;
}

QString ScriptedDialogs::OpenFileName(const QString& title, const QString& folder, const QString& filter)
{
    Prompt p{PromptKind::OpenFile, title, title, 0, {}, folder + QLatin1Char('|') + filter, {}};
    const Expect e = take(p);
    m_log.last().answer = e.typed.value_or(QString());
    return e.typed.value_or(QString());
}

std::optional<QDate> ScriptedDialogs::PickDate(const QDate& initial)
{
    Prompt p{PromptKind::PickDate, {}, {}, 0, {}, initial.toString(Qt::ISODate), {}};
    const Expect e = take(p);
    m_log.last().answer = e.date ? e.date->toString(Qt::ISODate) : QStringLiteral("(cancelled)");
    return e.date;
}

void ScriptedDialogs::EndProgram(int exitCode)
{
    m_log << Prompt{PromptKind::EndProgram, {}, {}, 0, {}, {}, QString::number(exitCode)};
    throw ProgramEnded{exitCode};
}

QString ScriptedDialogs::problems() const
{
    QStringList lines = m_failures;
    for (const Expect& e : m_script)
        lines << QStringLiteral("scripted %1 never shown").arg(promptKindName(e.kind))
                     + (e.part ? QStringLiteral(" (containing \"%1\")").arg(*e.part) : QString())
                     + (e.text ? QStringLiteral(" (\"%1\")").arg(*e.text) : QString());
    return lines.join(QLatin1Char('\n'));
}

bool ScriptedDialogs::verifyDone()
{
    m_verified = true;
    if (m_failures.isEmpty() && m_script.empty())
        return true;
    qWarning("ScriptedDialogs: %s", qPrintable(problems()));
    return false;
}

} // namespace ui
