#pragma once
// The suite's master image lists, one per image size, shared by every window: their loading
// from the files beside the program, the choice of the list for the current toolbar image
// height, and the handing of a list and an image to menus, tool bars, status bars, pagers and
// buttons. Also the reader of the table of image-number constants.

#include "framework/classes/List.h"
#include "framework/classes/StringList.h"
#include "framework/controls/ComCtrls.h"
#include "framework/controls/ImageList.h"
#include "framework/controls/Menus.h"
#include "sibling/Tool_image_basics.h"
#include "vendor/AdvOfficePager.h"
#include "vendor/AdvOfficeStatusBar.h"

#include <array>
#include <string>

namespace lm7 {

// One list per image dimension; created at the unit's first start-up, freed at its last
// shut-down, null outside that time. The unit owns them; controls only point at them.
extern std::array<framework::TImageList*, sibling::kImageDimensionCount> ImageLists;

namespace Tool_imagelist_master {
void initialization();
void Finalization();
}  // namespace Tool_imagelist_master

// The list of the current GlobalImageHeight; sets GlobalImageDimension to its dimension.
framework::TImageList* ImageListMain();
// The dimension nearest a pixel count, by the bands 0-17, 18-21, 22-26, 27-35, 36-43,
// 44-55, 56-79 and 80-111; anything else (negative, 112 and more) gives dimension 1.
sibling::TImageDimensions IntegerToNearestImageDimension(int N);
int IntegerToNearestImageHeight(int N);
// The list for GlobalImageHeight times Factor (single precision, halves to even); leaves
// GlobalImageDimension alone.
framework::TImageList* ImageListMain_Times(float Factor);

// The menu's items, depth first, each once, separators left out; the caller frees the list.
framework::TList* AllMenuItemsAsList(framework::TMenu* Menu);
// Gives the menu ImageListMain and each item the image of master number |Tag|; answers the
// item list, which the caller frees.
framework::TList* GetImagesListOfMenuItems(framework::TMenu* Menu);
void SetImagesForListOfMenuItems(framework::TMenu* Menu);

// Image Index of ImageListMain into Bitmap; false when there is no such image.
bool GetABitmap(int Index, framework::TBitmap* Bitmap);

void SetImagesAndNumberForToolbarButton(framework::TToolBar* ToolBar, framework::TControl* Control, int Num);
// A negative PanelIndex, like one past the panels, changes no panel.
void SetImagesAndNumberForStatusBarPanel(vendor::TAdvOfficeStatusBar* StatusBar, int PanelIndex, int Num);
void SetImagesAndNumberForAdvOfficePager(vendor::TAdvOfficePager* Pager, vendor::TAdvOfficePage* Page,
                                         int Num);
// A push button, a glow button or a tool button gets ImageListMain and the image of Num.
void SetImagesAndNumberForButton(framework::TControl* Control, int Num);

// Fills each list from "ImageListMain<size>.res" beside the executable; a missing file
// leaves its list as it was, a damaged one raises and stops the loading.
void LoadupAllTheImageLists();

// The (command name, master icon number) pairs of the constants block of a source text; the
// number sits in each entry's object slot. The caller frees the list.
framework::TStringList* ComputeMASTER_16_ConstsForIcons(const std::string& FileName);
// Constants files larger than this raise EReadError instead of being read.
inline constexpr std::int64_t kMaxConstsFileSize = std::int64_t{64} << 20;

}  // namespace lm7
