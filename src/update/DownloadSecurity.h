// What an address that came over https may lead to: nothing but https. A redirect from https
// to http, or an update list fetched over https (or registered with an https address) that
// names an http setup, would let anyone on the network replace the setup program.
#pragma once

#include <string_view>

namespace nimbus::update {

// The address's scheme is https (letter case ignored).
bool IsHttps(std::string_view url);
// The schemes a transfer of url may be redirected to, in libcurl's list form.
const char *RedirectSchemesFor(std::string_view url);
// Going from an address reached over https to target would give up https.
bool IsDowngrade(std::string_view from, std::string_view target);

} // namespace nimbus::update
