// Feeds arbitrary bytes to the word-list tool's counter as the contents of a text file. Every
// listed word must be well-formed UTF-8 with a count, most frequent first; and the list is its
// own fixed point: a text made of each word as often as it was counted lists the same again.

#include "WordCounts.h"

#include "framework/rtl/Unicode.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace wordlist;
    const auto words = CountWordsInBytes(std::string_view(reinterpret_cast<const char*>(data), size));
    std::string again;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const TWordCount& w = words[i];
        if (w.Word.empty() || w.Count <= 0 || !framework::IsValidUtf8(w.Word))
            std::abort();
        if (i > 0 && words[i - 1].Count < w.Count)
            std::abort();
        for (int n = 0; n < w.Count; ++n)
            again += w.Word + ' ';
    }
    if (CountWords(again) != words)
        std::abort();
    return 0;
}
