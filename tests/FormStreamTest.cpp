// The form stream reader, on hand-made streams and on the layout built into this exe.

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <initializer_list>
#include <iterator>
#include <string>
#include <vector>

#include "FormStream.h"

namespace {

using Bytes = std::vector<unsigned char>;
using Kind = enum TFormValue::Kind;

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

// Signature and the start of an object "F" of class "T".
const Bytes Header = {'T', 'P', 'F', '0', 1, 'T', 1, 'F'};

// An object whose one property X holds the value, without children.
Bytes StreamWithValue(const Bytes& value) { return Concat({Header, {1, 'X'}, value, {0, 0}}); }

String FilerErrorOf(const Bytes& stream) {
    try {
        ReadFormStream(stream.data(), stream.size());
    } catch (const EFilerError& e) {
        return e.Message();
    }
    return String();
}

std::string Hex(const std::vector<unsigned char>& bytes) {
    std::string text;
    char digits[3];
    for (unsigned char b : bytes) {
        std::snprintf(digits, sizeof digits, "%02x", b);
        text += digits;
    }
    return text;
}

// Wide text as ASCII, other characters as \uXXXX.
std::string Escape(const String& text) {
    std::string ascii;
    char code[8];
    for (wchar_t c : text) {
        if (c >= 0x20 && c < 0x7F) {
            ascii += char(c);
        } else {
            std::snprintf(code, sizeof code, "\\u%04x", unsigned(c));
            ascii += code;
        }
    }
    return ascii;
}

std::string Describe(const TFormValue& value);

std::string Describe(const std::vector<TFormProperty>& properties) {
    std::string text = "{";
    for (const TFormProperty& p : properties)
        text +=
            (text.size() > 1 ? ", " : "") + std::string(p.Name.c_str()) + "=" + Describe(p.Value);
    return text + "}";
}

// The value in one line, for comparing with a table.
std::string Describe(const TFormValue& value) {
    std::string text;
    switch (value.Kind) {
        case Kind::Null:
            return "Null";
        case Kind::Nil:
            return "Nil";
        case Kind::False:
            return "False";
        case Kind::True:
            return "True";
        case Kind::Integer:
            return "Integer " + std::to_string(value.Integer);
        case Kind::Int64:
            return "Int64 " + std::to_string(value.Integer);
        case Kind::Extended:
            return "Extended " + Hex(value.Binary);
        case Kind::String:
            return "String '" + Escape(value.Text) + "'";
        case Kind::Ident:
            return "Ident " + std::string(value.Ident.c_str());
        case Kind::Binary:
            return "Binary " + Hex(value.Binary);
        case Kind::Set:
            for (const AnsiString& member : value.Set)
                text += (text.empty() ? "" : ",") + std::string(member.c_str());
            return "Set [" + text + "]";
        case Kind::List:
            for (const TFormValue& item : value.List)
                text += (text.empty() ? "" : ", ") + Describe(item);
            return "List (" + text + ")";
        case Kind::Collection:
            for (const auto& item : value.Items) text += " " + Describe(item);
            return "Collection" + text;
    }
    return "?";
}

struct ValueCase {
    const char* name;
    Bytes value;
    const char* expected;
};

const ValueCase WellFormedValues[] = {
    {"int8", {2, 0xFF}, "Integer -1"},
    {"int16", {3, 0xD4, 0xFE}, "Integer -300"},
    {"int32", {4, 0xA0, 0x86, 0x01, 0x00}, "Integer 100000"},
    {"int32 negative", {4, 0x00, 0x00, 0x00, 0x80}, "Integer -2147483648"},
    {"int64", {19, 0, 0, 0, 0, 1, 0, 0, 0}, "Int64 4294967296"},
    {"extended", {5, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}, "Extended 0000000000000080ff3f"},
    {"short string", {6, 3, 'a', 'b', 'c'}, "String 'abc'"},
    {"empty short string", {6, 0}, "String ''"},
    {"long string", {12, 2, 0, 0, 0, 'h', 'i'}, "String 'hi'"},
    {"wide string", {18, 2, 0, 0, 0, 0x42, 0x01, 'x', 0}, "String '\\u0142x'"},
    {"UTF-8 string", {20, 4, 0, 0, 0, 0xC5, 0x82, 'y', 13}, "String '\\u0142y\\u000d'"},
    {"identifier", {7, 6, 'c', 'l', 'N', 'a', 'v', 'y'}, "Ident clNavy"},
    {"false", {8}, "False"},
    {"true", {9}, "True"},
    {"nil", {13}, "Nil"},
    {"null", {0}, "Null"},
    {"set", {11, 1, 'a', 2, 'b', 'c', 0}, "Set [a,bc]"},
    {"empty set", {11, 0}, "Set []"},
    {"binary", {10, 3, 0, 0, 0, 1, 2, 0xFE}, "Binary 0102fe"},
    {"list", {1, 2, 5, 6, 1, 'z', 1, 9, 0, 0}, "List (Integer 5, String 'z', List (True))"},
    {"collection", {14, 1, 1, 'A', 2, 7, 0, 2, 3, 1, 0, 0}, "Collection {A=Integer 7} {}"},
};

TEST(FormStream, ReadsEveryValueType) {
    for (const ValueCase& c : WellFormedValues) {
        Bytes stream = StreamWithValue(c.value);
        TFormObject root = ReadFormStream(stream.data(), stream.size());
        ASSERT_EQ(root.Properties.size(), 1u) << c.name;
        EXPECT_EQ(root.Properties[0].Name, "X") << c.name;
        EXPECT_EQ(Describe(root.Properties[0].Value), c.expected) << c.name;
    }
}

TEST(FormStream, ReadsNamesPropertiesAndChildrenInOrder) {
    Bytes stream = Concat({
        {'T', 'P', 'F', '0'},
        {6, 'T', 'F', 'o', 'r', 'm', '1', 5, 'F', 'o', 'r', 'm', '1'},  // TForm1 Form1
        {4, 'L', 'e', 'f', 't', 2, 8},                                  // Left = 8
        {9, 'F', 'o', 'n', 't', '.', 'N', 'a', 'm', 'e', 6, 1, 'M'},    // Font.Name = 'M'
        {0},                                                            // end of properties
        {1, 'A', 1, 'a', 0, 0},                                         // child a: A, empty
        {1, 'B', 1, 'b', 1, 'P', 9, 0},                                 // child b: B, P = True
        {1, 'C', 1, 'c', 0, 0},                                         // grandchild c: C
        {0},                                                            // end of b's children
        {0},                                                            // end of Form1's children
    });
    TFormObject root = ReadFormStream(stream.data(), stream.size());
    EXPECT_EQ(root.ClassName, "TForm1");
    EXPECT_EQ(root.Name, "Form1");
    ASSERT_EQ(root.Properties.size(), 2u);
    EXPECT_EQ(root.Properties[0].Name, "Left");
    EXPECT_EQ(root.Properties[1].Name, "Font.Name");
    ASSERT_EQ(root.Children.size(), 2u);
    EXPECT_EQ(root.Children[0].ClassName + root.Children[0].Name, "Aa");
    EXPECT_TRUE(root.Children[0].Properties.empty());
    const TFormObject& b = root.Children[1];
    EXPECT_EQ(b.ClassName + b.Name, "Bb");
    ASSERT_EQ(b.Properties.size(), 1u);
    EXPECT_EQ(Describe(b.Properties[0].Value), "True");
    ASSERT_EQ(b.Children.size(), 1u);
    EXPECT_EQ(b.Children[0].ClassName + b.Children[0].Name, "Cc");
}

// Every value type in one object with a child, cut short at each length.
TEST(FormStream, EveryTruncationRaisesFilerError) {
    Bytes stream = Header;
    for (const ValueCase& c : WellFormedValues) stream = Concat({stream, {1, 'X'}, c.value});
    stream = Concat({stream, {0, 1, 'C', 1, 'c', 0, 0, 0}});
    TFormObject root = ReadFormStream(stream.data(), stream.size());
    ASSERT_EQ(root.Properties.size(), std::size(WellFormedValues));
    ASSERT_EQ(root.Children.size(), 1u);
    for (size_t length = 0; length < stream.size(); ++length)
        EXPECT_NE(FilerErrorOf(Bytes(stream.begin(), stream.begin() + length)), L"")
            << "cut at " << length;
}

struct MalformedCase {
    const char* name;
    Bytes stream;
};

Bytes DeeplyNestedLists(int depth) {
    Bytes value(depth, 1);
    value.insert(value.end(), depth, 0);
    return StreamWithValue(value);
}

const MalformedCase MalformedStreams[] = {
    {"empty", {}},
    {"wrong signature", {'T', 'P', 'F', '1', 1, 'T', 1, 'F', 0, 0}},
    {"signature only", {'T', 'P', 'F', '0'}},
    {"flags prefix", {'T', 'P', 'F', '0', 0xF1, 1, 'T', 1, 'F', 0, 0}},
    {"truncated class name", {'T', 'P', 'F', '0', 5, 'T', 'F'}},
    {"truncated property name", Concat({Header, {4, 'L', 'e'}})},
    {"truncated int32", Concat({Header, {1, 'X', 4, 1, 2}})},
    {"long string longer than the data", StreamWithValue({12, 9, 0, 0, 0, 'a'})},
    {"negative binary length", StreamWithValue({10, 0xFF, 0xFF, 0xFF, 0xFF})},
    {"wide string longer than the data", StreamWithValue({18, 0, 0, 0, 0x40, 'a', 0})},
    {"unknown value type 15", StreamWithValue({15, 0, 0, 0, 0})},
    {"unknown value type 21", StreamWithValue({21, 0, 0, 0, 0})},
    {"unknown value type 255", StreamWithValue({255})},
    {"set without its end", Concat({Header, {1, 'X', 11, 1, 'a'}})},
    {"list without its end", Concat({Header, {1, 'X', 1, 2, 5}})},
    {"collection item that is not a list", StreamWithValue({14, 6, 1, 'a', 0})},
    {"no end of properties", Concat({Header, {1, 'X', 2, 5}})},
    {"no end of children", Concat({Header, {0}})},
    {"truncated child", Concat({Header, {0, 1, 'C', 1, 'c', 0}})},
    {"lists nested too deeply", DeeplyNestedLists(1000)},
};

TEST(FormStream, MalformedStreamsRaiseFilerError) {
    for (const MalformedCase& c : MalformedStreams) {
        String message = FilerErrorOf(c.stream);
        EXPECT_NE(message.find(L"Invalid form stream"), String::npos)
            << c.name << ": " << Escape(message);
    }
}

// The layout built into this exe as resource TFORM1.
class EmbeddedLayout : public testing::Test {
protected:
    void SetUp() override {
        HRSRC info = FindResourceA(nullptr, "TFORM1", RT_RCDATA);
        ASSERT_NE(info, nullptr) << "no resource TFORM1";
        HGLOBAL handle = LoadResource(nullptr, info);
        ASSERT_NE(handle, nullptr);
        Root = ReadFormStream(static_cast<const unsigned char*>(LockResource(handle)),
                              SizeofResource(nullptr, info));
    }

