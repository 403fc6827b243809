#pragma once

#include <QString>

// What the print jobs, the preview and the saved page files are called: the program's name, so
// that the user finds them under the name of the program that made them.
QString DocumentTitle();
