#include "vendor/Monitor_functions.h"

#include "framework/forms/Application.h"

namespace vendor {

double CurrentDPIScale() { return framework::Screen->PixelsPerInch() / 96.0; }

float CurrentDPIScale(int PixelsPerInch) { return static_cast<float>(PixelsPerInch / 96.0); }

double ScreenScaled(double Value) { return Value * CurrentDPIScale(); }

double ScreenScaled(double Value, float FontScale) { return Value * static_cast<double>(FontScale); }

}  // namespace vendor
