#pragma once

class QWidget;

namespace platform {

// Centres the window, frame included, on its screen. Before a window is shown the window system
// has not framed it yet, so it is centred by its inner area now and once more when its first
// frame is painted, by then with its frame, unless something else has placed it in between.
void CentreOnScreen(QWidget& window);

} // namespace platform
