#pragma once
// The words of a text and how often each occurs. A word is a run of letters and digits, in any
// script; an apostrophe or a hyphen between two of them belongs to the word ("don't",
// "well-known"), and the typographic apostrophe counts as the plain one. Words are counted
// without regard to case, in lower case, as a reader would list them.

#include <string>
#include <string_view>
#include <vector>

namespace wordlist {

struct TWordCount {
    std::string Word;
    int Count = 0;
    bool operator==(const TWordCount&) const = default;
};

// Most frequent first; words of equal count in alphabetical order. Text is UTF-8.
std::vector<TWordCount> CountWords(std::string_view Text);

// The words of a text file's bytes: UTF-8 or UTF-16 with a byte order mark, UTF-8 without one,
// and text that is not UTF-8 read as the Western Windows code page.
std::vector<TWordCount> CountWordsInBytes(std::string_view Bytes);
// The same, read from the file; raises the framework's file errors.
std::vector<TWordCount> CountWordsInFile(const std::string& FileName);

// One line per word, the word and its count separated by a tab.
std::string WordListText(const std::vector<TWordCount>& Words);

}  // namespace wordlist
