#pragma once

namespace platform {

// The toolkit's own texts (the buttons and labels of file, font and print dialogs) in Dutch,
// like every other text of the program, whatever the desktop's language. Without the
// translation files the dialogs keep the toolkit's English.
void InstallDutchToolkitTexts();

} // namespace platform
