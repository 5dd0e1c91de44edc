#include "Lexer.h"

#include <utility>

#include "CompileError.h"

namespace {

bool isNameStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool isNamePart(char c) { return isNameStart(c) || isDigit(c) || c == '.'; }

bool isHexDigit(char c) { return isDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }

void appendUtf8(std::string& out, unsigned long code) {
    if (code < 0x80) {
        out += char(code);
    } else if (code < 0x800) {
        out += char(0xC0 | (code >> 6));
        out += char(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += char(0xE0 | (code >> 12));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    } else {
        out += char(0xF0 | (code >> 18));
        out += char(0x80 | ((code >> 12) & 0x3F));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    }
}

// Lead bytes and continuation bytes in the right places.
bool isValidUtf8(const std::string& s) {
    size_t i = 0;
    while (i < s.size()) {
        unsigned char c = s[i];
        size_t extra = c < 0x80             ? 0
                       : (c & 0xE0) == 0xC0 ? 1
                       : (c & 0xF0) == 0xE0 ? 2
                       : (c & 0xF8) == 0xF0 ? 3
                                            : 4;
        if (extra == 4 || s.size() - i <= extra) return false;
        for (size_t k = 1; k <= extra; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        i += extra + 1;
    }
    return true;
}

}  // namespace

Lexer::Lexer(std::string source) : src_(std::move(source)) {
    if (src_.compare(0, 3, "\xEF\xBB\xBF") == 0) pos_ = 3;
}

Token Lexer::next() {
    skipSpace();
    if (pos_ >= src_.size()) return Token{Token::Type::End, "", 0, line_};
    char c = src_[pos_];
    if (isNameStart(c)) return readName();
    if (isDigit(c) || c == '$' || (c == '-' && pos_ + 1 < src_.size() && isDigit(src_[pos_ + 1])))
        return readInteger();
    if (c == '\'' || c == '#') return readString();
    if (std::string("=:[],+").find(c) != std::string::npos) {
        ++pos_;
        return Token{Token::Type::Symbol, std::string(1, c), 0, line_};
    }
    throw CompileError(line_, std::string("unexpected character '") + c + "'");
}

void Lexer::skipSpace() {
    while (pos_ < src_.size() &&
           (src_[pos_] == ' ' || src_[pos_] == '\t' || src_[pos_] == '\r' || src_[pos_] == '\n')) {
        if (src_[pos_] == '\n') ++line_;
        ++pos_;
    }
}

Token Lexer::readName() {
    size_t start = pos_;
    while (pos_ < src_.size() && isNamePart(src_[pos_])) ++pos_;
    return Token{Token::Type::Name, src_.substr(start, pos_ - start), 0, line_};
}

Token Lexer::readInteger() {
    bool negative = src_[pos_] == '-';
    if (negative) ++pos_;
    bool hex = src_[pos_] == '$';
    if (hex) ++pos_;
    size_t start = pos_;
    long long value = 0;
    while (pos_ < src_.size() && (hex ? isHexDigit(src_[pos_]) : isDigit(src_[pos_]))) {
        char c = src_[pos_++];
        int digit = isDigit(c) ? c - '0' : (c | 0x20) - 'a' + 10;
        value = value * (hex ? 16 : 10) + digit;
        if (value > 0xFFFFFFFFLL) throw CompileError(line_, "integer out of range");
    }
    if (pos_ == start) throw CompileError(line_, "digits expected");
    if (pos_ < src_.size() && isNamePart(src_[pos_])) throw CompileError(line_, "malformed number");
    if (hex && value > 0x7FFFFFFF) value -= 0x100000000LL;  // $FFFFFFFF is -1, as a 32-bit value
    if (negative) value = -value;
    if (value < -0x80000000LL || value > 0x7FFFFFFF)
        throw CompileError(line_, "integer out of range");
    return Token{Token::Type::Integer, "", value, line_};
}

// One string token: quoted parts and #nnn character codes written side by side.
Token Lexer::readString() {
    Token token{Token::Type::String, "", 0, line_};
    while (pos_ < src_.size() && (src_[pos_] == '\'' || src_[pos_] == '#')) {
        if (src_[pos_] == '\'')
            readQuoted(token.text);
        else
            readCharCode(token.text);
    }
    if (!isValidUtf8(token.text)) throw CompileError(token.line, "string is not valid UTF-8");
    return token;
}

void Lexer::readQuoted(std::string& out) {
    ++pos_;  // opening quote
    for (;;) {
        if (pos_ >= src_.size() || src_[pos_] == '\n')
            throw CompileError(line_, "unterminated string");
        char c = src_[pos_++];
        if (c != '\'') {
            out += c;
        } else if (pos_ < src_.size() && src_[pos_] == '\'') {
            out += '\'';
            ++pos_;
        } else {
            return;
        }
    }
}

void Lexer::readCharCode(std::string& out) {
    ++pos_;  // '#'
    size_t start = pos_;
    unsigned long code = 0;
    while (pos_ < src_.size() && isDigit(src_[pos_]) && pos_ - start < 7)
        code = code * 10 + (src_[pos_++] - '0');
    if (pos_ == start) throw CompileError(line_, "character code expected after '#'");
    if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        throw CompileError(line_, "invalid character code");
    appendUtf8(out, code);
}
