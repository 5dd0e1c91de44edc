// The binary form stream of a stored layout, read back into a tree of objects.
#pragma once

#include <cstddef>
#include <vector>

#include "SysUtils.h"

struct TFormProperty;

// One stored value. Integers of 8, 16 and 32 bits are Integer, 64 bits Int64.
// Every kind of string is String, in Text as UTF-16: short and long strings
// decoded from the system's ANSI code page, UTF-8 strings from UTF-8.
struct TFormValue {
    enum class Kind {
        Null,
        List,
        Integer,
        Extended,
        String,
        Ident,
        False,
        True,
        Binary,
        Set,
        Nil,
        Collection,
        Int64
    } Kind = Kind::Null;
    long long Integer = 0;
    String Text;
    AnsiString Ident;
    std::vector<AnsiString> Set;
    std::vector<unsigned char> Binary;  // binary data; for Extended its 10 bytes
    std::vector<TFormValue> List;
    std::vector<std::vector<TFormProperty>> Items;  // collection items, each a list of properties
};

struct TFormProperty {
    AnsiString Name;  // dotted for nested properties: Font.Name
    TFormValue Value;
};

struct TFormObject {
    AnsiString ClassName, Name;
    std::vector<TFormProperty> Properties;
    std::vector<TFormObject> Children;
};

// Reads "TPF0" and the root object. Raises EFilerError on malformed data.
TFormObject ReadFormStream(const unsigned char* data, size_t size);
