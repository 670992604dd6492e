#pragma once
// <windows.h> without its min and max macros, which break std::min and std::max. Include this
// instead of <windows.h>, and only on Windows.

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif
