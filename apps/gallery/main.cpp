// The gallery: one window with a section for each feature of the package, pictured into a PNG
// so that a person can look at what the controls draw; with --window it opens on the desktop.

#include "GallerySection.h"

#include "framework/controls/Panel.h"
#include "framework/forms/Application.h"
#include "host/WindowHost.h"
#include "package/LM7StyledListboxPack.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <memory>
#include <string>

using namespace framework;

namespace gallery {

namespace {
std::vector<GallerySection>& sections() {
    static std::vector<GallerySection> all;
    return all;
}
}  // namespace

bool RegisterGallerySection(GallerySection Section) {
    sections().push_back(std::move(Section));
    return true;
}

const std::vector<GallerySection>& GallerySections() {
    std::stable_sort(sections().begin(), sections().end(),
                     [](const GallerySection& a, const GallerySection& b) { return a.Order < b.Order; });
    return sections();
}

}  // namespace gallery

namespace {

constexpr int kColumns = 2;
constexpr int kMargin = 8;
constexpr int kTitleHeight = 26;

std::unique_ptr<TForm, TFreeDeleter> BuildGallery() {
    const auto& all = gallery::GallerySections();
    const int count = std::max<int>(static_cast<int>(all.size()), 1);
    const int columns = std::min(count, kColumns);
    const int rows = (count + kColumns - 1) / kColumns;
    const int cellWidth = gallery::kSectionWidth + kMargin;
    const int cellHeight = gallery::kSectionHeight + kTitleHeight + kMargin;

    std::unique_ptr<TForm, TFreeDeleter> form(Create<TForm>(nullptr));
    form->SetCaption("Gallery");
    form->SetClientWidth(columns * cellWidth + kMargin);
    form->SetClientHeight(rows * cellHeight + kMargin);

    for (int i = 0; i < static_cast<int>(all.size()); ++i) {
        const int x = kMargin + (i % kColumns) * cellWidth;
        const int y = kMargin + (i / kColumns) * cellHeight;
        auto* title = Create<TPanel>(form.get());
        title->SetBounds(x, y, gallery::kSectionWidth, kTitleHeight);
        title->SetCaption(all[static_cast<std::size_t>(i)].Title);
        title->Font()->SetStyle(fsBold);
        title->SetParent(form.get());
        auto* area = Create<TPanel>(form.get());
        area->SetBounds(x, y + kTitleHeight, gallery::kSectionWidth, gallery::kSectionHeight);
        area->SetBevelOuter(bvNone);
        area->SetCaption("");
        area->SetParent(form.get());
        all[static_cast<std::size_t>(i)].Build(*area);
    }
    return form;
}

// The package starts before any section is built and shuts down once the gallery window
// and its controls are gone, on every way out: controls must not outlive the master lists.
class PackageRun {
public:
    PackageRun() { lm7::Initialize(); }
    ~PackageRun() { lm7::Finalize(); }
    PackageRun(const PackageRun&) = delete;
    PackageRun& operator=(const PackageRun&) = delete;
};

}  // namespace

int main(int argc, char** argv) {
    const std::string out = argc > 1 ? argv[1] : "gallery.png";
    const PackageRun package;
    try {
        // In a desktop window the controls can be used: the pickers open the desktop's chooser.
        if (out == "--window") {
            host::TWindowHost window;
            window.Run(BuildGallery().release());
            return 0;
        }
        auto form = BuildGallery();
        form->Show();
        Application->ProcessMessages();
        form->Snapshot()->SaveToFile(out);
        std::printf("%s\n", out.c_str());
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "gallery: %s\n", e.what());
        return 1;
    }
}
