#pragma once
// Plain-data controls of the window models. The logic reads and writes them;
// the Qt windows show them and write the user's edits back.
#include <cstdint>
#include <string>
#include <vector>

namespace sextrix {

struct TextBox {
    std::string text;
    bool visible = true;
    bool enabled = true;
    int selStart = 0;  // caret position, 0-based
};

struct Label {
    std::string caption;
    bool visible = true;
};

struct Button {
    std::string caption;
    bool visible = true;
    bool enabled = true;
};

// value: 0 unchecked, 1 checked, 2 greyed.
inline constexpr std::int16_t kTicked = 1;

struct CheckBox {
    std::string caption;
    std::int16_t value = 0;  // 0 unticked, 1 ticked (kTicked), 2 greyed
    bool visible = true;
    bool enabled = true;
};

struct Frame {
    std::string caption;
    bool visible = true;
};

struct MenuItem {
    std::string caption;
    bool enabled = true;
};

struct ListBox {
    std::vector<std::string> items;
    int selected = -1;
};

struct Timer {
    int intervalMs = 0;
    bool enabled = false;
};

// An item painted over the picture: marker, label or segment. For segments
// (the centre cross) left/top is the first end and width/height the offset
// to the second end.
struct OverlayItem {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    bool visible = false;
    std::string text;
};

// A picture box placed inside its parent, in pixels.
struct PictureBox {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool visible = true;
};

}  // namespace sextrix
