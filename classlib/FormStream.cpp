#include "FormStream.h"

#include <cstring>

namespace {

// Value type bytes.
enum : unsigned char {
    vaNull = 0,
    vaList = 1,
    vaInt8 = 2,
    vaInt16 = 3,
    vaInt32 = 4,
    vaExtended = 5,
    vaString = 6,
    vaIdent = 7,
    vaFalse = 8,
    vaTrue = 9,
    vaBinary = 10,
    vaSet = 11,
    vaLString = 12,
    vaNil = 13,
    vaCollection = 14,
    vaWString = 18,
    vaInt64 = 19,
    vaUtf8String = 20,
};

const int MaxDepth = 64;  // nesting of objects, lists and collections

class TFormStreamReader {
public:
    TFormStreamReader(const unsigned char* data, size_t size) : FData(data), FSize(size) {}

    TFormObject ReadRoot();

private:
    TFormObject ReadObject(int depth);
    std::vector<TFormProperty> ReadProperties(int depth);
    TFormValue ReadValue(int depth);
    void ReadCollection(TFormValue& value, int depth);

    unsigned char Peek();
    unsigned char ReadByte() { return *Take(1); }
    const unsigned char* Take(size_t count);
    unsigned long long ReadUnsigned(int bytes);
    size_t ReadLength();
    AnsiString ReadBytes(size_t count);
    AnsiString ReadShortString() { return ReadBytes(ReadByte()); }
    String ReadWideString();
    [[noreturn]] void Fail(const String& what) const;

