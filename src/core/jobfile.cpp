// The workbook document, read to the last key before a workbook is made from
// it, and written back with every sheet that exists.
#include "core/jobfile.h"

#include <algorithm>
#include <utility>

#include "core/calc.h"

namespace lc {
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

const char* kindZh(const Json& v) {
    switch (v.type()) {
        case Json::value_t::null: return "空值（null）";
        case Json::value_t::object: return "对象（{…}）";
        case Json::value_t::array: return "数组（[…]）";
        case Json::value_t::string: return "文本";
        case Json::value_t::boolean: return "真假值（true/false）";
        case Json::value_t::number_integer:
        case Json::value_t::number_unsigned:
        case Json::value_t::number_float: return "数字";
        default: return "未知的值";
    }
}

// A value as a message quotes it: a text cut short, a number or word whole, a
// container by its kind.
std::string valueQuote(const Json& v) {
    if (v.is_string()) return shortQuote(v.get_ref<const std::string&>());
    if (v.is_structured()) return kindOf(v);
    return v.dump();
}

// Characters as a field of the program counts them: UTF-16 code units.
std::size_t utf16Length(std::string_view utf8) {
    std::size_t n = 0;
    for (const char c : utf8) {
        const auto b = static_cast<unsigned char>(c);
        if ((b & 0xC0) != 0x80) ++n;  // a character starts here
        if (b >= 0xF0) ++n;           // beyond the basic plane: a surrogate pair
    }
    return n;
}

[[noreturn]] void newerVersion(const Json& v) {
    throw JobError("version",
                   "written by a newer program (version " + v.dump() + "; this one reads up to " +
                       std::to_string(kJobVersion) + ")",
                   "文件由较新的程序写成（版本" + v.dump() + "，本程序只能读到版本" + std::to_string(kJobVersion) +
                       "），请用较新的程序打开。");
}

void format(const Json& v) {
    if (!v.is_string() || v.get_ref<const std::string&>() != kJobFormat)
        throw JobError("format",
                       "not a lingchuan workbook (expected \"" + std::string(kJobFormat) + "\", got " +
                           valueQuote(v) + ")",
                       "这不是翎川的计算文件（format 为" + valueQuote(v) + "）。");
}

void version(const Json& v) {
    // A number too large for a whole number is read as a double.
    if (v.is_number_float() && v.get<double>() > kJobVersion) newerVersion(v);
    if (v.is_number_float())
        throw JobError("version", "expected a whole number, got a number that is not whole",
                       "版本号应为整数，这里的数不是整数。");
    if (!v.is_number_integer())
        throw JobError("version", std::string("expected a whole number, got ") + kindOf(v),
                       std::string("版本号应为整数，却是") + kindZh(v) + "。");
    const bool newer = v.is_number_unsigned() ? v.get<unsigned long long>() > kJobVersion
                                              : v.get<long long>() > kJobVersion;
    if (newer) newerVersion(v);
    if (v.is_number_unsigned() ? v.get<unsigned long long>() < 1 : v.get<long long>() < 1)
        throw JobError("version", "no such version " + v.dump(), "没有版本" + v.dump() + "。");
}

[[noreturn]] void unknownKey(const std::string& key) {
    throw JobError(keyInMessage(key), "no such key (format, version, flags, properties, sheets, actions)",
                   "不认识的名称（可用的有 format、version、flags、properties、sheets、actions、log）。");
}

// Each top-level key as it is read: a previous run's "log" is read through
// and dropped, a known key kept. An unknown key is refused at once when format
// and version came before it; otherwise it is read through and refused after
// them, so that a newer or foreign document is named as such first.
bool keepTopLevel(const Json& readSoFar, const std::string& key) {
    if (key == "log") return false;
    if (key == "format" || key == "version" || key == "flags" || key == "properties" || key == "sheets" ||
        key == "actions")
        return true;
    if (readSoFar.contains("format") && readSoFar.contains("version")) {
        format(readSoFar["format"]);
        version(readSoFar["version"]);
        unknownKey(key);
    }
    return false;
}

class Reader {
public:
    explicit Reader(const JobLimits& limits) : limits_(limits) {}

