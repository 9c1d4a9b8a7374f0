#pragma once
// One line of a batch file, as the job runner understands it.

#include <string>
#include <vector>

#include "runner/CommandLine.h"

namespace morvanta::runner {

enum class BatchKind {
  Nothing,  // blank line, "@echo off", "REM ...", ":: ...", ":label"
  Echo,     // "echo text": text is printed
  Ftp,      // "ftp -s:SCRIPT": script holds SCRIPT
  Start,    // "START [title] [/WAIT] PROG ARGS": program and args, not waited for
  Xcopy,    // "XCOPY /Y FROM TO"
  Erase,    // "ERASE FILE" or "DEL FILE"
  Program,  // anything else: words[0] is the program, the rest its arguments
};

struct BatchLine {
  BatchKind kind = BatchKind::Nothing;
  std::u16string text;      // Echo: what to print; Ftp: the script path
  std::vector<Word> words;  // Start: program and arguments; Program: the same
  std::u16string rest;      // Start: raw text after the program; Xcopy, Erase: after the switches
  bool replace = false;     // Xcopy: /Y was given
  bool wait = false;        // Start: /WAIT was given
};

// Throws JobError for a line the runner cannot carry out as written (an
// "ftp" without "-s:", a START without a program).
BatchLine parseBatchLine(const std::u16string& line);

}  // namespace morvanta::runner
