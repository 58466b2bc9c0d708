// Feeds arbitrary bytes to the text form reader as a form description naming any class of the
// framework, the vendor packs and the package. Nothing may crash or leak; a description that
// reads must write a text that reads again and writes the same.

#include "framework/forms/TextForms.h"
#include "package/LM7StyledListboxPack.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

namespace {
using ComponentPtr = std::unique_ptr<framework::TComponent, framework::TFreeDeleter>;

ComponentPtr read(std::string_view text) {
    return ComponentPtr(framework::CreateFromTextForm(text, nullptr, "fuzz.txt"));
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace framework;
    static const bool registered = [] {
        lm7::RegisterPackageClasses();
        return true;
    }();
    (void)registered;
    std::string written;
    try {
        ComponentPtr root = read(std::string_view(reinterpret_cast<const char*>(data), size));
        written = WriteTextForm(root.get());
    } catch (const Exception&) {
        return 0;  // a description the reader refuses, with a message: the expected answer
    }
    // The root is gone again, so the second read gets the same name.
    try {
        ComponentPtr again = read(written);
        if (WriteTextForm(again.get()) != written)
            std::abort();
    } catch (const Exception&) {
        std::abort();  // the writer gave a text its own reader refuses
    }
    return 0;
}
