// How every loader reports a problem that ends the run.
#pragma once

#include <string>

namespace config {

// Shows a modal error box (owned by the main window once it exists) unless the text is empty,
// then posts the quit request with exit code 0. The caller goes on to return its own failure.
void FatalError(const std::string& caption, const std::string& text);

}  // namespace config
