// The inventory side of the script commands: objects found by the name a script writes, and a
// character's twelve slots. Callers hold WorldLock().
//
// These follow the pick-up rules of the units (a slot per object, counts capped at 99) so that
// scripts work before the units' own inventory operations exist; when those land, the script
// commands should call them instead.
#pragma once

#include <string>
#include <string_view>

class CGameUnit;

namespace script {

inline constexpr int kMaxObjectCount = 99;

// Folds an object name the way scripts write it: blanks as "_", the Windows-1252 lower-case
// accented vowels and n-tilde as plain letters.
std::string FoldObjectName(std::string_view name);
// The number (1..64) of the first defined object whose folded name equals the word without
// regard to case; 0 when none.
int FindObjectByFoldedName(std::string_view word);

// Adds `count` of the object (with the pick-up's message and sound); false when the slot is
// already full at 99 or all twelve slots hold other objects.
bool AddToInventory(CGameUnit& unit, int object, int count);
// Takes `count` uses from the object's slot, emptying it below 1; false when not held.
bool UseFromInventory(CGameUnit& unit, int object, int count);
int CountInInventory(const CGameUnit& unit, int object);

}  // namespace script
