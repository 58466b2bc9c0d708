#pragma once
// Small shared records of the suite.

#include "framework/classes/Events.h"

#include <string>

namespace sibling {

// A text and a number, filled in by whoever supplies a list's items.
struct TStringAndIntegerRec {
    std::string S;
    int I = 0;
};

// Supplies the text and value of item Index of Sender.
using TOnGetStringAndInt = framework::TEvent<framework::TObject*, int, TStringAndIntegerRec&>;

}  // namespace sibling