    Document read(const Json& doc, TextArray& actions) {
        object(doc, "document");
        // A newer or foreign document is named as such before any of its keys
        // is judged.
        if (const auto it = doc.find("format"); it != doc.end()) format(*it);
        if (const auto it = doc.find("version"); it != doc.end()) version(*it);
        Document out;
        for (const auto& [key, value] : doc.items()) {
            if (key == "format" || key == "version" || key == "log") {
                // Checked above; a previous run's log is not part of the workbook.
            } else if (key == "flags") {
                flags(value, out.workbook.flags);
            } else if (key == "sheets") {
                object(value, "sheets");
                for (const auto& [name, given] : value.items()) {
                    const std::string where = "sheets." + keyInMessage(name);
                    const auto id = sheetFromKey(name);
                    if (!id)
                        throw JobError(where, "no such sheet (A2, B1, C, gears)", "没有这个计算单（A2、B1、C、gears）。");
                    sheet(out.workbook.insert(*id), given, where);
                }
            } else if (key == "properties") {
                properties(value, out.workbook.properties);
            } else if (key == "actions") {
                if (!value.is_array())
                    throw JobError("actions", std::string("expected an array, got ") + kindOf(value),
                                   std::string("应为数组（[…]），却是") + kindZh(value) + "。");
                // The texts were read aside; the array keeps its first other element.
                if (!value.empty()) text(value[0], "actions[" + std::to_string(*actions.otherAt) + "]");
                for (std::size_t i = 0; i < actions.texts.size(); ++i)
                    textLength(actions.texts[i], "actions[" + std::to_string(i) + "]");
                out.actions = std::move(actions.texts);
            } else {
                unknownKey(key);
            }
        }
        return out;
    }

private:
    static const Json& object(const Json& v, const std::string& where) {
        if (!v.is_object())
            throw JobError(where, std::string("expected an object, got ") + kindOf(v),
                           std::string("应为对象（{…}），却是") + kindZh(v) + "。");
        return v;
    }

    std::string text(const Json& v, const std::string& where) const {
        if (!v.is_string())
            throw JobError(where, std::string("expected a text (JSON string), got ") + kindOf(v),
                           std::string("应为文本（带引号的字符串），却是") + kindZh(v) + "。");
        const auto& s = v.get_ref<const std::string&>();
        textLength(s, where);
        return s;
    }

    void textLength(std::string_view s, const std::string& where) const {
        if (limits_.textLength == kNoLimits.textLength) return;
        if (const std::size_t n = utf16Length(s); n > limits_.textLength)
            throw JobError(where,
                           "a text of " + std::to_string(n) + " characters, longer than a job file's texts may be (" +
                               std::to_string(limits_.textLength) + ")",
                           "文字长达" + std::to_string(n) + "个字符，超过计算文件中一栏文字的上限（" +
                               std::to_string(limits_.textLength) + "个字符）。");
    }

    static bool boolean(const Json& v, const std::string& where) {
        if (!v.is_boolean())
            throw JobError(where, std::string("expected true or false, got ") + kindOf(v),
                           std::string("应为 true 或 false，却是") + kindZh(v) + "。");
        return v.get<bool>();
    }

    static int tick(const Json& v, const std::string& where) {
        if (v.is_number_integer() || v.is_number_unsigned()) {
            const auto n = v.get<long long>();
            if (n == 0 || n == 1) return static_cast<int>(n);
        }
        throw JobError(where, "a check box takes 0 or 1, got " + valueQuote(v),
                       "复选框只能是 0 或 1，却是" + valueQuote(v) + "。");
    }

    static void flags(const Json& given, Flags& out) {
        object(given, "flags");
        for (const auto& [key, value] : given.items()) {
            const std::string where = "flags." + keyInMessage(key);
            Flag* flag = key == "a2Done"            ? &out.a2Done
                         : key == "b1Done"          ? &out.b1Done
                         : key == "pinionRightHand" ? &out.pinionRightHand
                                                    : nullptr;
            if (!flag)
                throw JobError(where, "no such flag (a2Done, b1Done, pinionRightHand)",
                               "没有这个标志（a2Done、b1Done、pinionRightHand）。");
            *flag = boolean(value, where) ? kTrue : kFalse;
        }
    }

