#include "Routine.h"

#include <QCoreApplication>

namespace ui {

namespace {

QList<ErrorTranslator>& translators()
{
    static QList<ErrorTranslator> list;
    return list;
}

} // namespace

void registerErrorTranslator(ErrorTranslator translator)
{
    translators().prepend(std::move(translator));
}

ErrorInfo errorInfoOf(const std::exception_ptr& error)
{
    for (const ErrorTranslator& translate : translators())
        if (std::optional<ErrorInfo> info = translate(error))
            return *info;
    try {
        std::rethrow_exception(error);
    } catch (const ErrorInfo& info) {
        return info;
    } catch (const std::exception& e) {
        return ErrorInfo{0, QString::fromLocal8Bit(e.what()), QCoreApplication::applicationName()};
    } catch (...) {
        return ErrorInfo{0, QStringLiteral("Error desconocido"), QCoreApplication::applicationName()};
    }
}

ErrorHandler askOperator()
{
    return [](const std::exception_ptr& error, const QString& routine) {
        return dialogs().ErrorDialog(errorInfoOf(error), routine);
    };
}

ErrorHandler silently(int answer)
{
    return [answer](const std::exception_ptr&, const QString&) { return answer; };
}

ErrorHandler passOver(QList<qint64> numbers, ErrorHandler otherwise)
{
    return [numbers = std::move(numbers), otherwise = std::move(otherwise)](const std::exception_ptr& error,
                                                                           const QString& routine) {
        if (numbers.contains(errorInfoOf(error).number))
            return int(vbIgnore);
        return otherwise(error, routine);
    };
}

ErrorHandler toCaller()
{
    return [](const std::exception_ptr& error, const QString&) -> int { std::rethrow_exception(error); };
}

Routine::Routine(QString name, ErrorHandler handler)
    : m_name(std::move(name))
    , m_handler(std::move(handler))
{
}

bool Routine::step(const std::function<void()>& statement)
{
    while (!m_left) {
        try {
            statement();
            return true;
        } catch (const ProgramEnded&) {
            throw;
        } catch (const UnexpectedPrompt&) {
            throw;
        } catch (...) {
            const std::exception_ptr error = std::current_exception();
            const int answer = m_handler(error, m_name);
            if (answer == vbRetry)
                continue;
            m_lastError = errorInfoOf(error);
            if (answer == vbIgnore)
                return true;
            m_left = true;
        }
    }
    return false;
}

bool Routine::steps(std::initializer_list<std::function<void()>> statements)
{
    for (const auto& statement : statements)
        if (!step(statement))
            return false;
    return true;
}

} // namespace ui
