// The JSON workbook: read, checked to the last key before anything runs, run
// action by action, and written back with every sheet that exists at the end.
#include "cli/batch.h"

#include "core/jobfile.h"

#include <ostream>
#include <utility>

namespace lc::cli {
namespace {

// The workbook's own copy: the starting sheets again, for the second pass.
Workbook copyOf(const Workbook& wb) {
    Workbook copy;
    copy.flags = wb.flags;
    copy.properties = wb.properties;
    for (SheetId id : kAllSheets)
        if (const Sheet* s = wb.find(id)) copy.insert(id) = *s;
    return copy;
}

bool sameState(const Workbook& a, const Workbook& b) { return documentJson(a) == documentJson(b); }

// Every line of a dumped value after the first, moved right by `indent`.
void writeIndented(std::ostream& out, const std::string& text, std::string_view indent) {
    std::size_t start = 0;
    for (std::size_t nl; (nl = text.find('\n', start)) != std::string::npos; start = nl + 1) {
        out.write(text.data() + start, static_cast<std::streamsize>(nl + 1 - start));
        out << indent;
    }
    out.write(text.data() + start, static_cast<std::streamsize>(text.size() - start));
}

// The document read, its text let go, and every action looked up before any
// runs, so that a bad one is refused first.
Document checkedDocument(std::string input) {
    Document doc = readDocument(input);
    std::string().swap(input);
    for (std::size_t i = 0; i < doc.actions.size(); ++i)
        resolveAction(std::string(doc.actions[i]), "actions[" + std::to_string(i) + "]");
    return doc;
}

void runAll(const TextList& actions, Workbook& wb) {
    for (std::size_t i = 0; i < actions.size(); ++i) {
        const std::string name(actions[i]);
        resolveAction(name, name).run(wb);
    }
}

}  // namespace

Batch readBatch(std::string_view input) {
    Document doc = readDocument(input);
    Batch batch{std::move(doc.workbook), {}};
    batch.actions.reserve(doc.actions.size());
    for (std::size_t i = 0; i < doc.actions.size(); ++i)
        batch.actions.push_back(resolveAction(std::string(doc.actions[i]), "actions[" + std::to_string(i) + "]"));
    return batch;
}

std::string writeBatchResult(const Workbook& wb, Json log) {
    Json out = documentJson(wb);
    out["log"] = std::move(log);
    return writeDocument(out);
}

Workbook runToEnd(std::string input) {
    Document doc = checkedDocument(std::move(input));
    runAll(doc.actions, doc.workbook);
    return std::move(doc.workbook);
}

void runDocument(std::string input, std::ostream& out) {
    Document doc = checkedDocument(std::move(input));
    const TextList& actions = doc.actions;

    // The sheets come before the log in the output but hold the state after
    // the last action; rather than keeping a log entry for every action until
    // then, the actions run twice: once for the final state, and once more
    // from the same start, each log entry written as it is made.
    Workbook wb = copyOf(doc.workbook);
    runAll(actions, wb);
    // The output without its log is a job file: one the program would refuse
    // to open is not written.
    std::string text;
    try {
        text = writeJobFile(wb);
    } catch (const DocumentError& e) {
        throw InputError(e.where, e.problem + "; the program could not open the result, so it is not written");
    }
    text.resize(text.size() - 3);  // the closing "\n}\n"
    out << text << ",\n  \"log\": [";

    Workbook again = std::move(doc.workbook);
    bool first = true;
    for (std::size_t i = 0; i < actions.size(); ++i) {
        if (!out) return;
        const std::string name(actions[i]);
        out << (first ? "\n    " : ",\n    ");
        first = false;
        writeIndented(out, logEntry(name, resolveAction(name, name).run(again)).dump(2, ' ', false), "    ");
    }
    out << (first ? "]\n}\n" : "\n  ]\n}\n");
    if (!sameState(wb, again)) throw std::logic_error("the second run of the actions ended in another state");
}

}  // namespace lc::cli
