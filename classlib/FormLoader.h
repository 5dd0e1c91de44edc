// Builds a form's controls from its stored layout.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "Classes.h"
#include "FormStream.h"

class TForm;
struct TPublishedTable;

class TFormLoader {
public:
    TFormLoader(TForm& form, const TPublishedTable& published);

    // Creates the controls below the root object, sets every property, binds names.
    void Load(const TFormObject& root);

    // Typed access to a property value; a value of the wrong type is an error.
    int Int(const TFormValue& value);
    bool Bool(const TFormValue& value);
    String Text(const TFormValue& value);
    const AnsiString& Ident(const TFormValue& value);
    const std::vector<AnsiString>& Set(const TFormValue& value);
    const std::vector<unsigned char>& Binary(const TFormValue& value);
    // A handler of the form, by name.
    TNotifyEvent Method(const TFormValue& value);
    // A component of the form, by name, resolved once the whole layout is read.
    void Reference(const TFormValue& value, std::function<void(TComponent*)> assign);

    [[noreturn]] void Error(const AnsiString& message);

private:
    void ReadObject(const TFormObject& object, TComponent* component);
    TComponent* CreateChild(const TFormObject& object, TComponent* parent);
    void BindField(const AnsiString& name, TComponent* component);

    TForm& FForm;
    const TPublishedTable& FPublished;
    AnsiString FContext;  // the object being read, for messages
    std::vector<std::pair<AnsiString, std::function<void(TComponent*)>>> FFixups;
    std::vector<TComponent*> FCreated;
};