    void properties(const Json& given, Properties& out) const {
        object(given, "properties");
        for (const auto& [name, value] : given.items()) {
            // A lambda takes the name, not the binding (clang's fuzzing build).
            const std::string& key = name;
            const std::string where = "properties." + keyInMessage(key);
            const auto p = std::find_if(kAllProperties.begin(), kAllProperties.end(),
                                        [&](Property q) { return key == propertyKey(q); });
            if (p == kAllProperties.end())
                throw JobError(where,
                               "no such property (pinionDrawing, gearDrawing, name, material, designer, checker, date, "
                               "remarks)",
                               "没有这项属性（pinionDrawing、gearDrawing、name、material、designer、checker、date、remarks）。");
            out[*p] = text(value, where);
        }
    }

    // Overlays the given texts, check boxes, option captions and selection, or
    // the change-gear window's list and caption, on a sheet's defaults.
    void sheet(Sheet& s, const Json& given, const std::string& path) const {
        object(given, path);
        const bool a2 = s.id() == SheetId::A2;
        const bool gears = s.id() == SheetId::Gears;
        for (const auto& [key, value] : given.items()) {
            const std::string where = path + "." + keyInMessage(key);
            if (s.hasField(key)) {
                s.setText(key, text(value, where));
            } else if (s.hasCheck(key)) {
                s.setCheck(key, tick(value, where));
            } else if (a2 && key == "Option1") {
                s.option1Caption = text(value, where);
            } else if (a2 && key == "Option2") {
                s.option2Caption = text(value, where);
            } else if (a2 && key == "selected") {
                const std::string which = text(value, where);
                if (which != "Option1" && which != "Option2")
                    throw JobError(where, "expected \"Option1\" or \"Option2\", got " + shortQuote(which),
                                   "应为“Option1”或“Option2”，却是" + shortQuote(which) + "。");
                s.selectedOption = which == "Option1" ? 1 : 2;
            } else if (gears && key == "List1") {
                if (!value.is_array())
                    throw JobError(where, std::string("expected an array of texts, got ") + kindOf(value),
                                   std::string("应为文本的数组，却是") + kindZh(value) + "。");
                if (value.size() > limits_.listLines)
                    throw JobError(where,
                                   "a list of " + std::to_string(value.size()) +
                                       " lines, longer than a job file's lists may be (" +
                                       std::to_string(limits_.listLines) + ")",
                                   "列表有" + std::to_string(value.size()) + "行，超过计算文件中列表的上限（" +
                                       std::to_string(limits_.listLines) + "行）。");
                s.list.clear();
                for (std::size_t i = 0; i < value.size(); ++i)
                    s.list.push_back(text(value[i], where + "[" + std::to_string(i) + "]"));
            } else if (gears && key == "Caption") {
                s.caption = text(value, where);
            } else if (key == "visible") {
                s.visible = boolean(value, where);
            } else {
                throw JobError(where, std::string("no such field on sheet ") + sheetKey(s.id()),
                               std::string(sheetTitle(s.id())) + "没有这个字段。");
            }
        }
    }

    JobLimits limits_;
};

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
    out["visible"] = s.visible;
    return out;
}

// "sheets.A2.Text23(0)" in the workbook's words: "计算单A2 第23项小轮（Text23(0)）".
std::string placeWords(const std::string& where) {
    for (Property p : kAllProperties)
        if (where == std::string("properties.") + propertyKey(p)) return std::string("属性 ") + propertyLabel(p);
    const std::string prefix = "sheets.";
    if (where.rfind(prefix, 0) != 0) return where;
    const std::string rest = where.substr(prefix.size());
    const auto dot = rest.find('.');
    const auto id = sheetFromKey(rest.substr(0, dot));
    if (!id) return where;
    std::string words = sheetTitle(*id);
    if (dot == std::string::npos) return words;
    const std::string control = rest.substr(dot + 1);
    const Sheet blank(*id);
    return words + " " + (blank.hasField(control) ? itemLabel(*id, control) : control);
}

