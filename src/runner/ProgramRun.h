#pragma once
// Running a program of a batch line and waiting for it to end.

#include <string>
#include <vector>

namespace morvanta::runner {

// Runs the program with its arguments, no shell between, and returns its exit
// status once it has ended. A name without a folder is looked up on PATH.
// Throws JobError when the program is not found or cannot be started, or
// when it is ended by a signal.
int runProgram(const std::u16string& program, const std::vector<std::u16string>& args);

// True when runProgram would find the program.
bool programExists(const std::u16string& program);

}  // namespace morvanta::runner
