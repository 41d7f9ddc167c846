#pragma once

#include <string>
#include <vector>

namespace orva {

// Starts `program` (a path, used as is: no PATH search, no shell) with `arguments`, as a
// process of its own that the caller neither waits for nor keeps: it begins in a new
// session with the default signal mask and dispositions, the caller's environment and
// working folder, and no descriptor of the caller's but standard input, output and error.
// False when the program could not be executed.
bool StartDetachedProcess(const std::string& program, const std::vector<std::string>& arguments);

}  // namespace orva
