#include "core/chain_state.h"

#include <algorithm>
#include <string_view>

#include "core/change_gears.h"
#include "core/items.h"
#include "core/quote.h"
#include "core/sheet_a2.h"
#include "core/sheet_b1.h"
#include "core/sheet_c.h"

namespace lc {
namespace {

// Sheet A2's fields that Enter fills while the inputs are typed (the gear
// ratio and the three table values): a text there is no result of the start
// button yet.
constexpr std::string_view kA2EnterFills[] = {"Text4", "Text7", "Text8", "Text14"};

Outcome calculate(Workbook& wb, SheetId id) {
    switch (id) {
        case SheetId::A2: return a2Command1(wb);
        case SheetId::B1: return b1Command1(wb);
        case SheetId::C: return cCommand1(wb);
        case SheetId::Gears: break;
    }
    return gearsCommand1(wb);
}

const Sheet& blank(SheetId id) {
    static const Sheet blanks[] = {Sheet(SheetId::A2), Sheet(SheetId::B1), Sheet(SheetId::C), Sheet(SheetId::Gears)};
    return blanks[static_cast<int>(id)];
}

// The result fields that hold a text of their own (not the sheet's default).
std::vector<std::string> heldResults(const Sheet& s) {
    std::vector<std::string> held;
    for (const Item& item : itemsOf(s.id())) {
        if (item.input) continue;
        for (std::string_view f : {item.field, item.gearField}) {
            if (f.empty() || (s.id() == SheetId::A2 && std::ranges::count(kA2EnterFills, f) > 0)) continue;
            if (s.text(f) != blank(s.id()).text(f)) held.emplace_back(f);
        }
    }
    if (!s.list.empty()) held.emplace_back("List1");
    if (s.caption != blank(s.id()).caption) held.emplace_back("Caption");
    return held;
}

// What the sheet's own calculation, pressed now, says of its results.
std::optional<Reason> ownReason(const Workbook& wb, const Sheet& before, const std::vector<std::string>& held) {
    const SheetId id = before.id();
    if (held.empty()) return Reason{Mistrust::NeverCalculated};
    Workbook trial(wb);
    const Outcome out = calculate(trial, id);
    const Sheet* after = trial.find(id);
    if (out.kind != Outcome::Kind::Done || !after) {
        Reason r{Mistrust::CalculationStops};
        r.message = out.message;
        for (const std::string& f : held) r.items.push_back({f, "", ""});
        return r;
    }
    Reason r{Mistrust::ResultsChange};
    for (const std::string& field : before.fieldNames())
        if (after->text(field) != before.text(field)) r.items.push_back({field, "", after->text(field)});
    if (id == SheetId::A2 && trial.flags.pinionRightHand != wb.flags.pinionRightHand)
        r.items.push_back({"Option1", "", trial.flags.pinionRightHand == kTrue ? "右" : "左"});
    if (after->list != before.list) r.items.push_back({"List1", "", ""});
    if (after->caption != before.caption) r.items.push_back({"Caption", "", after->caption});
    if (r.items.empty()) return std::nullopt;
    return r;
}

// The sheets whose texts the sheet's import copies, in the order it copies them.
std::vector<SheetId> sourcesOf(SheetId id) {
    std::vector<SheetId> sources;
    for (const Copy& c : importCopies(id))
        if (std::ranges::count(sources, c.from) == 0) sources.push_back(c.from);
    return sources;
}

std::string joined(const std::vector<std::string>& parts, const char* separator) {
    std::string out;
    for (const std::string& p : parts) out += (out.empty() ? "" : separator) + p;
    return out;
}

std::string names(SheetId sheet, const Reason& r, bool english) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < r.items.size(); ++i) {
        const std::string& field = r.items[i].field;
        // Both rows of a paired item: the item once.
        const Item* item = itemOfField(sheet, field);
        if (item && !item->gearField.empty() && field == item->field && i + 1 < r.items.size() &&
            r.items[i + 1].field == item->gearField) {
            out.push_back(english ? "item " + std::to_string(item->number) + " (" + field + ", " + std::string(item->gearField) + ")"
                                  : "第" + std::to_string(item->number) + "项");
            ++i;
            continue;
        }
        out.push_back(english ? itemNameEnglish(sheet, field) : itemName(sheet, field));
    }
    return joined(out, english ? ", " : "、");
}

