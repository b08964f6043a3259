#include "tools/gltcfg/arguments.hpp"

namespace glt::cli {

// The terminal and the file system already speak UTF-8 here.
std::vector<std::string> Utf8Arguments(int argc, char** argv) { return {argv, argv + argc}; }

} // namespace glt::cli
