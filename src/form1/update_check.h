#pragma once
// The update check of step "1-Download": the version published on the update
// server of hosts.cfg against the program's own.
#include <string>
#include <string_view>

#include "model/app.h"

namespace sextrix {

// The version version.txt announces: its first line, ended by LF, CR LF or
// CR, without the blanks around it.
std::string publishedVersion(std::string_view text);

// With an update server in hosts.cfg: counts the visit (temp.tmp), fetches
// version.txt into version.tmp and shows the "softupdate" suggestion when it
// announces another version. A server that does not answer the first request
// is asked nothing more, and a status line says the check got no answer;
// other failures are silent. Without an update server, nothing.
void CheckForUpdate(App& app);

}  // namespace sextrix
