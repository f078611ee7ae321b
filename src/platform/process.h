// What the program gets from the system it starts on: its command line and its console.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace platform {

// The program's arguments as UTF-8, the program's own name first. On Windows they are taken
// from the wide command line (argv would be in the ANSI code page, losing what it cannot spell);
// elsewhere they are argv as given.
std::vector<std::string> ProgramArguments(int argc, char** argv);

// Makes standard output and error usable before anything is printed. On Windows a program
// without a console of its own, started from a console, writes to that console, unless its
// output already goes to a file or a pipe; output is binary there too, so that it holds the same
// bytes as elsewhere ("\n", not "\r\n"). Elsewhere nothing needs doing.
void PrepareConsole();

// Readies the memory allocator for a game, before anything large is made: the pictures made at
// start-up come from one heap grown in large steps, backed by huge pages where the system
// offers them, instead of a mapping each, touched 4 KiB at a time. Does nothing where that does
// not apply (Windows, builds with a sanitizer's allocator).
void PrepareMemory();

// Makes a stream write its bytes unchanged (no "\r\n" for "\n" on Windows).
void UseBinaryOutput(std::FILE* stream);

#ifdef _WIN32
// The arguments of a Windows command line, split by the system's rules, as UTF-8.
std::vector<std::string> ArgumentsOfCommandLine(const std::wstring& commandLine);
#endif

}  // namespace platform
