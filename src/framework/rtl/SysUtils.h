#pragma once
// The runtime library in one include: text and number conversions, Format, dates, strings,
// rounding, paths and files.

#include "framework/rtl/DateUtils.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Files.h"
#include "framework/rtl/FloatConv.h"
#include "framework/rtl/Format.h"
#include "framework/rtl/FormatSettings.h"
#include "framework/rtl/IntConv.h"
#include "framework/rtl/Paths.h"
#include "framework/rtl/Rounding.h"
#include "framework/rtl/StrUtils.h"
#include "framework/rtl/Unicode.h"
