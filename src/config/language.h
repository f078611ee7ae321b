// Every user-visible text exists in English and Spanish; the launcher's language flag picks one
// at the moment the text is made.
#pragma once

#include <string>

#include "config/launcher_settings.h"

namespace config {

// The text in the language, as Windows-1252 bytes (literals are written in UTF-8).
std::string Tr(Language language, const char* english, const char* spanish);

// printf-style formatting into a std::string (the caller's format is trusted, never user data).
// MinGW formats as the C standard says (%zu included), so its formats are checked as GNU ones.
#if defined(__MINGW32__)
std::string Format(const char* format, ...) __attribute__((format(gnu_printf, 1, 2)));
#else
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
#endif

}  // namespace config
