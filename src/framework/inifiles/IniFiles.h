#pragma once
// The ini-file classes: TCustomIniFile, TMemIniFile and TIniFile.

#include "framework/inifiles/CustomIniFile.h"
#include "framework/inifiles/MemIniFile.h"
