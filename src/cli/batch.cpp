// The JSON workbook: read, checked to the last key before anything runs, run
// action by action, and written back with every sheet that exists at the end.
#include "cli/batch.h"

namespace lc::cli {
namespace {

const char* kindOf(const Json& v) {
    switch (v.type()) {
        case Json::value_t::null: return "null";
        case Json::value_t::object: return "an object";
        case Json::value_t::array: return "an array";
        case Json::value_t::string: return "a text";
        case Json::value_t::boolean: return "a boolean";
        case Json::value_t::number_integer:
        case Json::value_t::number_unsigned:
        case Json::value_t::number_float: return "a number";
        default: return "an unknown value";
    }
}

const Json& expectObject(const Json& v, const std::string& where) {
    if (!v.is_object()) throw InputError(where, std::string("expected an object, got ") + kindOf(v));
    return v;
}

std::string expectText(const Json& v, const std::string& where) {
    if (!v.is_string()) throw InputError(where, std::string("expected a text (JSON string), got ") + kindOf(v));
    return v.get<std::string>();
}

int expectTick(const Json& v, const std::string& where) {
    if (v.is_number_integer() || v.is_number_unsigned()) {
        const auto n = v.get<long long>();
        if (n == 0 || n == 1) return static_cast<int>(n);
    }
    throw InputError(where, "a check box takes 0 or 1, got " + v.dump());
}

void readFlags(const Json& flags, Flags& out) {
    expectObject(flags, "flags");
    for (const auto& [key, value] : flags.items()) {
        const std::string where = "flags." + key;
        Flag* flag = key == "a2Done"            ? &out.a2Done
                     : key == "b1Done"          ? &out.b1Done
                     : key == "pinionRightHand" ? &out.pinionRightHand
                                                : nullptr;
        if (!flag) throw InputError(where, "no such flag (a2Done, b1Done, pinionRightHand)");
        if (!value.is_boolean()) throw InputError(where, std::string("expected true or false, got ") + kindOf(value));
        *flag = value.get<bool>() ? kTrue : kFalse;
    }
}

// Overlays the given texts, check boxes, option captions and selection, or
// the change-gear window's list and caption, on a sheet's defaults.
void overlaySheet(Sheet& s, const Json& given, const std::string& path) {
    expectObject(given, path);
    const bool a2 = s.id() == SheetId::A2;
    const bool gears = s.id() == SheetId::Gears;
    for (const auto& [key, value] : given.items()) {
        const std::string where = path + "." + key;
        if (s.hasField(key)) {
            s.setText(key, expectText(value, where));
        } else if (s.hasCheck(key)) {
            s.setCheck(key, expectTick(value, where));
        } else if (a2 && key == "Option1") {
            s.option1Caption = expectText(value, where);
        } else if (a2 && key == "Option2") {
            s.option2Caption = expectText(value, where);
        } else if (a2 && key == "selected") {
            const std::string which = expectText(value, where);
            if (which != "Option1" && which != "Option2")
                throw InputError(where, "expected \"Option1\" or \"Option2\", got \"" + which + "\"");
            s.selectedOption = which == "Option1" ? 1 : 2;
        } else if (gears && key == "List1") {
            if (!value.is_array()) throw InputError(where, std::string("expected an array of texts, got ") + kindOf(value));
            s.list.clear();
            for (std::size_t i = 0; i < value.size(); ++i)
                s.list.push_back(expectText(value[i], where + "[" + std::to_string(i) + "]"));
        } else if (gears && key == "Caption") {
            s.caption = expectText(value, where);
        } else {
            throw InputError(where, std::string("no such field on sheet ") + sheetKey(s.id()));
        }
    }
}

Json sheetJson(const Sheet& s) {
    Json out = Json::object();
    for (const auto& name : s.fieldNames()) out[name] = s.text(name);
    for (const auto& name : s.checkNames()) out[name] = s.check(name);
    switch (s.id()) {
        case SheetId::A2:
            out["Option1"] = s.option1Caption;
            out["Option2"] = s.option2Caption;
            out["selected"] = s.selectedOption == 2 ? "Option2" : "Option1";
            break;
        case SheetId::Gears:
            out["List1"] = s.list;
            out["Caption"] = s.caption;
            break;
        case SheetId::B1:
        case SheetId::C:
            break;
    }
    return out;
}

Json parseDocument(std::string_view input) {
    try {
        return Json::parse(input.begin(), input.end());
    } catch (const Json::parse_error& e) {
        // "[json.exception.parse_error.101] parse error at line 1, column 2: ..."
        std::string why = e.what();
        if (const auto close = why.find("] "); why.rfind("[json.exception", 0) == 0 && close != std::string::npos)
            why.erase(0, close + 2);
        throw InputError("standard input", "malformed JSON: " + why);
    }
}

}  // namespace

Batch readBatch(std::string_view input) {
    const Json doc = parseDocument(input);
    expectObject(doc, "document");

    Batch batch;
    Workbook& wb = batch.workbook;
    for (const auto& [key, value] : doc.items()) {
        if (key == "flags") {
            readFlags(value, wb.flags);
        } else if (key == "sheets") {
            expectObject(value, "sheets");
            for (const auto& [name, given] : value.items()) {
                const std::string where = "sheets." + name;
                const auto id = sheetFromKey(name);
                if (!id) throw InputError(where, "no such sheet (A2, B1, C, gears)");
                overlaySheet(wb.insert(*id), given, where);
            }
        } else if (key == "actions") {
            if (!value.is_array()) throw InputError("actions", std::string("expected an array, got ") + kindOf(value));
            for (std::size_t i = 0; i < value.size(); ++i) {
                const std::string where = "actions[" + std::to_string(i) + "]";
                batch.actions.push_back(resolveAction(expectText(value[i], where), where));
            }
        } else if (key == "log") {
            // A previous run's log: an output document can be fed back in.
        } else {
            throw InputError(key, "no such key (flags, sheets, actions)");
        }
    }
    return batch;
}

std::string writeBatchResult(const Workbook& wb, Json log) {
    Json out = Json::object();
    out["flags"] = {{"a2Done", wb.flags.a2Done != kFalse},
                    {"b1Done", wb.flags.b1Done != kFalse},
                    {"pinionRightHand", wb.flags.pinionRightHand != kFalse}};
    out["sheets"] = Json::object();
    for (SheetId id : kAllSheets)
        if (const Sheet* s = wb.find(id)) out["sheets"][sheetKey(id)] = sheetJson(*s);
    out["log"] = std::move(log);
    return out.dump(2, ' ', false) + "\n";
}

BatchRun runActions(std::string_view input) {
    Batch batch = readBatch(input);
    Json log = Json::array();
    for (const Action& a : batch.actions) log.push_back(logEntry(a.name, a.run(batch.workbook)));
    return {std::move(batch.workbook), std::move(log)};
}

std::string runDocument(std::string_view input) {
    auto [wb, log] = runActions(input);
    return writeBatchResult(wb, std::move(log));
}

}  // namespace lc::cli
