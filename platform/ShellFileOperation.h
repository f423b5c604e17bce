// Copy, move, rename and delete of files and folders as the shell does them, without confirmations.
#pragma once

#include <string>

// Operation codes and flags keep the numbers that callers pass.
enum ShellFileOp : unsigned
{
    FO_MOVE = 0x1,
    FO_COPY = 0x2,
    FO_DELETE = 0x3,
    FO_RENAME = 0x4,
};

enum ShellFileOpFlags : unsigned
{
    FOF_SILENT = 0x4,
    FOF_NOCONFIRMATION = 0x10,
    FOF_ALLOWUNDO = 0x40,
    FOF_NOCONFIRMMKDIR = 0x200,
    FOF_NOERRORUI = 0x400,
};

// Result codes besides the operating system's error numbers.
enum ShellFileOpResult : int
{
    SFO_OK = 0,
    SFO_UNKNOWN_OPERATION = -1,
    SFO_SOURCE_MISSING = -2,
    SFO_TRASH_FAILED = -3,
    SFO_TARGET_INSIDE_SOURCE = -4,
};

// Runs one operation on one path (UTF-8). Copy and move into an existing folder put the source inside
// it; otherwise the target names the result. Existing targets are replaced (there is no one to ask).
// A delete with FOF_ALLOWUNDO moves the source to the desktop trash. Answers 0 on success, otherwise a
// ShellFileOpResult below 0 or an errno value (ENAMETOOLONG for an over-long path, ...).
int ShellFileOperation(const std::string& source, const std::string& target, unsigned operation,
                       unsigned flags);

// A sentence that says what a non-zero result of ShellFileOperation means.
std::string ShellFileOperationErrorText(int result);
