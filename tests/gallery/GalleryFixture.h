#pragma once
// The gallery window as the program opens it: its layout beside the program, a home folder of
// its own for its ini file, the package started, and the colour style put back afterwards.

#include "GalleryWindow.h"

#include "framework/forms/Application.h"
#include "framework/platform/FakePlatform.h"
#include "package/LM7StyledListboxPack.h"
#include "sibling/My_tmsstylebase.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace testsupport {

class GalleryFixture : public ::testing::Test {
protected:
    GalleryFixture() {
        fake.SetEnv("HOME", tmp.MakeFolder("home"));
        std::ifstream layout(LM7_GALLERY_LAYOUT);
        std::stringstream text;
        text << layout.rdbuf();
        tmp.Write("bin/Gallery.lfm", text.str());
        fake.SetExecutablePath(tmp.Path("bin/gallery"));
        lm7::Initialize();
    }
    ~GalleryFixture() override {
        window.reset();
        lm7::Finalize();
        sibling::Global_TMSStyle = vendor::tsLight;
        framework::ResetSysColors();
    }

    // A new window in that style, shown; the one before is closed (and saves its state) first.
    gallery::TGalleryWindow& Open(vendor::TTMSStyle style = vendor::tsLight) {
        window.reset();
        sibling::Global_TMSStyle = style;
        window.reset(framework::Create<gallery::TGalleryWindow>(nullptr));
        window->Show();
        framework::Application->ProcessMessages();
        return *window;
    }
    void Close() { window.reset(); }

    // The component of that name and class, owned by the window or by one of its components.
    template <class T> T* Named(const std::string& name) const {
        std::vector<framework::TComponent*> owners{window.get()};
        while (!owners.empty()) {
            framework::TComponent* owner = owners.back();
            owners.pop_back();
            for (int i = 0; i < owner->ComponentCount(); ++i) {
                framework::TComponent* c = owner->Components(i);
                if (c->Name() == name && c->Is<T>())
                    return static_cast<T*>(c);
                owners.push_back(c);
            }
        }
        return nullptr;
    }

    TempFolder tmp;
    framework::platform::FakePlatform fake;
    framework::platform::ScopedPlatform scoped{fake};
    std::unique_ptr<gallery::TGalleryWindow, framework::TFreeDeleter> window;
};

}  // namespace testsupport
