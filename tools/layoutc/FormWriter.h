// Turns the layout tree into the binary form stream: TPF0, then the root object.
#pragma once

#include <vector>

#include "Layout.h"

std::vector<unsigned char> WriteFormStream(const Object& root);
