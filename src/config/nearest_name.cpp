#include "config/nearest_name.h"

#include <algorithm>
#include <cstddef>

namespace config {
namespace {

std::size_t EditDistance(const std::string& a, const std::string& b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

}  // namespace

std::string NearestName(const std::string& written, const std::vector<std::string>& candidates, std::size_t within) {
  std::string best;
  std::size_t bestDistance = (within != 0 ? within : std::max<std::size_t>(2, written.size() / 4)) + 1;
  for (const std::string& candidate : candidates) {
    const std::size_t distance = EditDistance(written, candidate);
    if (distance < bestDistance) {
      best = candidate;
      bestDistance = distance;
    }
  }
  return best;
}

}  // namespace config
