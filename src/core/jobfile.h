// The workbook document: the one place that turns a job file (or the batch
// tool's input and output, which are the same document) into a Workbook and
// back. Used by the program, lingchuan-calc and lingchuan-report.
//
//   {"format": "lingchuan-workbook", "version": 2,
//    "flags": {"a2Done": false, "b1Done": false, "pinionRightHand": false},
//    "properties": {"pinionDrawing": "...", "gearDrawing": "...", "name": "...", "material": "...",
//                   "designer": "...", "checker": "...", "date": "...", "remarks": "..."},
//    "sheets": {"A2": {...}, "B1": {...}, "C": {...}, "gears": {...}},
//    "actions": [...], "log": [...]}
//
// Every key is optional on reading; "log" is ignored, so that an output can be
// read again. A workbook without properties is written as version 1, as
// before properties existed, so that an older program opens it; with
// properties as version 2, which an older program refuses as newer.
#pragma once

#include <cstddef>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "core/change_gears.h"
#include "core/json_input.h"
#include "core/workbook.h"

namespace lc {

// The newest version read and written.
inline constexpr int kJobVersion = 2;
inline constexpr std::string_view kJobFormat = "lingchuan-workbook";

// What a job file may hold. The same limits apply on saving (the program does
// not write what it would refuse to open, nor does lingchuan-calc run) and on
// opening, in the program and in lingchuan-report; they keep opening, printing
// and exporting within a second or two.
struct JobLimits {
    std::size_t bytes;       // the whole file
    std::size_t textLength;  // one text, in UTF-16 code units, as a field counts its characters
    std::size_t listLines;   // the change-gear list
};
// A job file of the whole workbook is some tens of kilobytes and a text of a
// calculation a few dozen characters; the list is as long as the longest a
// search makes.
inline constexpr JobLimits kJobFileLimits{1u << 20, 10000, kGearHitCapacity};
inline constexpr JobLimits kNoLimits{std::numeric_limits<std::size_t>::max(), std::numeric_limits<std::size_t>::max(),
                                     std::numeric_limits<std::size_t>::max()};

struct Document {
    Workbook workbook;
    TextList actions;  // read as they stand; a document may hold millions
};

// A document that is refused for what it says rather than how it is written.
// `problem` is the batch tool's English line; `chinese` says the same in the
// program's words.
struct JobError : DocumentError {
    JobError(std::string where, std::string problem, std::string chinese)
        : DocumentError(std::move(where), std::move(problem)), chinese(std::move(chinese)) {}
    std::string chinese;
};

// The whole document, checked completely before it returns; nothing of a
// refused document reaches a workbook. "format" and "version" are checked
// first when present. The sheets named under "sheets" exist with their
// defaults overlaid by the given texts, without their creation steps; a sheet
// without "visible" is visible. A document beyond the limits is refused.
Document readDocument(std::string_view bytes, const JobLimits& limits = kNoLimits);
// A job file: a document within kJobFileLimits.
Document readJobFile(std::string_view bytes);
// The workbook as a job file; a JobError, naming the place, when it would be
// refused on opening.
std::string writeJobFile(const Workbook& wb);

// The workbook as a document: format, version, flags and every sheet that
// exists with all its texts, check boxes, captions, selection, list and
// whether its window is shown.
Json documentJson(const Workbook& wb);
// The same as text: UTF-8, two-space indentation, final newline.
std::string writeDocument(const Workbook& wb);
std::string writeDocument(const Json& document);

// The Chinese sentence for a refused document: the place in the workbook's
// own words ("计算单A2 第1项（Text1）") and what is wrong there.
std::string documentErrorMessage(const DocumentError& e);

}  // namespace lc
