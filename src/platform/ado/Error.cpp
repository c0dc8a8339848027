#include "Error.h"

namespace ado {

Error::Error(qint64 number, QString description, QString source, QString sqlState, qint64 nativeError)
    : Number(number),
      Description(std::move(description)),
      Source(std::move(source)),
      SQLState(std::move(sqlState)),
      NativeError(nativeError)
{
}

const char* Error::what() const noexcept
{
    m_what = Description.toStdString();
    return m_what.c_str();
}

} // namespace ado
