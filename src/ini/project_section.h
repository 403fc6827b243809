#pragma once

class ProjectLineReader;

// Whether a next line follows and still belongs to the section being read: a line that starts
// with "[" heads the next section.
bool NextLineInSection(ProjectLineReader& lines);

// Reads past the lines of the section being read, up to the next section.
void SkipSection(ProjectLineReader& lines);
