// Base types of the class library: strings, short strings and the root object.
#pragma once

#include <memory>
#include <string>

// The standard allocator under another name. Strings that use it are compiled
// into the program as far as they are used, instead of linking the run-time
// library's prebuilt string classes whole.
template <class T>
struct TAllocator : std::allocator<T> {
    template <class U>
    struct rebind {
        using other = TAllocator<U>;
    };
    TAllocator() = default;
    template <class U>
    TAllocator(const TAllocator<U>&) {}
};

// Text shown on screen: UTF-16, whatever the system's code page.
using String = std::basic_string<wchar_t, std::char_traits<wchar_t>, TAllocator<wchar_t>>;
// Bytes: names, and text in the system's ANSI code page (paths, registry values).
using AnsiString = std::basic_string<char, std::char_traits<char>, TAllocator<char>>;

// A length byte followed by up to 255 single-byte characters.
struct ShortString {
    unsigned char Data[256] = {0};

    unsigned Length() const { return Data[0]; }
    AnsiString Str() const { return AnsiString(reinterpret_cast<const char*>(Data + 1), Data[0]); }
};

String FromAnsi(const AnsiString& text);  // system ANSI code page to UTF-16
AnsiString ToAnsi(const String& text);    // UTF-16 to the system ANSI code page
String FromUtf8(const AnsiString& text);
String FromCodePage(const AnsiString& text, unsigned codePage);

class TObject {
public:
    virtual ~TObject() = default;
};
