#pragma once
#include "server/server_options.h"

namespace scores {

// Opens the database and serves until SIGINT or SIGTERM; the exit status of the program.
// Prints "listening on http://HOST:PORT" on standard error once it accepts connections, with
// the port it got when asked for port 0.
int RunServer(const ServerOptions& options);

} // namespace scores
