#include "app/commands.h"

#include <QAction>

#include "app/main_window.h"
#include "core/chain_state.h"

namespace lc::app {
namespace {

bool anySheet(std::optional<SheetId> active) { return active.has_value(); }
bool sheetA2(std::optional<SheetId> active) { return active == SheetId::A2; }
bool importingSheet(std::optional<SheetId> active) { return active == SheetId::B1 || active == SheetId::C; }

enum Group { Files, Output, Copying, Drawing, Chain, Help };

const Command kCommands[] = {
    {"Save", "保存", "Ctrl+S", Files, nullptr, [](MainWindow& m) { m.document().save(); }},
    {"SaveAs", "另存为…", "Ctrl+Shift+S", Files, nullptr, [](MainWindow& m) { m.document().saveAs(); }},
    {"Open", "打开…", "Ctrl+O", Files, nullptr, [](MainWindow& m) { m.document().open(); }},
    {"New", "新建", "Ctrl+N", Files, nullptr, [](MainWindow& m) { m.document().newJob(); }},
    {"Properties", "属性…", "", Files, nullptr, [](MainWindow& m) { m.editProperties(); }},
    // Every sheet that exists, whichever window is active (also none).
    {"Print", "打印…", "Ctrl+P", Output, nullptr, [](MainWindow& m) { m.output().print(m.activeSheet()); }},
    {"ExportPdf", "导出PDF…", "Ctrl+E", Output, nullptr, [](MainWindow& m) { m.output().exportPdf(); }},
    {"CopySheet", "复制本页数据", "Ctrl+Shift+C", Copying, anySheet, [](MainWindow& m) { m.output().copySheet(m.activeSheet()); }},
    {"ExportTable", "导出表格…", "", Copying, anySheet, [](MainWindow& m) { m.output().exportTable(m.activeSheet()); }},
    {"Sketch", "示意图", "Ctrl+D", Drawing, sheetA2, [](MainWindow& m) { m.showSketch(); }},
    // 从计算单A2重新取值 (B1), 从计算单A2、B1重新取值 (C): the sheet's creation
    // import again, offered only while a copy differs from its source.
    {"Reimport", "重新取值", "", Chain, importingSheet, [](MainWindow& m) { m.reimport(); },
     [](MainWindow& m, QAction& a, SheetId active) {
         a.setText(QString::fromUtf8(reimportCaption(active)));
         a.setEnabled(canReimport(m.workbook(), active));
     }},
    {"Guide", "用户指南", "F1", Help, nullptr, [](MainWindow& m) { m.showGuide(); }},
    {"About", "关于翎川", "", Help, nullptr, [](MainWindow& m) { m.showAbout(); }},
};

}  // namespace

std::span<const Command> commands() { return kCommands; }

}  // namespace lc::app
