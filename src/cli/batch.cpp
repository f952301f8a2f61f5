// The JSON workbook: read, checked to the last key before anything runs, run
// action by action, and written back with every sheet that exists at the end.
#include "cli/batch.h"

#include "core/jobfile.h"

namespace lc::cli {

std::string runDocument(std::string_view input) {
    Document doc = readDocument(input);
    Workbook& wb = doc.workbook;
    std::vector<Action> actions;
    for (std::size_t i = 0; i < doc.actions.size(); ++i)
        actions.push_back(resolveAction(doc.actions[i], "actions[" + std::to_string(i) + "]"));

    Json log = Json::array();
    for (const Action& a : actions) log.push_back(logEntry(a.name, a.run(wb)));

    Json out = documentJson(wb);
    out["log"] = std::move(log);
    return writeDocument(out);
}

}  // namespace lc::cli
