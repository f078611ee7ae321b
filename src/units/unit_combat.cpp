// Combat: damage, death, respawn, the fire ball and the sword blow.
#include "units/game_unit.h"

void CGameUnit::Damage(int, CGameUnit*, const units::UnitWorld&) {}
void CGameUnit::FireAt(units::Point, const units::UnitWorld&) {}
void CGameUnit::SwordAttack(const units::UnitWorld&) {}
void CGameUnit::ProjectileImpact(CGameUnit&, const units::UnitWorld&) {}
void CGameUnit::FaceTowards(units::Point, uint32_t) {}
void CGameUnit::Respawn(const units::UnitWorld&) {}
