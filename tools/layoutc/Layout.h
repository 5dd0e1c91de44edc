// The layout tree that the parser builds and the writer turns into a form stream.
#pragma once

#include <string>
#include <vector>

struct Value {
    enum class Type { Integer, Ident, False, True, Nil, String, Set, Binary };

    Type type = Type::Integer;
    long long integer = 0;
    std::string text;                  // identifier, or string bytes in UTF-8
    std::vector<std::string> members;  // set members
    std::vector<unsigned char> bytes;  // binary data
};

struct Property {
    std::string name;  // dotted for nested properties: Font.Name
    Value value;
    int line = 0;
};

struct Object {
    std::string className;
    std::string name;
    std::vector<Property> properties;
    std::vector<Object> children;
    int line = 0;
};
