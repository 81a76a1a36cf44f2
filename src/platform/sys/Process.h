#pragma once
// Starting another program, detached: it runs in its own session, is not our child (nobody has to
// wait for it, so no zombie stays behind) and inherits no descriptor but standard output and error.

#include <string>
#include <vector>

namespace qor::sys {

// Starts `program` with `args` (argv[1..]). Returns false only when the start could not even be
// attempted (fork failed); whether the program then runs is not known. Callers may ignore it.
bool StartDetached(const std::string& program, const std::vector<std::string>& args = {});

} // namespace qor::sys
