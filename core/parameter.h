#pragma once
// The family of setting classes. Every user setting is one global object of
// this family (core/settings.h), built with its key, default and limits
// before the program's entry; the key is its name in parameters.xml. A
// setting that the main window shows also carries a ControlBinding to its
// control. The family also serves the main window's push buttons (a label
// and a binding) and the entries of the meta block of the program's XML
// files (core/meta_block.h).
//
// Fields are read and written directly. Values are shared by every thread:
// numbers and switches are atomic, texts are SharedText; defaults, limits,
// choices and bindings never change after construction.
//
// Reading and saving (core/parameter_io.cpp): read takes the value of the
// setting's entry in a loaded parameters.xml, save writes the value into the
// file at once, writeDefault appends the default to a new file, log writes
// "KEY=value" (texts quoted) to the log.

#include <atomic>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/shared_text.h"

// A control's window, as the window layer names it (HWND); opaque here, only
// ui/ reads or sends to it.
struct HWND__;

// The window procedure of a control: the window layer's WNDPROC, spelt out
// so that the settings need not include the window layer.
using ControlWindowProc = std::intptr_t (*)(HWND__*, unsigned int, std::uintptr_t, std::intptr_t);

namespace pugi {
class xml_document;
class xml_node;
}  // namespace pugi

struct Parameter {
    explicit Parameter(std::string name_) : name(std::move(name_)) {}
    virtual ~Parameter() = default;
    Parameter(const Parameter&) = delete;
    Parameter& operator=(const Parameter&) = delete;

    // Removes the setting's entry from parameters.xml and logs
    // "Parameter '{}' removed"; false, and nothing logged, when the file or
    // the entry is not there.
    bool removeFromFile() const;

    const std::string name;  // the parameters.xml key; a button's label
};

struct StringParameter : Parameter {
    StringParameter(std::string name_, std::string defaultValue_)
        : Parameter(std::move(name_)), defaultValue(std::move(defaultValue_)), value(defaultValue) {}

    // The entry's "value" text (empty without the attribute); true when the
    // entry exists. The setting keeps its value when it does not.
    bool read(const pugi::xml_document& document);
    // As read; an entry that holds no folder is then removed from the
    // document ("Parameter '{}' removed"). True when a folder was read.
    bool readLiveryFolder(pugi::xml_document& document);
    void save() const;
    void setValueAndSave(std::string text);
    bool writeDefault(pugi::xml_node root);
    void log() const;

    const std::string defaultValue;
    SharedText value;
};

struct IntParameter : Parameter {
    IntParameter(std::string name_, std::int32_t defaultValue_, std::int32_t min_, std::int32_t max_)
        : Parameter(std::move(name_)), defaultValue(defaultValue_), min(min_), max(max_), value(defaultValue_) {}

    // The number within [min, max].
    std::int32_t clamped(std::int32_t number) const;

    // The entry's "value" as an int (0 when it is no number), clamped;
    // logged when log is set. True when the entry exists.
    bool read(const pugi::xml_document& document, bool log);
    void save() const;
    bool writeDefault(pugi::xml_node root);
    void log() const;

    const std::int32_t defaultValue;
    const std::int32_t min;
    const std::int32_t max;
    std::atomic<std::int32_t> value;
};

struct BoolParameter : Parameter {
    BoolParameter(std::string name_, bool defaultValue_)
        : Parameter(std::move(name_)), defaultValue(defaultValue_), value(defaultValue_) {}

    // True for a "value" that begins with 1, t, T, y or Y; false for any
    // other and for an entry without one. True when the entry exists.
    bool read(const pugi::xml_document& document);
    void save() const;
    bool writeDefault(pugi::xml_node root);
    void log() const;

    const bool defaultValue;
    std::atomic<bool> value;
};

// A setting's control in the main window. The window makes the control
// with controlId at row y and stores it here (null until then); the settings
// file sends the control its value through it, from any thread.
struct ControlBinding {
    ControlBinding(std::uint16_t controlId_, std::int32_t y_) : controlId(controlId_), y(y_) {}
    virtual ~ControlBinding() = default;
    ControlBinding(const ControlBinding&) = delete;
    ControlBinding& operator=(const ControlBinding&) = delete;

    const std::uint16_t controlId;  // child-window id, 0x8003 to 0x805a; WM_COMMAND carries it
    const std::int32_t y;           // top of the control's row in the client area, pixels
    std::atomic<HWND__*> window{nullptr};
    std::atomic<ControlWindowProc> previousWindowProc{nullptr};  // what a subclassed edit box had before
};

struct BoolControlParameter : BoolParameter, ControlBinding {
    BoolControlParameter(std::string name_, bool defaultValue_, std::uint16_t controlId_, std::int32_t y_)
        : BoolParameter(std::move(name_), defaultValue_), ControlBinding(controlId_, y_) {}
};

struct IntControlParameter : IntParameter, ControlBinding {
    IntControlParameter(std::string name_, std::int32_t defaultValue_, std::int32_t min_, std::int32_t max_,
                        std::uint16_t controlId_, std::int32_t y_)
        : IntParameter(std::move(name_), defaultValue_, min_, max_), ControlBinding(controlId_, y_) {}
};

// The one float setting, shown in an edit box; kept in the airport stand
// files, never in parameters.xml.
struct FloatControlParameter : Parameter, ControlBinding {
    FloatControlParameter(std::string name_, float defaultValue_, float min_, float max_, std::uint16_t controlId_,
                          std::int32_t y_)
        : Parameter(std::move(name_)),
          ControlBinding(controlId_, y_),
          defaultValue(defaultValue_),
          min(min_),
          max(max_),
          value(defaultValue_) {}

    const float defaultValue;
    const float min;
    const float max;
    std::atomic<float> value;
};

// An integer picked from a combo box. min and max are the first and the last
// choice; the choices ascend.
struct IntChoiceParameter : IntControlParameter {
    IntChoiceParameter(std::string name_, std::int32_t defaultValue_, std::span<const std::int32_t> choices_,
                       std::uint16_t controlId_, std::int32_t y_);

    // Fills the combo box with the choices and selects the value when it is
    // one of them; nothing while the control does not exist. Defined with
    // the other calls that send to controls, in ui/status/parameter_controls.cpp.
    void fillComboBox() const;

    const std::vector<std::int32_t> choices;  // in display order
};

struct StringControlParameter : StringParameter, ControlBinding {
    StringControlParameter(std::string name_, std::string defaultValue_, std::uint16_t controlId_, std::int32_t y_)
        : StringParameter(std::move(name_), std::move(defaultValue_)), ControlBinding(controlId_, y_) {}
};

// A text picked from a combo box; the default is the first item.
struct StringChoiceParameter : StringControlParameter {
    StringChoiceParameter(std::string name_, std::string defaultValue_, std::vector<std::string> items_,
                          std::uint16_t controlId_, std::int32_t y_)
        : StringControlParameter(std::move(name_), std::move(defaultValue_), controlId_, y_),
          items(std::move(items_)) {}

    // Fills the combo box with the items and selects the one that begins
    // with the value; nothing while the control does not exist. Defined in
    // ui/status/parameter_controls.cpp.
    void fillComboBox() const;

    const std::vector<std::string> items;  // in display order
};

// A push button of the main window: a label and a binding, no value, never
// stored.
struct ButtonControl : Parameter, ControlBinding {
    ButtonControl(std::string label, std::uint16_t controlId_, std::int32_t y_)
        : Parameter(std::move(label)), ControlBinding(controlId_, y_) {}
};
