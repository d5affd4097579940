#pragma once

// The editors a property gets by its kind when none is registered for its type and name. Each
// shows and takes the value as the form file's text rendering writes it.

#include "controls/PropertyEditor.h"

// Boolean (False, True) and enumeration properties: a value list of the names.
class TEnumProperty : public TPropertyEditor {
public:
    using TPropertyEditor::TPropertyEditor;
    TPropertyAttributes GetAttributes() override;
    std::string GetValue() override;
    bool SetValue(const std::string& Value) override;
    std::vector<std::string> GetValues() override;
};

// A whole number in the range of its type, or the name of one of its named values (clWindow),
// which are then offered as a value list.
class TIntegerProperty : public TPropertyEditor {
public:
    using TPropertyEditor::TPropertyEditor;
    TPropertyAttributes GetAttributes() override;
    std::string GetValue() override;
    bool SetValue(const std::string& Value) override;
    std::vector<std::string> GetValues() override;
};

class TStringProperty : public TPropertyEditor {
public:
    using TPropertyEditor::TPropertyEditor;
    std::string GetValue() override;
    bool SetValue(const std::string& Value) override;
};

// A set, shown as its members in brackets: [fsBold,fsItalic].
class TSetProperty : public TPropertyEditor {
public:
    using TPropertyEditor::TPropertyEditor;
    std::string GetValue() override;
    bool SetValue(const std::string& Value) override;
};

// A reference to another component of the designed form, by its name (empty: none). Only the
// components the property's writer takes are offered or accepted.
class TComponentProperty : public TPropertyEditor {
public:
    using TPropertyEditor::TPropertyEditor;
    TPropertyAttributes GetAttributes() override;
    std::string GetValue() override;
    bool SetValue(const std::string& Value) override;
    std::vector<std::string> GetValues() override;

private:
    std::vector<TComponent*> Candidates() const;
};

// A nested object (a Font): shown as its class name in parentheses, edited through its own
// properties.
class TClassProperty : public TPropertyEditor {
public:
    using TPropertyEditor::TPropertyEditor;
    TPropertyAttributes GetAttributes() override;
    std::string GetValue() override;
    std::vector<std::unique_ptr<TPropertyEditor>> GetProperties() override;
};
