#pragma once
// Floating-point numbers to text and back, with the separators of a settings record.
//
// Text is produced from the exact decimal value of the binary double and rounded half away
// from zero on those digits: 0.125 gives "0.13" with two decimals, 2.5 gives "3" with none,
// while 1.005 (stored a little below) gives "1.00". This is not the ties-to-even rule of
// RoundHalfEven.

#include "framework/rtl/FormatSettings.h"

#include <string>
#include <string_view>

namespace framework {

enum TFloatFormat {
    ffGeneral,   // shortest of fixed and scientific, Precision significant digits
    ffExponent,  // d.dddE+xxx, Precision significant digits, Digits minimum exponent digits
    ffFixed,     // Digits decimals
    ffNumber,    // as ffFixed, with thousands separators in the integer part
};

// Precision: significant digits (ffGeneral, ffExponent; 1..18 honoured as 1..18, others clamped).
// Digits: decimals for ffFixed and ffNumber, minimum exponent digits (0..4) otherwise.
// NaN and infinities give "NAN", "INF" and "-INF".
std::string FloatToStrF(double Value, TFloatFormat Format, int Precision, int Digits);
std::string FloatToStrF(double Value, TFloatFormat Format, int Precision, int Digits,
                        const TFormatSettings& Settings);

// ffGeneral with 15 digits: 1e15 gives "1E15", 1e-5 gives "0.00001", 2/3 gives
// "0.666666666666667".
std::string FloatToStr(double Value);
std::string FloatToStr(double Value, const TFormatSettings& Settings);

// Optional sign, digits with at most one decimal separator (the settings' own only), an
// optional exponent; blanks before and after are allowed, nothing else: no thousands
// separators, no INF or NAN. A value too large for a double fails; one too small gives zero.
bool TryStrToFloat(std::string_view S, double& Value);
bool TryStrToFloat(std::string_view S, double& Value, const TFormatSettings& Settings);
// Raises EConvertError "'<S>' is not a valid floating point value".
double StrToFloat(std::string_view S);
double StrToFloat(std::string_view S, const TFormatSettings& Settings);
double StrToFloatDef(std::string_view S, double Default);
double StrToFloatDef(std::string_view S, double Default, const TFormatSettings& Settings);

}  // namespace framework
