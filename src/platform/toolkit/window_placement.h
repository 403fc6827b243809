#pragma once

class QRect;
class QWidget;

namespace platform {

// Centres the window, frame included, on its screen. Before a window is shown the window system
// has not framed it yet, so it is centred by its inner area now and once more when its first
// frame is painted, by then with its frame, unless something else has placed it in between.
void CentreOnScreen(QWidget& window);

// Puts the window, frame included, to the right of its owner's frame, tops level, and moves it
// back left and up as far as needed to keep it inside the available area of the owner's screen;
// a window taller than that area keeps its top on the area's top.
void PlaceBeside(QWidget& window, const QWidget& owner);

// Sizes and moves the window so that, frame included, it covers the area exactly.
void CoverWithFrame(QWidget& window, const QRect& area);

} // namespace platform
