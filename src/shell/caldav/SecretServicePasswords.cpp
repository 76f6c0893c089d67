// Calendar passwords in the desktop's secret store; see PasswordKeeper.h.
#include "shell/caldav/PasswordKeeper.h"

#include <cstdlib>

#include <libsecret/secret.h>

namespace nimbus::caldavui {

namespace {

const SecretSchema *schema()
{
    static const SecretSchema s = {"org.nimbusdesk.CalendarAccount",
                                   SECRET_SCHEMA_NONE,
                                   {{"server", SECRET_SCHEMA_ATTRIBUTE_STRING},
                                    {"user", SECRET_SCHEMA_ATTRIBUTE_STRING},
                                    {nullptr, SECRET_SCHEMA_ATTRIBUTE_STRING}},
                                   0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr};
    return &s;
}

}  // namespace

bool SecretServicePasswords::available()
{
    // Without a session bus libsecret would try to start one; there is no service to ask.
    const char *bus = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    if (bus == nullptr || *bus == '\0')
        return false;
    GError *error = nullptr;
    SecretService *service = secret_service_get_sync(SECRET_SERVICE_NONE, nullptr, &error);
    if (error != nullptr)
        g_error_free(error);
    if (service == nullptr)
        return false;
    g_object_unref(service);
    return true;
}

std::optional<std::string> SecretServicePasswords::lookup(const std::string &server, const std::string &user)
{
    GError *error = nullptr;
    gchar *password = secret_password_lookup_sync(schema(), nullptr, &error, "server", server.c_str(), "user",
                                                  user.c_str(), nullptr);
    if (error != nullptr)
        g_error_free(error);
    if (password == nullptr)
        return std::nullopt;
    std::string out = password;
    secret_password_free(password);
    return out;
}

bool SecretServicePasswords::store(const std::string &server, const std::string &user, const std::string &password)
{
    GError *error = nullptr;
    const std::string label = "Nimbus Desk calendar " + user + " at " + server;
    const gboolean ok = secret_password_store_sync(schema(), SECRET_COLLECTION_DEFAULT, label.c_str(), password.c_str(),
                                                   nullptr, &error, "server", server.c_str(), "user", user.c_str(), nullptr);
    if (error != nullptr)
        g_error_free(error);
    return ok;
}

}  // namespace nimbus::caldavui
