// Where calendar passwords are kept: the desktop's secret store through libsecret when a
// secret service answers on the session bus; otherwise nowhere on disk (the window keeps the
// password typed for the session in memory only). Calls may block on D-Bus, so the sync
// worker makes them, never the window's thread.
#pragma once

#include <optional>
#include <string>

namespace nimbus::caldavui {

class PasswordKeeper {
public:
    virtual ~PasswordKeeper() = default;
    // False when no secret service is there to ask.
    virtual bool available() = 0;
    virtual std::optional<std::string> lookup(const std::string &server, const std::string &user) = 0;
    virtual bool store(const std::string &server, const std::string &user, const std::string &password) = 0;
};

// libsecret's secret service, asked only when a session bus is named in the environment.
class SecretServicePasswords : public PasswordKeeper {
public:
    bool available() override;
    std::optional<std::string> lookup(const std::string &server, const std::string &user) override;
    bool store(const std::string &server, const std::string &user, const std::string &password) override;
};

// Nothing kept anywhere: for tests and for desktops without a secret service.
class NoPasswordStore : public PasswordKeeper {
public:
    bool available() override { return false; }
    std::optional<std::string> lookup(const std::string &, const std::string &) override { return std::nullopt; }
    bool store(const std::string &, const std::string &, const std::string &) override { return false; }
};

}  // namespace nimbus::caldavui
