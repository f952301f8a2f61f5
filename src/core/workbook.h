// The program's state: the three program-wide flags and, for every sheet that
// exists, the texts of its fields, its check boxes and its option captions.
// A sheet that does not exist is absent; asking for it creates it with its
// defaults and runs the state part of its creation steps.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lc {

enum class SheetId { A2, B1, C, Gears };
inline constexpr std::array<SheetId, 4> kAllSheets{SheetId::A2, SheetId::B1, SheetId::C, SheetId::Gears};

// "A2", "B1", "C", "gears": the names the batch tool and fault records use.
const char* sheetKey(SheetId id);
// The sheet of that name ("A2", "B1", "C", "gears"), if there is one.
std::optional<SheetId> sheetFromKey(std::string_view key);
// "计算单A2" ...: the names messages use.
const char* sheetTitle(SheetId id);

// 16-bit Booleans: True is -1, False is 0.
using Flag = std::int16_t;
inline constexpr Flag kTrue = -1;
inline constexpr Flag kFalse = 0;

struct Flags {
    Flag a2Done = kFalse;
    Flag b1Done = kFalse;
    Flag pinionRightHand = kFalse;
    bool operator==(const Flags&) const = default;
};

class Sheet {
public:
    explicit Sheet(SheetId id);

    SheetId id() const { return id_; }

    // Text fields by control name ("Text23(0)"). Unknown names are a
    // programming error and throw std::out_of_range.
    const std::vector<std::string>& fieldNames() const { return fieldNames_; }
    bool hasField(std::string_view name) const;
    const std::string& text(std::string_view name) const;
    void setText(std::string_view name, std::string value);

    // Check boxes by control name ("Check1"): 0 unticked, anything else ticked.
    const std::vector<std::string>& checkNames() const { return checkNames_; }
    bool hasCheck(std::string_view name) const;
    int check(std::string_view name) const;
    void setCheck(std::string_view name, int value);

    // Sheet A2's spiral-hand buttons: their captions and which one is selected
    // (1 for Option1, 2 for Option2).
    std::string option1Caption;
    std::string option2Caption;
    int selectedOption = 1;

    // The change-gear window's list and caption.
    std::vector<std::string> list;
    std::string caption;

    // Whether the sheet's window is shown: a window appears as soon as its
    // sheet is created, and only hiding puts it away.
    bool visible = true;

    // Every text and check box by control name, in name order: a whole sheet
    // read without a lookup per control.
    const std::map<std::string, std::string, std::less<>>& texts() const { return texts_; }
    const std::map<std::string, int, std::less<>>& checks() const { return checks_; }

    // Everything the sheet holds, member by member.
    bool operator==(const Sheet&) const = default;

private:
    // A new sheet is a copy of one built once per kind.
    struct Build {};
    Sheet(SheetId id, Build);
    static const Sheet& blank(SheetId id);

    SheetId id_;
    std::vector<std::string> fieldNames_;
    std::map<std::string, std::string, std::less<>> texts_;
    std::vector<std::string> checkNames_;
    std::map<std::string, int, std::less<>> checks_;
};

// The job's properties, as a workshop drawing's title block gives them: the
// drawing numbers of pinion and gear, the pair's name, material, who designed
// and who checked it, the date and remarks. Plain texts under the limits of a
// field, empty when not filled in; the remarks may run over several lines.
enum class Property { PinionDrawing, GearDrawing, Name, Material, Designer, Checker, Date, Remarks };
inline constexpr std::array<Property, 8> kAllProperties{Property::PinionDrawing, Property::GearDrawing, Property::Name,
                                                        Property::Material,      Property::Designer,    Property::Checker,
                                                        Property::Date,          Property::Remarks};
// "pinionDrawing" ...: the names in the job file.
const char* propertyKey(Property p);
// "图号（小轮）" ...: the names on the page, in the table and the dialog.
const char* propertyLabel(Property p);

struct Properties {
    std::array<std::string, kAllProperties.size()> texts;
    const std::string& operator[](Property p) const { return texts[static_cast<std::size_t>(p)]; }
    std::string& operator[](Property p) { return texts[static_cast<std::size_t>(p)]; }
    // Whether none is filled in.
    bool empty() const;
    bool operator==(const Properties&) const = default;
};

enum class SheetEvent { Created, Shown, Hidden, Closed };

class Workbook {
public:
    // A copy holds copies of everything the workbook holds (flags, sheets and
    // whatever else is added as a member) and tells nobody of its changes: a
    // calculation can be tried on it without touching the windows, and a
    // whole workbook can be kept as a step of the job's history. Assigning
    // one workbook to another replaces its contents and keeps its listener;
    // nobody is told. Two workbooks are equal when every member is.
    Workbook() = default;
    bool operator==(const Workbook&) const = default;

    Flags flags;
    Properties properties;

    // The sheet, created with its creation steps when it does not exist.
    Sheet& sheet(SheetId id);
    // The sheet if it exists, without creating it.
    Sheet* find(SheetId id);
    const Sheet* find(SheetId id) const;
    bool exists(SheetId id) const { return find(id) != nullptr; }
    // Whether any sheet exists: something to save or print.
    bool hasSheets() const {
        return std::ranges::any_of(sheets_, [](const std::optional<Sheet>& s) { return s.has_value(); });
    }

    // Creates the sheet when needed, then shows it (its window comes to the front).
    Sheet& show(SheetId id);
    // Hides the sheet's window; the sheet keeps its texts.
    void hide(SheetId id);
    // Discards the sheet with its texts.
    void close(SheetId id);
    // Makes the sheet exist with its defaults but without its creation steps
    // (the batch tool's starting sheets). Replaces an existing one.
    Sheet& insert(SheetId id);

    // Told of every creation, show, hide and close, so that the windows follow.
    void setListener(std::function<void(SheetId, SheetEvent)> listener) { listener_.tell = std::move(listener); }

private:
    // The listener belongs to one workbook object: a copy starts without one,
    // an assignment keeps the one it has, and it takes no part in comparing.
    struct Listener {
        std::function<void(SheetId, SheetEvent)> tell;
        Listener() = default;
        Listener(const Listener&) {}
        Listener& operator=(const Listener&) { return *this; }
        bool operator==(const Listener&) const { return true; }
    };

    void notify(SheetId id, SheetEvent e);
    // A sheet stays where it is while others come and go.
    std::array<std::optional<Sheet>, 4> sheets_;
    Listener listener_;
};

// The workbook as a fresh start would hold the same sheets: each as its
// creation makes it (default texts, before any import: a fresh start has
// calculated nothing), shown or hidden as in `wb`, the flags cleared.
Workbook asCreated(const Workbook& wb);
// One text an import copies unchanged: from a field of an earlier sheet into
// a field of the importing sheet.
struct Copy {
    SheetId from;
    const char* fromField;
    const char* toField;
};
// The copies of the sheet's import in the order they run (none for A2 and the
// change gears). The imports below run exactly these, and the chain's state
// compares exactly these.
std::span<const Copy> importCopies(SheetId to);

// Sheet B1's import of sheet A2's items 18, 17, 26 and 21 (its creation step
// and the B1 menu command's import when a2Done).
void importA2IntoB1(Workbook& wb);
// Sheet C's import: sheet A2's items 1, 2, 6, 3, 5, 16, 15 and 31 when
// a2Done, then sheet B1's item 53 into both △X fields when b1Done.
void importIntoC(Workbook& wb);
// The import the sheet's creation runs, with its guards: B1 from A2 when
// a2Done; C as importIntoC; nothing for the other sheets.
void creationImport(Workbook& wb, SheetId id);

}  // namespace lc
