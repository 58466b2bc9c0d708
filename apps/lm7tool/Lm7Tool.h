#pragma once
// lm7tool: the suite's icon and image-list work from the command line.

#include <ostream>
#include <string>
#include <vector>

// Runs one command (Arguments without the program's name): the answer goes to Out, messages to
// Err. The exit status: 0 done, 1 failed, 2 bad arguments.
int RunLm7Tool(const std::vector<std::string>& Arguments, std::ostream& Out, std::ostream& Err);

// The pixels between the cells of a contact sheet and around them.
inline constexpr int kSheetGap = 6;

struct SheetGrid {
    int Columns = 1;
    int Rows = 1;
};
// The columns and rows of a contact sheet of Count cells of Cell pixels square: rows of eight,
// and more columns where the sheet would otherwise be higher than a bitmap may be.
SheetGrid ContactSheetGrid(int Count, int Cell);