// The caption without its number and the blanks that spread it: "刀盘公称直径".
std::string plainCaption(const Item& item) {
    std::string caption(item.caption);
    const std::string number = std::to_string(item.number);
    if (caption.rfind(number, 0) == 0) caption.erase(0, number.size());
    std::erase(caption, ' ');
    return caption;
}

}  // namespace

const SheetState* ChainState::of(SheetId id) const {
    const auto& s = sheets[static_cast<std::size_t>(id)];
    return s ? &*s : nullptr;
}

bool ChainState::allCurrent() const {
    return std::ranges::all_of(sheets, [](const auto& s) { return !s || s->current(); });
}

ChainState chainState(const Workbook& wb) {
    ChainState chain;
    // In sheet order, so that every source is judged before the sheets that read it.
    for (SheetId id : kAllSheets) {
        const Sheet* s = wb.find(id);
        if (!s) continue;
        SheetState state;
        state.id = id;
        const std::vector<std::string> held = heldResults(*s);
        state.hasResults = !held.empty();
        if (auto own = ownReason(wb, *s, held)) state.reasons.push_back(std::move(*own));
        const std::vector<SheetId> sources = sourcesOf(id);
        for (SheetId from : sources) {
            const Sheet* source = wb.find(from);
            if (!source) continue;
            Reason r{Mistrust::CopiesDiffer, from};
            for (const Copy& c : importCopies(id))
                if (c.from == from && s->text(c.toField) != source->text(c.fromField))
                    r.items.push_back({c.toField, c.fromField, source->text(c.fromField)});
            if (!r.items.empty()) state.reasons.push_back(std::move(r));
        }
        for (SheetId from : sources)
            if (const SheetState* source = chain.of(from); source && !source->current())
                state.reasons.push_back(Reason{Mistrust::SourceNotCurrent, from});
        chain.sheets[static_cast<std::size_t>(id)] = std::move(state);
    }
    return chain;
}

std::string itemName(SheetId sheet, const std::string& field) {
    if (field == "Option1") return "第20项";
    if (field == "List1") return "挂轮组合";
    if (field == "Caption") return "计算状态";
    const Item* item = itemOfField(sheet, field);
    if (!item) return field;
    if (item->number == 0) return std::string(item->caption);
    std::string name = "第" + std::to_string(item->number) + "项";
    if (!item->gearField.empty()) return name + (field == item->gearField ? "大轮" : "小轮");
    // Two rows of one number (sheet B1's item 1) are told apart by their captions.
    const auto items = itemsOf(sheet);
    if (std::ranges::count_if(items, [&](const Item& i) { return i.number == item->number; }) > 1)
        name += "（" + plainCaption(*item) + "）";
    return name;
}

std::string itemNameEnglish(SheetId sheet, const std::string& field) {
    if (field == "Option1") return "item 20 (the hands)";
    if (field == "List1") return "the list";
    if (field == "Caption") return "the caption";
    const Item* item = itemOfField(sheet, field);
    if (!item) return field;
    std::string name = item->number == 0 ? std::string(item->caption) : "item " + std::to_string(item->number);
    if (!item->gearField.empty()) name += field == item->gearField ? " gear" : " pinion";
    return name + " (" + field + ")";
}

namespace {

std::string reasonLine(SheetId sheet, const Reason& r) {
    const std::string title = sheetTitle(sheet);
    switch (r.kind) {
        case Mistrust::NeverCalculated: return title + "尚未计算";
        case Mistrust::ResultsChange:
            return title + "的结果不是按当前输入算出的，重新计算会改变：" + names(sheet, r, false);
        case Mistrust::CalculationStops:
            return title + "按当前输入计算会停止（" + r.message + "），这些结果不是当前输入的：" + names(sheet, r, false);
        case Mistrust::CopiesDiffer: {
            std::vector<std::string> parts;
            for (const MistrustedItem& item : r.items)
                parts.push_back(itemName(sheet, item.field) + "（" + sheetKey(r.source) + itemName(r.source, item.sourceField) +
                                "现为" + quoteInMessage(item.now) + "）");
            return title + "取自" + sheetTitle(r.source) + "的数据与其现值不一致：" + joined(parts, "、");
        }
        case Mistrust::SourceNotCurrent:
            return title + "所用的" + sheetTitle(r.source) + "本身不是最新的";
    }
    return title;
}

}  // namespace

// One line whatever the texts it quotes hold: a tab or line break as \xNN.
std::string reasonText(SheetId sheet, const Reason& r) { return visibleText(reasonLine(sheet, r), false); }

