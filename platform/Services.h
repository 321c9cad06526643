/** @file Services.h
 ** The platform services the current program runs with: its settings store and its message boxes. **/
#pragma once

#include "platform/MessageService.h"
#include "platform/SettingsStore.h"

namespace platform {

/// Like the registry and the message boxes of the platform the editor was written for, these are
/// process-wide: a keymap reads its folder from the settings and reports through the message
/// service without being handed either. A program installs its services at start; a test
/// installs fakes with ScopedServices. Neither pointer is owned.
struct Services {
    SettingsStore* settings = nullptr;
    MessageService* messages = nullptr;
};

/// The services in force. Before a program installs any, a null settings store reads every value
/// as its default, and messages go to standard error.
SettingsStore& Settings();
MessageService& Messages();

void InstallServices(Services services);
Services CurrentServices();

/// Installs services for the life of the object and restores the previous ones after.
class ScopedServices {
public:
    explicit ScopedServices(Services services) : previous(CurrentServices()) { InstallServices(services); }
    ~ScopedServices() { InstallServices(previous); }
    ScopedServices(const ScopedServices&) = delete;
    ScopedServices& operator=(const ScopedServices&) = delete;

private:
    Services previous;
};

} // namespace platform
