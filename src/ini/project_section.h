#pragma once

class ProjectLineReader;
class ProjectLineWriter;

// Reads up to and including the line that heads the program's own section; true when there is
// one. With copy, every line read goes there too, the header included.
bool FindProjectSection(ProjectLineReader& lines, ProjectLineWriter* copy = nullptr);

// Whether a next line follows and still belongs to the section being read: a line that starts
// with "[" heads the next section.
bool NextLineInSection(ProjectLineReader& lines);
