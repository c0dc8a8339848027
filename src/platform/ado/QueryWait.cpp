// The query wait installed for the reads of a scope.

#include "QueryWait.h"

namespace ado {

namespace {
QueryWait* gWait = nullptr;
}

QueryWaitScope::QueryWaitScope(QueryWait* wait) : m_before(gWait)
{
    gWait = wait;
}

QueryWaitScope::~QueryWaitScope()
{
    gWait = m_before;
}

QueryWait* CurrentQueryWait()
{
    return gWait;
}

} // namespace ado
