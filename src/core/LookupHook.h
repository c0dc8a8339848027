#pragma once
// The start-up road hands the shared lookup driver its connection and mask file, but the lookup
// subsystem sits above the core. The lookup library installs this hook; the core only calls it.

#include <QString>
#include <functional>

namespace core {

struct LookupHook {
    // Creates the lookup-mask file with its default records when it is missing. False with a reason on failure.
    std::function<bool(const QString& maskFile, QString* error)> ensureMaskFile;
    // Hands the shared lookup driver the connection text and the mask file path.
    std::function<void(const QString& connectionString, const QString& maskFile)> configure;
};

// The installed hook (empty functions until the lookup library installs its own).
LookupHook& lookupHook();

} // namespace core
