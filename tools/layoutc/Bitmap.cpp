#include "Bitmap.h"

#include <fstream>
#include <iterator>

std::string ReadBitmapFile(const std::string& path, std::vector<unsigned char>& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return "cannot open picture '" + path + "'";
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) return "cannot read picture '" + path + "'";
    const size_t headers = 14 + 40;  // file header and the smallest info header
    if (bytes.size() < headers || bytes[0] != 'B' || bytes[1] != 'M')
        return "'" + path + "' is not a BMP file";
    return "";
}
