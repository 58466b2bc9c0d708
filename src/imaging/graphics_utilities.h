#pragma once
// Drawing and icon-file routines the suite's tools share. None of them keeps state.
//
// The drawing part: a snapshot of a canvas's font and brush, text heights with a margin, the
// characters a canvas's font shows, sort triangles, banded gradients, point sizes and metric
// font heights, bitmaps as metafiles, region copies and the points of a crown.
// The icon-file part: which of a set of wanted sizes an icon file holds at a colour depth, and
// an image list of one size built from icon files and saved as an image-list file.
//
// A nil canvas, bitmap or image makes a drawing routine do nothing, as the framework's drawing
// calls do for a nil device context: it paints and changes nothing, and answers an empty value
// (default settings, 0, an empty list, an empty metafile).

#include "framework/controls/Image.h"
#include "framework/graphics/IconFile.h"
#include "framework/graphics/Metafile.h"
#include "sibling/Useful_classes.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace lm7 {

using framework::TBitmap;
using framework::TCanvas;
using framework::TColor;
using framework::TIconDirEntry;
using framework::TImage;
using framework::TMetafile;
using framework::TPoint;
using framework::TRect;

struct TCanvasSettings {
    std::string fontname;
    int fontsize = 0;  // points
    framework::TFontStyles fontstyle = 0;
    TColor brushcolour = 0;
    TColor fontcolour = 0;
};

TCanvasSettings GetCanvasSettings(TCanvas* Canvas);
// H + H div 8 for the canvas's text height H of S.
int HeightOfAStringPlusOneEighth(TCanvas* Canvas, const std::string& S);
// The character codes below 0x10000 that the canvas's current font shows, ascending.
std::unique_ptr<sibling::TCardinalList> CharNums16BitViewableInFont(TCanvas* Canvas);

// A filled triangle with its base centred on P, Width wide, and its apex Height below P
// (PointDown) or its base Height below P and the apex at P. The outline takes Colour as the
// pen's colour; the inside takes the canvas's brush as it is.
void DrawATriangle(TCanvas* Canvas, TColor Colour, TPoint P, bool PointDown, int Width, int Height);
// A sort mark as wide as the letter "a" and half its height plus one, in the lower right of R.
void ComputeTriangleAndDrawit(TCanvas* Canvas, TColor Colour, const TRect& R, bool PointDown);
// Fills R with Steps + 1 bands from A to B (left to right when Horizontal, else top to bottom);
// at most one band per pixel. A missing colour (clNone) fills R with the other one.
void MyDrawGradient(TCanvas* Canvas, TColor A, TColor B, int Steps, TRect R, bool Horizontal);

// A point size as a font height in tenths of a millimetre (negative), and back; MapFontSize
// keeps the sign it is given.
int MapFontHeight(int PointSize);
int MapFontSize(int Height);

// A new metafile of the bitmap's size holding the bitmap.
std::unique_ptr<TMetafile, framework::TFreeDeleter> ConvertBitmapToWindowsMetafile(const TBitmap& Bitmap);
std::unique_ptr<TMetafile, framework::TFreeDeleter> ConvertBitmapToWindowsMetafile(const TImage* Image);
// Writes the image's bitmap to FileName as an enhanced metafile.
void ConvertBitmapToWindowsMetafileAndSave(const TImage* Image, const std::string& FileName);

// The bitmap becomes Width x Height and receives the canvas's pixels from (X, Y).
void CopyARegionOfCanvasToABitmap(int X, int Y, int Width, int Height, TBitmap& Bitmap, TCanvas* Canvas);
// The bitmap's pixels from its top-left corner onto R of the canvas.
void CopyABitmapToARegionOfCanvas(const TRect& R, const TBitmap* Bitmap, TCanvas* Canvas);

// Point I of an N-pointed crown of radius R around C: point 0 straight below C, the points
// going round counter-clockwise on screen, odd points a fifth further out. N must not be 0.
TPoint CrownPos(int I, int N, int R, TPoint C);

struct T2StringAndIntArray {
    std::string icon_fname;
    std::string description;
    std::vector<int> valid_icon_sizes;
};

// The wanted sizes the file holds at BitCount bits, one per matching directory entry, in
// directory order (a wanted 256 matches an entry of width 0). A missing file or a file that is
// not an icon file gives none; a file that cannot be read raises EFOpenError.
std::vector<int> IconsizesInAnIconfile(const std::string& FileName, std::uint16_t BitCount,
                                       const std::vector<int>& WantedSizes);
bool DimensionIsInArrayOfValidIconSizes(int Size, const std::vector<int>& Sizes);
// Builds a list of Size x Size images named "ImageList<Size>", one image per element whose
// file exists and lists Size and whose icon loads, and writes it to FileName when it has any.
// Answers the indexes of the elements taken, ascending.
std::vector<int> SaveImageListFromListOfIconFiles(const std::vector<T2StringAndIntArray>& Icons, int Size,
                                                  const std::string& FileName);

// The directory entries of an icon file, in file order. Only the header and the directory are
// read, so the size of the rest of the file costs nothing.
std::vector<TIconDirEntry> ReadIconDirectory(const std::string& FileName);

}  // namespace lm7
