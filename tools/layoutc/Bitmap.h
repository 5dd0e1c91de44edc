// Loads a BMP file for a picture property.
#pragma once

#include <string>
#include <vector>

// Reads the whole file into bytes. Returns an empty string, or what is wrong.
std::string ReadBitmapFile(const std::string& path, std::vector<unsigned char>& bytes);
