// The name a misspelt one most likely meant, for the checker's "did you mean" hints.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace config {

// The candidate nearest to `written` by edit distance, when it is near enough to be meant: at
// most `within` letters off, or without it a few letters, more for a long name; empty otherwise.
// Earlier candidates win ties.
std::string NearestName(const std::string& written, const std::vector<std::string>& candidates, std::size_t within = 0);

}  // namespace config
