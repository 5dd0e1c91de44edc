// The layout reader: a tree of stored objects becomes controls bound to a form's
// fields and handlers by name, and every name it cannot place is an error that
// names it.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "FormLoader.h"
#include "FormStream.h"
#include "Unit1.h"

namespace {

std::string Narrow(const String& text) {
    char bytes[1024];
    return std::string(bytes, WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), bytes,
                                                  sizeof bytes, nullptr, nullptr));
}

// A small form with two controls and one handler.
class TTestForm : public TForm {
public:
    TBitBtn* Button1 = nullptr;
    TEdit* Edit1 = nullptr;
    int Clicks = 0;

    void Button1Click(TObject*) { ++Clicks; }

    using TForm::TForm;
    static const TPublishedTable Published;
};

const TPublishedField kTestFields[] = {
    {"Button1", PublishedField<&TTestForm::Button1>},
    {"Edit1", PublishedField<&TTestForm::Edit1>},
};
const TPublishedMethod kTestMethods[] = {
    {"Button1Click", PublishedMethod<&TTestForm::Button1Click>},
};
const TPublishedTable TTestForm::Published = {"TTestForm", kTestFields, kTestMethods};

TFormValue Int(int value) {
    TFormValue v;
    v.Kind = TFormValue::Kind::Integer;
    v.Integer = value;
    return v;
}

TFormValue Text(const wchar_t* text) {
    TFormValue v;
    v.Kind = TFormValue::Kind::String;
    v.Text = text;
    return v;
}

TFormValue Bool(bool value) {
    TFormValue v;
    v.Kind = value ? TFormValue::Kind::True : TFormValue::Kind::False;
    return v;
}

TFormValue Ident(const char* ident) {
    TFormValue v;
    v.Kind = TFormValue::Kind::Ident;
    v.Ident = ident;
    return v;
}

TFormObject Object(const char* className, const char* name,
                   std::vector<TFormProperty> properties = {},
                   std::vector<TFormObject> children = {}) {
    return {className, name, std::move(properties), std::move(children)};
}

// object Form1: TTestForm, with Button1: TBitBtn and Edit1: TEdit.
TFormObject TestLayout() {
    return Object("TTestForm", "Form1",
                  {{"ClientWidth", Int(200)},
                   {"ClientHeight", Int(100)},
                   {"Caption", Text(L"Próba")},
                   {"ActiveControl", Ident("Button1")}},
                  {Object("TBitBtn", "Button1",
                          {{"Left", Int(10)},
                           {"Top", Int(20)},
                           {"Width", Int(75)},
                           {"Height", Int(25)},
                           {"Caption", Text(L"Dalej")},
                           {"OnClick", Ident("Button1Click")}}),
                   Object("TEdit", "Edit1", {{"Enabled", Bool(false)}})});
}

TFormObject* Find(TFormObject& object, const char* name) {
    if (object.Name == name) return &object;
    for (TFormObject& child : object.Children)
        if (TFormObject* found = Find(child, name)) return found;
    return nullptr;
}

// The message of the EFilerError that loading raises, or "(loaded)".
template <class Form>
std::string LoadError(const TFormObject& root) {
    std::unique_ptr<Form> form(new Form(nullptr));
    try {
        TFormLoader(*form, Form::Published).Load(root);
    } catch (const EFilerError& e) {
        return Narrow(e.Message());
    }
    return "(loaded)";
}

TEST(FormLoader, BuildsControlsAndBindsFieldsAndHandlersByName) {
    TTestForm form(nullptr);
    TFormLoader(form, TTestForm::Published).Load(TestLayout());
    EXPECT_EQ(form.Name, "Form1");
    EXPECT_EQ(form.ClientWidth(), 200);
    EXPECT_EQ(form.ClientHeight(), 100);
    EXPECT_EQ(form.Caption(), L"Próba");
    ASSERT_NE(form.Button1, nullptr);
    ASSERT_NE(form.Edit1, nullptr);
    EXPECT_EQ(form.ActiveControl(), form.Button1);
    EXPECT_EQ(form.Button1->Name, "Button1");
    EXPECT_EQ(form.Button1->Parent(), &form);
    EXPECT_EQ(form.Button1->Owner(), &form);
    EXPECT_EQ(form.Button1->Left(), 10);
    EXPECT_EQ(form.Button1->Top(), 20);
    EXPECT_EQ(form.Button1->Width(), 75);
    EXPECT_EQ(form.Button1->Height(), 25);
    EXPECT_EQ(form.Button1->Caption(), L"Dalej");
    EXPECT_FALSE(form.Edit1->Enabled());
    form.Button1->Click();
    EXPECT_EQ(form.Clicks, 1);
}