void checkSize(std::string_view bytes, const JobLimits& limits) {
    if (bytes.size() > limits.bytes)
        throw JobError("document",
                       "more than " + std::to_string(limits.bytes) + " bytes, larger than a job file may be",
                       "文件超过" + std::to_string(limits.bytes) + "字节，超过计算文件的上限。");
}

}  // namespace

Document readDocument(std::string_view bytes, const JobLimits& limits) {
    checkSize(bytes, limits);
    TextArray actions("actions");
    const Json doc = parseJsonDocument(bytes, &actions, keepTopLevel);
    return Reader(limits).read(doc, actions);
}

Document readJobFile(std::string_view bytes) { return readDocument(bytes, kJobFileLimits); }

std::string writeJobFile(const Workbook& wb) {
    std::string bytes = writeDocument(wb);
    // What would not open again is not written. A text or a list too long is
    // named before the size of the whole: it is what the user can shorten.
    readDocument(bytes, JobLimits{kNoLimits.bytes, kJobFileLimits.textLength, kJobFileLimits.listLines});
    checkSize(bytes, kJobFileLimits);
    return bytes;
}

Json documentJson(const Workbook& wb) {
    Json out = Json::object();
    out["format"] = kJobFormat;
    // A workbook without properties is the document version 1 has always
    // been, byte for byte; properties need a reader that knows them.
    out["version"] = wb.properties.empty() ? 1 : kJobVersion;
    out["flags"] = {{"a2Done", wb.flags.a2Done != kFalse},
                    {"b1Done", wb.flags.b1Done != kFalse},
                    {"pinionRightHand", wb.flags.pinionRightHand != kFalse}};
    if (!wb.properties.empty())
        for (Property p : kAllProperties) out["properties"][propertyKey(p)] = wb.properties[p];
    out["sheets"] = Json::object();
    for (SheetId id : kAllSheets)
        if (const Sheet* s = wb.find(id)) out["sheets"][sheetKey(id)] = sheetJson(*s);
    return out;
}

std::string writeDocument(const Json& document) { return document.dump(2, ' ', false) + "\n"; }

std::string writeDocument(const Workbook& wb) { return writeDocument(documentJson(wb)); }

std::string documentErrorMessage(const DocumentError& e) {
    if (const auto* job = dynamic_cast<const JobError*>(&e))
        return "位置：" + (e.where == "document" ? std::string("整个文件") : placeWords(e.where)) + "\n" + job->chinese;
    // The JSON reader's refusals, by what they say.
    static const std::pair<const char*, const char*> said[] = {
        {"nested deeper", "嵌套的层数太多。"},
        {"more than once", "同一个名称出现了不止一次。"},
        {"NUL byte", "文档中或文档之后有零字节，文件已损坏。"},
        {"after the end", "文档结束之后还有多余的内容。"},
        {"beyond the range", "数字超出范围。"},
        {"values, far more", "文件中的值太多（超过100000个），不是计算文件。"},
    };
    std::string what = "文件已损坏、不完整或不是JSON文档。";
    for (const auto& [english, chinese] : said)
        if (e.problem.find(english) != std::string::npos) what = chinese;
    // "… at line 3, column 18 …": the place in the text of the file.
    std::string place = placeWords(e.where);
    const std::string_view problem = e.problem;
    const auto numberAfter = [problem](std::string_view label, std::size_t from) -> std::string_view {
        const auto at = problem.find(label, from);
        if (at == std::string_view::npos) return {};
        const auto digits = problem.substr(at + label.size());
        return digits.substr(0, digits.find_first_not_of("0123456789"));
    };
    const auto lineAt = problem.find("at line ");
    const std::string_view line = numberAfter("at line ", 0);
    const std::string_view column = lineAt == std::string_view::npos ? "" : numberAfter(", column ", lineAt);
    if (!line.empty() && !column.empty())
        place = "第" + std::string(line) + "行第" + std::string(column) + "列";
    else if (e.where == "document")
        place = "整个文件";
    return "位置：" + place + "\n" + what;
}

}  // namespace lc
