#pragma once

// Makes TPreviewPrintForm1 the window that shows the pages of every document printed to the
// screen from now on. Called once at start-up, before anything prints.
void RegisterPreviewWindow();
