// The tests of IF and WHILE. The caller holds the world lock.
#pragma once

#include "script/script_context.h"
#include "script/script_line.h"

namespace script {

// NoBranch: the test cannot be made (a missing unit or variable, a text variable, a property a
// test cannot read, an operator other than "=" on a unit property); the lines after it then run
// in order as if there were no test.
enum class TestResult { False, True, NoBranch };

TestResult EvaluateTest(const ScriptContext& world, const ScriptLine& line) TL_REQUIRES(world.engine.Lock());

}  // namespace script
