#pragma once

#include <string>
#include <vector>

namespace orva {

// `current` ("NAME=value" entries, NULL-ended, as `environ`) with `changes` applied: a
// "NAME=value" change sets NAME, a bare "NAME" removes it. Entries left alone keep their
// order, set ones follow; a name that `current` repeats is replaced as a whole.
std::vector<std::string> EnvironmentWith(const char* const* current,
                                         const std::vector<std::string>& changes);

}  // namespace orva
