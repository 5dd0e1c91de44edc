// Splits the layout source into tokens: names, integers, strings and symbols.
#pragma once

#include <string>

struct Token {
    enum class Type { End, Name, Integer, String, Symbol };

    Type type = Type::End;
    std::string text;  // name, string bytes (UTF-8) or the symbol character
    long long integer = 0;
    int line = 0;
};

class Lexer {
public:
    explicit Lexer(std::string source);

    Token next();

private:
    void skipSpace();
    Token readName();
    Token readInteger();
    Token readString();
    void readQuoted(std::string& out);
    void readCharCode(std::string& out);

    std::string src_;
    size_t pos_ = 0;
    int line_ = 1;
};
