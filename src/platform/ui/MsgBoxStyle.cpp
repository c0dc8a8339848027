#include "MsgBoxStyle.h"

#include "OperatorDialogs.h"

namespace ui {

MsgBoxLayout decodeMsgStyle(int style)
{
    MsgBoxLayout layout;
    switch (style & 0x7) {
    case vbOKCancel: layout.answers = {vbOK, vbCancel}; break;
    case vbAbortRetryIgnore: layout.answers = {vbAbort, vbRetry, vbIgnore}; break;
    case vbYesNoCancel: layout.answers = {vbYes, vbNo, vbCancel}; break;
    case vbYesNo: layout.answers = {vbYes, vbNo}; break;
    case vbRetryCancel: layout.answers = {vbRetry, vbCancel}; break;
    default: layout.answers = {vbOK}; break;
    }
    const int icon = style & 0x70;
    layout.icon = (icon == vbCritical || icon == vbQuestion || icon == vbExclamation || icon == vbInformation) ? icon : 0;
    const int defaultIndex = (style & 0x300) >> 8;
    layout.defaultAnswer = layout.answers.value(defaultIndex, layout.answers.first());
    // A box without Cancel has no obvious escape: No for Yes/No, Abort for Abort/Retry/Ignore (both leave
    // whatever asked), OK for the single button.
    if (layout.answers.contains(vbCancel))
        layout.escapeAnswer = vbCancel;
    else if (layout.answers.contains(vbNo))
        layout.escapeAnswer = vbNo;
    else
        layout.escapeAnswer = layout.answers.first();
    return layout;
}

QString answerWord(int answer)
{
    switch (answer) {
    case vbCancel: return QStringLiteral("Cancelar");
    case vbAbort: return QStringLiteral("Abortar");
    case vbRetry: return QStringLiteral("Reintentar");
    case vbIgnore: return QStringLiteral("Ignorar");
    case vbYes: return QStringLiteral("Sí");
    case vbNo: return QStringLiteral("No");
    default: return {};
    }
}

QString buttonCaption(int answer)
{
    return answer == vbOK ? QStringLiteral("Aceptar") : answerWord(answer);
}

} // namespace ui
