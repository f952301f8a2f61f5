#include "core/workbook.h"

#include <stdexcept>

namespace lc {
namespace {

std::string indexed(const std::string& base, int k) { return base + "(" + std::to_string(k) + ")"; }

std::vector<std::string> a2Fields() {
    std::vector<std::string> f;
    for (int n = 1; n <= 19; ++n) f.push_back("Text" + std::to_string(n));
    f.push_back("Text20(0)");
    f.push_back("Text20(1)");
    f.push_back("Text21");
    f.push_back("Text22");
    for (int n : {23, 24, 25}) {
        f.push_back(indexed("Text" + std::to_string(n), 0));
        f.push_back(indexed("Text" + std::to_string(n), 1));
    }
    for (int n : {26, 27, 28, 31}) f.push_back("Text" + std::to_string(n));
    for (int n : {32, 33, 34, 35, 36, 38, 39, 40, 41, 42}) {
        f.push_back(indexed("Text" + std::to_string(n), 0));
        f.push_back(indexed("Text" + std::to_string(n), 1));
    }
    return f;
}

std::vector<std::string> b1Fields() {
    std::vector<std::string> f{"Text1(0)", "Text1(1)"};
    for (int n = 2; n <= 20; ++n) f.push_back("Text" + std::to_string(n));
    return f;
}

std::vector<std::string> cFields() {
    std::vector<std::string> f;
    for (int n = 1; n <= 40; ++n) f.push_back("Text" + std::to_string(n));
    for (int n = 42; n <= 59; ++n) f.push_back("Text" + std::to_string(n));
    return f;
}

}  // namespace

const char* sheetKey(SheetId id) {
    switch (id) {
        case SheetId::A2: return "A2";
        case SheetId::B1: return "B1";
        case SheetId::C: return "C";
        case SheetId::Gears: return "gears";
    }
    return "?";
}

std::optional<SheetId> sheetFromKey(std::string_view key) {
    for (SheetId id : kAllSheets)
        if (key == sheetKey(id)) return id;
    return std::nullopt;
}

const char* sheetTitle(SheetId id) {
    switch (id) {
        case SheetId::A2: return "计算单A2";
        case SheetId::B1: return "计算单B1";
        case SheetId::C: return "计算单C";
        case SheetId::Gears: return "挂轮计算";
    }
    return "?";
}

Sheet::Sheet(SheetId id) : Sheet(blank(id)) {}

const Sheet& Sheet::blank(SheetId id) {
    static const Sheet blanks[] = {Sheet(SheetId::A2, Build{}), Sheet(SheetId::B1, Build{}),
                                   Sheet(SheetId::C, Build{}), Sheet(SheetId::Gears, Build{})};
    return blanks[static_cast<int>(id)];
}

Sheet::Sheet(SheetId id, Build) : id_(id) {
    switch (id) {
        case SheetId::A2:
            fieldNames_ = a2Fields();
            checkNames_ = {"Check1", "Check2", "Check3"};
            option1Caption = "左";
            option2Caption = "右";
            selectedOption = 1;
            break;
        case SheetId::B1:
            fieldNames_ = b1Fields();
            checkNames_ = {"Check1"};
            break;
        case SheetId::C:
            fieldNames_ = cFields();
            checkNames_ = {"Check2", "Check3"};
            break;
        case SheetId::Gears:
            fieldNames_ = {"Text1", "Text2"};
            caption = "Form1";
            break;
    }
    for (const auto& n : fieldNames_) texts_.emplace(n, std::string());
    for (const auto& n : checkNames_) checks_.emplace(n, 0);
    if (id == SheetId::A2) texts_.find("Text5")->second = "35";
    if (id == SheetId::C) texts_.find("Text13")->second = "20";
    if (id == SheetId::Gears) texts_.find("Text2")->second = "0.000001";
}

bool Sheet::hasField(std::string_view name) const { return texts_.find(name) != texts_.end(); }

const std::string& Sheet::text(std::string_view name) const {
    auto it = texts_.find(name);
    if (it == texts_.end())
        throw std::out_of_range(std::string(sheetKey(id_)) + " has no field " + std::string(name));
    return it->second;
}

void Sheet::setText(std::string_view name, std::string value) {
    auto it = texts_.find(name);
    if (it == texts_.end())
        throw std::out_of_range(std::string(sheetKey(id_)) + " has no field " + std::string(name));
    it->second = std::move(value);
}

bool Sheet::hasCheck(std::string_view name) const { return checks_.find(name) != checks_.end(); }

int Sheet::check(std::string_view name) const {
    auto it = checks_.find(name);
    if (it == checks_.end())
        throw std::out_of_range(std::string(sheetKey(id_)) + " has no check box " + std::string(name));
    return it->second;
}

void Sheet::setCheck(std::string_view name, int value) {
    auto it = checks_.find(name);
    if (it == checks_.end())
        throw std::out_of_range(std::string(sheetKey(id_)) + " has no check box " + std::string(name));
    it->second = value;
}

const char* propertyKey(Property p) {
    static const char* const keys[] = {"pinionDrawing", "gearDrawing", "name",     "material",
                                       "designer",      "checker",     "date",     "remarks"};
    return keys[static_cast<std::size_t>(p)];
}

const char* propertyLabel(Property p) {
    static const char* const labels[] = {"图号（小轮）", "图号（大轮）", "名称", "材料", "设计", "审核", "日期", "备注"};
    return labels[static_cast<std::size_t>(p)];
}

bool Properties::empty() const {
    for (const std::string& t : texts)
        if (!t.empty()) return false;
    return true;
}

Sheet* Workbook::find(SheetId id) {
    auto& slot = sheets_[static_cast<std::size_t>(id)];
    return slot ? &*slot : nullptr;
}

const Sheet* Workbook::find(SheetId id) const {
    const auto& slot = sheets_[static_cast<std::size_t>(id)];
    return slot ? &*slot : nullptr;
}

void Workbook::notify(SheetId id, SheetEvent e) {
    if (listener_.tell) listener_.tell(id, e);
}

Sheet& Workbook::insert(SheetId id) {
    auto& slot = sheets_[static_cast<std::size_t>(id)];
    slot.emplace(id);
    notify(id, SheetEvent::Created);
    return *slot;
}

Sheet& Workbook::sheet(SheetId id) {
    if (Sheet* s = find(id)) return *s;
    Sheet& s = insert(id);
    // The window-specific creation steps, after sizing and centring.
    switch (id) {
        case SheetId::A2:
            flags.a2Done = kFalse;
            flags.b1Done = kFalse;
            break;
        case SheetId::B1:
        case SheetId::C:
            creationImport(*this, id);
            break;
        case SheetId::Gears:
            break;
    }
    return s;
}

Sheet& Workbook::show(SheetId id) {
    Sheet& s = sheet(id);
    s.visible = true;
    notify(id, SheetEvent::Shown);
    return s;
}

void Workbook::hide(SheetId id) {
    if (Sheet* s = find(id)) {
        s->visible = false;
        notify(id, SheetEvent::Hidden);
    }
}

void Workbook::close(SheetId id) {
    auto& slot = sheets_[static_cast<std::size_t>(id)];
    if (!slot) return;
    slot.reset();
    notify(id, SheetEvent::Closed);
}

Workbook asCreated(const Workbook& wb) {
    Workbook fresh;
    for (SheetId id : kAllSheets)
        if (const Sheet* s = wb.find(id)) fresh.insert(id).visible = s->visible;
    return fresh;
}

std::span<const Copy> importCopies(SheetId to) {
    // Sheet B1's four fields, then sheet C's eight A2 texts in the order they
    // are copied and sheet B1's item 53 into both △X fields.
    static const Copy b1[] = {{SheetId::A2, "Text18", "Text1(0)"},
                              {SheetId::A2, "Text17", "Text1(1)"},
                              {SheetId::A2, "Text26", "Text2"},
                              {SheetId::A2, "Text21", "Text3"}};
    static const Copy c[] = {{SheetId::A2, "Text1", "Text42"},  {SheetId::A2, "Text2", "Text43"},
                             {SheetId::A2, "Text6", "Text44"},  {SheetId::A2, "Text3", "Text45"},
                             {SheetId::A2, "Text5", "Text46"},  {SheetId::A2, "Text16", "Text47"},
                             {SheetId::A2, "Text15", "Text48"}, {SheetId::A2, "Text31", "Text50"},
                             {SheetId::B1, "Text15", "Text56"}, {SheetId::B1, "Text15", "Text57"}};
    switch (to) {
        case SheetId::B1: return b1;
        case SheetId::C: return c;
        default: return {};
    }
}

namespace {

// The copies of `to`'s import that come from `from`, each reading the source
// afresh.
void copyFrom(Workbook& wb, SheetId from, SheetId to) {
    for (const Copy& copy : importCopies(to)) {
        if (copy.from != from) continue;
        const std::string t = wb.sheet(from).text(copy.fromField);
        wb.sheet(to).setText(copy.toField, t);
    }
}

}  // namespace

void importA2IntoB1(Workbook& wb) { copyFrom(wb, SheetId::A2, SheetId::B1); }

void importIntoC(Workbook& wb) {
    // Each copy reads sheet A2 afresh: when A2 was closed, the first read
    // creates it anew, which clears both flags; the later copies then take
    // the new sheet's empty texts and the B1 copies are skipped.
    if (wb.flags.a2Done == kTrue) copyFrom(wb, SheetId::A2, SheetId::C);
    if (wb.flags.b1Done == kTrue) copyFrom(wb, SheetId::B1, SheetId::C);
}

void creationImport(Workbook& wb, SheetId id) {
    if (id == SheetId::B1 && wb.flags.a2Done == kTrue) importA2IntoB1(wb);
    if (id == SheetId::C) importIntoC(wb);
}

}  // namespace lc
