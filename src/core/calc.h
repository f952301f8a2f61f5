// What a handler hands back, and the context through which a calculation reads
// and writes field texts: every read converts the field's current text, every
// write stores the text at once, so later steps see results as their texts hold them.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/checked.h"
#include "core/workbook.h"

namespace lc {

struct FaultRecord {
    FaultKind kind;
    SheetId sheet;
    std::string field;  // the unreadable field, or the field being computed
    std::string text;   // the unreadable text (conversion faults)
    bool empty = false;
};

struct Outcome {
    enum class Kind { Done, Message, Fault };
    Kind kind = Kind::Done;
    // The message box text: the program's own message, or the fault's description.
    std::string message;
    // The control of the handler's own sheet that has the focus afterwards, when
    // the handler moves it.
    std::optional<std::string> focus;
    std::optional<FaultRecord> fault;

    static Outcome done(std::optional<std::string> focus = std::nullopt);
    static Outcome msg(std::string text, std::optional<std::string> focus = std::nullopt);
};

// "第15项（Text15）", "第23项小轮（Text23(0)）", "输入Z1（Text42）" ...
std::string itemLabel(SheetId sheet, std::string_view field);
// The Chinese description of a fault: which sheet, which item and field, what
// text, which fault.
std::string faultMessage(const FaultRecord& f);

class Calc {
public:
    Calc(Workbook& wb, SheetId home) : wb_(wb), home_(home) {}

    Workbook& workbook() { return wb_; }
    Sheet& home() { return wb_.sheet(home_); }

    const std::string& text(std::string_view field) { return home().text(field); }
    bool empty(std::string_view field) { return text(field).empty(); }
    void setText(std::string_view field, std::string value) { home().setText(field, std::move(value)); }

    // read as Double / read as Single, of the home sheet or of another sheet
    // (which is created when it does not exist).
    Num D(std::string_view field) { return D(home_, field); }
    Num S(std::string_view field) { return S(home_, field); }
    Num D(SheetId sheet, std::string_view field);
    Num S(SheetId sheet, std::string_view field);

    // Computes a value for `field`: an arithmetic fault inside `f` is recorded
    // against that field of the home sheet.
    template <typename F>
    Num eval(std::string_view field, F&& f) {
        try {
            return f();
        } catch (Fault& e) {
            annotate(e, field);
            throw;
        }
    }

    // Computes and writes at once: written as Double, as Single, with eight decimals.
    template <typename F>
    void putDouble(std::string_view field, F&& f) { writeDoubleText(field, eval(field, f)); }
    template <typename F>
    void putSingle(std::string_view field, F&& f) { writeSingleText(field, eval(field, f)); }
    template <typename F>
    void putFixed8(std::string_view field, F&& f) { writeFixed8Text(field, eval(field, f)); }

    void writeDoubleText(std::string_view field, Num v);
    void writeSingleText(std::string_view field, Num v);  // rounds to Single (overflow checked)
    void writeFixed8Text(std::string_view field, Num v);

private:
    void annotate(Fault& e, std::string_view field);
    Workbook& wb_;
    SheetId home_;
};

// Runs a handler body: a Fault thrown inside becomes a fault outcome, with
// `focusOnFault` as the focus (the Enter handlers move the focus first).
Outcome runGuarded(Workbook& wb, SheetId home, const std::function<Outcome(Calc&)>& body,
                   std::optional<std::string> focusOnFault = std::nullopt);

}  // namespace lc
