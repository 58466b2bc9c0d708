#include "WordCounts.h"

#include "framework/classes/Strings.h"
#include "framework/rtl/Files.h"
#include "framework/rtl/StrUtils.h"
#include "framework/rtl/Unicode.h"

#include <algorithm>
#include <iterator>
#include <unordered_map>

using namespace framework;

namespace wordlist {

namespace {

struct TRange {
    char32_t First;
    char32_t Last;
};

// Outside ASCII and Latin-1 these blocks hold spaces, punctuation and signs; every other code
// point is taken as part of a word (letters, digits and combining marks of any script).
constexpr TRange kNotInWords[] = {
    {0x2000, 0x2BFF},  // spaces, punctuation, currency, letter-like and technical signs, arrows
    {0x2E00, 0x2E7F},  // more punctuation
    {0x3000, 0x303F},  // ideographic space and punctuation
    {0xFE10, 0xFE1F},  // vertical punctuation
    {0xFE30, 0xFE6F},  // small punctuation
    {0xFEFF, 0xFEFF},  // a byte order mark inside the text
    // full-width punctuation, between the full-width digits and letters
    {0xFF00, 0xFF0F},
    {0xFF1A, 0xFF20},
    {0xFF3B, 0xFF40},
    {0xFF5B, 0xFF65},
    {0xFFF0, 0xFFFF},    // specials, the replacement character for broken bytes among them
    {0x1F000, 0x1FAFF},  // pictographs and emoji
};

bool IsWordChar(char32_t c) {
    if (c < 0x80)
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    if (c < 0xC0)  // Latin-1 controls, punctuation and signs; the ordinals and micro are letters
        return c == 0xAA || c == 0xB5 || c == 0xBA;
    if (c == 0xD7 || c == 0xF7)  // multiplication and division signs
        return false;
    if (c == 0x200C || c == 0x200D)  // the joiners that shape words in several scripts
        return true;
    return std::none_of(std::begin(kNotInWords), std::end(kNotInWords),
                        [c](const TRange& r) { return c >= r.First && c <= r.Last; });
}

// The character an apostrophe or hyphen stands for inside a word; 0 for any other.
char JoinerOf(char32_t c) {
    switch (c) {
    case '\'':
    case 0x2019:  // right single quotation mark, the typographic apostrophe
        return '\'';
    case '-':
    case 0x2010:  // hyphen
    case 0x2011:  // non-breaking hyphen
        return '-';
    default:
        return 0;
    }
}

constexpr char32_t kSoftHyphen = 0xAD;

// The word as it is listed: lower case, and a Greek word ending in sigma ends in the final form.
std::string Folded(std::string_view Word) {
    std::string folded = Utf8LowerCase(Word);
    constexpr std::string_view kSigma = "\u03C3", kFinalSigma = "\u03C2";
    if (folded.size() > kSigma.size() && folded.ends_with(kSigma))
        folded.replace(folded.size() - kSigma.size(), kSigma.size(), kFinalSigma);
    return folded;
}

}  // namespace

std::vector<TWordCount> CountWords(std::string_view Text) {
    std::unordered_map<std::string, int> counts;
    std::string word;
    char joiner = 0;  // met right after a word character; joins only when another follows
    auto endWord = [&] {
        if (!word.empty())
            ++counts[Folded(word)];
        word.clear();
        joiner = 0;
    };
    for (std::size_t pos = 0; pos < Text.size();) {
        const char32_t c = Utf8Decode(Text, pos);
        if (c == kSoftHyphen)  // invisible: "hyphen-ation" broken at a line end is one word
            continue;
        if (IsWordChar(c)) {
            if (joiner)
                word += joiner;
            joiner = 0;
            Utf8Append(word, c);
        } else if (!word.empty() && !joiner && JoinerOf(c)) {
            joiner = JoinerOf(c);
        } else {
            endWord();
        }
    }
    endWord();

    std::vector<TWordCount> words;
    words.reserve(counts.size());
    for (auto& [text, count] : counts)
        words.push_back({text, count});
    std::sort(words.begin(), words.end(), [](const TWordCount& a, const TWordCount& b) {
        if (a.Count != b.Count)
            return a.Count > b.Count;
        const int byLetters = AnsiCompareText(a.Word, b.Word);
        return byLetters != 0 ? byLetters < 0 : CompareStr(a.Word, b.Word) < 0;
    });
    return words;
}

std::vector<TWordCount> CountWordsInFile(const std::string& FileName) {
    return CountWordsInBytes(ReadFileToString(FileName));
}

std::vector<TWordCount> CountWordsInBytes(std::string_view Bytes) {
    std::size_t markLength = 0;
    const TEncoding* encoding = TEncoding::GetBufferEncoding(Bytes, markLength);
    const std::string_view body = Bytes.substr(markLength);
    if (encoding->EncodingForm() != TEncoding::Form::UTF8)
        return CountWords(encoding->GetString(body));
    if (markLength == 0 && !IsValidUtf8(body))
        return CountWords(Windows1252ToUtf8(body));
    return CountWords(body);
}

std::string WordListText(const std::vector<TWordCount>& Words) {
    std::string text;
    for (const TWordCount& w : Words)
        text += w.Word + '\t' + std::to_string(w.Count) + '\n';
    return text;
}

}  // namespace wordlist
