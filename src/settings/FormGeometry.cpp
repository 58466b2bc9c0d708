#include "settings/FormGeometry.h"

#include "framework/forms/Application.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace lm7 {

using namespace framework;
using sibling::TMyMemIniFile;

namespace {

constexpr int kStoredPpi = 96;
// Larger than any desktop; a stored value past it is damage, not a place.
constexpr int kFarthest = 1 << 20;

// A whole number of reasonable size, or none for a missing key or text that is no number (the
// two defaults tell those apart from a stored number).
std::optional<int> storedNumber(const TMyMemIniFile& Ini, const std::string& Section, const char* Key) {
    const int one = Ini.ReadInteger(Section, Key, 0), other = Ini.ReadInteger(Section, Key, 1);
    if (one != other || std::abs(one) > kFarthest)
        return std::nullopt;
    return one;
}

// Start and Length moved and shortened into [Low, High): the low edge wins, so a window's top,
// where its title bar is, stays reachable.
void fitSpan(int Low, int High, int& Start, int& Length) {
    Length = std::clamp(Length, 1, std::max(1, High - Low));
    Start = std::max(Low, std::min(Start, High - Length));
}

}  // namespace

void SaveFormGeometry(const TCustomForm& Form, TMyMemIniFile& Ini) {
    const std::optional<TWindowPlacement>& placement = Form.WindowPlacement();
    const std::string& section = Form.Name();
    if (!placement || section.empty())
        return;
    const TMonitor* monitor = FindMonitor(Screen->Monitors(), placement->Monitor);
    const TPoint corner = monitor ? TPoint{monitor->BoundsRect.Left, monitor->BoundsRect.Top} : TPoint{};
    const int ppi = Screen->PixelsPerInch();
    const auto stored = [ppi](int Pixels) { return MulDiv(Pixels, kStoredPpi, ppi); };
    const TRect& b = placement->Bounds;
    Ini.WriteString(section, "monitor", placement->Monitor);
    Ini.WriteInteger(section, "left", stored(b.Left - corner.X));
    Ini.WriteInteger(section, "top", stored(b.Top - corner.Y));
    Ini.WriteInteger(section, "width", stored(b.Width()));
    Ini.WriteInteger(section, "height", stored(b.Height()));
    Ini.WriteBool(section, "maximized", placement->Maximized);
}

void ReadFormGeometry(TCustomForm& Form, const TMyMemIniFile& Ini) {
    const std::string& section = Form.Name();
    if (section.empty() || !Ini.SectionExists(section))
        return;
    const auto left = storedNumber(Ini, section, "left"), top = storedNumber(Ini, section, "top");
    const auto width = storedNumber(Ini, section, "width"), height = storedNumber(Ini, section, "height");
    if (!left || !top || !width || !height || *width < 1 || *height < 1)
        return;
    const int ppi = Screen->PixelsPerInch();
    const auto pixels = [ppi](int Stored) { return MulDiv(Stored, ppi, kStoredPpi); };
    TWindowPlacement placement;
    placement.Monitor = Ini.ReadString(section, "monitor", "");
    placement.Maximized = Ini.ReadBool(section, "maximized", false);
    int x = pixels(*left), y = pixels(*top), w = std::max(1, pixels(*width)),
        h = std::max(1, pixels(*height));
    const TMonitor* monitor = FindMonitor(Screen->Monitors(), placement.Monitor);
    if (!monitor)
        monitor = PrimaryMonitor(Screen->Monitors());
    // Without a desktop (no window host) the place is kept as it was read, for the next save.
    if (monitor) {
        placement.Monitor = monitor->Name;
        const TRect& area = monitor->WorkareaRect.IsEmpty() ? monitor->BoundsRect : monitor->WorkareaRect;
        x += monitor->BoundsRect.Left;
        y += monitor->BoundsRect.Top;
        fitSpan(area.Left, area.Right, x, w);
        fitSpan(area.Top, area.Bottom, y, h);
    }
    placement.Bounds = Bounds(x, y, w, h);
    Form.SetWindowPlacement(placement);
}

}  // namespace lm7
