#include "FormWriter.h"

#include <string>

#include "CompileError.h"

namespace {

// Value type bytes of the form stream.
enum : unsigned char {
    vaNull = 0,
    vaInt8 = 2,
    vaInt16 = 3,
    vaInt32 = 4,
    vaString = 6,
    vaIdent = 7,
    vaFalse = 8,
    vaTrue = 9,
    vaBinary = 10,
    vaSet = 11,
    vaLString = 12,
    vaNil = 13,
    vaUtf8String = 20,
};

class Writer {
public:
    std::vector<unsigned char> bytes;

    void object(const Object& object);

private:
    void property(const Property& property);
    void value(const Value& value, int line);
    void string(const std::string& text);
    void integer(long long value);
    void shortString(const std::string& text, int line);
    void int32(long long value);
    void byte(unsigned char b) { bytes.push_back(b); }
    void raw(const std::string& text) { bytes.insert(bytes.end(), text.begin(), text.end()); }
};

bool isAscii(const std::string& text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

void Writer::object(const Object& object) {
    shortString(object.className, object.line);
    shortString(object.name, object.line);
    for (const Property& p : object.properties) property(p);
    byte(vaNull);
    for (const Object& child : object.children) this->object(child);
    byte(vaNull);
}

void Writer::property(const Property& property) {
    shortString(property.name, property.line);
    value(property.value, property.line);
}

void Writer::value(const Value& value, int line) {
    switch (value.type) {
        case Value::Type::Integer:
            integer(value.integer);
            break;
        case Value::Type::False:
            byte(vaFalse);
            break;
        case Value::Type::True:
            byte(vaTrue);
            break;
        case Value::Type::Nil:
            byte(vaNil);
            break;
        case Value::Type::String:
            string(value.text);
            break;
        case Value::Type::Ident:
            byte(vaIdent);
            shortString(value.text, line);
            break;
        case Value::Type::Set:
            byte(vaSet);
            for (const std::string& member : value.members) shortString(member, line);
            byte(0);
            break;
        case Value::Type::Binary:
            byte(vaBinary);
            int32(static_cast<long long>(value.bytes.size()));
            bytes.insert(bytes.end(), value.bytes.begin(), value.bytes.end());
            break;
    }
}

// Plain ASCII as a short or long string; anything else as UTF-8.
void Writer::string(const std::string& text) {
    if (!isAscii(text)) {
        byte(vaUtf8String);
        int32(static_cast<long long>(text.size()));
    } else if (text.size() <= 255) {
        byte(vaString);
        byte(static_cast<unsigned char>(text.size()));
    } else {
        byte(vaLString);
        int32(static_cast<long long>(text.size()));
    }
    raw(text);
}

// The smallest of int8, int16 and int32 that holds the value.
void Writer::integer(long long value) {
    if (value >= -128 && value <= 127) {
        byte(vaInt8);
        byte(static_cast<unsigned char>(value));
    } else if (value >= -32768 && value <= 32767) {
        byte(vaInt16);
        byte(static_cast<unsigned char>(value));
        byte(static_cast<unsigned char>(value >> 8));
    } else {
        byte(vaInt32);
        int32(value);
    }
}

void Writer::shortString(const std::string& text, int line) {
    if (text.size() > 255)
        throw CompileError(line, "name longer than 255 characters: " + text.substr(0, 40) + "...");
    byte(static_cast<unsigned char>(text.size()));
    raw(text);
}

void Writer::int32(long long value) {
    for (int shift = 0; shift < 32; shift += 8) byte(static_cast<unsigned char>(value >> shift));
}

}  // namespace

std::vector<unsigned char> WriteFormStream(const Object& root) {
    Writer writer;
    writer.bytes = {'T', 'P', 'F', '0'};
    writer.object(root);
    return writer.bytes;
}
