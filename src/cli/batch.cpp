// The JSON workbook: read, checked to the last key before anything runs, run
// action by action, and written back with every sheet that exists at the end.
#include "cli/batch.h"

#include <ostream>
#include <sstream>
#include <utility>

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
    const bool scalar = !v.is_structured();
    throw InputError(where, "a check box takes 0 or 1, got " +
                                (v.is_string() ? shortQuote(v.get_ref<const std::string&>()) : scalar ? v.dump() : kindOf(v)));
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
                throw InputError(where, "expected \"Option1\" or \"Option2\", got " + shortQuote(which));
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

// The document read and checked to the last key: the starting workbook and
// each action as its text (every one resolved once, to check it).
struct Reading {
    Workbook workbook;
    std::vector<std::string> actions;
};

Reading readChecked(Json& doc) {
    expectObject(doc, "document");
    Reading r;
    for (auto& [key, value] : doc.items()) {
        if (key == "flags") {
            readFlags(value, r.workbook.flags);
        } else if (key == "sheets") {
            expectObject(value, "sheets");
            for (const auto& [name, given] : value.items()) {
                const std::string where = "sheets." + name;
                const auto id = sheetFromKey(name);
                if (!id) throw InputError(where, "no such sheet (A2, B1, C, gears)");
                overlaySheet(r.workbook.insert(*id), given, where);
            }
        } else if (key == "actions") {
            if (!value.is_array()) throw InputError("actions", std::string("expected an array, got ") + kindOf(value));
            r.actions.reserve(value.size());
            for (std::size_t i = 0; i < value.size(); ++i) {
                const std::string where = "actions[" + std::to_string(i) + "]";
                resolveAction(expectText(value[i], where), where);
                r.actions.push_back(std::move(value[i].get_ref<std::string&>()));
            }
        } else if (key == "log") {
            // A previous run's log: an output document can be fed back in.
        } else {
            throw InputError(key, "no such key (flags, sheets, actions)");
        }
    }
    return r;
}

// The input parsed, read, and let go of as soon as it is no longer needed.
Reading readInput(std::string input) {
    Json doc = parseJsonDocument(input);
    std::string().swap(input);
    return readChecked(doc);
}

void runAll(Workbook& wb, const std::vector<std::string>& actions) {
    for (const std::string& name : actions) resolveAction(name, name).run(wb);
}

// The workbook's own copy: the starting sheets again, for the second pass.
Workbook copyOf(const Workbook& wb) {
    Workbook copy;
    copy.flags = wb.flags;
    for (SheetId id : kAllSheets)
        if (const Sheet* s = wb.find(id)) copy.insert(id) = *s;
    return copy;
}

bool sameState(const Workbook& a, const Workbook& b) {
    if (a.flags.a2Done != b.flags.a2Done || a.flags.b1Done != b.flags.b1Done ||
        a.flags.pinionRightHand != b.flags.pinionRightHand)
        return false;
    for (SheetId id : kAllSheets) {
        const Sheet* x = a.find(id);
        const Sheet* y = b.find(id);
        if (!x || !y) {
            if (x || y) return false;
        } else if (sheetJson(*x) != sheetJson(*y) || x->visible != y->visible) {
            return false;
        }
    }
    return true;
}

// The resulting document is written in three parts, byte for byte as the
// whole document dumped with an indent of 2: the flags and sheets up to the
// log's opening bracket, each log entry, and the closing brackets.
void writeHead(std::ostream& out, const Workbook& wb) {
    Json head = Json::object();
    head["flags"] = {{"a2Done", wb.flags.a2Done != kFalse},
                     {"b1Done", wb.flags.b1Done != kFalse},
                     {"pinionRightHand", wb.flags.pinionRightHand != kFalse}};
    head["sheets"] = Json::object();
    for (SheetId id : kAllSheets)
        if (const Sheet* s = wb.find(id)) head["sheets"][sheetKey(id)] = sheetJson(*s);
    std::string text = head.dump(2, ' ', false);
    text.resize(text.size() - 2);  // the closing "\n}"
    out << text << ",\n  \"log\": [";
}

void writeEntry(std::ostream& out, const Json& entry, bool first) {
    out << (first ? "\n    " : ",\n    ");
    // Every line of the entry after the first moves right by the log's indent.
    const std::string text = entry.dump(2, ' ', false);
    std::size_t start = 0;
    for (std::size_t nl; (nl = text.find('\n', start)) != std::string::npos; start = nl + 1) {
        out.write(text.data() + start, static_cast<std::streamsize>(nl + 1 - start));
        out << "    ";
    }
    out.write(text.data() + start, static_cast<std::streamsize>(text.size() - start));
}

void writeTail(std::ostream& out, bool emptyLog) { out << (emptyLog ? "]\n}\n" : "\n  ]\n}\n"); }

}  // namespace

Batch readBatch(std::string_view input) {
    Reading r = readInput(std::string(input));
    Batch batch{std::move(r.workbook), {}};
    batch.actions.reserve(r.actions.size());
    for (const std::string& name : r.actions) batch.actions.push_back(resolveAction(name, name));
    return batch;
}

std::string writeBatchResult(const Workbook& wb, Json log) {
    std::ostringstream out;
    writeHead(out, wb);
    for (std::size_t i = 0; i < log.size(); ++i) writeEntry(out, log[i], i == 0);
    writeTail(out, log.empty());
    return out.str();
}

Workbook runToEnd(std::string input) {
    Reading r = readInput(std::move(input));
    runAll(r.workbook, r.actions);
    return std::move(r.workbook);
}

void runDocument(std::string input, std::ostream& out) {
    Reading r = readInput(std::move(input));

    // The sheets come before the log in the output but hold the state after
    // the last action; rather than keeping a log entry for every action until
    // then, the actions run twice: once for the final state, and once more
    // from the same start, each log entry written as it is made.
    Workbook wb = copyOf(r.workbook);
    runAll(wb, r.actions);
    writeHead(out, wb);

    Workbook& again = r.workbook;
    bool first = true;
    for (const std::string& name : r.actions) {
        if (!out) return;
        writeEntry(out, logEntry(name, resolveAction(name, name).run(again)), first);
        first = false;
    }
    writeTail(out, first);
    if (!sameState(wb, again)) throw std::logic_error("the second run of the actions ended in another state");
}

}  // namespace lc::cli
