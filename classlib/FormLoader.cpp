#include "FormLoader.h"

#include "Buttons.h"
#include "ComCtrls.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "StdCtrls.h"

namespace {

template <class T>
TControl* Create(TComponent* owner) {
    return new T(owner);
}

// The classes a layout may name.
const struct {
    const char* name;
    TControl* (*create)(TComponent* owner);
} ControlClasses[] = {
    {"TPanel", Create<TPanel>},       {"TImage", Create<TImage>},
    {"TLabel", Create<TLabel>},       {"TPageControl", Create<TPageControl>},
    {"TTabSheet", Create<TTabSheet>}, {"TStaticText", Create<TStaticText>},
    {"TEdit", Create<TEdit>},         {"TBitBtn", Create<TBitBtn>},
};

}  // namespace

TFormLoader::TFormLoader(TForm& form, const TPublishedTable& published)
    : FForm(form), FPublished(published) {}

void TFormLoader::Load(const TFormObject& root) {
    FContext = root.Name;
    if (root.ClassName != FPublished.ClassName)
        Error("the layout is of class " + root.ClassName + ", not " + FPublished.ClassName);
    FForm.Name = root.Name;
    ReadObject(root, &FForm);

    for (auto& [name, assign] : FFixups) {
        TComponent* target = FForm.FindComponent(name);
        if (!target) Error("unknown control " + name);
        assign(target);
    }
    for (const TPublishedField& field : FPublished.Fields)
        if (!FForm.FindComponent(field.Name))
            Error(AnsiString("control ") + field.Name + " is missing from the layout");

    FForm.Loaded();
    for (TComponent* component : FCreated) component->Loaded();
}

void TFormLoader::ReadObject(const TFormObject& object, TComponent* component) {
    for (const TFormProperty& property : object.Properties) {
        FContext = object.Name + "." + property.Name;
        if (!component->ReadProperty(property.Name, property.Value, *this))
            Error("unknown property " + property.Name + " of " + object.ClassName);
    }
    for (const TFormObject& child : object.Children) {
        TComponent* created = CreateChild(child, component);
        ReadObject(child, created);
    }
}

TComponent* TFormLoader::CreateChild(const TFormObject& object, TComponent* parent) {
    FContext = object.Name;
    TControl* control = nullptr;
    for (const auto& c : ControlClasses)
        if (object.ClassName == c.name) control = c.create(&FForm);
    if (!control) Error("unknown class " + object.ClassName);
    control->Name = object.Name;
    FCreated.push_back(control);
    if (auto* container = dynamic_cast<TWinControl*>(parent)) control->SetParent(container);
    BindField(object.Name, control);
    return control;
}

void TFormLoader::BindField(const AnsiString& name, TComponent* component) {
    for (const TPublishedField& field : FPublished.Fields)
        if (name == field.Name) {
            if (!field.Bind(FForm, component)) Error("control " + name + " has the wrong class");
            return;
        }
    Error("unknown control " + name + ": " + FPublished.ClassName + " has no such field");
}

int TFormLoader::Int(const TFormValue& value) {
    if (value.Kind != TFormValue::Kind::Integer) Error("an integer was expected");
    return int(value.Integer);
}

bool TFormLoader::Bool(const TFormValue& value) {
    if (value.Kind != TFormValue::Kind::True && value.Kind != TFormValue::Kind::False)
        Error("True or False was expected");
    return value.Kind == TFormValue::Kind::True;
}

String TFormLoader::Text(const TFormValue& value) {
    if (value.Kind != TFormValue::Kind::String) Error("a string was expected");
    return value.Text;
}

const AnsiString& TFormLoader::Ident(const TFormValue& value) {
    if (value.Kind != TFormValue::Kind::Ident) Error("an identifier was expected");
    return value.Ident;
}

const std::vector<AnsiString>& TFormLoader::Set(const TFormValue& value) {
    if (value.Kind != TFormValue::Kind::Set) Error("a set was expected");
    return value.Set;
}

const std::vector<unsigned char>& TFormLoader::Binary(const TFormValue& value) {
    if (value.Kind != TFormValue::Kind::Binary) Error("binary data was expected");
    return value.Binary;
}

TNotifyEvent TFormLoader::Method(const TFormValue& value) {
    const AnsiString& name = Ident(value);
    for (const TPublishedMethod& method : FPublished.Methods)
        if (name == method.Name) {
            TForm* form = &FForm;
            auto call = method.Call;
            return [form, call](TObject* sender) { call(*form, sender); };
        }
    Error("unknown handler " + name);
}

void TFormLoader::Reference(const TFormValue& value, std::function<void(TComponent*)> assign) {
    FFixups.emplace_back(Ident(value), std::move(assign));
}

void TFormLoader::Error(const AnsiString& message) {
    throw EFilerError(FromAnsi("Error reading " + FContext + ": " + message));
}