std::string reasonEnglish(SheetId sheet, const Reason& r) {
    const std::string key = sheetKey(sheet);
    switch (r.kind) {
        case Mistrust::NeverCalculated: return key + ": never calculated";
        case Mistrust::ResultsChange:
            return key + ": results are not those of its inputs; calculating again changes " + names(sheet, r, true);
        case Mistrust::CalculationStops:
            return key + ": its calculation stops on its present inputs; not results of them: " + names(sheet, r, true);
        case Mistrust::CopiesDiffer: {
            std::vector<std::string> parts;
            for (const MistrustedItem& item : r.items) {
                const QuotedText now = quoteText(item.now);
                parts.push_back(itemNameEnglish(sheet, item.field) + " differs from " + sheetKey(r.source) + " " +
                                itemNameEnglish(r.source, item.sourceField) + " \"" + now.head + (now.cut ? "...\"" : "\""));
            }
            return key + ": copied inputs differ from " + sheetKey(r.source) + ": " + joined(parts, ", ");
        }
        case Mistrust::SourceNotCurrent: return key + ": reads " + sheetKey(r.source) + ", which is not current";
    }
    return key;
}

std::vector<std::string> noticeLines(const SheetState& state) {
    std::vector<std::string> lines;
    for (const Reason& r : state.reasons) lines.push_back("注意：" + reasonText(state.id, r));
    return lines;
}

std::string titleSuffix(const SheetState& state) {
    if (!state.hasResults || state.current()) return {};
    std::vector<std::string> differ, parts;
    for (const Reason& r : state.reasons) {
        switch (r.kind) {
            case Mistrust::NeverCalculated: break;
            case Mistrust::ResultsChange: parts.emplace_back("结果需重新计算"); break;
            case Mistrust::CalculationStops: parts.emplace_back("按当前输入计算会停止"); break;
            case Mistrust::CopiesDiffer: differ.emplace_back(sheetKey(r.source)); break;
            case Mistrust::SourceNotCurrent:
                parts.push_back(std::string(sheetTitle(r.source)) + "不是最新的");
                break;
        }
    }
    if (!differ.empty()) parts.insert(parts.begin(), "与计算单" + joined(differ, "、") + "不一致");
    return parts.empty() ? std::string() : "（" + joined(parts, "；") + "）";
}

std::vector<FieldMark> fieldMarks(const SheetState& state) {
    std::vector<FieldMark> marks;
    if (!state.hasResults) return marks;
    auto note = [&](const std::string& field, const std::string& text) {
        auto it = std::ranges::find(marks, field, &FieldMark::field);
        if (it == marks.end()) {
            marks.push_back({field, text});
        } else {
            it->note += "\n" + text;
        }
    };
    for (const Reason& r : state.reasons) {
        for (const MistrustedItem& item : r.items) {
            switch (r.kind) {
                case Mistrust::ResultsChange:
                    note(item.field, "注意：结果不是按当前输入算出的，重新计算得" + quoteInMessage(item.now));
                    break;
                case Mistrust::CalculationStops:
                    note(item.field, "注意：按当前输入计算会停止，此结果不是当前输入的");
                    break;
                case Mistrust::CopiesDiffer:
                    note(item.field, std::string("注意：与") + sheetTitle(r.source) + itemName(r.source, item.sourceField) +
                                         "不一致，其现值为" + quoteInMessage(item.now));
                    break;
                default: break;
            }
        }
    }
    return marks;
}

const char* reimportCaption(SheetId id) {
    return id == SheetId::C ? "从计算单A2、B1重新取值" : "从计算单A2重新取值";
}

bool canReimport(const Workbook& wb, SheetId id) {
    const Sheet* s = wb.find(id);
    if (!s) return false;
    const auto copies = importCopies(id);
    if (std::ranges::none_of(copies, [&](const Copy& c) {
            const Sheet* source = wb.find(c.from);
            return source && source->text(c.fromField) != s->text(c.toField);
        }))
        return false;
    // The import as it would run now: it must change a copy, and must not
    // create a sheet on the way (its guards read the flags as they are).
    Workbook trial(wb);
    creationImport(trial, id);
    for (SheetId other : kAllSheets)
        if (trial.exists(other) != wb.exists(other)) return false;
    return trial.find(id)->texts() != s->texts();
}

Outcome reimport(Workbook& wb, SheetId id) {
    if (wb.exists(id)) creationImport(wb, id);
    return Outcome::done();
}

}  // namespace lc