struct BadLayoutCase {
    const char* name;
    std::function<void(TFormObject&)> spoil;
    const char* named;  // what the message must name
};

const BadLayoutCase kBadTestLayouts[] = {
    {"unknown class", [](TFormObject& r) { Find(r, "Button1")->ClassName = "TButton"; }, "TButton"},
    {"unknown property of a control",
     [](TFormObject& r) {
         Find(r, "Button1")->Properties.push_back({"Colour", Int(1)});
     },
     "Colour"},
    {"unknown property of the form",
     [](TFormObject& r) {
         r.Properties.push_back({"OldCreateOrder", Ident("False")});
     },
     "OldCreateOrder"},
    {"unknown handler",
     [](TFormObject& r) { Find(r, "Button1")->Properties.back().Value = Ident("Button1Klick"); },
     "Button1Klick"},
    {"unknown control name",
     [](TFormObject& r) { r.Children.push_back(Object("TBitBtn", "Button2")); }, "Button2"},
    {"control of the wrong class", [](TFormObject& r) { Find(r, "Edit1")->ClassName = "TBitBtn"; },
     "Edit1"},
    {"control missing from the layout", [](TFormObject& r) { r.Children.pop_back(); }, "Edit1"},
    {"reference to an unknown control",
     [](TFormObject& r) { r.Properties.back().Value = Ident("Nowhere"); }, "Nowhere"},
    {"root of another class", [](TFormObject& r) { r.ClassName = "TForm2"; }, "TForm2"},
    {"value of the wrong type",
     [](TFormObject& r) { Find(r, "Button1")->Properties[0].Value = Text(L"dziesięć"); },
     "Button1.Left"},
    {"unknown font style",
     [](TFormObject& r) {
         TFormValue style;
         style.Kind = TFormValue::Kind::Set;
         style.Set = {"fsBold", "fsShadow"};
         Find(r, "Edit1")->Properties.push_back({"Font.Style", style});
     },
     "fsShadow"},
};

TEST(FormLoader, NamesWhatItCannotPlace) {
    for (const BadLayoutCase& c : kBadTestLayouts) {
        SCOPED_TRACE(c.name);
        TFormObject layout = TestLayout();
        c.spoil(layout);
        const std::string message = LoadError<TTestForm>(layout);
        EXPECT_NE(message.find(c.named), std::string::npos) << message;
    }
}

// The layout that the installer carries, read from this program's resources.
TFormObject StoredLayout() {
    HRSRC info = FindResourceA(nullptr, "TFORM1", MAKEINTRESOURCEA(10));  // RT_RCDATA
    if (!info) return TFormObject();
    return ReadFormStream(
        static_cast<const unsigned char*>(LockResource(LoadResource(nullptr, info))),
        SizeofResource(nullptr, info));
}

// Read as stored, before the creation handler runs: every field bound, the
// stored active page and focus in place, no window yet.
TEST(FormLoader, ReadsTheStoredLayoutOfTForm1) {
    TForm1 form(nullptr);
    TFormLoader(form, TForm1::Published).Load(StoredLayout());
    for (const TPublishedField& field : TForm1::Published.Fields) {
        SCOPED_TRACE(field.Name);
        TComponent* component = form.FindComponent(field.Name);
        ASSERT_NE(component, nullptr);
        EXPECT_TRUE(field.Bind(form, component));
    }
    EXPECT_EQ(form.ComponentCount(),
              int(TForm1::Published.Fields.Last - TForm1::Published.Fields.First));
    EXPECT_EQ(form.PageControl1->ActivePage(), form.TabSheet3);
    EXPECT_EQ(form.ActiveControl(), form.BitBtn2);
    EXPECT_TRUE(form.OnCreate);
    EXPECT_TRUE(form.TabSheet2->OnShow);
    EXPECT_TRUE(form.TabSheet2->OnHide);
    EXPECT_TRUE(form.TabSheet3->OnShow);
    EXPECT_FALSE(form.TabSheet3->OnHide);
    EXPECT_FALSE(form.TabSheet1->OnShow);
    EXPECT_FALSE(form.TabSheet1->OnHide);
    for (TBitBtn* button : {form.BitBtn1, form.BitBtn2, form.BitBtn3, form.BitBtn4, form.BitBtn5})
        EXPECT_TRUE(button->OnClick) << button->Name.c_str();
    EXPECT_FALSE(form.HandleAllocated());
    EXPECT_EQ(form.StaticText2->Caption(), L"");
}

