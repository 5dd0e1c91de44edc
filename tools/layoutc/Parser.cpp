#include "Parser.h"

#include <utility>

#include "Bitmap.h"
#include "CompileError.h"

namespace {

bool equalsIgnoringCase(const std::string& a, const char* b) {
    size_t i = 0;
    for (; i < a.size() && b[i]; ++i)
        if ((a[i] | 0x20) != (b[i] | 0x20)) return false;
    return i == a.size() && !b[i];
}

}  // namespace

Parser::Parser(std::string source, std::string pictureDir)
    : lexer_(std::move(source)), pictureDir_(std::move(pictureDir)) {
    advance();
}

Object Parser::parseRoot() {
    Object root = parseObject();
    if (token_.type != Token::Type::End) fail("text after the root object's 'end'");
    return root;
}

// object Name: TClass  properties  child objects  end
Object Parser::parseObject() {
    if (!atKeyword("object")) fail("'object' expected");
    Object object;
    object.line = token_.line;
    advance();
    object.name = expectName("object name");
    expectSymbol(':');
    object.className = expectName("class name");
    if (object.name.find('.') != std::string::npos ||
        object.className.find('.') != std::string::npos)
        fail("a dot in an object or class name");
    while (!atKeyword("end")) {
        if (token_.type == Token::Type::End) fail("'end' expected for object " + object.name);
        if (atKeyword("object")) {
            object.children.push_back(parseObject());
        } else {
            if (!object.children.empty()) fail("property after a child object");
            object.properties.push_back(parseProperty());
        }
    }
    advance();
    return object;
}

Property Parser::parseProperty() {
    Property property;
    property.line = token_.line;
    property.name = expectName("property name");
    expectSymbol('=');
    property.value = parseValue();
    return property;
}

Value Parser::parseValue() {
    if (token_.type == Token::Type::Integer) {
        Value value;
        value.integer = token_.integer;
        advance();
        return value;
    }
    if (token_.type == Token::Type::String) return parseString();
    if (token_.type == Token::Type::Symbol && token_.text == "[") return parseSet();
    if (token_.type != Token::Type::Name) fail("value expected");

    Value value;
    if (equalsIgnoringCase(token_.text, "True")) {
        value.type = Value::Type::True;
    } else if (equalsIgnoringCase(token_.text, "False")) {
        value.type = Value::Type::False;
    } else if (equalsIgnoringCase(token_.text, "nil")) {
        value.type = Value::Type::Nil;
    } else if (token_.text == "bitmap") {
        return parsePicture();
    } else {
        value.type = Value::Type::Ident;
        value.text = token_.text;
    }
    advance();
    return value;
}

// 'text'#13'more' + 'text on the next line'
Value Parser::parseString() {
    Value value;
    value.type = Value::Type::String;
    value.text = token_.text;
    advance();
    while (token_.type == Token::Type::Symbol && token_.text == "+") {
        advance();
        if (token_.type != Token::Type::String) fail("string expected after '+'");
        value.text += token_.text;
        advance();
    }
    return value;
}

// [fsBold, fsItalic]
Value Parser::parseSet() {
    Value value;
    value.type = Value::Type::Set;
    advance();
    if (token_.type == Token::Type::Symbol && token_.text == "]") {
        advance();
        return value;
    }
    for (;;) {
        value.members.push_back(expectName("set member"));
        if (token_.type == Token::Type::Symbol && token_.text == "]") break;
        expectSymbol(',');
    }
    advance();
    return value;
}

// bitmap 'Picture.bmp': the picture's class name, then the BMP file with its size in front.
Value Parser::parsePicture() {
    advance();  // "bitmap"
    if (token_.type != Token::Type::String) fail("file name expected after 'bitmap'");
    std::vector<unsigned char> file;
    std::string error = ReadBitmapFile(pictureDir_ + "/" + token_.text, file);
    if (!error.empty()) fail(error);
    advance();

    Value value;
    value.type = Value::Type::Binary;
    const std::string className = "TBitmap";
    value.bytes.push_back(static_cast<unsigned char>(className.size()));
    value.bytes.insert(value.bytes.end(), className.begin(), className.end());
    for (int shift = 0; shift < 32; shift += 8)
        value.bytes.push_back(static_cast<unsigned char>(file.size() >> shift));
    value.bytes.insert(value.bytes.end(), file.begin(), file.end());
    return value;
}

void Parser::advance() { token_ = lexer_.next(); }

bool Parser::atKeyword(const char* keyword) const {
    return token_.type == Token::Type::Name && equalsIgnoringCase(token_.text, keyword);
}

std::string Parser::expectName(const char* what) {
    if (token_.type != Token::Type::Name) fail(std::string(what) + " expected");
    std::string name = token_.text;
    advance();
    return name;
}

void Parser::expectSymbol(char symbol) {
    if (token_.type != Token::Type::Symbol || token_.text[0] != symbol)
        fail(std::string("'") + symbol + "' expected");
    advance();
}

void Parser::fail(const std::string& message) const { throw CompileError(token_.line, message); }