    static const TFormObject* Find(const TFormObject& object, const char* name) {
        if (object.Name == name) return &object;
        for (const TFormObject& child : object.Children)
            if (const TFormObject* found = Find(child, name)) return found;
        return nullptr;
    }

    const TFormValue* Property(const char* object, const char* name) const {
        const TFormObject* found = Find(Root, object);
        if (!found) return nullptr;
        for (const TFormProperty& p : found->Properties)
            if (p.Name == name) return &p.Value;
        return nullptr;
    }

    TFormObject Root;
};

void ListCreationOrder(const TFormObject& object, const AnsiString& parent,
                       std::vector<std::string>& out) {
    out.push_back((object.Name + ": " + object.ClassName + " in " + parent).c_str());
    for (const TFormObject& child : object.Children) ListCreationOrder(child, object.Name, out);
}

TEST_F(EmbeddedLayout, HoldsEveryControlInCreationOrderUnderItsParent) {
    EXPECT_EQ(Root.ClassName, "TForm1");
    EXPECT_EQ(Root.Name, "Form1");
    std::vector<std::string> order;
    ListCreationOrder(Root, "-", order);
    const std::vector<std::string> expected = {
        "Form1: TForm1 in -",
        "Panel1: TPanel in Form1",
        "Image1: TImage in Panel1",
        "Label1: TLabel in Panel1",
        "Label2: TLabel in Panel1",
        "Label3: TLabel in Panel1",
        "Label4: TLabel in Panel1",
        "Label5: TLabel in Panel1",
        "Label6: TLabel in Panel1",
        "Label7: TLabel in Panel1",
        "Image2: TImage in Panel1",
        "Panel2: TPanel in Form1",
        "PageControl1: TPageControl in Panel2",
        "TabSheet1: TTabSheet in PageControl1",
        "StaticText2: TStaticText in TabSheet1",
        "TabSheet2: TTabSheet in PageControl1",
        "StaticText1: TStaticText in TabSheet2",
        "StaticText3: TStaticText in TabSheet2",
        "Edit1: TEdit in TabSheet2",
        "BitBtn5: TBitBtn in TabSheet2",
        "TabSheet3: TTabSheet in PageControl1",
        "StaticText6: TStaticText in TabSheet3",
        "BitBtn4: TBitBtn in TabSheet3",
        "StaticText4: TStaticText in TabSheet3",
        "BitBtn3: TBitBtn in Panel2",
        "BitBtn1: TBitBtn in Panel2",
        "BitBtn2: TBitBtn in Panel2",
    };
    EXPECT_EQ(order, expected);
}

struct PropertyCase {
    const char* object;
    const char* name;
    const char* expected;
};

const PropertyCase LayoutProperties[] = {
    {"Form1", "ClientWidth", "Integer 666"},
    {"Form1", "ClientHeight", "Integer 206"},
    {"Form1", "BorderStyle", "Ident bsDialog"},
    {"Form1", "BorderIcons", "Set [biSystemMenu]"},
    {"Form1", "Position", "Ident poScreenCenter"},
    {"Form1", "ActiveControl", "Ident BitBtn2"},
    {"Form1", "OnCreate", "Ident FormCreate"},
    {"Form1", "Font.Height", "Integer -11"},
    {"Form1", "Font.Name", "String 'MS Sans Serif'"},
    {"Form1", "Font.Style", "Set []"},
    {"Form1", "TextHeight", "Integer 13"},
    {"Panel1", "Align", "Ident alLeft"},
    {"Panel1", "Color", "Ident clNavy"},
    {"Panel2", "Left", "Integer 185"},
    {"Panel2", "Align", "Ident alClient"},
    {"Label1", "Font.Name", "String 'Calibri'"},
    {"Label1", "Font.Height", "Integer -27"},
    {"Label1", "Font.Style", "Set [fsBold,fsItalic]"},
    {"Label1", "Font.Color", "Ident clSilver"},
    {"Label2", "Font.Color", "Ident clYellow"},
    {"Label2", "Transparent", "True"},
    {"Label3", "Font.Style", "Set [fsBold,fsUnderline]"},
    {"Label4", "Caption", "String 'KVOREL'"},
    {"Image2", "Transparent", "True"},
    {"PageControl1", "ActivePage", "Ident TabSheet3"},
    {"TabSheet1", "TabVisible", "False"},
    {"TabSheet2", "OnShow", "Ident TabSheet2Show"},
    {"TabSheet2", "OnHide", "Ident TabSheet2Hide"},
    {"TabSheet3", "OnShow", "Ident TabSheet3Show"},
    {"StaticText2", "Caption", "String ''"},
    {"StaticText2", "Font.Color", "Ident clBlack"},
    {"StaticText3", "Caption", "String 'Odnaleziono:'"},
    {"StaticText4", "Caption", "String ' '"},
    {"Edit1", "Enabled", "False"},
    {"Edit1", "Visible", "False"},
    {"BitBtn5", "Visible", "False"},
    {"BitBtn5", "OnClick", "Ident BitBtn5Click"},
    {"BitBtn1", "Caption", "String '<< Cofnij'"},
    {"BitBtn1", "Enabled", "False"},
    {"BitBtn1", "OnClick", "Ident BitBtn1Click"},
    {"BitBtn2", "Caption", "String 'Dalej >>'"},
    {"BitBtn3", "Caption", "String 'Anuluj'"},
    {"BitBtn4", "Caption", "String 'Zamknij.'"},
    {"BitBtn4", "OnClick", "Ident BitBtn4Click"},
};

TEST_F(EmbeddedLayout, HoldsTheStoredSettings) {
    for (const PropertyCase& c : LayoutProperties) {
        const TFormValue* value = Property(c.object, c.name);
        ASSERT_NE(value, nullptr) << c.object << "." << c.name;
        EXPECT_EQ(Describe(*value), c.expected) << c.object << "." << c.name;
    }
}

// Texts with Polish letters are stored as UTF-8 and must come back as the same UTF-16.
TEST_F(EmbeddedLayout, DecodesPolishTextsFromUtf8) {
    const struct {
        const char* object;
        const wchar_t* caption;
    } cases[] = {
        {"Form1", L"Nak\u0142adka dla programu \"Tervalis\" R12T"},
        {"Label3", L"Nak\u0142adka R12T"},
        {"StaticText1", L"Trwa wyszukiwanie zainstalowanych sk\u0142adnik\u00f3w programu."},
    };
    for (const auto& c : cases) {
        const TFormValue* value = Property(c.object, "Caption");
        ASSERT_NE(value, nullptr) << c.object;
        EXPECT_EQ(Escape(value->Text), Escape(c.caption)) << c.object;
    }
}

unsigned long LittleEndian(const unsigned char* p, int bytes) {
    unsigned long value = 0;
    for (int i = bytes - 1; i >= 0; --i) value = value << 8 | p[i];
    return value;
}

// TBitmap, then the size of the BMP file, then an uncompressed 24-bit BMP of the control's size.
TEST_F(EmbeddedLayout, PicturesAreBitmapsOfTheirControlsSize) {
    for (const char* image : {"Image1", "Image2"}) {
        const TFormValue* data = Property(image, "Picture.Data");
        ASSERT_NE(data, nullptr) << image;
        ASSERT_EQ(data->Kind, Kind::Binary) << image;
        const Bytes& b = data->Binary;
        ASSERT_GT(b.size(), 12u + 54u) << image;
        EXPECT_EQ(std::string(b.begin(), b.begin() + 8), "\x07TBitmap") << image;
        const unsigned char* bmp = b.data() + 12;
        const unsigned long size = b.size() - 12;
        EXPECT_EQ(LittleEndian(b.data() + 8, 4), size) << image;
        EXPECT_EQ(std::string(bmp, bmp + 2), "BM") << image;
        EXPECT_EQ(LittleEndian(bmp + 2, 4), size) << image;
        const TFormValue* width = Property(image, "Width");
        const TFormValue* height = Property(image, "Height");
        ASSERT_TRUE(width && height) << image;
        long bmpHeight =
            static_cast<long>(LittleEndian(bmp + 22, 4));  // negative when stored top-down
        EXPECT_EQ(width->Integer, long(LittleEndian(bmp + 18, 4))) << image;
        EXPECT_EQ(height->Integer, bmpHeight < 0 ? -bmpHeight : bmpHeight) << image;
        EXPECT_EQ(LittleEndian(bmp + 28, 2), 24u) << image << " bits per pixel";
        EXPECT_EQ(LittleEndian(bmp + 30, 4), 0u) << image << " compression";
    }
}

}  // namespace