// Each event in the stored layout reaches the handler it names.
TEST(FormLoader, StoredEventsReachTheirHandlers) {
    const struct {
        const char* control;
        const char* property;
        const char* handler;
    } bindings[] = {
        {"Form1", "OnCreate", "FormCreate"},      {"BitBtn1", "OnClick", "BitBtn1Click"},
        {"BitBtn2", "OnClick", "BitBtn2Click"},   {"BitBtn3", "OnClick", "BitBtn3Click"},
        {"BitBtn4", "OnClick", "BitBtn4Click"},   {"BitBtn5", "OnClick", "BitBtn5Click"},
        {"TabSheet2", "OnShow", "TabSheet2Show"}, {"TabSheet2", "OnHide", "TabSheet2Hide"},
        {"TabSheet3", "OnShow", "TabSheet3Show"},
    };
    TFormObject layout = StoredLayout();
    int events = 0;
    std::function<void(const TFormObject&)> count = [&](const TFormObject& object) {
        for (const TFormProperty& p : object.Properties)
            if (p.Name.compare(0, 2, "On") == 0) ++events;
        for (const TFormObject& child : object.Children) count(child);
    };
    count(layout);
    EXPECT_EQ(events, int(std::size(bindings))) << "no other event is bound";
    for (const auto& b : bindings) {
        SCOPED_TRACE(std::string(b.control) + "." + b.property);
        const TFormObject* object = Find(layout, b.control);
        ASSERT_NE(object, nullptr);
        const TFormProperty* found = nullptr;
        for (const TFormProperty& p : object->Properties)
            if (p.Name == b.property) found = &p;
        ASSERT_NE(found, nullptr);
        EXPECT_EQ(found->Value.Ident, b.handler);
    }
}

const BadLayoutCase kBadStoredLayouts[] = {
    {"handler renamed",
     [](TFormObject& r) {
         for (TFormProperty& p : Find(r, "BitBtn2")->Properties)
             if (p.Name == "OnClick") p.Value = Ident("BitBtn2Klick");
     },
     "BitBtn2Klick"},
    {"control renamed", [](TFormObject& r) { Find(r, "Label7")->Name = "Label8"; }, "Label8"},
    {"control of another class",
     [](TFormObject& r) { Find(r, "Edit1")->ClassName = "TStaticText"; }, "Edit1"},
    {"class unknown to the library",
     [](TFormObject& r) { Find(r, "BitBtn5")->ClassName = "TSpeedButton"; }, "TSpeedButton"},
    {"property unknown to a panel",
     [](TFormObject& r) {
         Find(r, "Panel1")->Properties.push_back({"Font.Pitch", Ident("fpDefault")});
     },
     "Font.Pitch"},
    {"focus on a control that does not exist",
     [](TFormObject& r) {
         for (TFormProperty& p : r.Properties)
             if (p.Name == "ActiveControl") p.Value = Ident("BitBtn9");
     },
     "BitBtn9"},
    {"active page that does not exist",
     [](TFormObject& r) {
         for (TFormProperty& p : Find(r, "PageControl1")->Properties)
             if (p.Name == "ActivePage") p.Value = Ident("TabSheet4");
     },
     "TabSheet4"},
    {"active page that is not a page",
     [](TFormObject& r) {
         for (TFormProperty& p : Find(r, "PageControl1")->Properties)
             if (p.Name == "ActivePage") p.Value = Ident("BitBtn1");
     },
     "BitBtn1"},
    {"page of a page control that does not exist",
     [](TFormObject& r) {
         for (TFormProperty& p : Find(r, "TabSheet2")->Properties)
             if (p.Name == "PageControl") p.Value = Ident("PageControl2");
     },
     "PageControl2"},
};

TEST(FormLoader, NamesWhatItCannotPlaceInTheStoredLayout) {
    ASSERT_EQ(LoadError<TForm1>(StoredLayout()), "(loaded)");
    for (const BadLayoutCase& c : kBadStoredLayouts) {
        SCOPED_TRACE(c.name);
        TFormObject layout = StoredLayout();
        c.spoil(layout);
        const std::string message = LoadError<TForm1>(layout);
        EXPECT_NE(message.find(c.named), std::string::npos) << message;
    }
}

}  // namespace
