// The program's resources by numeric id and type, compiled into the binary as Qt resources.
//
// A resource of type T and id N is the file res/<t>/<N>.<ext> of the source tree, where <t> is
// the type name in lower case and <ext> one of png, bmp, cur, ico, bin (tried in that order):
//     bitmap 301   -> res/bitmap/301.png     (RT_BITMAP; any image format Qt reads)
//     PNG 654      -> res/png/654.png        (the program's own "PNG" type)
//     CURSOR 213   -> res/cursor/213.png
// Type names compare without regard to case, as the program names them both "PNG" and "png".
// A missing id is an ordinary outcome: the loaders return false and leave their output alone.
#pragma once

#include "WinTypes.h"

#include <string>
#include <vector>

class QByteArray;

constexpr const char* RT_BITMAP = "BITMAP";
constexpr const char* RT_CURSOR = "CURSOR";
constexpr const char* RT_ICON = "ICON";
constexpr const char* RT_PNG = "PNG";

// The Qt resource path of the resource, or empty when there is none.
std::string FindResourcePath(UINT nID, const char* lpType);
bool LoadResourceData(UINT nID, const char* lpType, std::vector<BYTE>& out);
bool LoadResourceData(UINT nID, const char* lpType, QByteArray& out);
