#pragma once
// The drawing layer in one include: colours, font, brush and pen, the canvas, bitmaps, the
// Windows-style calls on a device handle, and published colour properties.

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/ColorProp.h"
#include "framework/graphics/Colors.h"
#include "framework/graphics/GraphicsObjects.h"
#include "framework/graphics/Metafile.h"
#include "framework/graphics/WinGdi.h"
