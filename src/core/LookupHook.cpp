#include "LookupHook.h"

namespace core {

LookupHook& lookupHook()
{
    static LookupHook hook;
    return hook;
}

} // namespace core
