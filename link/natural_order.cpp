#include "link/natural_order.hpp"

#include <cctype>

namespace glt {

namespace {

bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

std::string_view DigitRun(std::string_view text, std::size_t from)
{
    std::size_t end = from;
    while (end < text.size() && IsDigit(text[end])) {
        ++end;
    }
    return text.substr(from, end - from);
}

} // namespace

bool NaturalLess(std::string_view a, std::string_view b)
{
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (IsDigit(a[i]) && IsDigit(b[j])) {
            std::string_view x = DigitRun(a, i);
            std::string_view y = DigitRun(b, j);
            i += x.size();
            j += y.size();
            while (x.size() > 1 && x.front() == '0') {
                x.remove_prefix(1);
            }
            while (y.size() > 1 && y.front() == '0') {
                y.remove_prefix(1);
            }
            if (x.size() != y.size()) {
                return x.size() < y.size();
            }
            if (x != y) {
                return x < y;
            }
            continue;
        }
        if (a[i] != b[j]) {
            return a[i] < b[j];
        }
        ++i;
        ++j;
    }
    return a.size() - i < b.size() - j;
}

} // namespace glt
