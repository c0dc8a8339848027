#include "DriverText.h"

namespace ado {

qsizetype UnsendableCharacterAt(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isNull())
            return i;
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            ++i;
            continue;
        }
        if (c.isSurrogate())
            return i;
    }
    return -1;
}

bool DriverMayRewrite(QStringView text)
{
    return text.contains(u'{') || text.contains(u'}') || text.contains(u"--(*");
}

} // namespace ado
