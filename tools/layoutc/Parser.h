// Reads the layout source (object ... end blocks with properties) into a tree.
#pragma once

#include <string>

#include "Layout.h"
#include "Lexer.h"

class Parser {
public:
    // pictureDir: the folder of the BMP files that "bitmap 'name.bmp'" values name.
    Parser(std::string source, std::string pictureDir);

    Object parseRoot();

private:
    Object parseObject();
    Property parseProperty();
    Value parseValue();
    Value parseString();
    Value parseSet();
    Value parsePicture();

    void advance();
    bool atKeyword(const char* keyword) const;
    std::string expectName(const char* what);
    void expectSymbol(char symbol);
    [[noreturn]] void fail(const std::string& message) const;

    Lexer lexer_;
    std::string pictureDir_;
    Token token_;
};
