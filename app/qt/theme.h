#pragma once
// The visual theme, colour scheme 3, as an application style
// sheet: push buttons with gradient faces and rounded corners; edit boxes with
// a one-pixel outer frame in #C6C5D7 (ColorRef 0xD7C5C6) and a one-pixel frame
// in the window colour inside it. Message boxes and the file dialog are Qt
// widgets of the same application, so they are drawn in it too.
#include <QString>

namespace app::qt {

QString VisualThemeStyleSheet(int scheme);

// Switches the theme on for the whole application (an earlier one goes off).
void ApplyVisualTheme(int scheme);

}  // namespace app::qt
