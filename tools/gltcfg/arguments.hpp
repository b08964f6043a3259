#pragma once

#include <string>
#include <vector>

namespace glt::cli {

// The command line as UTF-8, program name first, with the console set up to
// show UTF-8: file names and messages are Cyrillic.
std::vector<std::string> Utf8Arguments(int argc, char** argv);

} // namespace glt::cli
