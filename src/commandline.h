#pragma once

#include <optional>

class QCommandLineParser;

// Reads the program's arguments before the device or any window exists: the options the caller
// added to `parser`, plus --help and --version, which are answered here on standard output. A bad
// command line gets a message on standard error. Returns the exit code when the program ends here
// (0 answered, 1 bad command line), else nothing, with `parser` holding what was set. Qt's own
// options (-platform, -style, ...) are accepted and left in argv for the application object.
std::optional<int> answer_command_line(QCommandLineParser& parser, int argc, char* argv[]);