    const unsigned char* FData;
    size_t FSize;
    size_t FPos = 0;
};

TFormObject TFormStreamReader::ReadRoot() {
    if (FSize < 4 || std::memcmp(FData, "TPF0", 4) != 0) Fail(L"missing TPF0 signature");
    FPos = 4;
    return ReadObject(0);
}

// Class name, object name, properties, 0, child objects, 0.
TFormObject TFormStreamReader::ReadObject(int depth) {
    if (depth > MaxDepth) Fail(L"objects nested too deeply");
    if ((Peek() & 0xF0) == 0xF0) Fail(L"object flags are not supported");
    TFormObject object;
    object.ClassName = ReadShortString();
    object.Name = ReadShortString();
    object.Properties = ReadProperties(depth);
    while (Peek() != 0) object.Children.push_back(ReadObject(depth + 1));
    ReadByte();
    return object;
}

// Name and value pairs up to a 0 byte.
std::vector<TFormProperty> TFormStreamReader::ReadProperties(int depth) {
    std::vector<TFormProperty> properties;
    while (Peek() != 0) {
        TFormProperty property;
        property.Name = ReadShortString();
        property.Value = ReadValue(depth);
        properties.push_back(std::move(property));
    }
    ReadByte();
    return properties;
}

TFormValue TFormStreamReader::ReadValue(int depth) {
    if (depth > MaxDepth) Fail(L"values nested too deeply");
    using Kind = enum TFormValue::Kind;
    TFormValue value;
    unsigned char type = ReadByte();
    switch (type) {
        case vaNull:
            value.Kind = Kind::Null;
            break;
        case vaList:
            value.Kind = Kind::List;
            while (Peek() != 0) value.List.push_back(ReadValue(depth + 1));
            ReadByte();
            break;
        case vaInt8:
            value.Kind = Kind::Integer;
            value.Integer = static_cast<signed char>(ReadUnsigned(1));
            break;
        case vaInt16:
            value.Kind = Kind::Integer;
            value.Integer = static_cast<short>(ReadUnsigned(2));
            break;
        case vaInt32:
            value.Kind = Kind::Integer;
            value.Integer = static_cast<int>(ReadUnsigned(4));
            break;
        case vaInt64:
            value.Kind = Kind::Int64;
            value.Integer = static_cast<long long>(ReadUnsigned(8));
            break;
        case vaExtended: {
            value.Kind = Kind::Extended;
            const unsigned char* bytes = Take(10);
            value.Binary.assign(bytes, bytes + 10);
            break;
        }
        case vaString:
            value.Kind = Kind::String;
            value.Text = FromAnsi(ReadShortString());
            break;
        case vaLString:
            value.Kind = Kind::String;
            value.Text = FromAnsi(ReadBytes(ReadLength()));
            break;
        case vaWString:
            value.Kind = Kind::String;
            value.Text = ReadWideString();
            break;
        case vaUtf8String:
            value.Kind = Kind::String;
            value.Text = FromUtf8(ReadBytes(ReadLength()));
            break;
        case vaIdent:
            value.Kind = Kind::Ident;
            value.Ident = ReadShortString();
            break;
        case vaFalse:
            value.Kind = Kind::False;
            break;
        case vaTrue:
            value.Kind = Kind::True;
            break;
        case vaNil:
            value.Kind = Kind::Nil;
            break;
        case vaBinary: {
            value.Kind = Kind::Binary;
            size_t count = ReadLength();
            const unsigned char* bytes = Take(count);
            value.Binary.assign(bytes, bytes + count);
            break;
        }
        case vaSet:
            value.Kind = Kind::Set;
            for (AnsiString member = ReadShortString(); !member.empty(); member = ReadShortString())
                value.Set.push_back(member);
            break;
        case vaCollection:
            ReadCollection(value, depth);
            break;
        default:
            FPos--;
            Fail(L"unknown value type " + IntToStr(type));
    }
    return value;
}

// Items up to a 0 byte; each an optional integer index, then its properties as a list.
void TFormStreamReader::ReadCollection(TFormValue& value, int depth) {
    value.Kind = TFormValue::Kind::Collection;
    while (Peek() != 0) {
        unsigned char type = Peek();
        if (type == vaInt8 || type == vaInt16 || type == vaInt32) ReadValue(depth + 1);
        if (ReadByte() != vaList) {
            FPos--;
            Fail(L"collection item expected");
        }
        value.Items.push_back(ReadProperties(depth + 1));
    }
    ReadByte();
}

unsigned char TFormStreamReader::Peek() {
    if (FPos >= FSize) Fail(L"unexpected end of data");
    return FData[FPos];
}

const unsigned char* TFormStreamReader::Take(size_t count) {
    if (count > FSize - FPos) Fail(L"unexpected end of data");
    const unsigned char* bytes = FData + FPos;
    FPos += count;
    return bytes;
}

// Little-endian.
unsigned long long TFormStreamReader::ReadUnsigned(int bytes) {
    const unsigned char* p = Take(bytes);
    unsigned long long value = 0;
    for (int i = bytes - 1; i >= 0; --i) value = value << 8 | p[i];
    return value;
}

size_t TFormStreamReader::ReadLength() {
    int length = static_cast<int>(ReadUnsigned(4));
    if (length < 0) {
        FPos -= 4;
        Fail(L"negative length");
    }
    return size_t(length);
}

AnsiString TFormStreamReader::ReadBytes(size_t count) {
    const unsigned char* bytes = Take(count);
    return AnsiString(reinterpret_cast<const char*>(bytes), count);
}

// A count of UTF-16 units, then the units, little-endian.
String TFormStreamReader::ReadWideString() {
    size_t count = ReadLength();
    if (count > (FSize - FPos) / 2) Fail(L"unexpected end of data");
    const unsigned char* p = Take(count * 2);
    String text(count, L'\0');
    for (size_t i = 0; i < count; ++i) text[i] = wchar_t(p[2 * i] | p[2 * i + 1] << 8);
    return text;
}

void TFormStreamReader::Fail(const String& what) const {
    throw EFilerError(L"Invalid form stream: " + what + L" at offset " + IntToStr(FPos));
}

}  // namespace

TFormObject ReadFormStream(const unsigned char* data, size_t size) {
    return TFormStreamReader(data, size).ReadRoot();
}
