// Finding an inventory object of the definition table by its name.
#pragma once

#include <string>
#include <string_view>

#include "config/game_tables.h"

namespace config {

// The number (1..64) of the first defined object with a non-zero number of uses whose name
// equals `name` without regard to case; 0 when none. With `fold`, the object's name is compared
// in its identifier form (spaces as "_", the Windows-1252 lower-case accented vowels and n-tilde
// as plain letters), the way scripts write it.
int FindObjectByName(const GameTables& tables, std::string_view name, bool fold);

// The identifier form of a Windows-1252 name.
std::string FoldedName(std::string_view name);

}  // namespace config
