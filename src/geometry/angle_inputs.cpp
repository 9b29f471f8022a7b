#include <string>

#include "angles.h"

namespace sextrix {
void CommaToDot(TextBox& box) {
    const auto comma = box.text.find(',');
    if (comma == std::string::npos) return;
    box.text[comma] = '.';
    box.selStart = static_cast<int>(comma) + 1;
}

}  // namespace sextrix
