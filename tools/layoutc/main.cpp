// layoutc: compiles a window layout source into the binary form stream.
//
//   layoutc <layout.dfm> <out.bin> <picture-dir>
//
// Faults in the source are reported as "file:line: message", with exit status 1
// and no output file.

#include <cstdio>
#include <fstream>
#include <sstream>

#include "CompileError.h"
#include "FormWriter.h"
#include "Parser.h"

namespace {

bool readFile(const char* path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    text = buffer.str();
    return !in.bad();
}

bool writeFile(const char* path, const std::vector<unsigned char>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    return !out.fail();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: layoutc <layout.dfm> <out.bin> <picture-dir>\n");
        return 2;
    }
    const char* sourcePath = argv[1];
    const char* outputPath = argv[2];
    std::string source;
    if (!readFile(sourcePath, source)) {
        std::fprintf(stderr, "%s: cannot read the file\n", sourcePath);
        return 1;
    }
    std::vector<unsigned char> stream;
    try {
        stream = WriteFormStream(Parser(source, argv[3]).parseRoot());
    } catch (const CompileError& e) {
        std::fprintf(stderr, "%s:%d: %s\n", sourcePath, e.line(), e.what());
        std::remove(outputPath);  // no stale layout for the next build step
        return 1;
    }
    if (!writeFile(outputPath, stream)) {
        std::remove(outputPath);
        std::fprintf(stderr, "%s: cannot write the file\n", outputPath);
        return 1;
    }
    return 0;
}
