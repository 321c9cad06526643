#include "platform/Services.h"

#include "platform/MemorySettingsStore.h"
#include "platform/StderrMessageService.h"

namespace platform {
namespace {

Services& Current()
{
    static Services services;
    return services;
}

} // namespace

SettingsStore& Settings()
{
    // Without an installed store nothing is remembered: a scratch store keeps writes for the run only.
    static MemorySettingsStore fallback;
    return Current().settings ? *Current().settings : fallback;
}

MessageService& Messages()
{
    static StderrMessageService fallback;
    return Current().messages ? *Current().messages : fallback;
}

void InstallServices(Services services) { Current() = services; }
Services CurrentServices() { return Current(); }

} // namespace platform
