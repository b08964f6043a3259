#include "batch_shell.hpp"

#include <iostream>

namespace glt::cli {

void BatchShell::Inform(std::string_view caption, std::string_view text)
{
    std::cout << caption << '\n' << text << '\n';
}

} // namespace glt::cli
